#include "cli/commands.h"

namespace halvern {

int cmd_settings(CliContext& context)
{
    for (std::string_view key : settings_keys)
        context.out << key << '=' << settings_value(context.settings, key) << '\n';
    return 0;
}

} // namespace halvern
