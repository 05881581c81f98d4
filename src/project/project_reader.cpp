#include "project/project_reader.h"

#include <algorithm>
#include <cctype>
#include <cfloat>
#include <type_traits>
#include <cmath>

#include "base/cp1252.h"
#include "base/numbers.h"
#include "base/strings.h"
#include "base/text_file.h"
#include "plan/hidden_findings.h"
#include "plan/object_fields.h"
#include "plan/plan_edit.h"
#include "plan/plan_table.h"
#include "project/colour_slot_line.h"
#include "project/plain_decimal.h"

namespace halvern {

namespace fs = std::filesystem;

namespace {

// The lines of a file held in memory, without copying them: a design of 2,550 objects is close to
// 300,000 lines, most of them the empty reserved lines of its objects, which are skipped in one
// step when they are what the writer writes.
class ProjectLines {
    // `count` empty lines as the writer writes them; nothing for more than one record's worth.
    static std::string_view empty_lines(int count)
    {
        static const std::string block = [] {
            std::string lines;
            for (int i = 0; i < project_object_lines; ++i)
                lines += "\r\n";
            return lines;
        }();
        return count >= 1 && count <= project_object_lines ? std::string_view(block).substr(0, size_t(count) * 2)
                                                           : std::string_view();
    }

public:
    explicit ProjectLines(std::string_view text) : text_(text)
    {
        size_t last = text.find_last_not_of(" \t\r\n");
        content_end_ = last == std::string_view::npos ? 0 : last + 1;
    }

    // The next line without its CR LF or LF, or nothing at the end of the text.
    std::optional<std::string_view> next()
    {
        if (pos_ >= text_.size())
            return std::nullopt;
        size_t end = text_.find('\n', pos_);
        const size_t following = end == std::string_view::npos ? text_.size() : end + 1;
        if (end == std::string_view::npos)
            end = text_.size();
        size_t stop = end;
        if (stop > pos_ && text_[stop - 1] == '\r')
            --stop;
        std::string_view line = text_.substr(pos_, stop - pos_);
        pos_ = following;
        ++line_;
        return line;
    }

    // Skips `count` lines when they are empty lines as the writer writes them.
    bool skip_if_empty(int count)
    {
        const std::string_view block = empty_lines(count);
        if (block.empty() || text_.substr(pos_, block.size()) != block)
            return false;
        pos_ += block.size();
        line_ += count;
        return true;
    }

    // Skips up to `count` lines; returns how many there were.
    int skip(int count)
    {
        if (skip_if_empty(count))
            return count;
        int skipped = 0;
        while (skipped < count && next())
            ++skipped;
        return skipped;
    }

    // Nothing but blank lines remains: a hand-edited file often ends with a few.
    bool only_blanks_left() const { return pos_ >= content_end_; }

    int line() const { return line_; } // the number of the last line returned

private:
    std::string_view text_;
    size_t pos_ = 0;
    size_t content_end_ = 0;
    int line_ = 0;
};

// Texts may stand inside double quotes; the quotes are not part of the value.
std::string_view unquoted(std::string_view line)
{
    std::string_view bare = trim(line);
    if (bare.size() >= 2 && bare.front() == '"' && bare.back() == '"')
        return bare.substr(1, bare.size() - 2);
    return line;
}

std::string text_of(std::string_view line)
{
    std::string_view value = unquoted(line);
    for (char c : value)
        if (uint8_t(c) >= 0x80)
            return cp1252_to_utf8(value);
    return std::string(value);
}

double number_of(std::string_view line)
{
    if (auto plain = parse_plain_decimal(line))
        return *plain;
    return parse_number(unquoted(line));
}

// A double beyond the range of a float must not reach the float conversion (undefined).
float single_of(std::string_view line)
{
    double v = number_of(line);
    if (v > FLT_MAX)
        return FLT_MAX;
    if (v < -FLT_MAX)
        return -FLT_MAX;
    return float(v);
}

int whole_of(std::string_view line) { return round_to_int(number_of(line)); }

// Every writer of the format writes a number on a number field's line, so a line that starts with
// none (an empty line, a text) is a record out of its place: a text that held a line break pushed
// the lines behind it down.
bool holds_number(std::string_view line)
{
    std::string_view bare = trim(unquoted(line));
    if (bare.size() >= 3 && bare[0] == '&' && (bare[1] == 'h' || bare[1] == 'H'))
        return std::isxdigit(static_cast<unsigned char>(bare[2])) != 0;
    if (!bare.empty() && (bare[0] == '-' || bare[0] == '+'))
        bare.remove_prefix(1);
    if (!bare.empty() && bare[0] == '.')
        bare.remove_prefix(1);
    return !bare.empty() && std::isdigit(static_cast<unsigned char>(bare[0]));
}

bool component_missing(const ComponentTable& components, int comp)
{
    if (comp == group_component)
        return false;
    return !ComponentTable::valid(comp) || components[comp].is_free();
}

class ProjectReader {
public:
    ProjectReader(std::string_view bytes, const fs::path& file, ProjectFormat format, ReadMode mode,
                  const ComponentTable& components, PlanTable& plan, StandSettings& stand)
        : cursor_(bytes), file_(file), format_(format), mode_(mode), components_(components), plan_(plan),
          stand_(stand)
    {
        result_.format = format;
    }

