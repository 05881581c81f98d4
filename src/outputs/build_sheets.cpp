#include "outputs/build_sheets.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <numeric>
#include <optional>
#include <tuple>
#include <set>

#include "outputs/bill_of_materials.h"
#include "outputs/quote.h"

namespace halvern {

namespace {

constexpr double degrees = 0.017453292519943295;
constexpr double floor_origin = 100;       // the floor's back-left corner on the plan, cm
constexpr double along_back_wall_cm = 50;  // a run this close to the back edge stands along it
constexpr double level_sine = 0.01;        // a run this close to parallel with the back edge

// The built-in catalogue's walls: the modular frames of library 0 and the profiles of library 23.
bool built_in_library(int library) { return library == 0 || library == 23; }

// A frame end, numbered 2 i + e - 1 for end e of object i.
int node(int object, int end) { return 2 * object + end - 1; }
int node_object(int n) { return n / 2; }
int node_end(int n) { return n % 2 + 1; }

class Joints {
public:
    Joints(const PlanTable& plan, const ComponentTable& components, const std::vector<char>& built_in)
        : parent_(size_t(2 * plan.nb_objets + 2))
    {
        std::iota(parent_.begin(), parent_.end(), 0);
        std::vector<std::pair<PlanPoint, int>> ends;
        for (int i = 1; i <= plan.nb_objets; ++i)
            if (built_in[size_t(i)])
                for (int e = 1; e <= 2; ++e)
                    ends.push_back({end_point(plan, components, i, e), node(i, e)});
        // Sorted along x, each end needs comparing only with those within the tolerance in x.
        std::sort(ends.begin(), ends.end(), [](const auto& a, const auto& b) { return a.first.x < b.first.x; });
        for (size_t a = 0; a < ends.size(); ++a)
            for (size_t b = a + 1; b < ends.size() && ends[b].first.x - ends[a].first.x < tolerance_jonction; ++b)
                if (ends_joined(ends[a].first, ends[b].first))
                    unite(ends[a].second, ends[b].second);
        for (const auto& [at, n] : ends) {
            members_[find(n)].push_back(n);
            where_[find(n)] = at;
        }
        for (auto& [root, list] : members_)
            std::sort(list.begin(), list.end());
    }

    int of(int object, int end) { return find(node(object, end)); }
    const std::vector<int>& members(int joint) const { return members_.at(joint); }
    PlanPoint at(int joint) const { return where_.at(joint); }

    // The frames with an end at the joint, each once, in number order.
    std::vector<int> objects(int joint) const
    {
        std::vector<int> list;
        for (int n : members(joint))
            if (list.empty() || list.back() != node_object(n))
                list.push_back(node_object(n));
        return list;
    }

private:
    int find(int n)
    {
        while (parent_[size_t(n)] != n)
            n = parent_[size_t(n)] = parent_[size_t(parent_[size_t(n)])];
        return n;
    }
    void unite(int a, int b)
    {
        a = find(a);
        b = find(b);
        if (a != b)
            parent_[size_t(std::max(a, b))] = std::min(a, b);
    }

