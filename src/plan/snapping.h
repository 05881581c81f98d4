#pragma once
// Pulling a dropped object into place: automatic elevation, magnets, end joining. Runs once when a
// drag ends, after the object took the pointer position; only the dropped object changes.

#include "library/component_table.h"
#include "plan/plan_ends.h"
#include "plan/plan_table.h"

namespace halvern {

inline constexpr double tolerance_aimant = 5.0; // cm within which two free ends are joined

// The drop assist: where the rule above pulls nothing, a magnet (or a free end) this close on the
// screen still takes the drop, so that snapping feels the same at every zoom. It never reaches
// further than twice what the rule allows, and never changes a drop the rule itself snaps.
inline constexpr double assist_pixels = 12;
inline constexpr double assist_reach_factor = 2;

struct MagnetMatch {
    int object = 0;     // the target object j, 0 when no magnet pulled
    int own_magnet = -1;    // k, on the dropped object
    int target_magnet = -1; // m, on j
    double distance = 0;
};

struct SnapOutcome {
    MagnetMatch magnet;
    int joined_to = 0; // the object whose end the dropped object was joined to, 0 when none
    bool assisted = false; // the assist, not the rule, found the magnet or the end
};

// Where magnet k of object i lies on the plan.
PlanPoint magnet_position(const PlanTable& plan, const ComponentTable& components, int i, int k);
bool magnet_exists(const Component& c, int k);

// The three steps, each usable alone (the ghost of a drag shows where the drop would land).
void apply_auto_elevation(PlanTable& plan, const ComponentTable& components, int f);
MagnetMatch find_magnet(const PlanTable& plan, const ComponentTable& components, int f);
void apply_magnet(PlanTable& plan, const ComponentTable& components, int f, const MagnetMatch& match);
int join_ends(PlanTable& plan, const ComponentTable& components, int f);

// The assist's searches, `reach` the screen's distance in cm. A magnet of force 0 never attracts;
// the nearest candidate wins, the first found on a tie. Only the dropped object changes.
MagnetMatch find_assisted_magnet(const PlanTable& plan, const ComponentTable& components, int f, double reach);
int join_ends_assisted(PlanTable& plan, const ComponentTable& components, int f, double reach);

// `zoom` (pixels per cm) turns on the drop assist for a hand on the screen; 0 gives the rule alone.
SnapOutcome snap_dropped_object(PlanTable& plan, const ComponentTable& components, int f, double zoom = 0);

// The end of a drag: object f takes the position and rotation it was dropped with, then the
// snapping pulls it into place. The editor's drop and the drop command both go through here.
SnapOutcome drop_object(PlanTable& plan, const ComponentTable& components, int f, double x, double y, double rot,
                        double zoom = 0);

} // namespace halvern
