#include "cli/commands.h"
#include "cli/plan_pictures.h"
#include "cli/project_input.h"
#include "platform/plan_printer.h"

namespace halvern {

int cmd_print(CliContext& context)
{
    auto design = read_design(context, context.args[0]);
    if (!design || design->read.failure)
        return exit_bad_input;
    PlanScene scene{design->components, design->libraries, design->plan, design->stand};
    SilentOutputHost host;
    if (auto printed = PrintOutput().write(context.args[1], scene, view_from_switches(context), host); !printed)
        return context.fail(printed.error());
    return exit_ok;
}

} // namespace halvern
