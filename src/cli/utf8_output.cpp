#include "cli/utf8_output.h"

namespace halvern {

namespace {

constexpr std::string_view replacement = "\xEF\xBF\xBD";

// The length of the valid sequence at the start of `s`: 0 when it is invalid, -1 when it may
// still become valid with bytes that have not come yet.
int sequence_length(std::string_view s)
{
    const auto b = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
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
        if (i >= s.size())
            return -1;
        const unsigned char lo = i == 1 ? low : 0x80, hi = i == 1 ? high : 0xBF;
        if (b(i) < lo || b(i) > hi)
            return 0;
    }
    return length;
}

// Appends the valid sequences of `text` to `out`, each invalid byte as the replacement character;
// stops before a sequence that may still be completed unless `at_end`. Returns the bytes used.
size_t append_valid(std::string& out, std::string_view text, bool at_end)
{
    size_t used = 0;
    while (used < text.size()) {
        const int length = sequence_length(text.substr(used));
        if (length < 0 && !at_end)
            break; // wait for the rest of the sequence
        if (length > 0) {
            out.append(text.substr(used, size_t(length)));
            used += size_t(length);
        } else {
            out.append(replacement);
            ++used;
        }
    }
    return used;
}

} // namespace

std::string valid_utf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    append_valid(out, text, true);
    return out;
}

void Utf8OnlyBuffer::pass(bool at_end)
{
    std::string out;
    pending_.erase(0, append_valid(out, pending_, at_end));
    target_.write(out.data(), std::streamsize(out.size()));
}

Utf8OnlyBuffer::int_type Utf8OnlyBuffer::overflow(int_type c)
{
    if (traits_type::eq_int_type(c, traits_type::eof()))
        return traits_type::not_eof(c);
    pending_ += traits_type::to_char_type(c);
    pass(false);
    return c;
}

std::streamsize Utf8OnlyBuffer::xsputn(const char* s, std::streamsize n)
{
    pending_.append(s, size_t(n));
    pass(false);
    return n;
}

int Utf8OnlyBuffer::sync()
{
    target_.flush();
    return target_ ? 0 : -1;
}

void Utf8OnlyBuffer::finish()
{
    pass(true);
    target_.flush();
}

} // namespace halvern
