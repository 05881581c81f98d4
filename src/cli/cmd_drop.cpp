#include "base/numbers.h"
#include "cli/commands.h"
#include "cli/project_input.h"
#include "plan/plan_range.h"
#include "plan/snapping.h"
#include "project/project_writer.h"

namespace halvern {

int cmd_drop(CliContext& context)
{
    const auto& args = context.args;
    auto index = parse_strict_int(args[1], -2147483647, 2147483647);
    if (!index)
        return context.usage_error("drop: INDEX must be a whole number, not '" + args[1] + "'");
    auto x = parse_strict_real(args[2]);
    auto y = parse_strict_real(args[3]);
    if (!x || !y)
        return context.usage_error("drop: X and Y must be numbers, not '" + (x ? args[3] : args[2]) + "'");
    // The table keeps single-precision numbers: a larger one would be stored as infinity or
    // written back as something else than what was typed.
    for (auto [value, text] : {std::pair{*x, &args[2]}, std::pair{*y, &args[3]}})
        if (!plan_coordinate_in_range(value))
            return context.usage_error("drop: " + *text + " lies outside the plan (at most " +
                                       format_number(plan_max_coordinate_cm) + " cm either way)");
    std::optional<double> rot;
    if (args.size() > 4) {
        rot = parse_strict_real(args[4]);
        if (!rot)
            return context.usage_error("drop: ROT must be a number of degrees, not '" + args[4] + "'");
    }

    auto design = read_design(context, args[0]);
    if (!design)
        return exit_bad_input;
    if (design->read.failure)
        return exit_bad_input;
    // Written back, a design read only up to the capacity would lose the objects beyond it.
    if (!design->read.complete() && context.has_option("-o")) {
        context.err << "halvern: " << *context.option("-o") << ": not written\n";
        return exit_bad_input;
    }
    PlanTable& plan = design->plan;
    const int f = *index;
    if (!plan.valid(f))
        return context.fail(make_error("there is no object " + args[1], args[0]));
    if (plan.is_group(f))
        return context.fail(make_error("object " + args[1] + " is a group, which has no place of its own", args[0]));

    const size_t F = size_t(f);
    drop_object(plan, design->components, f, *x, *y, rot ? normalize_degrees(*rot) : double(plan.obj_rot[F]));

    if (auto out = context.option("-o")) {
        Result<void> written = write_project_file(*out, plan, design->stand);
        if (!written)
            return context.fail(written.error());
    }
    context.out << format_number(plan.obj_x[F]) << '\t' << format_number(plan.obj_y[F]) << '\t'
                << format_number(plan.obj_rot[F]) << '\t' << format_number(plan.obj_elevation[F]) << '\n';
    return exit_ok;
}

} // namespace halvern
