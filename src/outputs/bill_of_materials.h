#pragma once
// The quantity pass: frames, posts, junction pieces, feet, profiles, corners and printed visual of
// the built-in modular wall system, counted from the plan; and the bill made from the quantities.

#include <functional>
#include <string>
#include <vector>

#include "library/component_table.h"
#include "plan/plan_table.h"

namespace halvern {

inline constexpr int all_groups = -1;
inline constexpr int component_junction = 50;
inline constexpr int component_foot = 51;
inline constexpr int component_printed_visual = 61; // sold by the linear metre
inline constexpr int profile_offset = 20;           // module component + 20: its profile
inline constexpr int corner_offset = 70;            // module component + 70: its corner
inline constexpr double junction_tolerance = 5.0;

// The end code of an object's face (1 recto, 2 verso): one letter per end, end 1 first.
using EndCodeFn = std::function<std::string(int object, int face)>;

// The modules stacked in a wall of this height, bottom to top. The height is taken to 2 decimals;
// 0 reads as 228; an unknown height is one module of component 3.
const std::vector<int>& module_stack(double height);

// Quantity per component number 0..5000.
using Quantities = std::vector<double>;

// `group` is all_groups or the number of a group object whose members alone are counted.
// Junction points are found through cells of the tolerance's size.
Quantities count_components(const PlanTable& plan, const ComponentTable& components, int group,
                            const EndCodeFn& end_code);

// One addition the quantity pass makes, for those who must tell where each piece goes: at end 1 or
// 2 of an object (posts, junction pieces, feet, profiles, corners), or for the object as a whole,
// end 0 (its frames, and its printed visual in metres).
struct PieceAddition {
    int object = 0;
    int end = 0;
    int component = 0;
    double amount = 0;
};
using PieceSink = std::function<void(const PieceAddition&)>;

// The pass of count_components, telling `sink` of every addition as it makes it.
Quantities count_components_traced(const PlanTable& plan, const ComponentTable& components, int group,
                                   const EndCodeFn& end_code, const PieceSink& sink);

// The same pass with the pairwise junction search, the reference for tests and benchmarks.
Quantities count_components_plain(const PlanTable& plan, const ComponentTable& components, int group,
                                  const EndCodeFn& end_code);

struct BillRow {
    int component = 0;
    std::string name;
    double quantity = 0;
    double unit_price = 0;
    double total_price = 0;
    double unit_weight_g = 0;
};

struct Bill {
    std::vector<BillRow> rows; // components with a non-zero quantity, in number order
    double total_price = 0;    // sum of quantity x price
    double total_weight_g = 0; // sum of quantity x weight
};

Bill make_bill(const ComponentTable& components, const Quantities& quantities);

// The bill of a design as the list window shows it: the end codes the plan computes, each face's
// override applied, then the quantity pass for `group` (all_groups for every object).
Bill design_bill(const PlanTable& plan, const ComponentTable& components, int group = all_groups);

// The end codes the bill reads: the plan's computed codes, each face's override applied.
EndCodeFn design_end_codes(const PlanTable& plan, const ComponentTable& components);

// The list as tab-separated text for the clipboard: name, quantity, total price, each followed by
// a tab, and CR LF after each row; numbers with a blank before non-negative ones.
std::string bill_clipboard_text(const Bill& bill);

} // namespace halvern
