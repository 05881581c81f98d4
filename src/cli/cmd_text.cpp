#include "base/numbers.h"
#include "base/ui_text.h"
#include "cli/commands.h"

namespace halvern {

int cmd_text(CliContext& context)
{
    auto n = parse_strict_int(context.args[0], 0, UiText::count - 1);
    if (!n)
        return context.usage_error("text: N must be a whole number from 0 to " + std::to_string(UiText::count - 1) + ", not '" + context.args[0] + "'");
    UiText texts;
    texts.load(context.app_dir, context.lang);
    for (const Error& note : texts.notes())
        context.err << "halvern: " << note.text() << '\n';
    context.out << texts.get(*n) << '\n';
    return 0;
}

} // namespace halvern
