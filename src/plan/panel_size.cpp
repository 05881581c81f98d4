#include "plan/panel_size.h"

#include "base/numbers.h"
#include "geometry/component_drawing.h"

namespace halvern {

double face_picture_width_mm(double component_width, std::string_view end_code)
{
    const EndOffsets offsets = end_offsets(end_code);
    return round_half_away(10.0 * (component_width + offsets.end1 + offsets.end2));
}

std::string panel_size_text(double width_mm, double hauteur_cm)
{
    return format_number(width_mm) + "mm x " + format_number(round_half_away(hauteur_cm * 10 * 10) / 10) + " mm";
}

} // namespace halvern
