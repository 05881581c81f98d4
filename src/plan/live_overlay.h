#pragma once
// What is drawn over the last full picture of the plan while a button is held: the outlines of the
// held objects where they would land, the lasso or zoom rectangle, the measuring line. The
// interaction computes it; the editor paints it over its cached picture, so the plan itself is only
// redrawn in full when the gesture ends.

#include <optional>
#include <string>
#include <vector>

#include "geometry/canvas.h"
#include "library/component_table.h"
#include "plan/groups.h"
#include "plan/plan_ends.h"
#include "plan/plan_table.h"
#include "plan/view_state.h"

namespace halvern {

// One held object as it would be placed: its number (for its component, sizes and faces), where
// and how turned, and the end code its frame is drawn with.
struct GhostObject {
    int object = 0;
    double x = 0, y = 0, rot = 0;
    std::string end_code = "OO";
};

struct MeasureLine {
    PlanPoint from, to;
};

// A short text beside the pointer, such as the angle of a turn.
struct PointerNote {
    PlanPoint at;
    std::string text;
};

struct LiveOverlay {
    std::vector<GhostObject> objects;
    std::optional<PlanBox> rectangle; // lasso or zoom rectangle, plan centimetres
    std::optional<MeasureLine> measure;
    std::optional<PointerNote> note;
};

// "Distance ", the length in centimetres to a tenth, and its unit: "Distance 505.6 cm".
std::string measure_text(const MeasureLine& line);

// Draws the overlay as the plan window shows it (the palette column at the left). Objects that no
// longer exist are skipped.
void draw_live_overlay(Canvas& canvas, const PlanTable& plan, const ComponentTable& components,
                       const ViewState& view, const LiveOverlay& overlay);

// The texts written over the top right of the plan on every pointer change: the pointer position
// from the floor corner, the zoom and the offsets, and with the debug display the interaction's
// state.
struct Readout {
    std::vector<std::string> position;
    std::vector<std::string> debug; // empty unless the debug display is on
};

void draw_readout(Canvas& canvas, const Readout& readout, int area_width);

} // namespace halvern
