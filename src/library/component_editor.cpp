#include "library/component_editor.h"

#include <cmath>
#include <cstdio>
#include <system_error>

#include "base/numbers.h"
#include "base/strings.h"
#include "library/definition_file.h"
#include "plan/plan_range.h"

namespace halvern {

namespace {

// A list position for a stored number: the number itself when the list has it, -1 otherwise.
int list_position(double value, int count)
{
    const int position = int(value);
    return double(position) == value && position >= 0 && position < count ? position : -1;
}

std::string hex6(int colour)
{
    char text[16];
    std::snprintf(text, sizeof text, "%06X", unsigned(colour));
    return text;
}

float read_pivot(const std::string& text)
{
    if (equals_ignore_case(trim(text), "auto"))
        return -1;
    return float(parse_number_comma(text));
}

double read_number(const std::string& text) { return parse_number_comma(text); }

int read_colour(const std::string& text)
{
    std::string digits = trimmed(text);
    if (!digits.empty() && digits.front() == '#')
        digits.erase(0, 1);
    return int(static_cast<long long>(parse_number("&h" + digits)) & 0xFFFFFFFFLL);
}

int library_of(const Component& component, int n) { return component.library != 0 ? component.library : n / 100; }

} // namespace

// "Index" is a component number as the user typed it: blanks around digits and nothing else.
// Text that does not say a number would otherwise read as 0 and overwrite component 0.
Result<int> read_index(const std::string& text)
{
    const std::string digits = trimmed(text);
    bool plain = !digits.empty() && digits.size() <= 6;
    for (char ch : digits)
        plain = plain && ch >= '0' && ch <= '9';
    const int n = plain ? std::stoi(digits) : -1;
    if (!ComponentTable::valid(n))
        return make_error("Index '" + text + "' is not a component number from 0 to " + std::to_string(max_component)
                          + "; nothing was changed");
    return n;
}

int shape_position(int shape)
{
    if (shape == shape_turtle_path)
        return 11;
    if (shape == shape_point_list)
        return 12;
    return shape >= 0 && shape <= shape_bean ? shape : -1;
}

int shape_of_position(int position)
{
    if (position == 11)
        return shape_turtle_path;
    if (position == 12)
        return shape_point_list;
    return position;
}

std::string shown_file_name(const Component& component, int n)
{
    return component.file_name.empty() ? std::to_string(n) + ".lib" : component.file_name;
}

EditorFields editor_fields(const ComponentTable& table, int n)
{
    const Component& c = table[n];
    EditorFields f;
    f.name = c.name;
    f.index = std::to_string(n);
    f.short_name = c.short_name;
    f.file_name = shown_file_name(c, n);
    f.width = format_number(c.width);
    f.depth = format_number(c.depth);
    f.height = format_number(c.height);
    f.pivot_x = c.pivot_x == -1 ? "Auto" : format_number(c.pivot_x);
    f.pivot_y = c.pivot_y == -1 ? "Auto" : format_number(c.pivot_y);
    f.panel = list_position(c.panel, 4);
    f.auto_elevation = list_position(c.auto_elevation, 2);
    f.elevation = format_number(c.elevation);
    f.auteur = c.auteur;
    f.license = c.license;
    f.ref = c.ref;
    f.ref_reseal = c.ref_reseal;
    f.shape = shape_position(c.shape);
    f.draw = c.draw;
    f.draw_open = list_position(parse_number(c.draw_open), 2);
    f.draw_mirror = list_position(c.draw_mirror, 2);
    f.draw_color = hex6(c.draw_color);
    for (int k = 0; k < editor_magnets; ++k) {
        EditorMagnet& m = f.magnets[size_t(k)];
        m.x = format_number(c.magnet_x[size_t(k)]);
        m.y = format_number(c.magnet_y[size_t(k)]);
        m.z = format_number(c.magnet_z[size_t(k)]);
        m.force = format_number(c.magnet_force[size_t(k)]);
        m.r = format_number(c.magnet_r[size_t(k)]);
        m.contrainte = list_position(c.magnet_contrainte[size_t(k)], 2);
    }
    for (int k = 0; k < editor_colour_slots; ++k)
        f.colours[size_t(k)] = {c.color_src[size_t(k)], c.color_name[size_t(k)], c.color_lib[size_t(k)]};
    return f;
}

namespace {

// Every number of the entries against the plan's range, before anything is stored: a number such as
// "1e39" would otherwise become an infinite float, saved as "0". Names the field as the editor does.
Result<void> numbers_in_range(const EditorFields& f)
{
    std::vector<std::pair<std::string, const std::string*>> numbers = {
        {"Largeur", &f.width}, {"Profondeur", &f.depth}, {"Hauteur", &f.height}, {"Altitude par défaut", &f.elevation}};
    for (const auto& [caption, text] : {std::pair{"Pivot X", &f.pivot_x}, std::pair{"Pivot Y", &f.pivot_y}})
        if (!equals_ignore_case(trim(*text), "auto"))
            numbers.emplace_back(caption, text);
    for (int k = 0; k < editor_magnets; ++k) {
        const EditorMagnet& m = f.magnets[size_t(k)];
        const std::string magnet = "Magnétisme " + std::to_string(k) + ", ";
        for (const auto& [caption, text] : {std::pair{"X", &m.x}, std::pair{"Y", &m.y}, std::pair{"H+Z", &m.z},
                                            std::pair{"Force", &m.force}, std::pair{"Angle", &m.r}})
            numbers.emplace_back(magnet + caption, text);
    }
    for (const auto& [caption, text] : numbers) {
        const double typed = parse_number_comma(*text);
        if (!std::isfinite(typed) || std::fabs(typed) > plan_max_coordinate_cm)
            return make_error(caption + ": '" + *text + "' lies outside -" + format_number(plan_max_coordinate_cm)
                              + " .. " + format_number(plan_max_coordinate_cm) + "; nothing was changed");
    }
    return {};
}

// Where "Index" names another number than the one opened, that number's own file, if it has one.
std::string own_file_of_target(const ComponentTable& table, int m, int opened)
{
    if (m == opened || !ComponentTable::valid(opened))
        return {};
    const Component& target = table[m];
    return target.is_free() ? std::string() : target.file_name;
}

} // namespace

Result<int> apply_editor_fields(const EditorFields& f, int opened, ComponentTable& table)
{
    Result<int> index = read_index(f.index);
    if (!index)
        return index.error();
    const int m = *index;
    const bool copying = m != opened && ComponentTable::valid(opened);
    if (Result<void> numbers = numbers_in_range(f); !numbers)
        return numbers.error();

    // A number that has its own definition file keeps it (and its library): a second file for one
    // number would leave the loader to pick one of them by their names.
    const std::string own_file = own_file_of_target(table, m, opened);
    std::string file = trimmed(f.file_name);
    if (!own_file.empty())
        file = own_file;
    else if (file.empty() || (copying && equals_ignore_case(file, shown_file_name(table[opened], opened))))
        file = std::to_string(m) + ".lib";
    if (file == "." || file == ".." || file.find_first_of("/\\") != std::string::npos)
        return make_error("'" + file + "' is not a plain file name such as '" + std::to_string(m)
                          + ".lib'; nothing was changed");
    // A copy into a free number is of the library of the type it copies: the free record's library
    // 0 would make it a built-in type for the rest of the run.
    const int stored_library = copying && table[m].is_free() ? table[opened].library : table[m].library;
    // Two components of one library sharing a file would overwrite each other's definition.
    const int library = stored_library != 0 ? stored_library : m / 100;
    for (int k = 0; k <= max_component; ++k) {
        const Component& other = table[k];
        if (k != m && !other.is_free() && library_of(other, k) == library && equals_ignore_case(other.file_name, file))
            return make_error("the file name '" + file + "' is already used by component " + std::to_string(k)
                              + " (" + other.name + "); nothing was changed");
    }

    if (copying) {
        // A copy is the whole type; what belongs to the number itself stays the number's.
        const Component kept = table[m];
        table[m] = table[opened];
        Component& c = table[m];
        c.library = stored_library;
        c.has_3d = kept.has_3d;
        c.price = kept.price;
        c.pack_by = kept.pack_by;
        c.name_from_price_table = kept.name_from_price_table;
        c.quantity = kept.quantity;
    }

    Component& c = table[m];
    c.file_name = file;
    if (f.name != c.name) {
        // The new name replaces the one that was shown: the English one, the French one, or both
        // when they were the same; the file's name line stays French.
        const bool shown_english = !c.name_en.empty() && c.name == c.name_en;
        if (shown_english)
            c.name_en = f.name;
        if (!shown_english || c.name_fr.empty() || c.name == c.name_fr)
            c.name_fr = f.name;
        c.name = f.name;
    }
    c.short_name = f.short_name;
    c.width = read_number(f.width);
    c.depth = read_number(f.depth);
    c.height = read_number(f.height);
    c.pivot_x = read_pivot(f.pivot_x);
    c.pivot_y = read_pivot(f.pivot_y);
    if (f.panel >= 0)
        c.panel = f.panel;
    if (f.auto_elevation >= 0)
        c.auto_elevation = f.auto_elevation;
    c.elevation = read_number(f.elevation);
    c.auteur = f.auteur;
    c.license = f.license;
    c.ref = f.ref;
    c.ref_reseal = f.ref_reseal;
    if (f.shape >= 0)
        c.shape = shape_of_position(f.shape);
    c.draw = f.draw;
    if (f.draw_open >= 0)
        c.draw_open = std::to_string(f.draw_open);
    if (f.draw_mirror >= 0)
        c.draw_mirror = float(f.draw_mirror);
    c.draw_color = read_colour(f.draw_color);
    for (int k = 0; k < editor_magnets; ++k) {
        const EditorMagnet& e = f.magnets[size_t(k)];
        c.magnet_x[size_t(k)] = read_number(e.x);
        c.magnet_y[size_t(k)] = read_number(e.y);
        c.magnet_z[size_t(k)] = read_number(e.z);
        c.magnet_force[size_t(k)] = read_number(e.force);
        c.magnet_r[size_t(k)] = float(normalize_degrees(read_number(e.r)));
        if (e.contrainte >= 0)
            c.magnet_contrainte[size_t(k)] = e.contrainte;
    }
    for (int k = 0; k < editor_colour_slots; ++k) {
        c.color_src[size_t(k)] = f.colours[size_t(k)].src;
        c.color_name[size_t(k)] = f.colours[size_t(k)].name;
        c.color_lib[size_t(k)] = f.colours[size_t(k)].lib;
    }
    return m;
}

std::filesystem::path replaced_file(const EditorFields& fields, int opened, const ComponentTable& table,
                                    const LibraryFolders& folders)
{
    Result<int> index = read_index(fields.index);
    if (!index)
        return {};
    const std::string own_file = own_file_of_target(table, *index, opened);
    if (own_file.empty())
        return {};
    const std::filesystem::path inside =
        std::filesystem::path("extlib") / std::to_string(library_of(table[*index], *index)) / own_file;
    std::error_code ec;
    for (const std::filesystem::path& root : {folders.user_dir, folders.app_dir})
        if (!root.empty() && std::filesystem::exists(root / inside, ec))
            return root / inside;
    return {};
}

Result<int> save_editor_fields(const EditorFields& fields, int opened, ComponentTable& table,
                               const LibraryFolders& folders, std::filesystem::path* written)
{
    Result<int> index = read_index(fields.index);
    if (!index)
        return index.error();
    const Component before = table[*index];
    Result<int> applied = apply_editor_fields(fields, opened, table);
    if (!applied)
        return applied;
    Result<std::filesystem::path> file = save_definition_file(folders, table, *applied);
    if (!file) {
        table[*applied] = before;
        return file.error();
    }
    if (written)
        *written = *file;
    return applied;
}

} // namespace halvern
