#include "project/object_clipboard.h"

#include <algorithm>

#include "base/numbers.h"
#include "plan/plan_edit.h"
#include "project/colour_slot_line.h"

namespace halvern {

namespace {

constexpr size_t plain_fields = 13;
constexpr size_t line_fields = plain_fields + stored_colour_slots;

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
        o.x = plan.obj_x[k];
        o.y = plan.obj_y[k];
        o.rot = plan.obj_rot[k];
        o.comp = int(plan.obj_comp[k]);
        o.hauteur = plan.obj_hauteur[k];
        o.elevation = plan.obj_elevation[k];
        o.faces = plan.obj_faces[k];
        o.profondeur = plan.obj_profondeur[k];
        o.largeur = plan.obj_largeur[k];
        o.texte = plan.obj_texte[k];
        o.visuel_recto = plan.obj_visuel_recto[k];
        o.visuel_verso = plan.obj_visuel_verso[k];
        o.annexe = plan.obj_annexe[k];
        for (int slot = 0; slot < stored_colour_slots; ++slot)
            o.colours[size_t(slot)] = plan.colours[k][size_t(slot)];
        copied.push_back(std::move(o));
    }
    return copied;
}

std::string format_copied_objects(const std::vector<CopiedObject>& objects)
{
    std::string text(copied_objects_header);
    text += '\n';
    for (const CopiedObject& o : objects) {
        for (float value : {o.x, o.y, o.rot})
            text += format_number(value) + '\t';
        text += std::to_string(o.comp) + '\t';
        text += format_number(o.hauteur) + '\t' + format_number(o.elevation) + '\t';
        text += std::to_string(o.faces) + '\t';
        text += format_number(o.profondeur) + '\t' + format_number(o.largeur);
        for (const std::string* t : {&o.texte, &o.visuel_recto, &o.visuel_verso, &o.annexe})
            text += '\t' + escaped(*t);
        for (const ColourSlot& slot : o.colours)
            text += '\t' + (slot.given ? format_colour_slot(slot) : std::string());
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
        if (f.size() != line_fields)
            return line_error(line, std::to_string(f.size()) + " fields instead of " + std::to_string(line_fields));
        double numbers[9];
        for (size_t i = 0; i < 9; ++i) {
            const std::optional<double> value = parse_strict_real(f[i]);
            if (!value || *value < -1e7 || *value > 1e7)
                return line_error(line, "field " + std::to_string(i + 1) + " is not a number: \"" + std::string(f[i]) + "\"");
            numbers[i] = *value;
        }
        CopiedObject o;
        o.x = float(numbers[0]);
        o.y = float(numbers[1]);
        o.rot = float(normalize_degrees(numbers[2]));
        o.comp = int(numbers[3]);
        o.hauteur = float(numbers[4]);
        o.elevation = float(numbers[5]);
        o.faces = int(numbers[6]);
        o.profondeur = float(numbers[7]);
        o.largeur = float(numbers[8]);
        if (double(o.comp) != numbers[3] || !ComponentTable::valid(o.comp))
            return line_error(line, "no component number: \"" + std::string(f[3]) + "\"");
        if (o.faces < 0 || o.faces > 3 || double(o.faces) != numbers[6])
            return line_error(line, "faces must be 0 to 3: \"" + std::string(f[6]) + "\"");
        o.texte = unescaped(f[9]);
        o.visuel_recto = unescaped(f[10]);
        o.visuel_verso = unescaped(f[11]);
        o.annexe = unescaped(f[12]);
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
    for (const CopiedObject& o : objects)
        if (o.comp == group_component || components[o.comp].is_free())
            return make_error("component " + std::to_string(o.comp) + " is not in the library; nothing was pasted");
    std::vector<int> added;
    for (const CopiedObject& o : objects) {
        Result<int> entry = append_entry(plan);
        if (!entry) {
            problem = entry.error().message;
            break;
        }
        const size_t k = size_t(*entry);
        plan.obj_x[k] = float(o.x + dx);
        plan.obj_y[k] = float(o.y + dy);
        plan.obj_rot[k] = o.rot;
        plan.obj_comp[k] = float(o.comp);
        plan.obj_hauteur[k] = o.hauteur;
        plan.obj_elevation[k] = o.elevation;
        plan.obj_faces[k] = o.faces;
        plan.obj_profondeur[k] = o.profondeur;
        plan.obj_largeur[k] = o.largeur;
        plan.obj_texte[k] = o.texte;
        plan.obj_visuel_recto[k] = o.visuel_recto;
        plan.obj_visuel_verso[k] = o.visuel_verso;
        plan.obj_annexe[k] = o.annexe;
        for (int slot = 0; slot < stored_colour_slots; ++slot)
            plan.colours[k][size_t(slot)] = o.colours[size_t(slot)];
        added.push_back(*entry);
    }
    return added;
}

PlanPoint copied_centre(const std::vector<CopiedObject>& objects)
{
    if (objects.empty())
        return {};
    double left = objects.front().x, right = left, top = objects.front().y, bottom = top;
    for (const CopiedObject& o : objects) {
        left = std::min(left, double(o.x));
        right = std::max(right, double(o.x));
        top = std::min(top, double(o.y));
        bottom = std::max(bottom, double(o.y));
    }
    return {(left + right) / 2, (top + bottom) / 2};
}

} // namespace halvern
