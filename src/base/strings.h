#pragma once
// Small text helpers shared by every reader: trimming as the data files need it, case-insensitive
// comparison of ASCII keys.

#include <string>
#include <string_view>

namespace halvern {

// Removes blanks and tabs at both ends (data files are hand-edited; both occur).
std::string_view trim(std::string_view text);
std::string trimmed(std::string_view text);

std::string to_lower_ascii(std::string_view text);
bool equals_ignore_case(std::string_view a, std::string_view b);

// Replaces every occurrence of `from` (not empty) by `to`.
std::string replace_all(std::string_view text, std::string_view from, std::string_view to);

} // namespace halvern
