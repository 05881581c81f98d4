#include <array>

#include "base/numbers.h"
#include "cli/commands.h"
#include "cli/library_loading.h"

namespace halvern {

namespace {

class FieldPrinter {
public:
    explicit FieldPrinter(std::ostream& out) : out_(out) {}

    void text(std::string_view field, std::string_view value) { out_ << field << '=' << value << '\n'; }
    void number(std::string_view field, double value) { text(field, format_number(value)); }
    void number(std::string_view field, float value) { text(field, format_number(value)); }
    void number(std::string_view field, int value) { text(field, std::to_string(value)); }

    template <class T, size_t N>
    void slots(std::string_view field, const std::array<T, N>& values)
    {
        for (size_t k = 0; k < N; ++k) {
            std::string name = std::string(field) + "_" + std::to_string(k);
            if constexpr (std::is_same_v<T, std::string>)
                text(name, values[k]);
            else
                number(name, values[k]);
        }
    }

private:
    std::ostream& out_;
};

// Every field of the record, in the order of the component table's description.
void print_component(std::ostream& out, const Component& c)
{
    FieldPrinter p(out);
    p.number("shape", c.shape);
    p.text("name", c.name);
    p.number("width", c.width);
    p.number("depth", c.depth);
    p.number("height", c.height);
    p.number("auto_elevation", c.auto_elevation);
    p.number("magnet_no_elevation", c.magnet_no_elevation);
    p.number("elevation", c.elevation);
    p.number("panel_w_1", c.panel_w_1);
    p.number("panel_h_1", c.panel_h_1);
    p.number("panel", c.panel);
    p.number("resize_x", c.resize_x);
    p.number("resize_y", c.resize_y);
    p.number("resize_z", c.resize_z);
    p.text("draw", c.draw);
    p.text("auteur", c.auteur);
    p.text("license", c.license);
    p.text("ref", c.ref);
    p.text("ref_reseal", c.ref_reseal);
    p.text("short", c.short_name);
    p.text("info", c.info);
    p.number("draw_mirror", c.draw_mirror);
    p.text("no_magnet", c.no_magnet);
    p.text("draw_open", c.draw_open);
    p.text("draw_rotation", c.draw_rotation);
    p.text("draw_fill", c.draw_fill);
    p.number("pivot_x", c.pivot_x);
    p.number("pivot_y", c.pivot_y);
    p.number("draw_color", c.draw_color);
    p.slots("color_src", c.color_src);
    p.slots("color_name", c.color_name);
    p.slots("color_lib", c.color_lib);
    p.slots("magnet_x", c.magnet_x);
    p.slots("magnet_y", c.magnet_y);
    p.slots("magnet_z", c.magnet_z);
    p.slots("magnet_contrainte", c.magnet_contrainte);
    p.slots("magnet_force", c.magnet_force);
    p.slots("magnet_recepteur", c.magnet_recepteur);
    p.slots("magnet_r", c.magnet_r);
    p.slots("magnet_only_lib", c.magnet_only_lib);
    p.slots("magnet_contrainte_ajuste", c.magnet_contrainte_ajuste);
    p.number("library", c.library);
    p.text("file_name", c.file_name);
    p.number("has_3d", c.has_3d ? 1 : 0);
    p.number("price", c.price);
    p.number("weight", c.weight);
    p.number("pack_by", c.pack_by);
    p.number("style", c.style);
    p.number("hidden", c.hidden);
}

} // namespace

int cmd_component(CliContext& context)
{
    auto n = parse_strict_int(context.args[0], 0, max_component);
    if (!n)
        return context.usage_error("component: N must be a whole number from 0 to " + std::to_string(max_component)
                                   + ", not '" + context.args[0] + "'");
    ComponentTable components;
    LibraryTable libraries;
    load_tables(context, components, libraries);
    if (components[*n].is_free())
        return context.fail(make_error("component " + std::to_string(*n) + " is a free number (no component has it)"));
    print_component(context.out, components[*n]);
    return 0;
}

} // namespace halvern
