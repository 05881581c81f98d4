#pragma once
// The quick way through the numbers of a project file: nearly all of them are plain decimals as
// the writer writes them ("-12.5", "228"), which an exact integer and one division read correctly
// rounded, the same double as the full numeric parse gives.

#include <optional>
#include <string_view>

namespace halvern {

// An optional "-", at least one digit, optionally "." and at least one digit, nothing else, at
// most 15 digits in all. Anything else gives nothing: the caller takes parse_number.
std::optional<double> parse_plain_decimal(std::string_view text);

} // namespace halvern
