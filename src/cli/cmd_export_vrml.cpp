#include "base/error_words.h"
#include "base/numbers.h"
#include "cli/commands.h"
#include "cli/project_input.h"
#include "outputs/vrml_export.h"
#include "outputs/vrml_scene.h"

namespace halvern {

int cmd_export_vrml(CliContext& context)
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
    VrmlScene scene = build_vrml_scene(inputs, variant);
    if (scene.refused)
        return context.fail(make_error(*scene.refused, context.args[1]));
    for (const std::string& message : scene.messages)
        context.err << "halvern: " << error_words_in(message, context.lang) << '\n';
    const std::filesystem::path design_folder = std::filesystem::absolute(context.args[0]).parent_path();
    Result<TextureCopy> written = export_vrml_file(context.args[1], std::move(scene),
                                                   !context.has_option("--no-textures"), nullptr, design_folder);
    if (!written)
        return context.fail(written.error());
    for (const std::string& missing : written->missing)
        context.err << "halvern: " << missing << ": picture not found, not copied\n";
    for (const std::string& junk : written->not_pictures)
        context.err << "halvern: " << junk << ": not a picture, not copied\n";
    for (const std::filesystem::path& renamed : written->renamed)
        context.err << "halvern: " << renamed.string() << ": copied under this name, another file of the folder has the picture's own\n";
    return exit_ok;
}

} // namespace halvern
