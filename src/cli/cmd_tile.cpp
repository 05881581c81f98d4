#include "base/numbers.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "outputs/picture_tiling.h"
#include "plan/plan_table.h"

namespace halvern {

int cmd_tile(CliContext& context)
{
    const std::filesystem::path picture = context.args[0];
    const std::vector<std::string> texts(context.args.begin() + 1, context.args.end());
    auto widths = read_strip_widths(texts);
    if (!widths)
        return context.usage_error("tile: " + widths.error().message);
    int selected = 0;
    if (auto given = context.option("--selected")) {
        auto count = parse_strict_int(*given, 0, max_selection);
        if (!count)
            return context.usage_error("tile: --selected must be a whole number from 0 to "
                                       + std::to_string(max_selection) + ", not '" + *given + "'");
        selected = *count;
    }

    auto report = tile_picture(picture, *widths, selected);
    if (!report)
        return context.fail(report.error());
    for (const auto& file : report->written)
        context.out << file.string() << '\n';
    for (const Error& failure : report->failures)
        context.fail(failure);
    return report->failures.empty() ? exit_ok : exit_bad_input;
}

} // namespace halvern
