#pragma once
// The size of the picture printed on a face of a built-in panel, as the plan's labels show it.

#include <string>
#include <string_view>

namespace halvern {

// Millimetres: the panel's own width, lengthened at a free end and shortened at a square corner by
// the very offsets that place the frame's end pieces for that end code, rounded to whole
// millimetres.
double face_picture_width_mm(double component_width, std::string_view end_code);

// "<width>mm x <height> mm", the height given in centimetres.
std::string panel_size_text(double width_mm, double hauteur_cm);

} // namespace halvern
