#include "base/numbers.h"
#include "cli/commands.h"
#include "cli/project_input.h"
#include "cli/utf8_output.h"
#include "plan/plan_ends.h"
#include "project/colour_slot_line.h"

namespace halvern {

int cmd_objects(CliContext& context)
{
    auto design = read_design(context, context.args[0]);
    if (!design)
        return exit_bad_input;
    PlanTable& plan = design->plan;
    // As the plan shows them after a redraw.
    compute_chains(plan, design->components);
    const std::vector<std::string> codes = computed_end_codes(plan, design->components);
    for (int n = 1; n <= plan.nb_objets; ++n) {
        const size_t i = size_t(n);
        const bool group = plan.is_group(n);
        context.out << n << '\t' << format_number(plan.obj_comp[i]) << '\t' << format_number(plan.obj_x[i]) << '\t'
                    << format_number(plan.obj_y[i]) << '\t' << format_number(plan.obj_rot[i]) << '\t'
                    << format_number(plan.obj_hauteur[i]) << '\t' << format_number(plan.obj_elevation[i]) << '\t'
                    << plan.obj_faces[i] << '\t' << format_number(plan.obj_largeur[i]) << '\t'
                    << format_number(plan.obj_profondeur[i]) << '\t' << plan.obj_groupe[i] << '\t'
                    << (group ? "OO" : end_code_with_override(plan, n, 1, codes[i])) << '\t'
                    << (group ? "OO" : end_code_with_override(plan, n, 2, codes[i])) << '\t' << plan.obj_ilot[i]
                    << '\t' << text_cell(plan.obj_texte[i]);
        // The given colour slots, as the file stores them; nothing more for an object without any.
        std::string slots;
        for (int slot = 0; slot < object_colour_slots; ++slot)
            if (const ColourSlot& colour = plan.colours[i][size_t(slot)]; colour.given)
                slots += (slots.empty() ? "" : ";") + ("c" + std::to_string(slot) + "=") + format_colour_slot(colour);
        if (!slots.empty())
            context.out << '\t' << slots;
        context.out << '\n';
    }
    return design->read.failure ? exit_bad_input : exit_ok;
}

} // namespace halvern
