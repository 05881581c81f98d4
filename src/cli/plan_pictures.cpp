#include "cli/plan_pictures.h"

namespace halvern {

namespace {

std::vector<CommandOption> display_switches()
{
    return {
        {"--names", false, "label each object with its text, or its component's name"},
        {"--heights", false, "label each object with its height"},
        {"--panel-sizes", false, "label each built-in panel with the size of its pictures"},
        {"--big-labels", false, "labels half as large again"},
        {"--angles", false, "write the joint angle at each joined end"},
        {"--debug", false, "mark every magnet"},
    };
}

} // namespace

std::vector<CommandOption> render_command_options()
{
    std::vector<CommandOption> options = {
        {"--resolution", true, "pixels per metre of stand (default 1000)", "N"},
        {"--width", true, "with --height: the plan as a window of W x H pixels shows it, palette included", "W"},
        {"--height", true, "the window's height in pixels", "H"},
    };
    for (const CommandOption& o : display_switches())
        options.push_back(o);
    return options;
}

std::vector<CommandOption> blueprint_command_options() { return display_switches(); }

std::vector<CommandOption> print_command_options() { return display_switches(); }

std::vector<CommandOption> print_pack_command_options()
{
    std::vector<CommandOption> options = {
        {"--dpi", true, "the pictures' resolution in dots per inch, 10..1200 (default 150)", "N"},
        {"--bleed", true, "millimetres added around every face's print size (default 10)", "MM"},
        {"--roll", true, "the printer's roll width: wider faces are cut into overlapping strips (default 1600)", "MM"},
    };
    for (const CommandOption& display : display_switches())
        options.push_back(display);
    return options;
}

ViewState view_from_switches(const CliContext& context)
{
    ViewState view;
    view.aff_noms = context.has_option("--names");
    view.aff_hauteurs = context.has_option("--heights");
    view.aff_largeur_panneaux = context.has_option("--panel-sizes");
    view.aff_grande_etiquette = context.has_option("--big-labels");
    view.aff_marqueur_angle = context.has_option("--angles");
    view.aff_debug = context.has_option("--debug");
    return view;
}

} // namespace halvern
