#include "base/numbers.h"
#include "cli/commands.h"
#include "cli/library_loading.h"
#include "cli/utf8_output.h"

namespace halvern {

int cmd_library(CliContext& context)
{
    ComponentTable components;
    LibraryTable libraries;
    load_tables(context, components, libraries);
    for (int n = 0; n <= max_component; ++n) {
        const Component& c = components[n];
        if (c.is_free())
            continue;
        context.out << n << '\t' << c.library << '\t' << text_cell(c.name) << '\t' << format_number(c.width) << '\t'
                    << format_number(c.depth) << '\t' << format_number(c.height) << '\t' << c.shape << '\t'
                    << (c.has_3d ? 1 : 0) << '\t' << format_number(c.price) << '\t' << format_number(c.weight)
                    << '\t' << format_number(c.pack_by) << '\n';
    }
    return 0;
}

} // namespace halvern
