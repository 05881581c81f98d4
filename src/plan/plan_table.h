#pragma once
// The plan object table: every placed component as parallel arrays indexed by object number 1..nb_objets
// (entry 0 unused); an index is the only identity, and a deletion renumbers every reference behind it.
// Words kept from the design: `comp` component, `hauteur` height, `largeur` width, `profondeur` depth,
// `visuel` picture, `recto`/`verso` front/back, `groupe` group, `estompe` faded, `ilot` chain of joined objects.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/colour_model.h"
#include "plan/object_fields.h"

namespace halvern {

// A built-in wall stored with height 0 stands as tall as the usual stack of modules: every reader
// of a built-in object's height (drawing, scene, module count, quote, print faces) sees that height.
inline constexpr double built_in_full_height = 228;
inline double built_in_height(double stored) { return stored == 0 ? built_in_full_height : stored; }

inline constexpr int max_objects = 2550;
inline constexpr int max_selection = 100;
inline constexpr int object_colour_slots = 11; // slots 0..10; the property dialog offers 0..5
inline constexpr int stored_colour_slots = 6;  // slots 0..5 travel in design files
inline constexpr double tolerance_jonction = 2.0; // cm within which two ends count as joined

// The material of one colour slot of one object. A slot is "given" once the colour palette or a
// design file has set it; a slot never given keeps these defaults and leaves the component's own
// material alone.
struct ColourSlot {
    Rgb couleur;
    Rgb speculaire;
    float transparence = 1.0f;
    float brillance = 1.0f;
    bool given = false;
    friend bool operator==(const ColourSlot&, const ColourSlot&) = default;
};

// The colour slots of one object.
using ObjectColours = std::array<ColourSlot, object_colour_slots>;

struct PlanTable {
    static constexpr size_t capacity = size_t(max_objects) + 1; // numbers 0..2550

    int nb_objets = 0;

    // One array per field of the list, entry i for object i.
#define HALVERN_DECLARE_ARRAY(name, type, alt_drag_copy, clipboard_copy, ...)                              \
    std::vector<type> name = std::vector<type>(capacity __VA_OPT__(, ) __VA_ARGS__);
    HALVERN_OBJECT_FIELDS(HALVERN_DECLARE_ARRAY, HALVERN_DECLARE_ARRAY, HALVERN_DECLARE_ARRAY)
#undef HALVERN_DECLARE_ARRAY

    // Plan-wide state.
    int index_focus = 0;        // focused object, 0 = none
    bool focus = false;         // an object has the pointer focus
    bool focus_groupe = false;  // the focus is on a whole group
    std::array<int, max_selection + 1> selection{}; // entries 1..nb_selection
    int nb_selection = 0;
    float hauteur_defaut = 228;
    int faces_defaut = 1;

    // Calls f on every per-object array (stored fields, transient fields and colour slots), so
    // that shifting or clearing an entry can never forget a field.
    template <class F>
    void for_each_object_array(F&& f)
    {
#define HALVERN_VISIT_ARRAY(name, ...) f(name);
        HALVERN_OBJECT_FIELDS(HALVERN_VISIT_ARRAY, HALVERN_VISIT_ARRAY, HALVERN_VISIT_ARRAY)
#undef HALVERN_VISIT_ARRAY
    }

    // The component number of object i, as the table stores it (a float read by rounding).
    int comp(int i) const;
    bool is_group(int i) const { return comp(i) == 99; }
    bool is_marked(int i) const { return comp(i) == -1; }
    bool valid(int i) const { return i >= 1 && i <= nb_objets; }
    bool full() const { return nb_objets >= max_objects; }
};

} // namespace halvern