    ProjectReadResult run()
    {
        const int base = plan_.nb_objets;
        if (read_header())
            read_objects();
        remap_groups(base);
        apply_hidden();
        if (result_.dropped > 0)
            result_.dropped_note = make_error(
                std::to_string(result_.dropped) + (result_.dropped == 1 ? " object names" : " objects name")
                    + " a component missing from the library (the first, component "
                    + std::to_string(first_dropped_comp_) + ", at this line) and "
                    + (result_.dropped == 1 ? "was" : "were") + " left out",
                file_, first_dropped_line_);
        for (int i = 1; i <= plan_.nb_objets; ++i)
            plan_.obj_estompe[size_t(i)] = -1;
        return std::move(result_);
    }

private:
    // The stand values, then the reserved rest of the header. False when the file ends inside it.
    bool read_header()
    {
        if (format_ == ProjectFormat::v11 && !cursor_.next())
            return ended("inside the header");
        const bool takes_stand = format_ == ProjectFormat::old || mode_ == ReadMode::load;
        int read = 0;
        if (takes_stand) {
            const int values = format_ == ProjectFormat::v11 ? project_stand_values : old_stand_values;
            for (; read < values; ++read) {
                auto line = cursor_.next();
                if (!line)
                    return ended("inside the header");
                take_stand_value(read, *line);
            }
        }
        if (format_ == ProjectFormat::v11) {
            // The first reserved line holds the hidden design checks; an import keeps them too.
            if (!takes_stand) {
                if (cursor_.skip(project_stand_values) < project_stand_values)
                    return ended("inside the header");
                read = project_stand_values;
            }
            auto line = cursor_.next();
            if (!line)
                return ended("inside the header");
            ++read;
            take_hidden_line(*line);
        }
        if (cursor_.skip(project_header_values - read) < project_header_values - read)
            return ended("inside the header");
        return true;
    }

    void take_hidden_line(std::string_view line)
    {
        HiddenLine hidden = parse_hidden_line(line);
        for (const std::string& problem : hidden.problems)
            result_.notes.push_back(make_error(problem, file_, cursor_.line()));
        hidden_ = std::move(hidden.findings);
    }

    // The hidden findings name records of the file; each lands on where its object now stands.
    // One whose object was dropped or never read is gone with it.
    void apply_hidden()
    {
        for (HiddenFinding h : hidden_) {
            if (size_t(h.object) >= new_number_.size() || new_number_[size_t(h.object)] == 0)
                continue;
            Finding f;
            f.kind = h.kind;
            f.object = new_number_[size_t(h.object)];
            f.end = h.end;
            set_hidden(plan_, f, true);
        }
    }

    void take_stand_value(int index, std::string_view line)
    {
        switch (index) {
        case 0: stand_.stand_largeur = stand_size(line, 5, "width"); break;
        case 1: stand_.stand_profondeur = stand_size(line, 3, "depth"); break;
        case 2: stand_.floor_texture = text_of(line); break;
        case 3: stand_.client = text_of(line); break;
        case 4: stand_.title = text_of(line); break;
        case 5: stand_.stand_murs = whole_of(line); break;
        }
    }

    // A size the stand form would not accept is kept, so that saving the design does not lose
    // it; only a size no stand can have takes the default, and then the file is not the design.
    float stand_size(std::string_view line, float fallback, const char* side)
    {
        const double metres = number_of(line);
        const std::string range = format_number(stand_size_min) + " to " + format_number(stand_size_max) + " m";
        if (std::isfinite(metres) && metres > 0 && metres <= FLT_MAX) {
            if (!stand_size_valid(metres))
                result_.notes.push_back(make_error(std::string("a stand ") + side + " of " + format_number(metres)
                                                       + " m is outside " + range
                                                       + "; it is kept as it is, though not every output can draw it",
                                                   file_, cursor_.line()));
            return float(metres);
        }
        result_.values_replaced = true;
        result_.notes.push_back(make_error(std::string("a stand ") + side + " of \"" + std::string(trim(line))
                                               + "\" is no size; " + format_number(fallback) + " m is used",
                                           file_, cursor_.line()));
        return fallback;
    }

