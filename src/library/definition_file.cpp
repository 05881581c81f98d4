#include "library/definition_file.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <system_error>

#include "base/cp1252.h"
#include "base/line_cursor.h"
#include "base/numbers.h"
#include "base/strings.h"
#include "base/text_file.h"
#include "library/definition_keys.h"
#include "library/whole_number.h"

namespace halvern {

namespace fs = std::filesystem;

namespace {

float to_float(double value)
{
    if (value > FLT_MAX)
        return FLT_MAX;
    if (value < -FLT_MAX)
        return -FLT_MAX;
    return float(value);
}

// "draw_color=" holds hexadecimal digits without a prefix. Colours are 32-bit values; longer
// digit strings keep their low 32 bits rather than overflowing.
int parse_colour(std::string_view value)
{
    std::string prefixed = "&h" + std::string(trim(value));
    double v = std::fmod(parse_number(prefixed), 4294967296.0);
    return int(std::int32_t(std::uint32_t(v)));
}

std::string colour_hex(int colour)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%X", unsigned(std::uint32_t(colour)));
    return buf;
}

// Files are code page 1252 and texts in memory UTF-8. Keys and numbers are plain ASCII, so the
// lines are searched as they are and only the texts that are kept get converted.
std::string text(std::string_view bytes)
{
    for (char ch : bytes)
        if (static_cast<unsigned char>(ch) >= 0x80)
            return cp1252_to_utf8(bytes);
    return std::string(bytes);
}

// Most values are a few plain digits ("0" in every unused magnet slot), whose value the numeric
// parse would give exactly; the parse handles everything else.
double number(std::string_view value)
{
    if (value.empty() || value.size() > 9)
        return parse_number(value);
    int n = 0;
    for (char ch : value) {
        if (ch < '0' || ch > '9')
            return parse_number(value);
        n = n * 10 + (ch - '0');
    }
    return n;
}

void apply_key(Component& c, const DefinitionKey& key, std::string_view value)
{
    const size_t k = size_t(key.slot);
    switch (key.field) {
    case KeyField::auto_elevation: c.auto_elevation = number(value); break;
    case KeyField::magnet_no_elevation: c.magnet_no_elevation = number(value); break;
    case KeyField::elevation: c.elevation = number(value); break;
    case KeyField::panel_w_1: c.panel_w_1 = number(value); break;
    case KeyField::panel_h_1: c.panel_h_1 = number(value); break;
    case KeyField::draw: c.draw = text(value); break;
    case KeyField::draw_mirror: c.draw_mirror = to_float(number(value)); break;
    case KeyField::no_magnet: c.no_magnet = text(value); break;
    case KeyField::auteur: c.auteur = text(value); break;
    case KeyField::license: c.license = text(value); break;
    case KeyField::draw_open: c.draw_open = text(value); break;
    case KeyField::draw_rotation: c.draw_rotation = text(value); break;
    case KeyField::draw_fill: c.draw_fill = text(value); break;
    case KeyField::pivot_x: c.pivot_x = to_float(number(value)); break;
    case KeyField::pivot_y: c.pivot_y = to_float(number(value)); break;
    case KeyField::color_src: c.color_src[k] = text(value); break;
    case KeyField::color_name: c.color_name[k] = text(value); break;
    case KeyField::color_lib: c.color_lib[k] = text(value); break;
    case KeyField::magnet_x: c.magnet_x[k] = number(value); break;
    case KeyField::magnet_y: c.magnet_y[k] = number(value); break;
    case KeyField::magnet_z: c.magnet_z[k] = number(value); break;
    case KeyField::magnet_r: c.magnet_r[k] = to_float(number(value)); break;
    case KeyField::magnet_contrainte: c.magnet_contrainte[k] = number(value); break;
    case KeyField::magnet_force: c.magnet_force[k] = number(value); break;
    case KeyField::magnet_recepteur: c.magnet_recepteur[k] = number(value); break;
    case KeyField::magnet_contrainte_ajuste: c.magnet_contrainte_ajuste[k] = number(value); break;
    case KeyField::magnet_only_lib: c.magnet_only_lib[k] = number(value); break;
    case KeyField::ref: c.ref = text(value); break;
    case KeyField::ref_reseal: c.ref_reseal = text(value); break;
    case KeyField::info: c.info = format_number(number(value)); break;
    case KeyField::short_name: c.short_name = text(value); break;
    case KeyField::resize_x: c.resize_x = number(value); break;
    case KeyField::resize_y: c.resize_y = number(value); break;
    case KeyField::resize_z: c.resize_z = number(value); break;
    case KeyField::draw_color: c.draw_color = parse_colour(value); break;
    case KeyField::panel: c.panel = number(value); break;
    case KeyField::name_en: c.name_en = text(value); break;
    }
}

int name_en_key()
{
    static const int key = [] {
        const auto& keys = definition_keys();
        for (size_t i = 0; i < keys.size(); ++i)
            if (keys[i].field == KeyField::name_en)
                return int(i);
        return -1;
    }();
    return key;
}

// Every value stays on its own line.
std::string one_line(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != '\r' && c != '\n')
            out += c;
    return out;
}

