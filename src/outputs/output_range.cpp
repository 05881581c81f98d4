#include "outputs/output_range.h"

#include <cmath>
#include <string>

#include "base/numbers.h"
#include "plan/plan_range.h"

namespace halvern {

namespace {

std::string number_text(double value) { return std::isfinite(value) ? format_number(value) : std::string("no number"); }

} // namespace

Result<void> check_output_range(const PlanTable& plan, const StandSettings& stand)
{
    const struct {
        const char* name;
        double metres;
    } sides[] = {{"width", stand.stand_largeur}, {"depth", stand.stand_profondeur}};
    for (const auto& side : sides)
        if (!plan_stand_side_in_range(side.metres * 100))
            return make_error("the stand's " + std::string(side.name) + " of " + number_text(side.metres)
                              + " m is outside what an output can draw (above 0 up to "
                              + format_number(plan_max_stand_side_cm / 100) + " m); nothing is written");
    for (int i = 1; i <= plan.nb_objets; ++i) {
        if (plan.is_group(i) || plan.is_marked(i))
            continue;
        const size_t k = size_t(i);
        const struct {
            const char* name;
            double cm;
        } values[] = {{"x", plan.obj_x[k]},
                      {"y", plan.obj_y[k]},
                      {"width", plan.obj_largeur[k]},
                      {"depth", plan.obj_profondeur[k]},
                      {"height", plan.obj_hauteur[k]},
                      {"elevation", plan.obj_elevation[k]}};
        for (const auto& value : values)
            if (!plan_coordinate_in_range(value.cm))
                return make_error("object " + std::to_string(i) + ": its " + value.name + " of "
                                  + number_text(value.cm) + " cm is outside what an output can draw (-"
                                  + format_number(plan_max_coordinate_cm) + " to "
                                  + format_number(plan_max_coordinate_cm) + " cm); nothing is written");
        if (!std::isfinite(plan.obj_rot[k]))
            return make_error("object " + std::to_string(i) + ": its rotation is no number; nothing is written");
    }
    return {};
}

} // namespace halvern
