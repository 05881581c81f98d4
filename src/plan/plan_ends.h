#pragma once
// Object ends: where they lie, which object is joined at an end, the chains of objects joined end
// to end, and the end codes that choose the picture sizes of a face.
//
// Two ends are joined when they lie less than `tolerance_jonction` apart in x and in y (strict).
// Where several objects touch one end, the last of them in table order is the neighbour.
//
// The redraw recomputes the chains and the end codes of every object, so the plan-wide versions
// search through a grid of end points. The `_plain` versions scan the whole table for every end;
// they are the reference the grid is checked and measured against.

#include "library/component_table.h"
#include "plan/plan_table.h"

#include <string>
#include <vector>

namespace halvern {

struct PlanPoint {
    double x = 0, y = 0;
    friend bool operator==(const PlanPoint&, const PlanPoint&) = default;
};

// Group objects, objects marked for deletion and objects of a number outside the component table
// have no geometry: they are never anybody's neighbour and have no neighbour themselves.
bool has_geometry(const PlanTable& plan, int i);

// The component's own width (not `obj_largeur`), 0 for an object without geometry.
double component_width(const PlanTable& plan, const ComponentTable& components, int i);

// End e (1 or 2) of object i: the reference point moved half the component's width along the
// object's axis, backwards for end 1 and forwards for end 2.
PlanPoint end_point(const PlanTable& plan, const ComponentTable& components, int i, int e);

// Strictly closer than `tolerance_jonction` in x and in y.
bool ends_joined(PlanPoint a, PlanPoint b);

// Object and end of a neighbour; object -1 when there is none.
struct EndMatch {
    int object = -1;
    int end = 0;
    bool found() const { return object > 0; }
    friend bool operator==(const EndMatch&, const EndMatch&) = default;
};

// Both end points of every object, computed once per search pass.
struct EndTable {
    std::vector<PlanPoint> end1, end2; // by object number; entry 0 unused
    std::vector<char> usable;          // has_geometry
    PlanPoint at(int i, int e) const { return e == 1 ? end1[size_t(i)] : end2[size_t(i)]; }
};
EndTable make_end_table(const PlanTable& plan, const ComponentTable& components);

// Which objects may answer a neighbour search.
enum class NeighbourFilter {
    any,        // every other object with geometry (end codes)
    unnumbered, // only those whose `obj_ilot` is still 0 (chain numbering)
};

// The neighbour at end e of object i, scanning every object: the last match in table order, and
// of its two ends the last that matches.
EndMatch find_neighbour_plain(const PlanTable& plan, const EndTable& ends, int i, int e,
                              NeighbourFilter filter);

// The angle between object i and its neighbour n at end e, taken from the two rotations and the
// ends that meet (never from the end coordinates, which would give 179.99 for a straight run):
// the opening, on i's recto side, between i's body and n's body seen from the joint, in whole
// degrees 0..359. -1 when n is not found.
int joint_angle(const PlanTable& plan, int i, int e, EndMatch n);

// The angles the built-in frames can make at a joint: a free end (-1), 0, 90, 180 and 270 degrees.
bool joint_angle_allowed(int angle);

// One end's part of an end code: "O" for a free end or 270, "C" for 180, "R" for 90, otherwise
// "?" followed by the angle.
std::string end_letter(int angle);

// The face's override when one is set, otherwise the computed code (the same for both faces).
std::string end_code_with_override(const PlanTable& plan, int i, int face, const std::string& computed);

// The end code of one object from its neighbours alone, no override applied, by a plain scan.
std::string computed_end_code(const PlanTable& plan, const ComponentTable& components, int i);

// The end code of one object for face 1 (recto) or 2 (verso), by a plain scan.
std::string end_code(const PlanTable& plan, const ComponentTable& components, int i, int face);

// Chain numbers (`obj_ilot`) of every object: the walk takes the objects in table order and
// spreads a new number through end 1's neighbour first, depth first, then end 2's.
void compute_chains(PlanTable& plan, const ComponentTable& components);
void compute_chains_plain(PlanTable& plan, const ComponentTable& components);

// The computed end code of every object (index 1..nb_objets; entry 0 empty), overrides not
// applied: one code serves both faces.
std::vector<std::string> computed_end_codes(const PlanTable& plan, const ComponentTable& components);
std::vector<std::string> computed_end_codes_plain(const PlanTable& plan, const ComponentTable& components);

} // namespace halvern
