#include "project/object_clipboard.h"

#include <algorithm>

#include "base/numbers.h"
#include "plan/plan_edit.h"
#include "project/colour_slot_line.h"

namespace halvern {

namespace {

constexpr size_t plain_fields = 13;
constexpr size_t line_fields = plain_fields + stored_colour_slots;
// The two end-code overrides close a line only when the object has one.
constexpr size_t line_fields_with_overrides = line_fields + 2;

// Calls f(clipboard_rule, array, field) with every per-object array of the plan and the copied
// object's field of the same name.
template <class Table, class Object, class F>
void for_each_copied_field(Table& plan, Object& o, F&& f)
{
#define HALVERN_PAIR_FIELD(name, type, alt_drag, clipboard, ...) f(CopyRule::clipboard, plan.name, o.name);
    HALVERN_OBJECT_FIELDS(HALVERN_PAIR_FIELD, HALVERN_PAIR_FIELD, HALVERN_PAIR_FIELD)
#undef HALVERN_PAIR_FIELD
}

constexpr int clipboard_fields = 0
#define HALVERN_COUNT_KEPT(name, type, alt_drag, clipboard, ...) +(CopyRule::clipboard == CopyRule::keep ? 1 : 0)
    HALVERN_OBJECT_FIELDS(HALVERN_COUNT_KEPT, HALVERN_COUNT_KEPT, HALVERN_COUNT_KEPT);
#undef HALVERN_COUNT_KEPT
// The text below writes and reads sixteen fields (the colour slots are one); a field the table
// gives to the clipboard needs its place in the text first.
static_assert(clipboard_fields == 16,
              "the clipboard keeps a field its text does not hold: add it to format_copied_objects and "
              "parse_copied_objects");

// Texts keep their tabs and line ends out of the way of the fields.
std::string escaped(std::string_view text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default: out += c;
        }
    }
    return out;
}

std::string unescaped(std::string_view text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char next = text[++i];
        out += next == 't' ? '\t' : next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    }
    return out;
}

