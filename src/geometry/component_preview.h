#pragma once
// The preview of one component, as the object editor and `halvern preview` show it: the footprint
// fitted to the picture (the smaller of picture width / width and picture height / depth, a zero
// size counting as 100 cm), centred, without the palette column. Turned, the box around the turned
// footprint is fitted instead.

#include "geometry/component_drawing.h"
#include "library/component_table.h"

namespace halvern {

struct ComponentPreview {
    PlanView view;
    ComponentLook look;
};

// A lone component: its own size as the object's size, and the end code of a frame with nothing
// joined to it.
ComponentPreview fit_preview(const ComponentTable& components, int component, int picture_width,
                             int picture_height, double angle = 0, int detail = 0);

} // namespace halvern
