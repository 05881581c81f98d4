#include "base/colour_model.h"
#include "base/numbers.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/library_loading.h"
#include "library/colour_library.h"

namespace halvern {

namespace {

// Saturation and lightness as the palette's list shows them: three decimals.
std::string three_decimals(double value) { return format_number(round_half_away(value * 1000) / 1000); }

} // namespace

int cmd_colour(CliContext& context)
{
    const bool from_inks = context.has_option("--cmyk");
    const size_t wanted = from_inks ? 4 : 3;
    if (context.args.size() != wanted)
        return context.usage_error(from_inks ? "colour --cmyk takes four inks: C J M N"
                                             : "colour takes three channels: R G B");
    int v[4] = {};
    for (size_t k = 0; k < wanted; ++k) {
        std::optional<int> value = parse_strict_int(context.args[k], 0, 255);
        if (!value)
            return context.usage_error("colour: '" + context.args[k] + "' is not a whole number 0..255");
        v[k] = *value;
    }
    if (from_inks) {
        const Rgb rgb = cmyk_to_rgb(v[0], v[1], v[2], v[3]);
        context.out << "r=" << int(rgb.r) << " g=" << int(rgb.g) << " b=" << int(rgb.b) << '\n';
        return exit_ok;
    }
    const Hsl hsl = rgb_to_hsl(v[0], v[1], v[2]);
    const Cmyk inks = rgb_to_cmyk(v[0], v[1], v[2]);
    context.out << "h=" << hsl.h << " s=" << three_decimals(hsl.s) << " l=" << three_decimals(hsl.l)
                << " c=" << inks.c << " j=" << inks.j << " m=" << inks.m << " n=" << inks.n << '\n';
    return exit_ok;
}

int cmd_colours(CliContext& context)
{
    Result<ColourLibrary> library = load_colour_library(context.args[0]);
    if (!library)
        return context.fail(library.error());
    for (int i = 0; i < library->count(); ++i) {
        const size_t k = size_t(i);
        const Rgb c = library->colours[k], sp = library->speculars[k];
        const Hsl hsl = rgb_to_hsl(c.r, c.g, c.b);
        context.out << i + 1 << '\t' << library->names[k] << '\t' << int(c.r) << '\t' << int(c.g) << '\t' << int(c.b)
                    << '\t' << format_number(library->transparencies[k]) << '\t'
                    << format_number(library->shininesses[k]) << '\t' << int(sp.r) << '\t' << int(sp.g) << '\t'
                    << int(sp.b) << '\t' << finish_class(library->shininesses[k]) << '\t' << hsl.h << '\t'
                    << three_decimals(hsl.s) << '\t' << three_decimals(hsl.l) << '\n';
    }
    print_notes(context, library->notes);
    return library->notes.empty() ? exit_ok : exit_bad_input;
}

} // namespace halvern
