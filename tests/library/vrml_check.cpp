#include "library/vrml_check.h"

#include <cctype>

namespace halvern::testing {

namespace {

// Braces and brackets must nest, outside comments and quoted strings.
void check_nesting(std::string_view text, std::vector<std::string>& problems)
{
    std::string open;
    bool in_string = false, in_comment = false;
    int line = 1;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\n') {
            ++line;
            in_comment = false;
            if (in_string) {
                problems.push_back("line " + std::to_string(line - 1) + ": a string runs past its line");
                in_string = false;
            }
            continue;
        }
        if (in_comment)
            continue;
        if (in_string) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                in_string = false;
            continue;
        }
        if (c == '#')
            in_comment = true;
        else if (c == '"')
            in_string = true;
        else if (c == '{' || c == '[')
            open.push_back(c);
        else if (c == '}' || c == ']') {
            const char want = c == '}' ? '{' : '[';
            if (open.empty() || open.back() != want) {
                problems.push_back("line " + std::to_string(line) + ": '" + std::string(1, c) + "' closes nothing open");
                return;
            }
            open.pop_back();
        }
    }
    if (in_string)
        problems.push_back("the text ends inside a string");
    if (!open.empty())
        problems.push_back(std::to_string(open.size()) + " node(s) or list(s) never closed");
}

void check_marker(std::string_view text, const std::string& marker, std::vector<std::string>& problems)
{
    const size_t at = text.find(marker);
    if (at == std::string_view::npos) {
        problems.push_back("the colour marker '" + marker + "' is not in the file");
        return;
    }
    if (text.find(marker, at + 1) != std::string_view::npos)
        problems.push_back("the colour marker '" + marker + "' occurs more than once");
    // The export rewrites what lies between the next "Material {" and the next "}".
    const size_t material = text.find("Material {", at + marker.size());
    if (material == std::string_view::npos) {
        problems.push_back("no \"Material {\" follows the colour marker '" + marker + "'");
        return;
    }
    const size_t body = material + 10;
    const size_t close = text.find('}', body);
    if (close == std::string_view::npos || text.substr(body, close - body).find('{') != std::string_view::npos)
        problems.push_back("the material after '" + marker + "' does not end at its first '}'");
}

} // namespace

std::vector<std::string> dat_problems(std::string_view text, const DatExpectations& expect)
{
    std::vector<std::string> problems;
    const std::string_view header = "#VRML V2.0 utf8";
    if (text.substr(0, header.size()) != header
        || (text.size() > header.size() && text[header.size()] != '\r' && text[header.size()] != '\n'))
        problems.push_back("the first line is not \"#VRML V2.0 utf8\"");
    for (unsigned char c : text)
        if (c >= 0x80 || (c < 0x20 && c != '\r' && c != '\n' && c != '\t')) {
            problems.push_back("the text holds a byte that is not plain ASCII, which reads differently in UTF-8");
            break;
        }
    check_nesting(text, problems);
    for (const std::string& marker : expect.markers)
        if (!marker.empty())
            check_marker(text, marker, problems);
    if (expect.recto && text.find("void.jpg") == std::string_view::npos
        && text.find("void_strat.jpg") == std::string_view::npos)
        problems.push_back("a printed recto needs the placeholder \"void.jpg\" (or \"void_strat.jpg\")");
    if (expect.verso && text.find("void2.jpg") == std::string_view::npos)
        problems.push_back("a printed verso needs the placeholder \"void2.jpg\"");
    return problems;
}

std::vector<std::string> default_picture_names(std::string_view text)
{
    std::vector<std::string> names;
    for (size_t at = text.find("void_"); at != std::string_view::npos; at = text.find("void_", at + 1)) {
        size_t end = at + 5;
        while (end < text.size() && (std::isalnum(static_cast<unsigned char>(text[end])) || text[end] == '_'
                                     || text[end] == '.'))
            ++end;
        names.emplace_back(text.substr(at + 5, end - at - 5));
    }
    return names;
}

} // namespace halvern::testing
