#include "project/project_reader.h"

#include <algorithm>
#include <cfloat>

#include "base/cp1252.h"
#include "base/numbers.h"
#include "base/strings.h"
#include "base/text_file.h"
#include "plan/plan_edit.h"
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

    // Skips up to `count` lines; returns how many there were.
    int skip(int count)
    {
        const std::string_view block = empty_lines(count);
        if (!block.empty() && text_.substr(pos_, block.size()) == block) {
            pos_ += block.size();
            line_ += count;
            return count;
        }
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
        if (cursor_.skip(project_header_values - read) < project_header_values - read)
            return ended("inside the header");
        return true;
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

    float stand_size(std::string_view line, float fallback, const char* side)
    {
        float metres = single_of(line);
        if (stand_size_valid(metres))
            return metres;
        result_.notes.push_back(make_error(std::string("a stand ") + side + " of " + format_number(metres)
                                               + " m is outside " + format_number(stand_size_min) + " to "
                                               + format_number(stand_size_max) + " m; "
                                               + format_number(fallback) + " m is used",
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
            // The reserved lines are empty, so a file cut among them still holds the object's
            // values: the object is kept, and the read reported as failed (later objects are lost).
            std::optional<ColourSlot> slots[stored_colour_slots];
            if (format_ == ProjectFormat::v11) {
                const int reserved = project_object_lines - project_object_fields;
                int present = 0;
                for (; present < stored_colour_slots; ++present) {
                    auto slot_line = cursor_.next();
                    if (!slot_line)
                        break;
                    std::string problem;
                    slots[present] = parse_colour_slot(*slot_line, problem);
                    if (!problem.empty())
                        result_.notes.push_back(make_error(problem + "; the slot is read as not given", file_,
                                                           cursor_.line()));
                }
                if (present == stored_colour_slots)
                    present += cursor_.skip(reserved - stored_colour_slots);
                if (present < reserved - 1) {
                    ended("inside the reserved lines of the object starting at line " + std::to_string(first_line));
                    cut = true;
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

    void store(size_t i, const std::string_view* line)
    {
        PlanTable& p = plan_;
        p.obj_x[i] = single_of(line[0]);
        p.obj_y[i] = single_of(line[1]);
        p.obj_rot[i] = normalize_loaded_rotation(single_of(line[2]));
        p.obj_comp[i] = single_of(line[3]);
        p.obj_hauteur[i] = single_of(line[4]);
        p.obj_elevation[i] = single_of(line[5]);
        p.obj_faces[i] = whole_of(line[6]);
        p.obj_profondeur[i] = single_of(line[7]);
        p.obj_largeur[i] = single_of(line[8]);
        p.obj_texte[i] = text_of(line[9]);
        p.obj_visuel_recto[i] = text_of(line[10]);
        p.obj_visuel_verso[i] = text_of(line[11]);
        p.obj_annexe[i] = text_of(line[12]);
        // The old format has neither end-code overrides nor groups: they stay as a fresh entry has them.
        if (format_ == ProjectFormat::v11) {
            p.obj_force_recto[i] = text_of(line[13]);
            p.obj_force_verso[i] = text_of(line[14]);
            p.obj_groupe[i] = whole_of(line[15]);
        }
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

    ProjectLines cursor_;
    const fs::path& file_;
    ProjectFormat format_;
    ReadMode mode_;
    const ComponentTable& components_;
    PlanTable& plan_;
    StandSettings& stand_;
    ProjectReadResult result_;
    std::vector<int> new_number_ = {0}; // by record number of the file, from 1
    int first_dropped_comp_ = 0;
    int first_dropped_line_ = 0;
};

} // namespace

ProjectFormat detect_project_format(std::string_view bytes)
{
    ProjectLines cursor(bytes);
    auto first = cursor.next();
    return first && trim(unquoted(*first)) == project_tag ? ProjectFormat::v11 : ProjectFormat::old;
}

Result<std::string> read_project_bytes(const fs::path& file)
{
    auto bytes = read_file_bytes(file);
    if (!bytes)
        return bytes.error();
    if (bytes->empty())
        return make_error("the file is empty", file);
    return bytes;
}

ProjectReadResult read_project_text(std::string_view bytes, const fs::path& file, ProjectFormat format,
                                    ReadMode mode, const ComponentTable& components, PlanTable& plan,
                                    StandSettings& stand)
{
    return ProjectReader(bytes, file, format, mode, components, plan, stand).run();
}

} // namespace halvern
