#include "library/colour_library.h"

#include <algorithm>
#include <cctype>
#include <utility>
#include <variant>

#include "base/cp1252.h"
#include "base/folder_listing.h"
#include "base/numbers.h"
#include "base/strings.h"
#include "base/text_file.h"
#include "library/whole_number.h"

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
    bool starts_line = false; // the first item of its line
};

// Splits the text into items the way the files are written: commas or line ends between items, a
// name in double quotes may hold commas. Blank lines hold no item. A quote left open ends with its
// line, so that one stray quote cannot swallow the rest of the library.
std::vector<Item> split_items(const std::vector<std::string>& lines, const fs::path& file, std::vector<Error>& notes)
{
    std::vector<Item> items;
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
            item.starts_line = pos == 0 || trim(std::string_view(line).substr(0, pos)).empty();
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

namespace {

struct Record {
    double values[items_per_record] = {};
};

// The record whose name is items[first]: its eight numbers, or the problem of the first item that
// is not a number of its range.
std::variant<Record, std::pair<std::string, int>> read_record(const std::vector<Item>& items, size_t first)
{
    Record record;
    for (int k = 1; k < items_per_record; ++k) {
        const Item& item = items[first + size_t(k)];
        const std::string where = std::string(item_names[k]) + " of \"" + items[first].text + "\"";
        // A name where a number belongs, at the start of a line, is the next record's: this one
        // is short of items.
        if (!is_complete_number(item.text) && item.starts_line)
            return std::pair{"the record \"" + items[first].text + "\" ends after " + std::to_string(k) + " of 9 items",
                             items[first].line};
        if (!is_complete_number(item.text))
            return std::pair{"the " + where + " is not a number (\"" + item.text + "\")", item.line};
        const double value = parse_number(item.text);
        const bool fraction = k == 4 || k == 5;
        const double high = fraction ? 1.0 : 255.0;
        if (!(value >= 0.0 && value <= high))
            return std::pair{"the " + where + " is " + item.text + ", outside 0.." + (fraction ? "1" : "255"), item.line};
        record.values[k] = value;
    }
    return record;
}

// Whether the line of items[first] holds exactly one record's items: a record in step, even when
// one of its values is wrong.
bool line_is_one_record(const std::vector<Item>& items, size_t first)
{
    const size_t end = first + items_per_record;
    return end <= items.size() && items[end - 1].line == items[first].line
           && (end == items.size() || items[end].line != items[first].line);
}

// Where reading goes on after a damaged record: the next record that starts a line with its name
// (a name that is itself a number is taken for a misplaced item) and reads whole, or fills its line
// alone (its own fault is then reported on its own). A missing or extra item in one record (an
// unquoted comma in a name, a stray quote) would otherwise shift every later record out of step,
// and the rest of the library would be lost.
size_t next_whole_record(const std::vector<Item>& items, size_t damaged)
{
    size_t last_start = items.size();
    for (size_t j = damaged + 1; j < items.size(); ++j) {
        if (!items[j].starts_line || is_complete_number(items[j].text))
            continue;
        last_start = j;
        if (line_is_one_record(items, j)
            || (j + items_per_record <= items.size() && std::holds_alternative<Record>(read_record(items, j))))
            return j;
    }
    // No whole record follows: a last line that starts one is left to be reported as cut short.
    return last_start;
}

} // namespace

ColourLibrary parse_colour_library(std::string_view bytes, const fs::path& file)
{
    ColourLibrary library;
    const std::vector<std::string> lines = split_lines(cp1252_to_utf8(bytes));
    const std::vector<Item> items = split_items(lines, file, library.notes);
    auto line_text = [&lines](int line) { return excerpt(trimmed(lines[size_t(line - 1)]), 80); };

    // The first record is always kept: no channel of a real colour equals -1.
    std::array<int, 3> previous = {-1, -1, -1};
    size_t first = 0;
    while (first + items_per_record <= items.size()) {
        const auto read = read_record(items, first);
        if (const auto* problem = std::get_if<std::pair<std::string, int>>(&read)) {
            const size_t next = next_whole_record(items, first);
            const int last_line = next < items.size() ? items[next].line - 1 : items.back().line;
            std::string left_out = "the colour is left out";
            if (last_line > problem->second)
                left_out += " with lines " + std::to_string(problem->second + 1) + " to " + std::to_string(last_line);
            library.notes.push_back(make_error(problem->first + "; " + left_out + ". The line reads: "
                                                   + line_text(problem->second),
                                               file, problem->second));
            first = next;
            continue;
        }
        const Record& record = std::get<Record>(read);
        const double* values = record.values;
        const std::string& name = items[first].text;
        first += items_per_record;

        const std::array<int, 3> colour = {round_to_int(values[1]), round_to_int(values[2]), round_to_int(values[3])};
        if (colour == previous)
            continue; // the format's rule: a repeated colour gives way to the next record
        previous = colour;
        library.names.push_back(name);
        library.colours.push_back({std::uint8_t(colour[0]), std::uint8_t(colour[1]), std::uint8_t(colour[2])});
        library.transparencies.push_back(float(values[4]));
        library.shininesses.push_back(float(values[5]));
        library.speculars.push_back({std::uint8_t(round_to_int(values[6])), std::uint8_t(round_to_int(values[7])),
                                     std::uint8_t(round_to_int(values[8]))});
    }
    if (first < items.size()) {
        const Item& cut = items[first];
        library.notes.push_back(make_error("the last record \"" + cut.text + "\" stops after " +
                                               std::to_string(items.size() - first) + " of 9 items; it is left out",
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
