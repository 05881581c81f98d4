#pragma once
// Data files are Windows ANSI (code page 1252); text in memory is UTF-8.

#include <string>
#include <string_view>

namespace halvern {

std::string cp1252_to_utf8(std::string_view bytes);

// A character that code page 1252 cannot hold (or a broken UTF-8 sequence) becomes "?".
std::string utf8_to_cp1252(std::string_view text);

} // namespace halvern