    void read_objects()
    {
        const int fields = format_ == ProjectFormat::v11 ? project_object_fields : old_object_fields;
        std::string_view line[project_object_fields];
        while (!cursor_.only_blanks_left()) {
            const int first_line = cursor_.line() + 1;
            // A file without its last line end looks one empty line short: the old format's last
            // field, a text, is then empty. Any other shortfall is a cut file.
            bool cut = false;
            for (int k = 0; k < fields; ++k) {
                auto next = cursor_.next();
                if (!next && !(format_ == ProjectFormat::old && k == fields - 1)) {
                    ended("inside the fields of the object starting at line " + std::to_string(first_line));
                    return;
                }
                line[k] = next.value_or(std::string_view());
            }
            if (const int k = format_ == ProjectFormat::v11 ? first_field_without_number(line) : -1; k >= 0) {
                damaged("line " + std::to_string(k + 1) + " of the object starting at line " + std::to_string(first_line)
                            + " should hold a number: a line was added or lost before it; this object and those "
                              "after it were not read",
                        first_line + k);
                return;
            }
            // The reserved lines are empty, so a file cut among them still holds the object's
            // values: the object is kept, and the read reported as failed (later objects are lost).
            std::optional<ColourSlot> slots[stored_colour_slots];
            if (format_ == ProjectFormat::v11) {
                switch (read_reserved_lines(slots)) {
                case Reserved::empty: break;
                case Reserved::cut:
                    ended("inside the reserved lines of the object starting at line " + std::to_string(first_line));
                    cut = true;
                    break;
                case Reserved::filled:
                    damaged("line " + std::to_string(cursor_.line() - first_line + 1) + " of the object starting at line "
                            + std::to_string(first_line)
                            + " should be empty: a line was added or lost before it; this object and those after "
                              "it were not read");
                    return;
                }
            }

            const int comp = whole_of(line[3]);
            if (component_missing(components_, comp)) {
                if (result_.dropped++ == 0) {
                    first_dropped_comp_ = comp;
                    first_dropped_line_ = first_line + 3;
                }
                new_number_.push_back(0);
                continue;
            }
            if (plan_.full()) {
                result_.capacity_reached = true;
                result_.notes.push_back(make_error("the plan holds at most " + std::to_string(max_objects)
                                                       + " objects: the object starting here and those after it"
                                                         " were not read",
                                                   file_, first_line));
                return;
            }
            const int n = *append_entry(plan_); // a fresh entry: nothing of an earlier design survives
            store(size_t(n), line);
            for (int slot = 0; slot < stored_colour_slots; ++slot)
                if (slots[slot])
                    plan_.colours[size_t(n)][size_t(slot)] = *slots[slot];
            new_number_.push_back(n);
            ++result_.objects_added;
            if (cut)
                return;
        }
    }

    // The first of the record's number fields whose line holds no number, or -1.
    int first_field_without_number(const std::string_view* line)
    {
        int found = -1;
        for_each_stored_field(plan_, [&](std::size_t field, std::string_view, auto& array) {
            using T = field_value_t<std::decay_t<decltype(array)>>;
            if constexpr (!std::is_same_v<T, std::string>)
                if (found < 0 && field < std::size_t(project_object_fields) && !holds_number(line[field]))
                    found = int(field);
        });
        return found;
    }

    enum class Reserved { empty, cut, filled };

    // Lines 17..113 of an object: the first few hold the object's colour slots, the rest are
    // empty. Text there means the record is not where it should be: a line was added or lost
    // before it, and every later field would be read from the wrong line.
    Reserved read_reserved_lines(std::optional<ColourSlot>* slots)
    {
        const int reserved = project_object_lines - project_object_fields;
        if (cursor_.skip_if_empty(reserved))
            return Reserved::empty;
        for (int k = project_object_fields + 1; k <= project_object_lines; ++k) {
            auto line = cursor_.next();
            if (!line) // a file without its last line end is one empty line short
                return k == project_object_lines ? Reserved::empty : Reserved::cut;
            const std::string_view bare = trim(*line);
            if (bare.empty())
                continue;
            if (k >= project_first_empty_line)
                return Reserved::filled;
            const int slot = k - project_object_fields - 1;
            if (slot < stored_colour_slots) {
                std::string problem;
                slots[slot] = parse_colour_slot(*line, problem);
                if (!problem.empty())
                    result_.notes.push_back(
                        make_error(problem + "; the slot is read as not given", file_, cursor_.line()));
            }
        }
        return Reserved::empty;
    }

    void store(size_t i, const std::string_view* line)
    {
        // The old format has neither end-code overrides nor groups (its records end with the
        // annex): they stay as a fresh entry has them.
        const std::size_t fields = std::size_t(format_ == ProjectFormat::v11 ? project_object_fields : old_object_fields);
        for_each_stored_field(plan_, [&](std::size_t field, std::string_view, auto& array) {
            if (field >= fields)
                return;
            using T = field_value_t<std::decay_t<decltype(array)>>;
            if constexpr (std::is_same_v<T, float>)
                array[i] = single_of(line[field]);
            else if constexpr (std::is_integral_v<T>)
                array[i] = T(whole_of(line[field]));
            else
                array[i] = text_of(line[field]);
        });
        plan_.obj_rot[i] = normalize_loaded_rotation(plan_.obj_rot[i]);
    }

