#pragma once
// The pieces every part of the 3D scene is written with: numbers, strings, placeholder
// substitution and the Transform block that places one fragment.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace halvern {

inline constexpr std::string_view crlf = "\r\n";

// A number as the scene writes it, with the blank that separates it from what comes before:
// " 1.5", " -0.25". Noise below 15 significant digits never shows.
std::string vrml_number(double value);
// The same appended to `out`, without a string of its own: the scene writes hundreds of thousands.
void append_vrml_number(std::string& out, double value);

// A value that goes into a VRML string in place of a placeholder: a value beginning with "\" gets
// "\\" in front for the second viewer (`config_player` 1), then `"` and `\` are escaped so that the
// string reads back as exactly that value and can never end early.
std::string vrml_string_value(std::string_view value, int config_player);

// The reverse of the escaping of a VRML string's content.
std::string vrml_unescape(std::string_view content);

struct Placeholder {
    std::string_view name; // "void.jpg"
    std::string value;     // already made fit for a VRML string
    // The value names a picture: its path, or for a folder prefix ("void_" followed in the text by
    // the rest of a file name) the prefix as a path. Empty for any other value (a text).
    std::string picture;
};

// Where a picture's name was put into a text: the escaped name runs from `at` for `length` bytes,
// between the quotes of the string that follows a "url".
struct PictureUse {
    size_t at = 0, length = 0;
    std::string picture;  // the picture's path as the plan gives it
    bool in_list = false; // the string is the first of a list: url [ "..." ]
};

// Replaces the placeholders in one pass from left to right; at each place the first placeholder of
// the list that matches wins, and a replacement is never searched again, so a picture path or a
// text that happens to hold a placeholder's name stays as it is. Each placeholder that names a
// picture and opens the string of a url in `text` adds its place in the result to `pictures`; a
// folder prefix takes the rest of the string with it.
std::string substitute_placeholders(std::string_view text, const std::vector<Placeholder>& placeholders,
                                    std::vector<PictureUse>* pictures = nullptr);

// Where the first string of every url of a VRML text lies (its content, between the quotes),
// whatever wrote it: comments and the contents of other strings are not read as the text.
struct UrlString {
    size_t at = 0, length = 0;
    bool in_list = false;
};
std::vector<UrlString> url_strings(std::string_view text);

using Scale = std::array<double, 3>;

// Where one piece goes: a translation, an optional scale, an optional turn about the vertical axis
// (radians).
struct Placement {
    double x = 0, y = 0, z = 0;
    std::optional<Scale> scale;
    std::optional<double> rotation;
};

// "Transform {" translation, scale, rotation, "children [" the fragment "]},", each line ended by CR
// LF. Gives where the fragment starts in `scene`.
size_t append_block(std::string& scene, const Placement& at, std::string_view fragment);

// A block whose only child is a second one (a piece with an offset of its own); closes with "]}]},".
size_t append_nested_block(std::string& scene, const Placement& outer, const Placement& inner,
                           std::string_view fragment);

// The turn of an object about the vertical axis in the scene, from its rotation on the plan.
double scene_rotation(double obj_rot_degrees);

} // namespace halvern
