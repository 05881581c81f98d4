#include "cli/utf8_output.h"

#include "base/utf8.h"

namespace halvern {

namespace {

constexpr std::string_view replacement = "\xEF\xBF\xBD";

// Appends the valid sequences of `text` to `out`, each invalid byte as the replacement character;
// stops before a sequence that may still be completed unless `at_end`. Returns the bytes used.
size_t append_valid(std::string& out, std::string_view text, bool at_end)
{
    size_t used = 0;
    while (used < text.size()) {
        const int length = utf8_sequence_length(text.substr(used));
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

std::string text_cell(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t k = 0; k < text.size(); ++k) {
        const unsigned char c = static_cast<unsigned char>(text[k]);
        if (c == '\t' || c == '\n' || c == '\r')
            out += ' ';
        else if (c < 0x20 || c == 0x7F)
            out.append(replacement);
        else if (c == 0xC2 && k + 1 < text.size() && static_cast<unsigned char>(text[k + 1]) < 0xA0
                 && static_cast<unsigned char>(text[k + 1]) >= 0x80) {
            out.append(replacement); // U+0080..U+009F, the C1 controls
            ++k;
        } else
            out += char(c);
    }
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
