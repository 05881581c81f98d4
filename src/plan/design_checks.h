#pragma once
// The design checks: every problem of a stand that would cost the designer on site, found by pure
// functions over the design (the plan table, the stand settings, the component table and what the
// face pictures hold). Each finding names an object, an end or face where that matters, a short
// text in the interface language and how bad it is.

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/ui_text.h"
#include "library/component_table.h"
#include "plan/plan_table.h"
#include "plan/stand_settings.h"

namespace halvern {

// The kinds, in the order the lists show them. Their numbers are part of the hidden-findings bits
// (plan/hidden_findings.h): new kinds go at the end.
enum class CheckKind : int {
    outside_floor = 0,      // wholly or partly off the stand's floor
    overlap = 1,            // footprints and height ranges overlap; a joint is no overlap
    duplicate = 2,          // the plan's duplicate rule
    joint_angle = 3,        // an angle the built-in frames cannot make
    picture_unreadable = 4, // a face's picture is set but missing or cannot be read
    picture_proportion = 5, // outside 0.9..1.1 of the face's normal proportion
    component_missing = 6,  // the object's component is not in the library
    no_3d = 7,              // left out of the 3D scene: its component has no 3D geometry
    floating = 8,           // raised above its component's own elevation with nothing holding it up
};
inline constexpr int check_kind_count = 9;

// The kind's name in design files and on the command line ("outside", "overlap" ...).
std::string_view check_kind_key(CheckKind kind);
std::optional<CheckKind> check_kind_from_key(std::string_view key);

enum class Severity { warning, error };
std::string_view severity_key(Severity severity); // "warning", "error"

struct Finding {
    CheckKind kind = CheckKind::outside_floor;
    int object = 0;
    int end = 0;   // the end (1, 2) of a joint angle; the face (1 recto, 2 verso) of a picture; else 0
    int other = 0; // the other object of an overlap or a duplicate
    Severity severity = Severity::warning;
    std::string text;    // in the interface language
    bool hidden = false; // the user hid it for this design

    friend bool operator==(const Finding&, const Finding&) = default;
};

// What the picture checks need of a face's picture: its size, or nothing when the file is missing
// or cannot be read. The editor's answer caches by file; tests answer from a table.
class PictureProbe {
public:
    virtual ~PictureProbe() = default;
    virtual std::optional<std::array<int, 2>> size_of(const std::string& stored_path) = 0; // width, height
};

// An object the design file holds that was left out while reading, its component missing from
// the library: a design that lost objects is not ready to build.
struct LeftOutObject {
    int component = 0;
    int line = 0; // of the design file
};

struct CheckInput {
    const PlanTable& plan;
    const ComponentTable& components;
    const StandSettings& stand;
    const UiText& texts;
    PictureProbe* pictures = nullptr; // none: the picture checks are not run
    std::vector<LeftOutObject> left_out = {};
    // The folders of the tiling textures ("lib/tex", "extlib/tex" of the installation): a texture
    // repeats over the face whatever its shape, so only printed pictures have a proportion to keep.
    std::vector<std::filesystem::path> texture_folders = {};
};

// True when `picture` lies in one of `folders` (or below), comparing the paths as written.
bool is_tiling_texture(const std::string& picture, const std::vector<std::filesystem::path>& folders);

// How far an object may stick out of the floor or into another before it counts, in cm: the
// joining tolerance, within which the editor itself treats two things as touching.
inline constexpr double check_tolerance = tolerance_jonction;

// Every check, findings ordered by kind, then object, then end; hidden ones flagged.
std::vector<Finding> run_design_checks(const CheckInput& in);

// The findings the user has not hidden.
std::vector<Finding> shown_findings(const std::vector<Finding>& findings);

// The single checks, each in object order.
std::vector<Finding> check_outside_floor(const CheckInput& in);
std::vector<Finding> check_overlaps(const CheckInput& in);
std::vector<Finding> check_duplicates(const CheckInput& in);
std::vector<Finding> check_joint_angles(const CheckInput& in);
std::vector<Finding> check_pictures(const CheckInput& in); // unreadable pictures and proportions
std::vector<Finding> check_components(const CheckInput& in); // missing components and those without 3D
// An object raised above the floor by more than its component's own elevation (a ceiling light
// hangs there by design) that rests on nothing (no top meets its underside anywhere under it) and
// hangs on no magnet: what a moved counter leaves behind.
std::vector<Finding> check_floating(const CheckInput& in);

// The 3D scene draws the built-in libraries (0 and 23) from the program's own pieces; any other
// component needs its own 3D file.
bool exported_without_3d(const Component& c);

// The heading of a kind in the lists, in the interface language.
std::string check_kind_title(CheckKind kind, const UiText& texts);

} // namespace halvern
