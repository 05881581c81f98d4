// Undo's record of a design: the run of objects that differs, swapped in and out.

#include <gtest/gtest.h>

#include <sstream>
#include <type_traits>

#include "project/design_state.h"
#include "support/plan_builder.h"

using namespace halvern;
using halvern::testing::place;

namespace {

PlanTable plan_of(int count)
{
    PlanTable plan;
    for (int i = 1; i <= count; ++i)
        place(plan, 3, float(10 * i), float(i), 0);
    return plan;
}

void expect_same(const DesignState& a, const DesignState& b)
{
    ASSERT_EQ(a.objects.size(), b.objects.size());
    for (size_t i = 0; i < a.objects.size(); ++i)
        EXPECT_TRUE(a.objects[i].same_design(b.objects[i])) << "object " << i + 1;
    EXPECT_EQ(a.stand, b.stand);
}

// Swapping goes to the other state, and swapping again comes back.
void expect_round_trip(PlanTable& plan, StandSettings& stand, const DesignState& before)
{
    const DesignState after = capture_design(plan, stand);
    std::optional<DesignSwap> swap = DesignSwap::between(before, after);
    ASSERT_TRUE(swap);
    swap->swap_into(plan, stand);
    expect_same(capture_design(plan, stand), before);
    swap->swap_into(plan, stand);
    expect_same(capture_design(plan, stand), after);
    swap->swap_into(plan, stand);
    expect_same(capture_design(plan, stand), before);
}

} // namespace

TEST(DesignState, NoChangeGivesNoSwap)
{
    PlanTable plan = plan_of(3);
    StandSettings stand;
    const DesignState state = capture_design(plan, stand);
    plan.obj_estompe[2] = 0; // fading is display, not design
    plan.obj_ilot[1] = 7;
    EXPECT_FALSE(DesignSwap::between(state, capture_design(plan, stand)));
}

TEST(DesignState, MovingOneObjectHoldsOnlyThatObject)
{
    PlanTable plan = plan_of(50);
    StandSettings stand;
    const DesignState before = capture_design(plan, stand);
    plan.obj_x[20] += 5;
    auto swap = DesignSwap::between(before, capture_design(plan, stand));
    ASSERT_TRUE(swap);
    EXPECT_EQ(swap->first_object(), 20);
    EXPECT_EQ(swap->held_objects(), 1u);
    expect_round_trip(plan, stand, before);
}

TEST(DesignState, DeletionAndInsertionInTheMiddle)
{
    PlanTable plan = plan_of(10);
    StandSettings stand;
    DesignState before = capture_design(plan, stand);
    // Delete object 4: everything behind it moves down by one.
    for (int i = 4; i < plan.nb_objets; ++i)
        halvern::write_record(plan, i, halvern::read_record(plan, i + 1));
    --plan.nb_objets;
    auto swap = DesignSwap::between(before, capture_design(plan, stand));
    ASSERT_TRUE(swap);
    EXPECT_EQ(swap->first_object(), 4);
    EXPECT_EQ(swap->held_objects(), 1u); // the common tail is recognised behind the shift
    expect_round_trip(plan, stand, before);

    before = capture_design(plan, stand);
    place(plan, 5, 1, 2);
    place(plan, 5, 3, 4);
    expect_round_trip(plan, stand, before);
}

TEST(DesignState, EmptyingAndFillingThePlan)
{
    PlanTable plan = plan_of(5);
    StandSettings stand;
    DesignState before = capture_design(plan, stand);
    plan.nb_objets = 0;
    expect_round_trip(plan, stand, before);

    PlanTable empty;
    before = capture_design(empty, stand);
    place(empty, 3, 1, 1);
    expect_round_trip(empty, stand, before);
}

TEST(DesignState, StandSettingsAlone)
{
    PlanTable plan = plan_of(2);
    StandSettings stand;
    const DesignState before = capture_design(plan, stand);
    stand.stand_largeur = 8;
    stand.client = "Client";
    expect_round_trip(plan, stand, before);
}

TEST(DesignState, EveryFieldOfAnObjectTravels)
{
    PlanTable plan = plan_of(1);
    const size_t k = 1;
    plan.obj_x[k] = 1, plan.obj_y[k] = 2, plan.obj_rot[k] = 3, plan.obj_comp[k] = 4, plan.obj_hauteur[k] = 5;
    plan.obj_elevation[k] = 6, plan.obj_faces[k] = 3, plan.obj_profondeur[k] = 8, plan.obj_largeur[k] = 9;
    plan.obj_texte[k] = "t", plan.obj_visuel_recto[k] = "r", plan.obj_visuel_verso[k] = "v";
    plan.obj_annexe[k] = "a", plan.obj_force_recto[k] = "OC", plan.obj_force_verso[k] = "CO";
    plan.obj_groupe[k] = 12, plan.obj_estompe[k] = 0, plan.obj_ilot[k] = 4;
    plan.colours[k][3].couleur = {1, 2, 3};
    plan.colours[k][10].brillance = 0.25f;
    plan.colours[k][5].given = true;

    PlanTable copy;
    copy.nb_objets = 1;
    write_record(copy, 1, read_record(plan, 1));
    // Every array of the table, element 1, compared through the table's own list of arrays.
    std::vector<std::string> a, b;
    auto collect = [](std::vector<std::string>& out) {
        return [&out](auto& array) {
            std::ostringstream text;
            using T = std::decay_t<decltype(array[1])>;
            if constexpr (std::is_same_v<T, std::array<ColourSlot, object_colour_slots>>) {
                for (const ColourSlot& s : array[1])
                    text << int(s.couleur.r) << int(s.couleur.g) << int(s.couleur.b) << s.brillance << s.given << ' ';
            } else {
                text << array[1];
            }
            out.push_back(text.str());
        };
    };
    plan.for_each_object_array(collect(a));
    copy.for_each_object_array(collect(b));
    EXPECT_EQ(a, b);
    // The field list names every array of the table.
    EXPECT_EQ(a.size(), object_field_count);
    // And a change in any stored field counts as a change of the design.
    ObjectRecord r = read_record(plan, 1);
    ObjectRecord changed = r;
    changed.obj_force_verso = "OO";
    EXPECT_FALSE(r.same_design(changed));
    changed = r;
    changed.colours[3].couleur.g = 9;
    EXPECT_FALSE(r.same_design(changed));
    changed = r;
    changed.colours[5].given = false; // the file changes: undo must bring it back
    EXPECT_FALSE(r.same_design(changed));
}
