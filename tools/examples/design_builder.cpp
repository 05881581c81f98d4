#include "examples/design_builder.h"

#include <cmath>
#include <stdexcept>

#include "plan/plan_edit.h"
#include "plan/plan_ends.h"
#include "plan/snapping.h"

namespace halvern::tools {

namespace {

constexpr double radians = 0.017453292519943295;

} // namespace

DesignBuilder::DesignBuilder(const ComponentTable& components, StandSettings stand)
    : components_(components), stand_(std::move(stand))
{
}

int DesignBuilder::create(int component, double x, double y, double rot)
{
    if (!ComponentTable::valid(component) || components_[component].is_free())
        throw std::runtime_error("the library has no component " + std::to_string(component));
    Result<int> made = create_object(plan_, components_, component, float(x), float(y));
    if (!made)
        throw std::runtime_error(made.error().text());
    const size_t i = size_t(*made);
    plan_.obj_rot[i] = float(rot);
    // A new object carries pictures on the faces its definition offers; the frames' recto.
    const Component& c = components_[component];
    plan_.obj_faces[i] = c.library == 0 ? 1 : int(c.panel);
    return *made;
}

int DesignBuilder::drop(int component, double x, double y, double rot)
{
    const int i = create(component, x, y, rot);
    snap_dropped_object(plan_, components_, i);
    return i;
}

int DesignBuilder::drop_sized(int component, double x, double y, double width, double depth, double rot)
{
    const int i = create(component, x, y, rot);
    plan_.obj_largeur[size_t(i)] = float(width);
    plan_.obj_profondeur[size_t(i)] = float(depth);
    snap_dropped_object(plan_, components_, i);
    return i;
}

int DesignBuilder::frame_ending_at(int frame, double x, double y, double rot, double height)
{
    const double half = components_[frame].width / 2;
    const int i = create(frame, x - half * std::cos(rot * radians), y - half * std::sin(rot * radians), rot);
    plan_.obj_hauteur[size_t(i)] = float(height);
    if (join_ends(plan_, components_, i) == 0)
        throw std::runtime_error("frame " + std::to_string(i) + " meets no other frame");
    return i;
}

int DesignBuilder::frame_run(const std::vector<int>& frames, double x, double y, double rot, double height)
{
    int last = 0;
    for (int frame : frames) {
        const double half = components_[frame].width / 2;
        const int i = create(frame, x + half * std::cos(rot * radians), y + half * std::sin(rot * radians), rot);
        plan_.obj_hauteur[size_t(i)] = float(height);
        // Dropped where the previous frame ends, the end joining takes it onto that end exactly;
        // the first one may meet the end of another run.
        if (join_ends(plan_, components_, i) == 0 && last != 0)
            throw std::runtime_error("frame " + std::to_string(i) + " did not join the frame before it");
        const PlanPoint end = end_point(plan_, components_, i, 2);
        x = end.x;
        y = end.y;
        last = i;
    }
    return last;
}

int DesignBuilder::attach(int component, int own, int target, int target_magnet)
{
    const int i = create(component, plan_.obj_x[size_t(target)], plan_.obj_y[size_t(target)], 0);
    MagnetMatch match;
    match.object = target;
    match.own_magnet = own;
    match.target_magnet = target_magnet;
    apply_magnet(plan_, components_, i, match);
    return i;
}

void DesignBuilder::shift(int first, int last, double dx, double dy)
{
    for (int i = first; i <= last; ++i) {
        plan_.obj_x[size_t(i)] = float(plan_.obj_x[size_t(i)] + dx);
        plan_.obj_y[size_t(i)] = float(plan_.obj_y[size_t(i)] + dy);
    }
}

} // namespace halvern::tools
