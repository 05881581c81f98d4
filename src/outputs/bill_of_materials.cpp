#include "outputs/bill_of_materials.h"

#include <cmath>
#include <cstdint>
#include <memory>
#include <unordered_map>

#include "plan/plan_ends.h"

#include "base/numbers.h"

namespace halvern {

namespace {

constexpr double degrees = 0.017453292519943295;

struct StackRow {
    int hundredths;
    std::vector<int> modules;
};

const std::vector<StackRow>& stack_table()
{
    static const std::vector<StackRow> table = {
        {22800, {3, 3}},          {56400, {3, 3, 3, 3, 3}}, {45200, {3, 3, 3, 3}}, {34000, {3, 3, 3}},
        {29600, {3, 3, 5}},       {25000, {3, 3, 8}},       {26200, {3, 3, 7}},    {19700, {4, 4}},
        {11600, {3}},             {10000, {4}},             {2550, {8}},           {3790, {7}},
        {7210, {5}},              {15030, {3, 7}},          {24550, {9, 9}},
    };
    return table;
}

struct JunctionPoint {
    double x, y, level;
};

// The known junction points, found by exact level and a position strictly within the tolerance.
class PlainJunctions {
public:
    bool find_or_add(double x, double y, double level)
    {
        for (const auto& p : points_)
            if (p.x > x - junction_tolerance && p.x < x + junction_tolerance && p.y > y - junction_tolerance
                && p.y < y + junction_tolerance && p.level == level)
                return true;
        points_.push_back({x, y, level});
        return false;
    }

private:
    std::vector<JunctionPoint> points_;
};

// Cells twice the tolerance wide: the points strictly within the tolerance of (x, y) lie in at
// most two cells along each axis.
class CellJunctions {
public:
    CellJunctions() { cells_.reserve(4096); }

