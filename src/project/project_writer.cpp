#include "project/project_writer.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <type_traits>

#include "base/cp1252.h"
#include "base/numbers.h"
#include "base/strings.h"
#include "base/text_file.h"
#include "plan/object_fields.h"
#include "project/colour_slot_line.h"
#include "project/project_format.h"

namespace halvern {

static_assert(stored_object_field_count == std::size_t(project_object_fields),
              "every stored field of an object is one value of its record in the project file");

std::string_view format_name(ProjectFormat format) { return format == ProjectFormat::v11 ? "v1.1" : "old"; }

namespace {

bool plain_ascii(std::string_view text)
{
    for (char c : text)
        if (uint8_t(c) >= 0x80 || c == '\r' || c == '\n' || c == '"')
            return false;
    return true;
}

class ProjectText {
public:
    explicit ProjectText(size_t expected) { out_.reserve(expected); }

    // Most values of a design are whole (heights, sizes, turns, component numbers): below 2^24 a
    // whole single is exact and its shortest text is its integer digits, which are much quicker
    // to write than the general shortest form. "-0" also comes out as "0".
    void number(float value)
    {
        if (std::fabs(value) < 16777216.0f && value == std::trunc(value))
            whole((long long)value);
        else
            line(format_number(value));
    }

    void whole(long long value)
    {
        char digits[24];
        auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
        (void)ec; // 24 characters hold any long long
        line(std::string_view(digits, size_t(end - digits)));
    }

    // A text must stay on its line. A text that itself starts and ends with a double quote (blanks
    // aside) is wrapped in one more pair, since readers take off one surrounding pair.
    void text(std::string_view utf8)
    {
        if (plain_ascii(utf8)) { // most texts: nothing to convert or mend
            line(utf8);
            return;
        }
        std::string value = utf8_to_cp1252(utf8);
        for (size_t i = 0; i < value.size(); ++i) {
            if (value[i] == '\r' && i + 1 < value.size() && value[i + 1] == '\n')
                value.erase(i + 1, 1);
            if (value[i] == '\r' || value[i] == '\n')
                value[i] = ' ';
        }
        std::string_view bare = trim(value);
        if (bare.size() >= 2 && bare.front() == '"' && bare.back() == '"')
            value = '"' + value + '"';
        line(value);
    }

    void raw_line(std::string_view bytes) { line(bytes); }

    void empty_lines(int count)
    {
        static const std::string crlf = [] {
            std::string lines;
            for (int i = 0; i < project_object_lines; ++i)
                lines += "\r\n";
            return lines;
        }();
        out_.append(crlf, 0, size_t(std::clamp(count, 0, project_object_lines)) * 2);
    }

    std::string take() { return std::move(out_); }

private:
    void line(std::string_view bytes)
    {
        out_ += bytes;
        out_ += "\r\n";
    }

    std::string out_;
};

} // namespace

std::string format_project(const PlanTable& plan, const StandSettings& stand)
{
    const int count = std::max(0, std::min(plan.nb_objets, max_objects));
    ProjectText file(size_t(2 * project_header_values + 40) + size_t(count) * 320);

    file.text(project_tag);
    file.number(stand.stand_largeur);
    file.number(stand.stand_profondeur);
    file.text(stand.floor_texture);
    file.text(stand.client);
    file.text(stand.title);
    file.whole(stand.stand_murs);
    for (int i = project_stand_values; i < project_header_values; ++i)
        file.whole(0);

    for (int n = 1; n <= count; ++n) {
        const size_t i = size_t(n);
        // Each value as its type is written: real numbers, whole numbers, texts.
        for_each_stored_field(plan, [&file, i](std::size_t, std::string_view, const auto& array) {
            using T = field_value_t<std::decay_t<decltype(array)>>;
            if constexpr (std::is_same_v<T, float>)
                file.number(array[i]);
            else if constexpr (std::is_integral_v<T>)
                file.whole(array[i]);
            else
                file.text(array[i]);
        });
        for (int slot = 0; slot < stored_colour_slots; ++slot) {
            const ColourSlot& colour = plan.colours[i][size_t(slot)];
            if (colour.given)
                file.raw_line(format_colour_slot(colour));
            else
                file.empty_lines(1);
        }
        file.empty_lines(project_object_lines - project_object_fields - stored_colour_slots);
    }
    return file.take();
}

Result<void> write_project_file(const std::filesystem::path& file, const PlanTable& plan,
                                const StandSettings& stand)
{
    return write_file_safely(file, format_project(plan, stand));
}

} // namespace halvern
