#include "plan/face_proportion.h"

#include <cmath>

#include "base/numbers.h"
#include "plan/panel_size.h"
#include "plan/plan_ends.h"

namespace halvern {

std::optional<double> FaceSize::proportion() const
{
    if (!(width > 0) || !std::isfinite(height / width))
        return std::nullopt;
    return height / width;
}

FaceSize face_picture_size(const PlanTable& plan, const ComponentTable& components, int i, int face,
                           const TypedFace& typed)
{
    FaceSize size;
    if (!plan.valid(i))
        return size;
    const size_t k = size_t(i);
    const int n = plan.comp(i);
    const double height = typed.height_cm.value_or(plan.obj_hauteur[k]);
    if (ComponentTable::valid(n) && components[n].library == 0 && components[n].panel != 0 && has_geometry(plan, i)) {
        const std::string code = !typed.end_code ? end_code(plan, components, i, face)
            : !typed.end_code->empty()           ? *typed.end_code
                                                 : computed_end_code(plan, components, i);
        size.width = face_picture_width_mm(components[n].width, code);
        size.height = built_in_height(height) * 10;
    } else {
        size.width = typed.width_cm.value_or(plan.obj_largeur[k]) * 10;
        size.height = height * 10;
    }
    return size;
}

bool proportion_off(double picture_proportion, std::optional<double> normal)
{
    if (!normal)
        return false;
    return picture_proportion < 0.9 * *normal || picture_proportion > 1.1 * *normal;
}

std::string proportion_text(double proportion) { return format_number(round_half_away(proportion * 100) / 100); }

} // namespace halvern