bool is_plain_file_name(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos
           && name.find('\\') == std::string::npos;
}

} // namespace

Result<int> parse_definition(std::string_view bytes, ComponentTable& table, std::string_view lang,
                             const fs::path& file)
{
    LineCursor lines(bytes);
    std::string_view header[6];
    for (int i = 0; i < 6; ++i)
        if (!lines.next(header[i]))
            return make_error("the file ends inside its six header lines; not read", file, lines.line_number());

    auto number = whole_number_in(header[0], 0, max_component);
    if (!number)
        return make_error("line 1 holds '" + excerpt(text(header[0])) + "', not a component number from 0 to "
                              + std::to_string(max_component) + "; file not read",
                          file, 1);

    Component& c = table[*number];
    c.shape = round_to_int(parse_number(header[1]));
    c.name = text(header[2]);
    c.name_fr = c.name;
    c.width = parse_number(header[3]);
    c.depth = parse_number(header[4]);
    c.height = parse_number(header[5]);

    const auto& keys = definition_keys();
    const bool english = lang == "en";
    std::string_view line;
    while (lines.next(line)) {
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            continue; // every key holds "="
        std::string_view value = line.substr(equals + 1);
        auto apply = [&](int key) {
            apply_key(c, keys[size_t(key)], value);
            // An empty English name would turn the component into a free number in English only.
            if (english && key == name_en_key() && !c.name_en.empty())
                c.name = c.name_en;
        };
        // The usual line, "key=value", without a set to build.
        if (value.find('=') == std::string_view::npos)
            if (const auto* single = keys_of_single_key_line(line, equals)) {
                for (std::int16_t key : *single)
                    if (key >= 0)
                        apply(key);
                continue;
            }
        match_keys(line, equals).for_each(apply);
    }
    return *number;
}

bool companion_3d_exists(const fs::path& file)
{
    std::error_code ec;
    fs::path exact = file;
    exact.replace_extension(".dat");
    if (fs::is_regular_file(exact, ec))
        return true;
    // Libraries copied from other systems may spell the extension in capitals.
    const std::string stem = file.stem().string();
    fs::directory_iterator it(file.parent_path().empty() ? fs::path(".") : file.parent_path(), ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const fs::path& p = it->path();
        if (p.stem().string() == stem && equals_ignore_case(p.extension().string(), ".dat")
            && it->is_regular_file(ec))
            return true;
    }
    return false;
}

Result<int> read_definition_file(const fs::path& file, ComponentTable& table, std::string_view lang)
{
    auto bytes = read_file_bytes(file, small_file_bytes_max);
    if (!bytes)
        return bytes.error();
    auto number = parse_definition(*bytes, table, lang, file);
    if (number)
        table[*number].has_3d = companion_3d_exists(file);
    return number;
}

