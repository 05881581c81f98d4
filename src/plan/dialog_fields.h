#pragma once
// The object property dialog's fields as texts, and how OK writes them into the plan table. Kept
// apart from the window so that the rules (the decimal comma, rotations kept in 0..359, the faces
// by face type) are the same for every caller and can be checked without one.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "library/component_table.h"
#include "plan/plan_range.h"
#include "plan/plan_table.h"

namespace halvern {

struct ObjectFields {
    std::string texte;
    std::string elevation, hauteur, profondeur, largeur, rot; // numbers as typed
    bool tex1 = false, tex2 = false;                          // pictures on the recto, the verso
    std::string force_recto, force_verso;                     // end-code overrides
    std::string visuel_recto, visuel_verso;                   // picture files
    // Colours chosen in the palette and not applied yet, by slot 0..5; none for a slot left alone.
    std::array<std::optional<ColourSlot>, colour_slots> colours{};
};

// The fields as the dialog shows them when it opens on object i.
ObjectFields read_object_fields(const PlanTable& plan, int i);

// OK: the label, the four numbers, the rotation, then the faces and their texts by the face type
// (`panel` of the component: 1 recto, 2 verso, 3 both; any other type leaves no face). The picture
// files are written for the faces the type has. Every pending colour is given to its slot.
void apply_object_fields(PlanTable& plan, int i, int face_type, const ObjectFields& fields);

// `obj_faces` from the two ticks, as the face type allows them.
int faces_from_ticks(int face_type, bool recto, bool verso);

// A dialog's number: "," read as ".", then the leading number (none gives 0). A number no float
// can hold gives 0; the dialogs refuse such numbers before they read them (dialog_number_in).
float dialog_number(const std::string& text);

// The bounds of a dialog's number field: the plan's range for a field without limits of its own.
struct NumberRange {
    double min = -plan_max_coordinate_cm, max = plan_max_coordinate_cm;
};
// A dialog's number read as dialog_number reads it, or nothing when it lies outside the field's
// range (a number such as "1e39" never reaches a float).
std::optional<double> dialog_number_in(const std::string& text, NumberRange range = {});

// A typed rotation kept in 0..359 (-10 gives 350, 370 gives 10).
float dialog_rotation(const std::string& text);

// The angle typed for "Rotate by": a number (a decimal comma is taken for the point, blanks around
// it are ignored) from -max_typed_turn to max_typed_turn degrees; none for anything else, so that
// a slip of the hand ("9O", "45 deg") turns nothing rather than something else.
inline constexpr double max_typed_turn = 360;
std::optional<double> typed_turn(std::string text);

// Ramanujan's approximation of the perimeter of the ellipse inscribed in width x depth.
double ellipse_perimeter(double largeur, double profondeur);

// The group dialog's fields: each one that is not empty is given to every member (the new name to
// the group object). The rotation and the elevation are relative: the members turn together and
// rise together by what was typed less what was shown, so that their arrangement holds.
struct GroupFields {
    std::string hauteur, elevation, rot;
    std::string nouveau_nom;
    std::string visuel_recto, visuel_verso;
    std::string elevation_shown, rot_shown; // as the dialog opened
};

// The fields as the group dialog opens: the first member's rotation and the lowest member's
// elevation, shown and typed alike; the other boxes empty.
GroupFields read_group_fields(const PlanTable& plan, const std::vector<int>& members);

// The group object shared by every member, 0 when they are not all in one group.
int common_group(const PlanTable& plan, const std::vector<int>& members);

// Members that are no longer objects of the plan are left out. A new rotation turns the members
// about the middle of the box around their footprints, as the turn of a selection does.
void apply_group_fields(PlanTable& plan, const ComponentTable& components, const std::vector<int>& members,
                        int group, const GroupFields& fields);

// Which list the height choices of an object's component come from.
enum class HeightList { frames, modules, none };
HeightList height_list_of(const Component& component);

} // namespace halvern
