#include "cli/command.h"
#include "cli/commands.h"

namespace halvern {

const std::vector<Command>& cli_commands()
{
    static const std::vector<Command> commands = {
        {"settings", "", "print the seven stored settings as key=value", 0, 0, {}, cmd_settings},
        {"text", "N", "print interface text N (0..300) of the chosen language", 1, 1, {}, cmd_text},
    };
    return commands;
}

} // namespace halvern
