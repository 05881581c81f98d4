#include <algorithm>
#include <cctype>

#include "cli/commands.h"
#include "cli/plan_pictures.h"
#include "cli/plan_sheets.h"
#include "cli/project_input.h"
#include "platform/plan_document.h"
#include "platform/plan_printer.h"

namespace halvern {

namespace {

std::string lower_extension(const std::filesystem::path& file)
{
    std::string ext = file.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return ext;
}

// The design and its sheet options as both commands read them; the exit code when they cannot be.
struct SheetInput {
    std::unique_ptr<CliDesign> design;
    std::optional<SheetOptions> options;
    int exit_code = exit_ok;
};

SheetInput read_sheet_input(CliContext& context)
{
    SheetInput in;
    in.design = read_design(context, context.args[0]);
    if (!in.design || in.design->read.failure) {
        in.exit_code = exit_bad_input;
        return in;
    }
    int usage = 0;
    if (auto options = sheet_options_from(context, *in.design, usage))
        in.options = std::move(*options);
    else
        in.exit_code = usage;
    return in;
}

} // namespace

int cmd_print(CliContext& context)
{
    SheetInput in = read_sheet_input(context);
    if (!in.options)
        return in.exit_code;
    const auto& design = in.design;
    const auto& options = in.options;
    PlanScene scene{design->components, design->libraries, design->plan, design->stand};
    SilentOutputHost host;
    if (auto printed = PrintOutput(*options).write(context.args[1], scene, view_from_switches(context), host); !printed)
        return context.fail(printed.error());
    return exit_ok;
}

int cmd_export_plan(CliContext& context)
{
    const std::filesystem::path out = context.args[1];
    const std::string ext = lower_extension(out);
    if (ext != ".pdf" && ext != ".svg")
        return context.usage_error("export-plan: the output must end in .pdf or .svg, not '" + out.string() + "'");
    SheetInput in = read_sheet_input(context);
    if (!in.options)
        return in.exit_code;
    const auto& design = in.design;
    const auto& options = in.options;
    PlanScene scene{design->components, design->libraries, design->plan, design->stand};
    const ViewState view = view_from_switches(context);
    auto written = ext == ".pdf" ? write_plan_pdf(out, scene, view, *options) : write_plan_svg(out, scene, view, *options);
    if (!written)
        return context.fail(written.error().file.empty() ? make_error(written.error().message, out) : written.error());
    return exit_ok;
}

} // namespace halvern
