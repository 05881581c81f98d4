#pragma once
// JSON strings for the commands that print JSON.

#include <string>
#include <string_view>

namespace halvern {

// `text` in double quotes with quotes, backslashes and control characters escaped; UTF-8 passes
// as it is.
std::string json_string(std::string_view text);

} // namespace halvern