    std::vector<int> parent_;
    std::map<int, std::vector<int>> members_;
    std::map<int, PlanPoint> where_;
};

using Additions = std::map<int, std::map<int, double>>; // by end node (end 0: node 2 i - 1 is end 1...)

std::vector<PieceCount> counts_of(const std::map<int, double>& pieces)
{
    std::vector<PieceCount> list;
    for (const auto& [component, quantity] : pieces)
        if (quantity != 0)
            list.push_back({component, quantity});
    return list;
}

double distance(PlanPoint a, PlanPoint b) { return std::hypot(a.x - b.x, a.y - b.y); }

bool level(const PlanTable& plan, const WallRun& run)
{
    return std::abs(std::sin(plan.obj_rot[size_t(run.frames.front().object)] * degrees)) < level_sine;
}

// The order a crew builds: the longest run along the back wall first (failing one, the run nearest
// the back edge), then, again and again, of the runs sharing a joint with a placed one, the one
// whose middle lies nearest the middle of the placed run it meets; a part of the stand that meets
// no placed run starts over with the first rule.
std::vector<size_t> build_order(const PlanTable& plan, const std::vector<WallRun>& runs)
{
    const size_t n = runs.size();
    std::vector<char> placed(n, 0);
    std::vector<size_t> order;
    auto earlier = [&](size_t a, size_t b) { return runs[a].lowest_object() < runs[b].lowest_object(); };
    // Where no placed run leads on: along the back wall the longest (then the nearest the back),
    // else the nearest the back (then the longest); millimetres decide, then the lowest number.
    auto start_key = [&](size_t r) {
        const long length = std::lround(runs[r].length * 10);
        const long depth = std::lround((runs[r].middle().y - floor_origin) * 10);
        const bool along = level(plan, runs[r]) && depth <= std::lround(along_back_wall_cm * 10);
        return std::make_tuple(along ? 0 : 1, along ? -length : depth, along ? depth : -length,
                               runs[r].lowest_object());
    };
    while (order.size() < n) {
        std::optional<size_t> best;
        double best_distance = std::numeric_limits<double>::infinity();
        for (size_t p : order)
            for (const RunJoint* joint : {&runs[p].joints.front(), &runs[p].joints.back()})
                for (int other : joint->other_runs) {
                    const size_t r = size_t(other);
                    if (placed[r])
                        continue;
                    const double d = distance(runs[r].middle(), runs[p].middle());
                    if (!best || d < best_distance - 1e-6 || (std::abs(d - best_distance) <= 1e-6 && earlier(r, *best))) {
                        best = r;
                        best_distance = d;
                    }
                }
        if (!best)
            for (size_t r = 0; r < n; ++r)
                if (!placed[r] && (!best || start_key(r) < start_key(*best)))
                    best = r;
        placed[*best] = 1;
        order.push_back(*best);
    }
    return order;
}

} // namespace

int WallRun::lowest_object() const
{
    int lowest = std::numeric_limits<int>::max();
    for (const RunFrame& f : frames)
        lowest = std::min(lowest, f.object);
    return lowest;
}

PackingRow packing_row(const Component& component, int number, double quantity)
{
    PackingRow row;
    row.component = number;
    row.name = component.name;
    row.quantity = quantity;
    row.pack_by = component.pack_by;
    row.weight_g = quantity * component.weight;
    if (number == component_printed_visual && component.library == 0) {
        row.packed = PackingRow::Packed::metres;
    } else if (component.pack_by > 0) {
        row.packed = PackingRow::Packed::bags;
        row.bags = int(std::ceil(quantity / component.pack_by - 1e-9));
        row.spare = row.bags * component.pack_by - quantity;
    }
    return row;
}

BuildSheets make_build_sheets(const PlanTable& plan, const ComponentTable& components, const LibraryTable& libraries,
                              const PrintPackSettings& print)
{
    BuildSheets sheets;
    const int count = plan.nb_objets;
    std::vector<char> built_in(size_t(count) + 1, 0);
    for (int i = 1; i <= count; ++i)
        built_in[size_t(i)] = has_geometry(plan, i) && built_in_library(components[plan.comp(i)].library);

    // The bill's own pass, telling where it puts each piece.
    Additions additions; // key: node, or -object for the object as a whole
    const Quantities quantities = count_components_traced(
        plan, components, all_groups, design_end_codes(plan, components), [&](const PieceAddition& a) {
            additions[a.end == 0 ? -a.object : node(a.object, a.end)][a.component] += a.amount;
        });

    Joints joints(plan, components, built_in);
    // The straight joint at an end, if any: the other frame's end.
    auto straight = [&](int object, int end) -> std::optional<int> {
        const int joint = joints.of(object, end);
        const std::vector<int>& m = joints.members(joint);
        if (m.size() != 2 || node_object(m[0]) == node_object(m[1]))
            return std::nullopt;
        const int other = m[0] == node(object, end) ? m[1] : m[0];
        if (joint_angle(plan, object, end, {node_object(other), node_end(other)}) != 180)
            return std::nullopt;
        return other;
    };

    std::map<int, std::vector<FaceFiles>> faces_of;
    for (const PrintFace& face : printed_faces(plan, components, {})) {
        const bool has_picture = !face.picture.empty();
        if (has_picture)
            sheets.print_m2 += face.width_mm * face.height_mm / 1e6;
        else
            ++sheets.faces_without_picture;
        if (has_geometry(plan, face.object))
            faces_of[face.object].push_back({face.face, print_file_names(face, print), has_picture});
    }

    // The runs: walks along straight joints.
    std::vector<int> run_of(size_t(count) + 1, -1);
    std::vector<WallRun> runs;
    for (int i = 1; i <= count; ++i) {
        if (!built_in[size_t(i)] || run_of[size_t(i)] >= 0)
            continue;
        // Back along end 1 to where the run begins, or round a loop to where it began.
        int start = i, in_end = 1;
        bool loop = false;
        for (int guard = 0; guard <= count; ++guard) {
            auto back = straight(start, in_end);
            if (!back)
                break;
            start = node_object(*back);
            in_end = 3 - node_end(*back);
            if (start == i) {
                loop = true;
                break;
            }
        }
        std::vector<std::pair<int, int>> walk; // object, the end towards the previous frame
        if (loop) {
            // Cut at the lowest-numbered frame: it is i, the first of the loop in number order.
            start = i;
            in_end = 1;
        }
        for (int object = start, end = in_end;;) {
            walk.push_back({object, end});
            run_of[size_t(object)] = int(runs.size());
            auto next = straight(object, 3 - end);
            if (!next || run_of[size_t(node_object(*next))] >= 0)
                break;
            object = node_object(*next);
            end = node_end(*next);
        }

        WallRun run;
        run.loop = loop;
        int reference = walk.front().first;
        for (const auto& [object, end] : walk)
            reference = std::min(reference, object);
        const double ref = plan.obj_rot[size_t(reference)] * degrees;
        const PlanPoint dir{std::cos(ref), std::sin(ref)};
        auto along = [&](int object) {
            return plan.obj_x[size_t(object)] * dir.x + plan.obj_y[size_t(object)] * dir.y;
        };
        auto turned = [&](int object) {
            const double a = plan.obj_rot[size_t(object)] * degrees;
            return std::cos(a) * dir.x + std::sin(a) * dir.y < 0;
        };
        if (walk.size() == 1)
            walk.front().second = turned(walk.front().first) ? 2 : 1;
        else if (!loop && along(walk.back().first) < along(walk.front().first)) {
            std::reverse(walk.begin(), walk.end());
            for (auto& step : walk)
                step.second = 3 - step.second;
        }

        for (const auto& [object, end] : walk) {
            RunFrame frame;
            frame.object = object;
            frame.component = plan.comp(object);
            frame.height = plan.obj_hauteur[size_t(object)] == 0 ? 228 : double(plan.obj_hauteur[size_t(object)]);
            frame.width = components[frame.component].width;
            if (components[frame.component].library == 0) // a profile is one piece, whatever its height
                frame.modules = module_stack(plan.obj_hauteur[size_t(object)]);
            frame.turned = turned(object);
            frame.pieces = counts_of(additions[-object]);
            if (components[frame.component].library != 0) // a profile is its own piece, one per object
                frame.pieces.push_back({frame.component, 1});
            frame.faces = faces_of[object];
            run.length += frame.width;
            run.frames.push_back(std::move(frame));
        }
        // Joint k lies between frames k - 1 and k; its ends are those frames' ends there.
        for (size_t k = 0; k <= walk.size(); ++k) {
            std::vector<int> ends;
            if (k > 0)
                ends.push_back(node(walk[k - 1].first, 3 - walk[k - 1].second));
            if (k < walk.size())
                ends.push_back(node(walk[k].first, walk[k].second));
            const int joint = joints.of(node_object(ends[0]), node_end(ends[0]));
            RunJoint j;
            j.at = joints.at(joint);
            j.objects = joints.objects(joint);
            std::map<int, double> pieces;
            for (int n : ends)
                for (const auto& [component, quantity] : additions[n])
                    pieces[component] += quantity;
            j.pieces = counts_of(pieces);
            if (j.objects.size() >= 3)
                j.kind = RunJoint::Kind::branch;
            else if (j.objects.size() == 1)
                j.kind = RunJoint::Kind::free_end;
            else
                j.kind = straight(node_object(ends[0]), node_end(ends[0])) ? RunJoint::Kind::straight
                                                                            : RunJoint::Kind::corner;
            run.joints.push_back(std::move(j));
        }
        run.left = run.joints.front().at;
        run.right = run.joints.back().at;
        runs.push_back(std::move(run));
    }
    for (size_t r = 0; r < runs.size(); ++r)
        for (RunJoint& j : runs[r].joints) {
            std::set<int> others;
            for (int object : j.objects)
                if (run_of[size_t(object)] != int(r))
                    others.insert(run_of[size_t(object)]);
            j.other_runs.assign(others.begin(), others.end());
        }

    // Runs in building order, their references to each other renumbered to match.
    const std::vector<size_t> order = build_order(plan, runs);
    std::vector<int> position(runs.size());
    for (size_t k = 0; k < order.size(); ++k)
        position[order[k]] = int(k);
    for (size_t k : order) {
        WallRun& run = runs[k];
        for (RunJoint& j : run.joints) {
            for (int& other : j.other_runs)
                other = position[size_t(other)];
            std::sort(j.other_runs.begin(), j.other_runs.end());
        }
        sheets.runs.push_back(std::move(run));
    }

    for (int i = 1; i <= count; ++i)
        if (has_geometry(plan, i) && !built_in[size_t(i)])
            sheets.free_objects.push_back({i, plan.comp(i), plan.obj_x[size_t(i)] - floor_origin,
                                           plan.obj_y[size_t(i)] - floor_origin, plan.obj_rot[size_t(i)],
                                           plan.obj_elevation[size_t(i)], faces_of[i]});

    // The packing list: the wall system's quantities as the pass above counted them, one per
    // object of the other libraries, by library.
    std::map<int, PackingGroup> groups;
    auto add_row = [&](int number, double quantity) {
        const Component& c = components[number];
        PackingGroup& group = groups[c.library];
        group.library = c.library;
        group.name = LibraryTable::valid(c.library) ? libraries.name[size_t(c.library)] : std::string();
        PackingRow row = packing_row(c, number, quantity);
        if (row.packed != PackingRow::Packed::metres)
            group.pieces += row.quantity;
        group.bags += row.bags;
        group.weight_g += row.weight_g;
        group.rows.push_back(std::move(row));
    };
    for (int n = 0; n <= max_component && size_t(n) < quantities.size(); ++n)
        if (quantities[size_t(n)] != 0)
            add_row(n, quantities[size_t(n)]);
    for (const OtherRow& row : other_components(plan, components, all_groups))
        add_row(row.component, row.count);
    for (auto& [library, group] : groups) {
        std::sort(group.rows.begin(), group.rows.end(),
                  [](const PackingRow& a, const PackingRow& b) { return a.component < b.component; });
        sheets.pieces += group.pieces;
        sheets.bags += group.bags;
        sheets.weight_g += group.weight_g;
        sheets.packing.push_back(std::move(group));
    }
    return sheets;
}

} // namespace halvern
