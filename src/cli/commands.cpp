#include <cstdint>

#include "cli/command.h"
#include "cli/commands.h"
#include "cli/plan_pictures.h"
#include "cli/plan_sheets.h"
#include "outputs/strip_layout.h"

namespace halvern {

const std::vector<Command>& cli_commands()
{
    static const std::vector<Command> commands = {
        {"settings", "", "print the seven stored settings as key=value", 0, 0, {}, cmd_settings},
        {"text", "N", "print interface text N (0..1023) of the chosen language", 1, 1, {}, cmd_text},
        {"library", "", "list every component: number, library, name, sizes, shape, 3D, price, weight, bag", 0, 0, {},
         cmd_library},
        {"component", "N", "print every field of component N (0..5000) as field=value", 1, 1, {}, cmd_component},
        {"price-table", "export|import FILE", "write the price table to FILE, or read FILE and install it", 2, 2, {},
         cmd_price_table, true},
        {"preview", "N OUT.png", "draw component N seen from above, fitted to a square picture, as PNG", 2, 2,
         {{"--size", true, "the picture's width and height in pixels (default 400)"},
          {"--rotation", true, "turn the component by this many degrees"},
          {"--detail", true, "0..3: the inner lines to add (default 0)"},
          {"--plain", false, "draw without anti-aliasing"}},
         cmd_preview},
        {"colour", "R G B | --cmyk C J M N", "convert a colour: h= s= l= c= j= m= n= from R G B, r= g= b= from inks",
         3, 4, {{"--cmyk", false, "read the four inks C J M N (0..255) and print the screen colour"}}, cmd_colour},
        {"colours", "LIBRARY.lib",
         "list a colour library: number, name, R G B, transparency, shininess, specular R G B, finish, H S L", 1, 1,
         {}, cmd_colours},
        {"info", "FILE", "print a design's format, stand settings and object counts as key=value", 1, 1, {}, cmd_info},
        {"objects", "FILE", "list a design's objects, one tab-separated line each (its label, then any given colour slots, as c0=R G B SR SG SB shininess transparency)", 1, 1, {}, cmd_objects},
        {"check", "FILE",
         "list what the design checks find, one line each; exit 0 when nothing is found, 3 when something is", 1, 1,
         {{"--format", true, "tsv (default: kind, severity, object, end, other, hidden, text) or json", "tsv|json"},
          {"--all", false, "also list the findings hidden in the design"}},
         cmd_check},
        {"convert", "IN OUT.qlm", "read a design of either format and write it in the current format", 2, 2, {},
         cmd_convert, true},
        {"bom", "FILE", "print a design's bill of materials (tsv: the list as copied to the clipboard)", 1, 1,
         {{"--group", true, "count only the members of this group object", "G"},
          {"--format", true,
           "tsv (default), json (with the other components), csv (the whole quote) or xlsx (the quote and the "
           "packing list as a spreadsheet, written to -o)",
           "tsv|json|csv|xlsx"},
          {"-o", true, "the file the spreadsheet is written to", "OUT.xlsx"},
          {"--date", true, "the date the spreadsheet's title block shows (default today, as YYYY-MM-DD)", "TEXT"}},
         cmd_bom},
        {"drop", "FILE INDEX X Y [ROT]", "drop object INDEX at (X, Y) as a drag ends, snap it, print x y rot elevation",
         4, 5, {{"-o", true, "write the design with the dropped object to this file", "OUT.qlm"}}, cmd_drop, true},
        {"render", "FILE OUT.jpg", "draw the plan as \"Save Screen\" saves it, or as a window shows it, as JPEG", 2, 2,
         render_command_options(), cmd_render},
        {"blueprint", "FILE OUT.jpg", "draw the 2D blueprint, ten pixels per centimetre, as JPEG", 2, 2,
         blueprint_command_options(), cmd_blueprint},
        {"print", "FILE OUT.pdf", "print the plan with its title block into a PDF file (A4 unless asked)", 2, 2,
         sheet_command_options(), cmd_print},
        {"export-plan", "FILE OUT.pdf|OUT.svg",
         "draw the plan as vectors at a true scale with its title block, as PDF or SVG", 2, 2,
         sheet_command_options(), cmd_export_plan},
        {"export-dxf", "FILE OUT.dxf",
         "write the plan as a DXF drawing in millimetres: layers, one block per component type, the stand's dimensions",
         2, 2, {}, cmd_export_dxf},
        {"export-vrml", "FILE OUT.wrl", "write the stand as a VRML 2.0 scene and copy the pictures it uses beside it", 2,
         2,
         {{"--variant", true, "0 full scene with pictures (default), 1 structure, 2 coloured structure", "0|1|2"},
          {"--no-textures", false, "do not copy the pictures"}},
         cmd_export_vrml},
        {"export-gltf", "FILE OUT.glb|OUT.gltf",
         "write the stand as glTF 2.0: one .glb with its pictures inside, or a .gltf with its pictures beside it", 2,
         2, {{"--variant", true, "0 full scene with pictures (default), 1 structure, 2 coloured structure", "0|1|2"}},
         cmd_export_gltf},
        {"export-web", "FILE OUT.html",
         "write one web page that shows the stand in 3D in any browser, offline, with the title block and, when "
         "asked, the quote",
         2, 2,
         {{"--variant", true, "0 full scene with pictures (default), 1 structure, 2 coloured structure", "0|1|2"},
          {"--with-quote", false, "show the quote (the rows and totals of bom --format csv) beside the stand"},
          {"--full-pictures", false, "keep the pictures as they are (by default reduced to 2048 pixels a side)"},
          {"--date", true, "the date the title block shows (default today, as YYYY-MM-DD)", "TEXT"},
          {"--viewer-folder", true, "where three.js is (default /usr/share/javascript/three, package libjs-three)",
           "DIR"}},
         cmd_export_web},
        {"render-3d", "FILE OUT.png", "draw the stand in 3D as PNG or JPEG (needs a display: xvfb-run without one)", 2,
         2,
         {{"--variant", true, "0 full scene with pictures (default), 1 structure, 2 coloured structure", "0|1|2"},
          {"--size", true, "the picture's width and height in pixels (default 1280x720)", "WxH"},
          {"--view", true, "where the stand is seen from (default iso)", "iso|front|top|left|right"}},
         cmd_render_3d},
        {"print-pack", "FILE OUTDIR",
         "write every printed face's picture at its print size as JPEG, with manifest.csv and manifest.pdf; print "
         "the files written; exit 3 when a face with a picture could not be written",
         2, 2, print_pack_command_options(), cmd_print_pack},
        {"build-sheets", "FILE [OUT.pdf]",
         "print what the crew needs to put the stand up: packing list, wall runs in building order, free objects",
         1, 2,
         {{"--format", true, "pdf (default: into OUT.pdf) or json (on standard output)", "pdf|json"},
          {"--date", true, "the date the cover shows (default today, as YYYY-MM-DD)", "TEXT"}},
         cmd_build_sheets},
        {"tile", "PICTURE W1 [W2 ...]",
         "cut a picture into 1 to 16 strips in the proportions of the widths, as JPEG files beside it; print their "
         "names",
         2, SIZE_MAX, {{"--selected", true, "the number of selected objects the names carry (default 0)", "K"}},
         cmd_tile},
    };
    return commands;
}

const Command* find_command(std::string_view name)
{
    for (const Command& c : cli_commands())
        if (c.name == name)
            return &c;
    return nullptr;
}

} // namespace halvern
