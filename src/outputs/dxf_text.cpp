#include "outputs/dxf_text.h"

#include <cstdio>

#include "base/cp1252.h"
#include "base/utf8.h"

namespace halvern {

namespace {

// One character in the code page, or as "\U+XXXX" when the page lacks it. Control characters
// other than line breaks would break a value's line or mean something to a reader: a blank.
std::string encoded(char32_t c)
{
    if (c < 0x20 || c == 0x7F)
        return " ";
    if (c == '^')
        return "^ "; // a caret followed by a blank is a caret; followed by a letter, a control code
    if (c < 0x80)
        return std::string(1, char(c));
    std::string utf8;
    if (c < 0x800) {
        utf8 = {char(0xC0 | (c >> 6)), char(0x80 | (c & 0x3F))};
    } else if (c < 0x10000) {
        utf8 = {char(0xE0 | (c >> 12)), char(0x80 | ((c >> 6) & 0x3F)), char(0x80 | (c & 0x3F))};
    } else {
        utf8 = {char(0xF0 | (c >> 18)), char(0x80 | ((c >> 12) & 0x3F)), char(0x80 | ((c >> 6) & 0x3F)),
                char(0x80 | (c & 0x3F))};
    }
    std::string page = utf8_to_cp1252(utf8);
    if (page != "?")
        return page;
    char form[16];
    std::snprintf(form, sizeof form, "\\U+%04X", unsigned(c));
    return form;
}

// Walks the text by character, a line break (CR LF counts once) given as '\n'; a byte that begins
// no valid sequence reads as U+FFFD, which the code page lacks.
template <typename Each>
void each_character(std::string_view text, Each each)
{
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '\r') {
            ++i;
            if (i < text.size() && text[i] == '\n')
                ++i;
            each(char32_t('\n'));
            continue;
        }
        auto c = next_code_point(text, i);
        each(c ? *c : char32_t(0xFFFD));
    }
}

} // namespace

std::string dxf_mtext(std::string_view utf8)
{
    std::string out;
    each_character(utf8, [&](char32_t c) {
        if (c == '\n')
            out += "\\P";
        else if (c == '\\' || c == '{' || c == '}')
            out += {'\\', char(c)};
        else
            out += encoded(c);
    });
    return out;
}

std::string dxf_line(std::string_view utf8)
{
    std::string out;
    bool full = false;
    each_character(utf8, [&](char32_t c) {
        if (full)
            return;
        const std::string piece = c == '\n' ? std::string(" ") : encoded(c);
        if (out.size() + piece.size() > dxf_max_value_bytes)
            full = true;
        else
            out += piece;
    });
    return out;
}

std::string dxf_name_part(std::string_view utf8, size_t max_length)
{
    std::string out;
    each_character(utf8, [&](char32_t c) {
        const bool kept = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (kept)
            out += char(c);
        else if (!out.empty() && out.back() != '_')
            out += '_';
    });
    while (!out.empty() && out.back() == '_')
        out.pop_back();
    if (out.size() > max_length)
        out.resize(max_length);
    return out;
}

} // namespace halvern
