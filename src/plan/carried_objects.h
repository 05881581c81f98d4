#pragma once
// Objects that stand on another one (a brochure holder on a counter, a lamp on a shelf, a counter
// on a platform) go where it goes: moved, turned, copied and deleted with it. An object stands on
// a carrier when its elevation is the carrier's top (its elevation plus its height, 0 read as 228
// for a built-in frame) within `carried_tolerance` and its turned footprint lies within the
// carrier's. A stack carries everything on it. A floor covering, whose top lies within the
// tolerance of the floor, carries nothing: what stands on it stands on the floor.

#include <vector>

#include "base/result.h"
#include "library/component_table.h"
#include "plan/footprint_overlaps.h"
#include "plan/plan_table.h"

namespace halvern {

inline constexpr double carried_tolerance = 1.0; // cm, in height and around the carrier's footprint

// Elevation plus height; a built-in frame of height 0 is as tall as its usual stack of modules.
double object_top(const PlanTable& plan, const ComponentTable& components, int i);

// True when `object` stands on `carrier`.
bool carries(const PlanTable& plan, const ComponentTable& components, int carrier, int object);

// True when `object` rests on `support`: its underside meets the support's top (within the
// tolerance) where their footprints overlap, wholly or in part. A carrier is one such support.
bool rests_on(const PlanTable& plan, const ComponentTable& components, int object, int support);
// The same for footprints worked out once (`support_top` from object_top), for a search over many.
bool rests_on(const Footprint& object, const Footprint& support, double support_top);

// Every object that stands on one of `roots`, directly or on something that does, the roots
// themselves left out; in table order.
std::vector<int> carried_objects(const PlanTable& plan, const ComponentTable& components, const std::vector<int>& roots);

// Where an object stands and how it is turned and raised.
struct Placement {
    float x = 0, y = 0, rot = 0, elevation = 0;
    bool operator==(const Placement&) const = default;
};
Placement placement_of(const PlanTable& plan, int i);

// Where object i goes when its carrier goes from `before` to `after`: turned about the carrier's
// middle by the carrier's turn, moved with it and raised as much as it rose.
Placement carried_placement(const PlanTable& plan, int i, const Placement& before, const Placement& after);
// Moves every object of `carried` so.
void follow_carrier(PlanTable& plan, const std::vector<int>& carried, const Placement& before, const Placement& after);

// Copies of the objects of `carried`, which stand on `original`, standing on `copy` as they stand
// on the original (the copy rule of a single object for each). Gives the new objects' numbers; the
// focus stays on `copy`.
Result<std::vector<int>> copy_carried(PlanTable& plan, const std::vector<int>& carried, int original, int copy);

// Where pasted or duplicated objects land: a single object, or a first object with everything else
// standing on it, snaps as a dropped object does (what it carries following it); a block of
// several keeps its own joints, as a dropped selection does.
void settle_copies(PlanTable& plan, const ComponentTable& components, const std::vector<int>& added);

// What stands on the carriers before an edit of their own fields (a dialog's turn, elevation or
// height): `settle`, once the edit is done, turns it with its carrier and keeps it on the carrier's
// top. A carrier never moves as another's load (the edit moved it already), and an object on two
// carriers follows the first. Nothing when `carry` is off.
class CarriedLoad {
public:
    CarriedLoad(const PlanTable& plan, const ComponentTable& components, const std::vector<int>& carriers, bool carry);
    void settle(PlanTable& plan) const;

private:
    struct Load {
        int carrier = 0;
        std::vector<int> carried;
        Placement before;
        double top = 0;
    };
    const ComponentTable& components_;
    std::vector<Load> loads_;
};

// The objects the focused object, else the selected objects, carry.
std::vector<int> carried_by_chosen(const PlanTable& plan, const ComponentTable& components);

} // namespace halvern
