#include "cli/commands.h"
#include "cli/project_input.h"
#include "outputs/dxf_plan.h"

namespace halvern {

int cmd_export_dxf(CliContext& context)
{
    const std::filesystem::path out = context.args[1];
    auto design = read_design(context, context.args[0]);
    if (!design)
        return exit_bad_input;
    if (design->read.failure)
        return exit_bad_input; // a plan of half a design would be a wrong plan; the reason is printed
    PlanScene scene{design->components, design->libraries, design->plan, design->stand};
    if (auto written = write_plan_dxf(out, scene); !written)
        return context.fail(written.error());
    return exit_ok;
}

} // namespace halvern
