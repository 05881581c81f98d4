#pragma once
// The outline of one component seen from above, as the plan, the palette column, the editor
// preview and the library window draw it: built-in frames (library 0) by their style and end
// codes, curved profile pieces (library 23) from their lists, every other component from its
// shape code or its own path.

#include <string_view>

#include "geometry/canvas.h"
#include "library/component_table.h"

namespace halvern {

// Where the plan lies on the picture: pixel x = zoom (x + decal_x), plus 75 pixels when the
// palette column stands at the left of the picture (the plan window); pixel y = zoom (y + decal_y).
struct PlanView {
    double zoom = 1;
    double decal_x = 0, decal_y = 0;
    bool palette_column = false;
};

inline constexpr int palette_column_pixels = 75;

// What one drawing of a component needs besides the component table.
struct ComponentLook {
    double x = 0, y = 0; // centre, plan centimetres
    double angle = 0;    // degrees, clockwise on screen
    int component = 0;
    int end_mode = 0;    // non-zero: built-in frames draw no figure
    int detail = 0;      // 0..3: 1 and 3 add one set of inner lines, 2 and 3 another
    double intensity = 1; // 0..1, faded objects 0.4; 0 is taken as 1
    int line_boost = 0;  // pixels added to the line width
    // The object's own size (obj_largeur, obj_profondeur), used when the component resizes.
    double object_width = 0, object_depth = 0;
    // The object's end code, one letter per end, end 1 first ("OO" for a lone frame).
    std::string_view end_code = "OO";
    bool front_view = false; // the front view: point lists ignore draw_rotation and are not filled
};

// Draws the component of `look` into the canvas. A number outside the table or a free number
// draws nothing, as do a zero or broken zoom.
void draw_component(Canvas& canvas, const ComponentTable& components, const PlanView& view,
                    const ComponentLook& look);

// The offsets (a, b) in centimetres that place the pieces at end 1 and end 2 of a built-in frame,
// by its end code; a code the table does not know gives (0, 0).
struct EndOffsets {
    double end1 = 0, end2 = 0;
};
EndOffsets end_offsets(std::string_view end_code);

} // namespace halvern
