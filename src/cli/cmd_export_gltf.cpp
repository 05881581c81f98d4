#include "base/numbers.h"
#include "cli/commands.h"
#include "cli/project_input.h"
#include "model3d/gltf_export.h"
#include "model3d/object_names.h"
#include "model3d/stand_model.h"

namespace halvern {

int cmd_export_gltf(CliContext& context)
{
    VrmlVariant variant = VrmlVariant::full;
    if (auto given = context.option("--variant")) {
        const std::optional<int> v = parse_strict_int(*given, 0, 2);
        if (!v)
            return context.usage_error("--variant takes 0, 1 or 2, not \"" + *given + "\"");
        variant = VrmlVariant(*v);
    }
    auto design = read_design(context, context.args[0]);
    if (!design || design->read.failure)
        return exit_bad_input;
    const VrmlInputs inputs{design->components, design->plan, design->stand, context.app_dir,
                            context.settings.config_player, {}};
    const VrmlScene scene = build_vrml_scene(inputs, variant);
    if (scene.refused)
        return context.fail(make_error(*scene.refused, context.args[1]));
    StandModel model;
    model.read(scene, plan_namer(design->plan, design->components));
    for (const std::string& message : model.messages())
        context.err << "halvern: " << message << '\n';
    Result<GltfReport> written = export_gltf_file(context.args[1], model);
    if (!written)
        return context.fail(written.error());
    for (const std::string& message : written->messages)
        context.err << "halvern: " << message << '\n';
    return exit_ok;
}

} // namespace halvern
