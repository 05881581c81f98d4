#include "outputs/vrml_text.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <numbers>

#include "base/numbers.h"
#include "base/strings.h"

namespace halvern {

// The common case takes the fast conversion, which gives the same digits as format_number (fifteen
// significant, trailing zeros dropped).
void append_vrml_number(std::string& out, double value)
{
    out += ' ';
    if (!std::isfinite(value) || value == 0) {
        out += '0';
        return;
    }
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15).ptr;
    const std::string_view text(buffer, size_t(end - buffer));
    if (text.find('e') != std::string_view::npos)
        out += format_number(value);
    else
        out += text;
}

std::string vrml_number(double value)
{
    std::string out;
    append_vrml_number(out, value);
    return out;
}

std::string vrml_string_value(std::string_view value, int config_player)
{
    // The string is escaped, so a reader gets the value back exactly: the old viewers' habit of
    // tripling doubled backslashes in unescaped strings would add one to every such path.
    std::string v(value);
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

namespace {

// The end of the VRML string that runs on at `from`: its closing quote, or the text's end.
size_t string_end(std::string_view text, size_t from)
{
    while (from < text.size() && text[from] != '"')
        from += text[from] == '\\' ? 2 : 1;
    return std::min(from, text.size());
}

bool blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ','; }

// Whether the string whose opening quote is at `quote` is a url's value, alone or first of a list.
bool opens_url(std::string_view text, size_t quote, bool& in_list)
{
    size_t i = quote;
    while (i > 0 && blank(text[i - 1]))
        --i;
    in_list = i > 0 && text[i - 1] == '[';
    if (in_list) {
        --i;
        while (i > 0 && blank(text[i - 1]))
            --i;
    }
    return i >= 3 && text.substr(i - 3, 3) == "url" && (i == 3 || !std::isalnum(static_cast<unsigned char>(text[i - 4])));
}

} // namespace

std::vector<UrlString> url_strings(std::string_view text)
{
    std::vector<UrlString> found;
    enum { none, after_url, in_url_list } state = none;
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '#') { // a comment runs to the end of its line
            while (i < text.size() && text[i] != '\n' && text[i] != '\r')
                ++i;
            continue;
        }
        if (c == '"') {
            const size_t end = string_end(text, i + 1);
            if (state != none && end < text.size())
                found.push_back({i + 1, end - (i + 1), state == in_url_list});
            state = none;
            i = end + 1;
            continue;
        }
        if (std::isalnum(static_cast<unsigned char>(c)) || c == '_') {
            const size_t start = i;
            while (i < text.size() && (std::isalnum(static_cast<unsigned char>(text[i])) || text[i] == '_'))
                ++i;
            state = text.substr(start, i - start) == "url" ? after_url : none;
            continue;
        }
        if (c == '[')
            state = state == after_url ? in_url_list : none;
        else if (!blank(c))
            state = none;
        ++i;
    }
    return found;
}

std::string substitute_placeholders(std::string_view text, const std::vector<Placeholder>& placeholders,
                                    std::vector<PictureUse>* pictures)
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
        if (!match) {
            out += "void";
            i = at + 4;
            continue;
        }
        const size_t start = out.size();
        out += match->value;
        i = at + match->name.size();
        bool in_list = false;
        if (pictures && !match->picture.empty() && at > 0 && text[at - 1] == '"' && opens_url(text, at - 1, in_list)) {
            // The rest of the string belongs to the file name and is not searched for placeholders.
            const size_t end = string_end(text, i);
            const std::string_view rest = text.substr(i, end - i);
            out += rest;
            i = end;
            if (end < text.size()) // a string that never closes names nothing
                pictures->push_back({start, out.size() - start, match->picture + vrml_unescape(rest), in_list});
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
    scene += "translation";
    append_vrml_number(scene, at.x);
    append_vrml_number(scene, at.y);
    append_vrml_number(scene, at.z);
    scene += crlf;
    if (at.scale) {
        scene += " scale";
        for (double v : *at.scale)
            append_vrml_number(scene, v);
    }
    if (at.rotation) {
        scene += " rotation 0 1 0";
        append_vrml_number(scene, *at.rotation);
    }
    scene += crlf;
    scene += "children [";
    scene += crlf;
}

} // namespace

size_t append_block(std::string& scene, const Placement& at, std::string_view fragment)
{
    append_head(scene, at);
    const size_t start = scene.size();
    scene += fragment;
    scene += crlf;
    scene += "]},";
    scene += crlf;
    return start;
}

size_t append_nested_block(std::string& scene, const Placement& outer, const Placement& inner,
                           std::string_view fragment)
{
    append_head(scene, outer);
    append_head(scene, inner);
    const size_t start = scene.size();
    scene += fragment;
    scene += crlf;
    scene += "]}]},";
    scene += crlf;
    return start;
}

double scene_rotation(double obj_rot_degrees) { return (360.0 - obj_rot_degrees) / 180.0 * std::numbers::pi; }

} // namespace halvern
