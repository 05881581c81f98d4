#include <cmath>
#include <filesystem>

#include "base/error_words.h"
#include "base/numbers.h"
#include "cli/commands.h"
#include "cli/plan_pictures.h"
#include "cli/project_input.h"
#include "platform/print_pack_output.h"

namespace halvern {

namespace {

// A number option: the default when absent, nothing (after the usage message) when not a number.
std::optional<double> number_option(CliContext& context, std::string_view name, double fallback)
{
    auto given = context.option(name);
    if (!given)
        return fallback;
    if (auto value = parse_strict_real(*given))
        return *value;
    context.usage_error("print-pack: " + std::string(name) + " must be a number, not '" + *given + "'");
    return std::nullopt;
}

} // namespace

int cmd_print_pack(CliContext& context)
{
    PrintPackSettings settings;
    auto dpi = number_option(context, "--dpi", settings.dpi);
    auto bleed = number_option(context, "--bleed", settings.bleed_mm);
    auto roll = number_option(context, "--roll", settings.roll_mm);
    if (!dpi || !bleed || !roll)
        return exit_usage;
    if (*dpi != std::floor(*dpi) || *dpi < 1 || *dpi > 100000)
        return context.usage_error("print-pack: --dpi must be a whole number");
    settings.dpi = int(*dpi);
    settings.bleed_mm = *bleed;
    settings.roll_mm = *roll;
    if (auto checked = check_print_pack_settings(settings); !checked)
        return context.usage_error("print-pack: " + checked.error().message);

    auto design = read_design(context, context.args[0]);
    if (!design || design->read.failure)
        return exit_bad_input;
    UiText texts;
    texts.load(context.app_dir, context.lang);
    PlanScene scene{design->components, design->libraries, design->plan, design->stand};
    SilentOutputHost host;
    const std::filesystem::path design_folder = std::filesystem::absolute(context.args[0]).parent_path();
    auto files = export_print_pack(context.args[1], scene, view_from_switches(context), settings, texts, design_folder,
                                   host);
    if (!files)
        return context.fail(files.error());
    int status = exit_ok;
    for (const PrintEntry& entry : files->pack.entries) {
        for (const PrintPiece& piece : entry.pieces)
            context.out << piece.file.string() << '\n';
        if (entry.status != PrintStatus::written) {
            context.err << "halvern: object " << entry.face.object << (entry.face.face == 1 ? " recto" : " verso")
                        << ": " << error_words_in(entry.problem, context.lang) << '\n';
            status = exit_bad_input;
        }
    }
    context.out << files->csv.string() << '\n' << files->pdf.string() << '\n';
    return status;
}

} // namespace halvern
