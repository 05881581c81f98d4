#include "cli/plan_sheets.h"

#include <ctime>

#include "cli/plan_pictures.h"
#include "outputs/sheet_texts.h"

namespace halvern {

std::vector<CommandOption> sheet_command_options()
{
    std::vector<CommandOption> options = print_command_options();
    options.push_back({"--scale", true, "fit (default: the largest whole scale that shows the stand), 50 or 100",
                       "fit|50|100"});
    options.push_back({"--paper", true, "a4 (default) or a3", "a4|a3"});
    options.push_back({"--orientation", true, "auto (default: whichever shows the plan larger), portrait or landscape",
                       "auto|portrait|landscape"});
    options.push_back({"--bill", false, "add the bill of materials on the pages after the plan (PDF)"});
    options.push_back({"--date", true, "the date the title block shows (default today, as YYYY-MM-DD)", "TEXT"});
    return options;
}

std::string today()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    return std::strftime(text, sizeof text, "%Y-%m-%d", &local) ? std::string(text) : std::string();
}

std::optional<SheetOptions> sheet_options_from(const CliContext& context, const CliDesign& design, int& usage)
{
    SheetOptions options;
    const std::string scale = context.option("--scale").value_or("fit");
    if (scale == "50" || scale == "100")
        options.scale = std::stoi(scale);
    else if (scale != "fit") {
        usage = context.usage_error("--scale must be fit, 50 or 100, not '" + scale + "'");
        return std::nullopt;
    }
    const std::string paper = context.option("--paper").value_or("a4");
    if (paper == "a3")
        options.paper = Paper::a3;
    else if (paper != "a4") {
        usage = context.usage_error("--paper must be a4 or a3, not '" + paper + "'");
        return std::nullopt;
    }
    const std::string turn = context.option("--orientation").value_or("auto");
    if (turn == "portrait")
        options.turn = PageTurn::portrait;
    else if (turn == "landscape")
        options.turn = PageTurn::landscape;
    else if (turn != "auto") {
        usage = context.usage_error("--orientation must be auto, portrait or landscape, not '" + turn + "'");
        return std::nullopt;
    }
    options.bill_page = context.has_option("--bill");

    UiText texts;
    texts.load(context.app_dir, context.lang);
    options.texts = sheet_texts(texts, design.stand, context.option("--date").value_or(today()));
    options.bill_texts = bill_page_texts(texts, design.stand);
    options.quote = design_quote(design.plan, design.components);
    return options;
}

} // namespace halvern
