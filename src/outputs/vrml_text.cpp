#include "outputs/vrml_text.h"

#include <charconv>
#include <cmath>
#include <numbers>

#include "base/numbers.h"

namespace halvern {

// The scene writes hundreds of thousands of numbers: the common case takes the fast conversion,
// which gives the same digits as format_number (fifteen significant, trailing zeros dropped).
std::string vrml_number(double value)
{
    if (!std::isfinite(value) || value == 0)
        return " 0";
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15).ptr;
    const std::string_view text(buffer, size_t(end - buffer));
    if (text.find('e') != std::string_view::npos)
        return " " + format_number(value);
    return " " + std::string(text);
}

std::string replace_text(std::string text, std::string_view pattern, std::string_view replacement)
{
    if (pattern.empty())
        return text;
    std::string out;
    out.reserve(text.size());
    size_t from = 0;
    for (size_t at = text.find(pattern); at != std::string::npos; at = text.find(pattern, from)) {
        out.append(text, from, at - from);
        out.append(replacement);
        from = at + pattern.size();
    }
    out.append(text, from, std::string::npos);
    return out;
}

std::string vrml_string_value(std::string_view value, int config_player)
{
    std::string v = replace_text(std::string(value), "\\\\", "\\\\\\");
    if (config_player == 1 && !v.empty() && v.front() == '\\')
        v = "\\\\" + v;
    std::string escaped;
    escaped.reserve(v.size() + 8);
    for (char c : v) {
        if (c == '"' || c == '\\')
            escaped += '\\';
        escaped += c;
    }
    return escaped;
}

std::string vrml_unescape(std::string_view content)
{
    std::string out;
    out.reserve(content.size());
    for (size_t i = 0; i < content.size(); ++i) {
        if (content[i] == '\\' && i + 1 < content.size())
            ++i;
        out += content[i];
    }
    return out;
}

std::string substitute_placeholders(std::string_view text, const std::vector<Placeholder>& placeholders)
{
    std::string out;
    out.reserve(text.size() + 256);
    size_t i = 0;
    while (i < text.size()) {
        const size_t at = text.find("void", i);
        if (at == std::string_view::npos)
            break;
        out.append(text.substr(i, at - i));
        const Placeholder* match = nullptr;
        for (const Placeholder& p : placeholders)
            if (text.substr(at, p.name.size()) == p.name) {
                match = &p;
                break;
            }
        if (match) {
            out += match->value;
            i = at + match->name.size();
        } else {
            out += "void";
            i = at + 4;
        }
    }
    if (i < text.size())
        out.append(text.substr(i));
    return out;
}

namespace {

void append_head(std::string& scene, const Placement& at)
{
    scene += "Transform {";
    scene += crlf;
    scene += "translation" + vrml_number(at.x) + vrml_number(at.y) + vrml_number(at.z);
    scene += crlf;
    if (at.scale)
        scene += " scale" + vrml_number((*at.scale)[0]) + vrml_number((*at.scale)[1]) + vrml_number((*at.scale)[2]);
    if (at.rotation)
        scene += " rotation 0 1 0" + vrml_number(*at.rotation);
    scene += crlf;
    scene += "children [";
    scene += crlf;
}

} // namespace

void append_block(std::string& scene, const Placement& at, std::string_view fragment)
{
    append_head(scene, at);
    scene += fragment;
    scene += crlf;
    scene += "]},";
    scene += crlf;
}

void append_nested_block(std::string& scene, const Placement& outer, const Placement& inner,
                         std::string_view fragment)
{
    append_head(scene, outer);
    append_head(scene, inner);
    scene += fragment;
    scene += crlf;
    scene += "]}]},";
    scene += crlf;
}

double scene_rotation(double obj_rot_degrees) { return (360.0 - obj_rot_degrees) / 180.0 * std::numbers::pi; }

} // namespace halvern