    bool find_or_add(double x, double y, double level)
    {
        const std::int64_t x0 = cell(x - junction_tolerance), x1 = cell(x + junction_tolerance);
        const std::int64_t y0 = cell(y - junction_tolerance), y1 = cell(y + junction_tolerance);
        for (std::int64_t cx = x0; cx <= x1; ++cx)
            for (std::int64_t cy = y0; cy <= y1; ++cy) {
                auto it = cells_.find(key(cx, cy));
                if (it == cells_.end())
                    continue;
                for (const auto& p : it->second)
                    if (p.x > x - junction_tolerance && p.x < x + junction_tolerance
                        && p.y > y - junction_tolerance && p.y < y + junction_tolerance && p.level == level)
                        return true;
            }
        cells_[key(cell(x), cell(y))].push_back({x, y, level});
        return false;
    }

private:
    static constexpr double size = 2 * junction_tolerance;
    static std::int64_t cell(double v)
    {
        double c = std::floor(v / size);
        return !(c > -1e12) ? std::int64_t(-1e12) : c > 1e12 ? std::int64_t(1e12) : std::int64_t(c);
    }
    // Colliding keys only cost extra comparisons.
    static std::int64_t key(std::int64_t cx, std::int64_t cy)
    {
        return std::int64_t(std::uint64_t(cx) * 0x9E3779B97F4A7C15ull ^ std::uint64_t(cy));
    }
    std::unordered_map<std::int64_t, std::vector<JunctionPoint>> cells_;
};

bool face_printed(int faces, int face) { return faces == face || faces == 3; }

char end_letter(const std::string& code, int end)
{
    if (code.empty())
        return ' ';
    return end == 1 ? code.front() : code.back();
}

template <class Junctions>
Quantities count(const PlanTable& plan, const ComponentTable& components, int group, const EndCodeFn& end_code,
                 const PieceSink* sink = nullptr)
{
    Quantities q(size_t(max_component) + 1, 0.0);
    int object = 0, end = 0; // where the pass stands, for the sink
    auto add = [&](int component, double amount) {
        if (!ComponentTable::valid(component))
            return;
        q[size_t(component)] += amount;
        if (sink)
            (*sink)({object, end, component, amount});
    };
    auto built_in = [&](int i) {
        return has_geometry(plan, i) && components[plan.comp(i)].library == 0;
    };
    auto passes = [&](int i) { return built_in(i) && (group == all_groups || plan.obj_groupe[size_t(i)] == group); };

    // Frames: one at every module boundary.
    for (int i = 1; i <= plan.nb_objets; ++i)
        if (passes(i)) {
            object = i;
            end = 0;
            add(plan.comp(i), double(module_stack(plan.obj_hauteur[size_t(i)]).size()) + 1);
        }

    // Junctions: every built-in wall registers its points, so that a counted wall shares the posts
    // of an uncounted neighbour; only counted walls add pieces.
    Junctions junctions;
    for (int i = 1; i <= plan.nb_objets; ++i) {
        if (!built_in(i))
            continue;
        const size_t I = size_t(i);
        const bool counted = passes(i);
        object = i;
        const int faces = plan.obj_faces[I];
        std::string codes[3];
        if (counted)
            for (int face = 1; face <= 2; ++face)
                if (face_printed(faces, face))
                    codes[face] = end_code(i, face);
        const double L = components[plan.comp(i)].width;
        const double a = plan.obj_rot[I] * degrees;
        const double ends[3][2] = {{0, 0},
                                   {plan.obj_x[I] - L * std::cos(a) / 2, plan.obj_y[I] - L * std::sin(a) / 2},
                                   {plan.obj_x[I] + L * std::cos(a) / 2, plan.obj_y[I] + L * std::sin(a) / 2}};
        const std::vector<int>& stack = module_stack(plan.obj_hauteur[I]);
        double level = 0;
        for (size_t k = 0; k < stack.size(); ++k) {
            const int module = stack[k];
            for (int e = 1; e <= 2; ++e) {
                if (junctions.find_or_add(ends[e][0], ends[e][1], level) || !counted)
                    continue;
                end = e;
                add(module, 1);
                for (int face = 1; face <= 2; ++face) {
                    if (!face_printed(faces, face))
                        continue;
                    char letter = end_letter(codes[face], e);
                    if (letter == 'C' || (letter == 'O' && (face == 1 || faces == 2)))
                        add(module + profile_offset, 1);
                }
                if (k == 0)
                    add(component_foot, 1);
                add(component_junction, 1);
            }
            level += ComponentTable::valid(module) ? components[module].width : 0;
        }
    }

    double printed_length = 0;
    for (int i = 1; i <= plan.nb_objets; ++i) {
        if (!passes(i))
            continue;
        const size_t I = size_t(i);
        const int faces = plan.obj_faces[I];
        const std::vector<int>& stack = module_stack(plan.obj_hauteur[I]);
        object = i;
        // Corners at the ends that close a square corner.
        for (int face = 1; face <= 2; ++face) {
            if (!face_printed(faces, face))
                continue;
            std::string code = end_code(i, face);
            for (int e = 1; e <= 2; ++e)
                if (end_letter(code, e) == 'R') {
                    end = e;
                    for (int module : stack)
                        add(module + corner_offset, 1);
                }
        }
        const double height = built_in_height(plan.obj_hauteur[I]);
        const double printed = faces == 1 || faces == 2 ? height : faces == 3 ? 2.0 * height : 0.0;
        printed_length += printed;
        if (sink && printed != 0)
            (*sink)({i, 0, component_printed_visual, printed / 100.0});
    }
    q[component_printed_visual] += printed_length / 100.0;
    return q;
}

} // namespace

const std::vector<int>& module_stack(double height)
{
    static const std::vector<int> one_module = {3};
    const int hundredths = round_to_int(built_in_height(height) * 100.0);
    for (const StackRow& row : stack_table())
        if (row.hundredths == hundredths)
            return row.modules;
    return one_module;
}

Quantities count_components(const PlanTable& plan, const ComponentTable& components, int group,
                            const EndCodeFn& end_code)
{
    return count<CellJunctions>(plan, components, group, end_code);
}

Quantities count_components_traced(const PlanTable& plan, const ComponentTable& components, int group,
                                   const EndCodeFn& end_code, const PieceSink& sink)
{
    return count<CellJunctions>(plan, components, group, end_code, sink ? &sink : nullptr);
}

Quantities count_components_plain(const PlanTable& plan, const ComponentTable& components, int group,
                                  const EndCodeFn& end_code)
{
    return count<PlainJunctions>(plan, components, group, end_code);
}

Bill make_bill(const ComponentTable& components, const Quantities& quantities)
{
    Bill bill;
    for (int n = 0; n <= max_component && size_t(n) < quantities.size(); ++n) {
        double q = quantities[size_t(n)];
        if (q == 0)
            continue;
        const Component& c = components[n];
        bill.rows.push_back({n, c.name, q, c.price, q * c.price, c.weight});
        bill.total_price += q * c.price;
        bill.total_weight_g += q * c.weight;
    }
    return bill;
}

EndCodeFn design_end_codes(const PlanTable& plan, const ComponentTable& components)
{
    auto codes = std::make_shared<const std::vector<std::string>>(computed_end_codes(plan, components));
    return [&plan, codes](int object, int face) {
        return end_code_with_override(plan, object, face, (*codes)[size_t(object)]);
    };
}

Bill design_bill(const PlanTable& plan, const ComponentTable& components, int group)
{
    return make_bill(components, count_components(plan, components, group, design_end_codes(plan, components)));
}

std::string bill_clipboard_text(const Bill& bill)
{
    std::string text;
    for (const BillRow& row : bill.rows)
        text += row.name + "\t" + format_text_number(row.quantity) + "\t" + format_text_number(row.total_price)
                + "\t\r\n";
    return text;
}

} // namespace halvern
