#pragma once
// Lays out an example design the way a user would: each object is created at a point, turned,
// and dropped, so that the program's own snapping raises it, pulls it onto magnets and joins its
// ends. Runs of frames are placed end to end from where the previous one ends, so that every joint
// is exact.

#include <string>
#include <vector>

#include "library/component_table.h"
#include "plan/plan_table.h"
#include "plan/stand_settings.h"

namespace halvern::tools {

class DesignBuilder {
public:
    DesignBuilder(const ComponentTable& components, StandSettings stand);

    // Creates component `component` at (x, y) turned by `rot`, with the faces its definition allows,
    // and drops it. Returns its object number.
    int drop(int component, double x, double y, double rot = 0);
    // The same with the object's own width and depth (a component the 3D scene stretches).
    int drop_sized(int component, double x, double y, double width, double depth, double rot = 0);

    // Frames of the built-in library end to end along a line turned by `rot`, the first one's end 1
    // at (x, y), each `height` high with a picture on the recto. Returns the last one's number.
    int frame_run(const std::vector<int>& frames, double x, double y, double rot, double height);
    // A frame whose end 2 lies at (x, y), turned by `rot`.
    int frame_ending_at(int frame, double x, double y, double rot, double height);

    // Component `component` fixed by its magnet `own` onto magnet `target_magnet` of object
    // `target`: the profile pieces hold each other this way.
    int attach(int component, int own, int target, int target_magnet);

    // Moves objects first..last by (dx, dy): a whole run keeps its joints.
    void shift(int first, int last, double dx, double dy);

    PlanTable& plan() { return plan_; }
    const StandSettings& stand() const { return stand_; }

private:
    int create(int component, double x, double y, double rot);

    const ComponentTable& components_;
    StandSettings stand_;
    PlanTable plan_;
};

// The three examples shipped in "examples/", by file name.
struct ExampleDesign {
    std::string file;
    StandSettings stand;
    PlanTable plan;
};

ExampleDesign shell_stand(const ComponentTable& components);
ExampleDesign corner_stand(const ComponentTable& components);
ExampleDesign island_stand(const ComponentTable& components);

} // namespace halvern::tools
