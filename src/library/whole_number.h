#pragma once
// Numbers that pick a table entry (a component number, a library number, a position) must really
// be there: a damaged line must not turn into entry 0 through the numeric parse's "no number gives
// 0", nor reach past a table.

#include <optional>
#include <string_view>

namespace halvern {

// True when the text, after blanks and tabs, starts with a number of the numeric parse.
bool starts_with_number(std::string_view text);

// The leading number of `text` when there is one, it is whole, and it lies within [low, high].
std::optional<int> whole_number_in(std::string_view text, int low, int high);

} // namespace halvern
