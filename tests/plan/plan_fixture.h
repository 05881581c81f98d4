#pragma once
// The few component records the plan tests need, and a way to place objects by hand.

#include "library/component_table.h"
#include "plan/plan_table.h"
#include "support/object_builder.h"
#include "support/object_entry.h"

#include <string>

namespace halvern::testing {

// Component numbers of the test catalogue.
inline constexpr int panel_100 = 1;   // built-in, 100 cm wide, style 0
inline constexpr int panel_50 = 2;    // built-in, 50 cm wide, style 0
inline constexpr int profile_40 = 3;  // built-in, 40 cm wide, style 1
inline constexpr int odd_style = 4;   // built-in, style 2: no rule for appending
inline constexpr int shelf_80 = 101;  // library 1, 80 cm wide, its own height

inline const ComponentTable& test_components()
{
    static const ComponentTable table = [] {
        ComponentTable t;
        auto set = [&t](int n, const char* name, double width, double style, int library) {
            Component& c = t[n];
            c.name = name;
            c.width = width;
            c.depth = 5;
            c.height = 150;
            c.elevation = library == 0 ? 0 : 10;
            c.style = style;
            c.library = library;
        };
        set(panel_100, "panel 100", 100, 0, 0);
        set(panel_50, "panel 50", 50, 0, 0);
        set(profile_40, "profile 40", 40, 1, 0);
        set(odd_style, "odd", 60, 2, 0);
        set(shelf_80, "shelf", 80, 0, 1);
        t[group_component].name = "groupe";
        t[group_component].library = group_library;
        return t;
    }();
    return table;
}

// Appends an object by hand (no creation rule), named by `obj_annexe` so that tests can follow an
// object through renumbering.
inline int place(PlanTable& plan, int component, float x, float y, float rot, std::string tag = {})
{
    ObjectBuilder o = build_object(plan, component, x, y, rot).bare();
    return o.tag(tag.empty() ? "#" + std::to_string(o.index()) : std::move(tag));
}

inline int place_group(PlanTable& plan, std::string tag = {})
{
    return place(plan, group_component, 0, 0, 0, std::move(tag));
}

// The tags of the objects in table order, joined with blanks.
inline std::string tags(const PlanTable& plan)
{
    std::string out;
    for (int i = 1; i <= plan.nb_objets; ++i)
        out += (i > 1 ? " " : "") + plan.obj_annexe[size_t(i)];
    return out;
}

} // namespace halvern::testing