std::vector<std::string_view> split(std::string_view line, char separator)
{
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (;;) {
        const size_t end = line.find(separator, start);
        parts.push_back(line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

Error line_error(int line, const std::string& what)
{
    return make_error("the copied objects cannot be pasted: line " + std::to_string(line) + ": " + what);
}

} // namespace

std::vector<int> focused_or_selected(const PlanTable& plan)
{
    std::vector<int> objects;
    auto take = [&](int i) {
        if (plan.valid(i) && int(plan.obj_comp[size_t(i)]) != group_component)
            objects.push_back(i);
    };
    if (plan.valid(plan.index_focus))
        take(plan.index_focus);
    else
        for (int i : selected_objects(plan))
            take(i);
    return objects;
}

std::vector<CopiedObject> copy_objects(const PlanTable& plan, const std::vector<int>& objects)
{
    std::vector<CopiedObject> copied;
    for (int i : objects) {
        if (!plan.valid(i))
            continue;
        const size_t k = size_t(i);
        CopiedObject o;
        for_each_copied_field(plan, o, [k](CopyRule clipboard, const auto& array, auto& field) {
            if (clipboard == CopyRule::keep)
                field = array[k];
        });
        // Only the slots a design file keeps travel, in the text and in a duplicate alike.
        for (size_t slot = stored_colour_slots; slot < o.colours.size(); ++slot)
            o.colours[slot] = {};
        copied.push_back(std::move(o));
    }
    return copied;
}

std::string format_copied_objects(const std::vector<CopiedObject>& objects)
{
    std::string text(copied_objects_header);
    text += '\n';
    for (const CopiedObject& o : objects) {
        for (float value : {o.obj_x, o.obj_y, o.obj_rot})
            text += format_number(value) + '\t';
        text += std::to_string(int(o.obj_comp)) + '\t';
        text += format_number(o.obj_hauteur) + '\t' + format_number(o.obj_elevation) + '\t';
        text += std::to_string(o.obj_faces) + '\t';
        text += format_number(o.obj_profondeur) + '\t' + format_number(o.obj_largeur);
        for (const std::string* t : {&o.obj_texte, &o.obj_visuel_recto, &o.obj_visuel_verso, &o.obj_annexe})
            text += '\t' + escaped(*t);
        for (size_t slot = 0; slot < size_t(stored_colour_slots); ++slot)
            text += '\t' + (o.colours[slot].given ? format_colour_slot(o.colours[slot]) : std::string());
        if (!o.obj_force_recto.empty() || !o.obj_force_verso.empty())
            text += '\t' + escaped(o.obj_force_recto) + '\t' + escaped(o.obj_force_verso);
        text += '\n';
    }
    return text;
}

Result<std::vector<CopiedObject>> parse_copied_objects(std::string_view text)
{
    std::vector<std::string_view> lines = split(text, '\n');
    for (std::string_view& line : lines)
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
    if (lines.empty() || lines.front() != copied_objects_header)
        return make_error("the clipboard holds no objects of this program");
    std::vector<CopiedObject> objects;
    for (size_t n = 1; n < lines.size(); ++n) {
        const int line = int(n) + 1;
        if (lines[n].empty())
            continue;
        const std::vector<std::string_view> f = split(lines[n], '\t');
        if (f.size() != line_fields && f.size() != line_fields_with_overrides)
            return line_error(line, std::to_string(f.size()) + " fields instead of " + std::to_string(line_fields) +
                                        " or " + std::to_string(line_fields_with_overrides));
        double numbers[9];
        for (size_t i = 0; i < 9; ++i) {
            const std::optional<double> value = parse_strict_real(f[i]);
            if (!value || *value < -1e7 || *value > 1e7)
                return line_error(line, "field " + std::to_string(i + 1) + " is not a number: \"" + std::string(f[i]) + "\"");
            numbers[i] = *value;
        }
        CopiedObject o;
        o.obj_x = float(numbers[0]);
        o.obj_y = float(numbers[1]);
        o.obj_rot = float(normalize_degrees(numbers[2]));
        const int comp = int(numbers[3]);
        o.obj_comp = float(comp);
        o.obj_hauteur = float(numbers[4]);
        o.obj_elevation = float(numbers[5]);
        o.obj_faces = int(numbers[6]);
        o.obj_profondeur = float(numbers[7]);
        o.obj_largeur = float(numbers[8]);
        if (double(comp) != numbers[3] || !ComponentTable::valid(comp))
            return line_error(line, "no component number: \"" + std::string(f[3]) + "\"");
        if (o.obj_faces < 0 || o.obj_faces > 3 || double(o.obj_faces) != numbers[6])
            return line_error(line, "faces must be 0 to 3: \"" + std::string(f[6]) + "\"");
        o.obj_texte = unescaped(f[9]);
        o.obj_visuel_recto = unescaped(f[10]);
        o.obj_visuel_verso = unescaped(f[11]);
        o.obj_annexe = unescaped(f[12]);
        if (f.size() == line_fields_with_overrides) {
            o.obj_force_recto = unescaped(f[line_fields]);
            o.obj_force_verso = unescaped(f[line_fields + 1]);
        }
        for (int slot = 0; slot < stored_colour_slots; ++slot) {
            std::string problem;
            std::optional<ColourSlot> colour = parse_colour_slot(f[plain_fields + size_t(slot)], problem);
            if (!problem.empty())
                return line_error(line, "colour " + std::to_string(slot) + ": " + problem);
            if (colour)
                o.colours[size_t(slot)] = *colour;
        }
        objects.push_back(std::move(o));
    }
    return objects;
}

Result<std::vector<int>> paste_objects(PlanTable& plan, const ComponentTable& components,
                                       const std::vector<CopiedObject>& objects, double dx, double dy,
                                       std::string& problem)
{
    for (const CopiedObject& o : objects) {
        const int comp = int(o.obj_comp);
        if (!ComponentTable::valid(comp) || comp == group_component || components[comp].is_free())
            return make_error("component " + std::to_string(comp) + " is not in the library; nothing was pasted");
    }
    std::vector<int> added;
    for (const CopiedObject& o : objects) {
        Result<int> entry = append_entry(plan);
        if (!entry) {
            problem = entry.error().message;
            break;
        }
        const size_t k = size_t(*entry);
        for_each_copied_field(plan, o, [k](CopyRule clipboard, auto& array, const auto& field) {
            if (clipboard == CopyRule::keep)
                array[k] = field;
        });
        plan.obj_x[k] = float(o.obj_x + dx);
        plan.obj_y[k] = float(o.obj_y + dy);
        added.push_back(*entry);
    }
    return added;
}

PlanPoint copied_centre(const std::vector<CopiedObject>& objects)
{
    if (objects.empty())
        return {};
    double left = objects.front().obj_x, right = left, top = objects.front().obj_y, bottom = top;
    for (const CopiedObject& o : objects) {
        left = std::min(left, double(o.obj_x));
        right = std::max(right, double(o.obj_x));
        top = std::min(top, double(o.obj_y));
        bottom = std::max(bottom, double(o.obj_y));
    }
    return {(left + right) / 2, (top + bottom) / 2};
}

} // namespace halvern
