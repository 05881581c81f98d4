#include "library/colour_library.h"

#include <algorithm>
#include <cctype>

#include "base/cp1252.h"
#include "base/folder_listing.h"
#include "base/numbers.h"
#include "base/strings.h"
#include "base/text_file.h"

namespace halvern {

namespace fs = std::filesystem;

namespace {

constexpr int items_per_record = 9;

const char* const item_names[items_per_record] = {
    "name", "red", "green", "blue", "transparency", "shininess",
    "specular red", "specular green", "specular blue"};

struct Item {
    std::string text;
    int line = 0;
};

// Splits the text into items the way the files are written: commas or line ends between items, a
// name in double quotes may hold commas. Blank lines hold no item. A quote left open ends with its
// line, so that one stray quote cannot swallow the rest of the library.
std::vector<Item> split_items(std::string_view text, const fs::path& file, std::vector<Error>& notes)
{
    std::vector<Item> items;
    const std::vector<std::string> lines = split_lines(text);
    for (size_t index = 0; index < lines.size(); ++index) {
        const std::string& line = lines[index];
        const int line_number = int(index) + 1;
        if (trim(line).empty())
            continue;
        size_t pos = 0;
        while (true) {
            while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t'))
                ++pos;
            Item item;
            item.line = line_number;
            if (pos < line.size() && line[pos] == '"') {
                const size_t close = line.find('"', pos + 1);
                if (close == std::string::npos) {
                    notes.push_back(make_error("a quoted name is not closed", file, line_number));
                    item.text = line.substr(pos + 1);
                    pos = line.size();
                } else {
                    item.text = line.substr(pos + 1, close - pos - 1);
                    pos = close + 1;
                    const size_t comma = line.find(',', pos);
                    const size_t stop = comma == std::string::npos ? line.size() : comma;
                    if (!trim(std::string_view(line).substr(pos, stop - pos)).empty())
                        notes.push_back(make_error("text after a closing quote is ignored", file, line_number));
                    pos = stop;
                }
            } else {
                const size_t comma = line.find(',', pos);
                const size_t stop = comma == std::string::npos ? line.size() : comma;
                item.text = trimmed(std::string_view(line).substr(pos, stop - pos));
                pos = stop;
            }
            items.push_back(std::move(item));
            if (pos >= line.size())
                break;
            ++pos; // the comma
            if (pos >= line.size())
                break; // a comma that ends the line separates this item from the next line's
        }
    }
    return items;
}

// A whole item must be a number: "12abc" is a damaged item, not 12.
bool is_complete_number(std::string_view text)
{
    text = trim(text);
    size_t pos = 0;
    if (text.size() > 2 && text[0] == '&' && (text[1] == 'h' || text[1] == 'H')) {
        pos = 2;
        while (pos < text.size() && std::isxdigit(static_cast<unsigned char>(text[pos])))
            ++pos;
        return pos == text.size();
    }
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        ++pos;
    size_t digits = 0;
    while (pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos])))
        ++pos, ++digits;
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        while (pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos])))
            ++pos, ++digits;
    }
    if (digits == 0)
        return false;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        ++pos;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
            ++pos;
        size_t exponent_digits = 0;
        while (pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos])))
            ++pos, ++exponent_digits;
        if (exponent_digits == 0)
            return false;
    }
    return pos == text.size();
}

} // namespace

ColourLibrary parse_colour_library(std::string_view bytes, const fs::path& file)
{
    ColourLibrary library;
    const std::vector<Item> items = split_items(cp1252_to_utf8(bytes), file, library.notes);

    // The first record is always kept: no channel of a real colour equals -1.
    std::array<int, 3> previous = {-1, -1, -1};
    const size_t whole = items.size() - items.size() % items_per_record;
    for (size_t first = 0; first < whole; first += items_per_record) {
        double values[items_per_record] = {};
        bool damaged = false;
        for (int k = 1; k < items_per_record && !damaged; ++k) {
            const Item& item = items[first + size_t(k)];
            const std::string where = std::string(item_names[k]) + " of \"" + items[first].text + "\"";
            if (!is_complete_number(item.text)) {
                library.notes.push_back(make_error(
                    "the " + where + " is not a number (\"" + item.text + "\"); the colour is left out", file,
                    item.line));
                damaged = true;
                break;
            }
            const double value = parse_number(item.text);
            const bool fraction = k == 4 || k == 5;
            const double high = fraction ? 1.0 : 255.0;
            if (!(value >= 0.0 && value <= high)) {
                library.notes.push_back(make_error("the " + where + " is " + item.text + ", outside 0.." +
                                                       (fraction ? "1" : "255") + "; the colour is left out",
                                                   file, item.line));
                damaged = true;
                break;
            }
            values[k] = value;
        }
        if (damaged)
            continue;

        const std::array<int, 3> colour = {round_to_int(values[1]), round_to_int(values[2]), round_to_int(values[3])};
        if (colour == previous)
            continue; // the format's rule: a repeated colour gives way to the next record
        previous = colour;
        library.names.push_back(items[first].text);
        library.colours.push_back({std::uint8_t(colour[0]), std::uint8_t(colour[1]), std::uint8_t(colour[2])});
        library.transparencies.push_back(float(values[4]));
        library.shininesses.push_back(float(values[5]));
        library.speculars.push_back({std::uint8_t(round_to_int(values[6])), std::uint8_t(round_to_int(values[7])),
                                     std::uint8_t(round_to_int(values[8]))});
    }
    if (whole < items.size()) {
        const Item& cut = items[whole];
        library.notes.push_back(make_error("the last record \"" + cut.text + "\" stops after " +
                                               std::to_string(items.size() - whole) + " of 9 items; it is left out",
                                           file, items.back().line));
    }
    return library;
}

Result<ColourLibrary> load_colour_library(const fs::path& file)
{
    Result<std::string> bytes = read_file_bytes(file, table_file_bytes_max);
    if (!bytes)
        return bytes.error();
    return parse_colour_library(*bytes, file);
}

Result<int> count_colour_library(const fs::path& file)
{
    Result<ColourLibrary> library = load_colour_library(file);
    if (!library)
        return library.error();
    return library->count();
}

std::vector<fs::path> list_colour_libraries(const fs::path& folder) { return files_with_extension(folder, ".lib"); }

const char* finish_class(double shininess)
{
    if (shininess < 0.2)
        return "Mat";
    if (shininess < 0.4)
        return "Semi-mat";
    if (shininess < 0.6)
        return "Satin";
    return "Brillant";
}

std::string colour_library_display_name(const fs::path& file)
{
    std::string name = file.filename().string();
    if (name.size() >= 4 && equals_ignore_case(std::string_view(name).substr(name.size() - 4), ".lib"))
        name.resize(name.size() - 4);
    std::replace(name.begin(), name.end(), '_', ' ');
    return name;
}

} // namespace halvern
