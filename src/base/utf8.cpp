#include "base/utf8.h"

namespace halvern {

int utf8_sequence_length(std::string_view text)
{
    const auto b = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = b(0);
    if (lead < 0x80)
        return 1;
    int length = 0;
    unsigned char low = 0x80, high = 0xBF; // the allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0; // no overlong forms
        if (lead == 0xED)
            high = 0x9F; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        if (lead == 0xF4)
            high = 0x8F; // nothing beyond U+10FFFF
    } else
        return 0;
    for (size_t i = 1; i < size_t(length); ++i) {
        if (i >= text.size())
            return -1;
        const unsigned char lo = i == 1 ? low : 0x80, hi = i == 1 ? high : 0xBF;
        if (b(i) < lo || b(i) > hi)
            return 0;
    }
    return length;
}

std::optional<char32_t> next_code_point(std::string_view text, size_t& i)
{
    const int length = utf8_sequence_length(text.substr(i));
    if (length <= 0) {
        ++i;
        return std::nullopt;
    }
    const auto lead = static_cast<unsigned char>(text[i]);
    char32_t cp = length == 1 ? lead : length == 2 ? (lead & 0x1F) : length == 3 ? (lead & 0x0F) : (lead & 0x07);
    for (int k = 1; k < length; ++k)
        cp = (cp << 6) | (static_cast<unsigned char>(text[i + size_t(k)]) & 0x3F);
    i += size_t(length);
    return cp;
}

} // namespace halvern
