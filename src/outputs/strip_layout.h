#pragma once
// How a picture is shared out among print strips: the widths the user types (one per panel, in any
// unit), scaled to the picture's width, side by side from the left edge; and the names the strips
// are saved under, beside the picture.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"

namespace halvern {

inline constexpr int strips_max = 16;

// A typed width: the text as the user wrote it (the strip's name repeats it) and its value.
struct StripWidth {
    std::string text;
    double value = 0;
};

// A run of whole columns of the picture.
struct ColumnRange {
    int x = 0;
    int width = 0;
};

// The count of strips a text gives: a whole number 1..16, or nothing.
std::optional<int> read_strip_count(std::string_view text);

// The width a text gives: the whole text (blanks around it aside, a "," read as ".") one number
// above 0, or nothing. A text such as "836mm" or "1/2" is refused rather than read in part, since
// the text becomes part of a file name.
std::optional<double> read_strip_width(std::string_view text);

// Every text read as a width; a count outside 1..16 or a text that is not a positive number is
// refused with a message that names the limit or the strip.
Result<std::vector<StripWidth>> read_strip_widths(const std::vector<std::string>& texts);

// The strips' columns on a picture `picture_width` pixels wide: each width times the picture's
// width over the sum of the widths, rounded half away from zero, strips side by side from column
// 0; the last strip ends at the picture's right edge, so that rounding neither cuts past it nor
// leaves a column out. A strip that would be empty is refused, naming it.
Result<std::vector<ColumnRange>> strip_columns(const std::vector<StripWidth>& widths, int picture_width);

// "B_K_Vmm_I_.jpg" in the picture's folder: B the picture's name without its extension, K the
// number of objects selected on the plan, V the width as typed and I the strip's number from 1.
std::filesystem::path strip_file(const std::filesystem::path& picture, int selected, const std::string& width_text,
                                 int number);

} // namespace halvern