std::vector<std::string> definition_lines(const Component& c, int n)
{
    std::vector<std::string> out;
    out.reserve(6 + 12 + 7 * magnet_slots + 3 * colour_slots + 11);
    auto number = [](double v) { return format_definition_number(v); };
    auto key = [&](const char* k, std::string value) { out.push_back(k + value); };
    auto slot_key = [&](const char* k, int slot, std::string value) {
        out.push_back(k + std::to_string(slot) + "=" + value);
    };

    out.push_back(std::to_string(n));
    out.push_back(std::to_string(c.shape));
    // The name line is the French name whatever the interface shows.
    out.push_back(one_line(c.name_fr.empty() ? c.name : c.name_fr));
    out.push_back(format_number(c.width));
    out.push_back(format_number(c.depth));
    out.push_back(format_number(c.height));

    key("auto_elevation=", number(c.auto_elevation));
    key("elevation=", number(c.elevation));
    key("panel_w_1=", number(c.panel_w_1));
    key("panel_h_1=", number(c.panel_h_1));
    key("elevation=", number(c.elevation));
    key("draw=", one_line(c.draw));
    key("draw_mirror=", number(c.draw_mirror));
    key("no_magnet=", one_line(c.no_magnet));
    key("draw_open=", one_line(c.draw_open));
    key("draw_rotation=", one_line(c.draw_rotation));
    key("pivot_x=", number(c.pivot_x));
    key("pivot_y=", number(c.pivot_y));
    for (int k = 0; k < magnet_slots; ++k) {
        const size_t s = size_t(k);
        slot_key("magnet_x_", k, number(c.magnet_x[s]));
        slot_key("magnet_y_", k, number(c.magnet_y[s]));
        slot_key("magnet_z_", k, number(c.magnet_z[s]));
        slot_key("magnet_r_", k, number(c.magnet_r[s]));
        slot_key("magnet_contrainte_", k, number(c.magnet_contrainte[s]));
        slot_key("magnet_force_", k, number(c.magnet_force[s]));
        slot_key("magnet_recepteur_", k, number(c.magnet_recepteur[s]));
    }
    for (int k = 0; k < colour_slots; ++k) {
        const size_t s = size_t(k);
        slot_key("color_src_", k, one_line(c.color_src[s]));
        slot_key("color_name_", k, one_line(c.color_name[s]));
        slot_key("color_lib_", k, one_line(c.color_lib[s]));
    }
    key("ref=", one_line(c.ref));
    key("ref_reseal=", one_line(c.ref_reseal));
    key("info=", one_line(c.info));
    key("short=", one_line(c.short_name));
    key("resize_x=", number(c.resize_x));
    key("resize_y=", number(c.resize_y));
    key("resize_z=", number(c.resize_z));
    key("draw_color=", colour_hex(c.draw_color));
    key("panel=", number(c.panel));
    key("auteur=", one_line(c.auteur));
    key("license=", one_line(c.license));
    // Written only where they say something, so that a file without them stays as it was read.
    for (int k = 0; k < magnet_slots; ++k)
        if (c.magnet_only_lib[size_t(k)] != -1)
            slot_key("magnet_only_lib_", k, number(c.magnet_only_lib[size_t(k)]));
    if (!c.name_en.empty())
        key("name_en=", one_line(c.name_en));
    return out;
}

Result<fs::path> definition_folder(const fs::path& root, ComponentTable& table, int n)
{
    if (!ComponentTable::valid(n))
        return make_error("component " + std::to_string(n) + " is outside 0.." + std::to_string(max_component));
    Component& c = table[n];
    if (c.library == 0)
        c.library = n / 100;
    if (!LibraryTable::valid(c.library))
        return make_error("component " + std::to_string(n) + " belongs to library " + std::to_string(c.library)
                          + ", which has no folder (libraries are 0.."
                          + std::to_string(library_count_max - 1) + ")");
    if (!is_plain_file_name(c.file_name))
        return make_error("component " + std::to_string(n) + " has no usable file name ('" + c.file_name
                          + "'); a definition file name is a plain name such as '" + std::to_string(n)
                          + ".lib'");
    return root / "extlib" / std::to_string(c.library);
}

Result<void> write_definition_file(const fs::path& app_dir, ComponentTable& table, int n)
{
    Result<fs::path> folder = definition_folder(app_dir, table, n);
    if (!folder)
        return folder.error();
    std::error_code ec;
    if (!fs::is_directory(*folder, ec))
        return make_error("the library folder does not exist; the definition file was not written", *folder);
    return write_lines(*folder / table[n].file_name, definition_lines(table[n], n));
}

} // namespace halvern
