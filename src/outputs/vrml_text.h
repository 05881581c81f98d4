#pragma once
// The pieces every part of the 3D scene is written with: numbers, strings, placeholder
// substitution and the Transform block that places one fragment.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace halvern {

inline constexpr std::string_view crlf = "\r\n";

// A number as the scene writes it, with the blank that separates it from what comes before:
// " 1.5", " -0.25". Noise below 15 significant digits never shows.
std::string vrml_number(double value);

// Every occurrence of `pattern` replaced; an empty pattern changes nothing.
std::string replace_text(std::string text, std::string_view pattern, std::string_view replacement);

// A value that goes into a VRML string in place of a placeholder: "\\" becomes "\\\", a value
// beginning with "\" gets "\\" in front for the second viewer (`config_player` 1), then `"` and `\`
// are escaped so that the string reads back as that value and can never end early.
std::string vrml_string_value(std::string_view value, int config_player);

// The reverse of the escaping of a VRML string's content.
std::string vrml_unescape(std::string_view content);

struct Placeholder {
    std::string_view name; // "void.jpg"
    std::string value;     // already made fit for a VRML string
};

// Replaces the placeholders in one pass from left to right; at each place the first placeholder of
// the list that matches wins, and a replacement is never searched again, so a picture path or a
// text that happens to hold a placeholder's name stays as it is.
std::string substitute_placeholders(std::string_view text, const std::vector<Placeholder>& placeholders);

// Where one piece goes: a translation, an optional scale, an optional turn about the vertical axis
// (radians).
struct Placement {
    double x = 0, y = 0, z = 0;
    std::optional<std::vector<double>> scale; // three values
    std::optional<double> rotation;
};

// "Transform {" translation, scale, rotation, "children [" the fragment "]},", each line ended by CR LF.
void append_block(std::string& scene, const Placement& at, std::string_view fragment);

// A block whose only child is a second one (a piece with an offset of its own); closes with "]}]},".
void append_nested_block(std::string& scene, const Placement& outer, const Placement& inner,
                         std::string_view fragment);

// The turn of an object about the vertical axis in the scene, from its rotation on the plan.
double scene_rotation(double obj_rot_degrees);

} // namespace halvern
