// Facts kept between redraws are found again whenever anything they are found from changed, and
// a redraw drawn in pieces is the redraw drawn at once, primitive for primitive.

#include <functional>

#include "plan/kept_facts.h"
#include "render_fixture.h"

using namespace halvern;
using namespace halvern::testing;

namespace {

class KeptFactsTest : public RenderFixture {
protected:
    void SetUp() override
    {
        // Runs with corners, a stacked duplicate, a faded object and a group.
        for (int k = 0; k < 60; ++k)
            place(k % 3 == 0 ? 3 : 5, float(150 + (k % 10) * 100), float(150 + (k / 10) * 80), float((k % 4) * 90));
        place(5, 150, 150, 0);
        const int group = place(group_component, 0, 0);
        for (int k = 1; k <= 4; ++k)
            plan.obj_groupe[size_t(k)] = group;
        plan.obj_estompe[9] = 0;
        view.aff_noms = view.aff_hauteurs = view.aff_largeur_panneaux = view.aff_marqueur_angle = true;
    }

    void expect_fresh(const PlanFacts& kept)
    {
        PlanScene s = scene();
        const PlanFacts fresh = find_plan_facts(s);
        EXPECT_EQ(kept.joint_angles, fresh.joint_angles);
        EXPECT_EQ(kept.end_codes, fresh.end_codes);
        EXPECT_EQ(kept.duplicate, fresh.duplicate);
        ASSERT_EQ(kept.group_boxes.size(), fresh.group_boxes.size());
        for (size_t i = 0; i < fresh.group_boxes.size(); ++i) {
            ASSERT_EQ(kept.group_boxes[i].has_value(), fresh.group_boxes[i].has_value()) << i;
            if (fresh.group_boxes[i]) {
                EXPECT_EQ(kept.group_boxes[i]->right, fresh.group_boxes[i]->right) << i;
            }
        }
    }
};

TEST_F(KeptFactsTest, FoundAgainOnlyWhenWhatTheyAreFoundFromChanged)
{
    KeptFacts kept;
    PlanScene s = scene();
    kept.facts(s);
    kept.facts(s);
    EXPECT_EQ(kept.searches(), 1);

    // Nothing the facts read: the height, the selection, the focus.
    plan.obj_hauteur[3] = 250;
    plan.index_focus = 4;
    kept.facts(s);
    EXPECT_EQ(kept.searches(), 1);

    const std::vector<std::pair<const char*, std::function<void()>>> edits = {
        {"moved", [&] { plan.obj_x[7] += 0.5f; }},
        {"turned", [&] { plan.obj_rot[8] = 45; }},
        {"other component", [&] { plan.obj_comp[12] = 3; }},
        {"regrouped", [&] { plan.obj_groupe[20] = plan.nb_objets; }},
        {"faded", [&] { plan.obj_estompe[30] = 0; }},
        {"chains cleared elsewhere", [&] { plan.obj_ilot[2] = 0; }},
        {"component wider", [&] { (*components)[5].width += 10; }},
        {"component of a library", [&] { (*components)[3].library = 1; }},
        {"object added", [&] { place(5, 900, 900, 0); }},
        {"object removed", [&] { --plan.nb_objets; }},
    };
    int searches = 1;
    for (const auto& [what, edit] : edits) {
        SCOPED_TRACE(what);
        edit();
        const PlanFacts& facts = kept.facts(s);
        EXPECT_EQ(kept.searches(), ++searches);
        expect_fresh(facts);
        kept.facts(s);
        EXPECT_EQ(kept.searches(), searches);
    }
    kept.forget();
    kept.facts(s);
    EXPECT_EQ(kept.searches(), searches + 1);
}

bool same(const std::vector<Primitive>& a, const std::vector<Primitive>& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t k = 0; k < a.size(); ++k) {
        const Primitive &p = a[k], &q = b[k];
        if (p.kind != q.kind || p.points != q.points || p.bounds != q.bounds || p.filled != q.filled
            || p.state != q.state || p.text != q.text || p.size_points != q.size_points)
            return false;
    }
    return true;
}

TEST_F(KeptFactsTest, ARedrawInPiecesIsTheRedrawAtOnce)
{
    plan.index_focus = 6;
    draw(900, 700);
    const std::vector<Primitive> at_once = canvas.primitives();
    ASSERT_GT(at_once.size(), 200u);
    RenderOptions options;
    options.width = 900;
    options.height = 700;
    for (int parts : {1, 7, 1000}) {
        SCOPED_TRACE(parts);
        RecordingCanvas pieces;
        PlanScene s = scene();
        ViewState caller = view;
        PlanRedraw redraw(pieces, s, caller, options);
        int steps = 0;
        while (!redraw.step(parts))
            ++steps;
        EXPECT_TRUE(redraw.done());
        EXPECT_EQ(steps == 0, parts == 1000); // one step for all at once, many for a few at a time
        EXPECT_TRUE(same(pieces.primitives(), at_once));
        EXPECT_EQ(redraw.outcome().objects_drawn, plan.nb_objets - 1); // the group object is not drawn
    }

    // The caller's view may change between the pieces: the redraw keeps its own.
    RecordingCanvas pieces;
    PlanScene s = scene();
    ViewState caller = view;
    PlanRedraw redraw(pieces, s, caller, options);
    redraw.step(3);
    caller.zoom = 3;
    caller.aff_noms = false;
    while (!redraw.step(5)) {
    }
    EXPECT_TRUE(same(pieces.primitives(), at_once));
}

} // namespace
