#include "outputs/strip_layout.h"

#include "base/numbers.h"
#include "base/strings.h"

namespace halvern {

std::optional<int> read_strip_count(std::string_view text) { return parse_strict_int(trim(text), 1, strips_max); }

std::optional<double> read_strip_width(std::string_view text)
{
    const std::optional<double> value = parse_strict_real(replace_all(trim(text), ",", "."));
    if (!value || *value <= 0)
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
        widths.push_back({trimmed(texts[i]), *value});
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
