#include "outputs/strip_layout.h"

#include <charconv>
#include <cmath>

#include "base/numbers.h"

namespace halvern {

namespace {

std::string_view trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace

std::optional<int> read_strip_count(std::string_view text)
{
    text = trimmed(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    int count = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), count);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || count < 1 || count > strips_max)
        return std::nullopt;
    return count;
}

std::optional<double> read_strip_width(std::string_view text)
{
    std::string number(trimmed(text));
    for (char& c : number)
        if (c == ',')
            c = '.';
    std::string_view digits = number;
    if (!digits.empty() && digits.front() == '+')
        digits.remove_prefix(1);
    // from_chars alone would also take "inf", "nan" and a leading minus.
    if (digits.empty() || !((digits.front() >= '0' && digits.front() <= '9') || digits.front() == '.'))
        return std::nullopt;
    double value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec != std::errc() || end != digits.data() + digits.size() || !std::isfinite(value) || value <= 0)
        return std::nullopt;
    return value;
}

Result<std::vector<StripWidth>> read_strip_widths(const std::vector<std::string>& texts)
{
    if (texts.empty() || texts.size() > size_t(strips_max))
        return make_error("the number of strips must lie between 1 and " + std::to_string(strips_max) + ", not "
                          + std::to_string(texts.size()));
    std::vector<StripWidth> widths;
    for (size_t i = 0; i < texts.size(); ++i) {
        const auto value = read_strip_width(texts[i]);
        if (!value)
            return make_error("the width of strip " + std::to_string(i + 1) + " must be a number above 0, not '"
                              + texts[i] + "'");
        widths.push_back({std::string(trimmed(texts[i])), *value});
    }
    return widths;
}

Result<std::vector<ColumnRange>> strip_columns(const std::vector<StripWidth>& widths, int picture_width)
{
    if (widths.empty())
        return make_error("there is no strip to cut");
    double total = 0;
    for (const StripWidth& w : widths)
        total += w.value;
    const double scale = double(picture_width) / total; // pixels per unit typed
    std::vector<ColumnRange> columns;
    int x = 0;
    for (size_t i = 0; i < widths.size(); ++i) {
        const bool last = i + 1 == widths.size();
        const int width = last ? picture_width - x : round_to_int(widths[i].value * scale);
        if (width < 1)
            return make_error("strip " + std::to_string(i + 1) + " would be empty: a picture "
                              + std::to_string(picture_width) + " pixels wide is too narrow for these "
                              + std::to_string(widths.size()) + " widths");
        columns.push_back({x, width});
        x += width;
    }
    return columns;
}

std::filesystem::path strip_file(const std::filesystem::path& picture, int selected, const std::string& width_text,
                                 int number)
{
    const std::string name = picture.stem().string() + "_" + std::to_string(selected) + "_" + width_text + "mm_"
                             + std::to_string(number) + "_.jpg";
    return picture.parent_path() / name;
}

} // namespace halvern
