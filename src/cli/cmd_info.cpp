#include "base/numbers.h"
#include "cli/commands.h"
#include "cli/project_input.h"
#include "cli/utf8_output.h"

namespace halvern {

int cmd_info(CliContext& context)
{
    auto design = read_design(context, context.args[0]);
    if (!design)
        return exit_bad_input;
    const StandSettings& s = design->stand;
    int groups = 0;
    for (int i = 1; i <= design->plan.nb_objets; ++i)
        groups += design->plan.is_group(i) ? 1 : 0;
    context.out << "format=" << format_name(design->read.format) << '\n'
                << "stand_largeur=" << format_number(s.stand_largeur) << '\n'
                << "stand_profondeur=" << format_number(s.stand_profondeur) << '\n'
                << "stand_murs=" << s.stand_murs << '\n'
                << "floor_texture=" << text_cell(s.floor_texture) << '\n'
                << "client=" << text_cell(s.client) << '\n'
                << "title=" << text_cell(s.title) << '\n'
                << "objects=" << design->plan.nb_objets << '\n'
                << "groups=" << groups << '\n'
                << "dropped=" << design->read.dropped << '\n';
    return design->read.failure ? exit_bad_input : exit_ok;
}

} // namespace halvern