    // Group references name records of the file; each now names where that record's object
    // stands, 0 when it was dropped or never read.
    void remap_groups(int base)
    {
        for (int n = base + 1; n <= plan_.nb_objets; ++n) {
            if (plan_.is_group(n))
                continue;
            std::int32_t& g = plan_.obj_groupe[size_t(n)];
            g = g >= 1 && size_t(g) < new_number_.size() ? new_number_[size_t(g)] : 0;
        }
    }

    bool ended(const std::string& where)
    {
        if (!result_.failure)
            result_.failure = make_error("the file ends here, " + where, file_, cursor_.line());
        return false;
    }

    void damaged(const std::string& what, int line = 0)
    {
        if (!result_.failure)
            result_.failure = make_error("the file is damaged here: " + what, file_, line > 0 ? line : cursor_.line());
    }

    ProjectLines cursor_;
    const fs::path& file_;
    ProjectFormat format_;
    ReadMode mode_;
    const ComponentTable& components_;
    PlanTable& plan_;
    StandSettings& stand_;
    ProjectReadResult result_;
    std::vector<int> new_number_ = {0}; // by record number of the file, from 1
    std::vector<HiddenFinding> hidden_;
    int first_dropped_comp_ = 0;
    int first_dropped_line_ = 0;
};

} // namespace

namespace {

constexpr std::string_view byte_order_mark = "\xEF\xBB\xBF";

std::string_view without_byte_order_mark(std::string_view bytes)
{
    return bytes.substr(0, byte_order_mark.size()) == byte_order_mark ? bytes.substr(byte_order_mark.size()) : bytes;
}

// The first line as it is classified: no byte order mark, blanks, CR or surrounding quotes.
std::string_view first_line_of(std::string_view bytes)
{
    ProjectLines cursor(without_byte_order_mark(bytes));
    std::string_view line = cursor.next().value_or(std::string_view());
    auto bare = [](std::string_view text) {
        const size_t first = text.find_first_not_of(" \t\r");
        if (first == std::string_view::npos)
            return std::string_view();
        return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
    };
    line = bare(line);
    if (line.size() >= 2 && line.front() == '"' && line.back() == '"')
        line = bare(line.substr(1, line.size() - 2));
    return line;
}

// The whole text is one number as the old format writes its stand width.
bool is_number(std::string_view text)
{
    size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        ++i;
    size_t digits = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        ++digits;
    if (i < text.size() && (text[i] == '.' || text[i] == ','))
        for (++i; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
            ++digits;
    if (digits > 0 && i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t e = i + 1;
        if (e < text.size() && (text[e] == '-' || text[e] == '+'))
            ++e;
        if (e < text.size() && std::isdigit(static_cast<unsigned char>(text[e]))) {
            i = e;
            while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
                ++i;
        }
    }
    return digits > 0 && i == text.size();
}

} // namespace

ProjectFormat detect_project_format(std::string_view bytes)
{
    return first_line_of(bytes) == project_tag ? ProjectFormat::v11 : ProjectFormat::old;
}

Result<ProjectFormat> project_format_of(std::string_view bytes, const fs::path& file)
{
    const std::string_view first = first_line_of(bytes);
    if (first == project_tag)
        return ProjectFormat::v11;
    const bool tag_like = first.size() >= 2 && (first[0] == 'v' || first[0] == 'V')
                          && std::isdigit(static_cast<unsigned char>(first[1]));
    if (!tag_like && is_number(first))
        return ProjectFormat::old;
    return make_error(tag_like ? "unknown design format: a version tag other than \"v1.1\""
                               : "unknown design format: the first line is neither \"v1.1\" nor a stand width",
                      file, 1);
}

Result<ProjectBytes> read_project_bytes(const fs::path& file)
{
    auto bytes = read_file_bytes(file, design_file_bytes_max);
    if (!bytes)
        return bytes.error();
    if (bytes->empty())
        return make_error("the file is empty", file);
    auto format = project_format_of(*bytes, file);
    if (!format)
        return format.error();
    return ProjectBytes{std::move(*bytes), *format};
}

ProjectReadResult read_project_text(std::string_view bytes, const fs::path& file, ProjectFormat format,
                                    ReadMode mode, const ComponentTable& components, PlanTable& plan,
                                    StandSettings& stand)
{
    return ProjectReader(without_byte_order_mark(bytes), file, format, mode, components, plan, stand).run();
}

} // namespace halvern
