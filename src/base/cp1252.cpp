#include "base/cp1252.h"

#include <cstdint>

#include "base/utf8.h"

namespace halvern {

namespace {

// 0x80..0x9F; the five holes of the code page keep their C1 code points, as Windows itself does,
// so that any byte read is written back unchanged.
constexpr char32_t high_block[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void append_utf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

int to_cp1252(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return int(cp);
    for (int i = 0; i < 32; ++i)
        if (high_block[i] == cp)
            return 0x80 + i;
    return -1;
}

} // namespace

std::string cp1252_to_utf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (char c : bytes) {
        auto b = uint8_t(c);
        if (b < 0x80)
            out += c;
        else if (b < 0xA0)
            append_utf8(out, high_block[b - 0x80]);
        else
            append_utf8(out, b);
    }
    return out;
}

std::string utf8_to_cp1252(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        if (uint8_t(text[i]) < 0x80) {
            out += text[i++];
            continue;
        }
        const std::optional<char32_t> cp = next_code_point(text, i);
        const int b = cp ? to_cp1252(*cp) : -1;
        out += b < 0 ? '?' : char(b);
    }
    return out;
}

} // namespace halvern
