#include "base/numbers.h"
#include "cli/commands.h"
#include "cli/plan_sheets.h"
#include "cli/project_input.h"
#include "model3d/web_page_export.h"

namespace halvern {

int cmd_export_web(CliContext& context)
{
    WebPageOptions options;
    if (auto given = context.option("--variant")) {
        const std::optional<int> v = parse_strict_int(*given, 0, 2);
        if (!v)
            return context.usage_error("--variant takes 0, 1 or 2, not \"" + *given + "\"");
        options.variant = VrmlVariant(*v);
    }
    options.with_quote = context.has_option("--with-quote");
    options.full_pictures = context.has_option("--full-pictures");
    options.lang = context.lang;
    options.date = context.option("--date").value_or(today());
    if (auto folder = context.option("--viewer-folder"))
        options.viewer_folder = *folder;

    auto design = read_design(context, context.args[0]);
    if (!design || design->read.failure)
        return exit_bad_input;
    UiText texts;
    texts.load(context.app_dir, context.lang);
    const VrmlInputs inputs{design->components, design->plan, design->stand, context.app_dir,
                            context.settings.config_player, {}};
    Result<WebPageReport> written = export_web_page(context.args[1], inputs, texts, options);
    if (!written)
        return context.fail(written.error());
    for (const std::string& message : written->missing)
        context.err << "halvern: " << message << '\n';
    return exit_ok;
}

} // namespace halvern
