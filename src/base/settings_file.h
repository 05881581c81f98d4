#pragma once
// The text of our settings file, read and written line by line. It keeps the layout the file has
// always had ("[Group]" headings, "key=value" lines, quotes and backslash escapes where a value
// needs them), so that files written before still read and older builds still read ours. What it
// does not keep is a reader that lets one damaged line take others with it: a stray quote or a
// line that is no setting spoils that line only.

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace halvern {

// Settings by "Group/key" (a key of no group stands alone), each value as its parts: one text is
// one part; a list (the recent designs) has a part per entry, and an empty list none.
using SettingsText = std::map<std::string, std::vector<std::string>>;

struct SettingsFileRead {
    SettingsText values;
    std::vector<int> damaged_lines; // 1-based lines that were neither a heading, a setting nor blank
};

// A value's parts are separated by the commas outside quotes; a quote left open ends with its line.
SettingsFileRead parse_settings_file(std::string_view bytes);

// The file for `values`, groups in the order of their names, LF line ends, UTF-8.
std::string format_settings_file(const SettingsText& values);

} // namespace halvern
