#include "cli/commands.h"
#include "cli/project_input.h"
#include "project/project_writer.h"

namespace halvern {

int cmd_convert(CliContext& context)
{
    const std::string& out = context.args[1];
    auto design = read_design(context, context.args[0]);
    if (!design)
        return exit_bad_input;
    // A file read only in part (cut off, damaged, or holding more objects than a design can) is
    // not converted: the result would pass for the whole design.
    if (!design->read.complete()) {
        context.err << "halvern: " << out << ": not written\n";
        return exit_bad_input;
    }
    if (auto written = write_project_file(out, design->plan, design->stand); !written)
        return context.fail(written.error());
    return exit_ok;
}

} // namespace halvern
