#pragma once
// Reading UTF-8 strictly: overlong forms, surrogates and anything beyond U+10FFFF are no
// characters, so that every reader of text in memory agrees on what a valid sequence is.

#include <optional>
#include <string_view>

namespace halvern {

// The length of the valid sequence at the start of `text` (not empty): 0 when it is invalid, -1
// when it may still become valid with bytes that have not come yet.
int utf8_sequence_length(std::string_view text);

// The character at text[i], i moved past it; nullopt for a byte that begins no valid sequence
// (i moved past that byte alone, so that what follows is read again).
std::optional<char32_t> next_code_point(std::string_view text, size_t& i);

} // namespace halvern
