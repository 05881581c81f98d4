#include "cli/commands.h"
#include "cli/plan_pictures.h"
#include "cli/project_input.h"
#include "outputs/plan_output.h"
#include "platform/qt_plan_surfaces.h"

namespace halvern {

int cmd_blueprint(CliContext& context)
{
    auto design = read_design(context, context.args[0]);
    if (!design || design->read.failure)
        return exit_bad_input;
    PlanScene scene{design->components, design->libraries, design->plan, design->stand};
    SilentOutputHost host;
    if (auto saved = BlueprintOutput(qt_surface_maker()).write(context.args[1], scene, view_from_switches(context), host);
        !saved)
        return context.fail(saved.error());
    return exit_ok;
}

} // namespace halvern
