#pragma once
// Text as a drawing exchange file holds it: in the drawing's code page (Windows ANSI 1252, as our
// own files are), a character that page lacks as the "\U+XXXX" form CAD programs read, and never
// a byte that would end a value's line early. Each value stays under the 255 bytes a line may hold.

#include <string>
#include <string_view>

namespace halvern {

inline constexpr const char* dxf_code_page_name = "ANSI_1252";
inline constexpr size_t dxf_max_value_bytes = 250;

// An object's text as multi-line text content: each line break (CR LF, LF or CR) becomes "\P";
// a backslash, "{" and "}" are escaped ("\\", "\{", "\}") so that no text can pass for a
// formatting code. Any length: the writer cuts it into the chunks the format asks for.
std::string dxf_mtext(std::string_view utf8);

// One line (an attribute, a single-line text, a name): a line break becomes a blank; cut to
// dxf_max_value_bytes without splitting a character.
std::string dxf_line(std::string_view utf8);

// A part of a block name: letters and digits kept, anything else (blanks, accents, the characters
// CAD names refuse) as "_", runs of "_" made one, at most `max_length` characters.
std::string dxf_name_part(std::string_view utf8, size_t max_length = 40);

} // namespace halvern
