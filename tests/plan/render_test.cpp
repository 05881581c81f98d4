// The full redraw, checked on the recorded primitives: the view and its zoom rules, the still
// layer, the objects and their helpers, groups and duplicates.

#include <cmath>

#include "outputs/plan_print.h"
#include "plan/duplicates.h"
#include "plan/plan_ends.h"
#include "render_fixture.h"

using namespace halvern;
using namespace halvern::testing;

namespace {

PixelRect rect_of(const Primitive& p) { return p.bounds; }

bool near(const Pixel& p, int x, int y, int distance) { return std::abs(p.x - x) <= distance && std::abs(p.y - y) <= distance; }

} // namespace

class Render : public RenderFixture {};

TEST_F(Render, ZoomAutoFitsAFiveByThreeStandInEightHundredByFiveHundred)
{
    view.zoom_auto = true;
    view.zoom = 3;
    RenderOutcome outcome = draw(800, 500);
    EXPECT_EQ(view.zoom, 1);
    EXPECT_TRUE(outcome.zoom_changed);
    EXPECT_EQ(outcome.zoom_text, "Auto");
    auto floors = find(Primitive::Kind::box, floor_grey, true);
    ASSERT_EQ(floors.size(), 1u);
    EXPECT_EQ(rect_of(floors[0]), (PixelRect{175, 100, 500, 300}));

    // The same size again finds the same zoom: nothing to clear.
    EXPECT_FALSE(draw(800, 500).zoom_changed);
}

TEST_F(Render, ZoomCommandsAndTheScrollBars)
{
    zoom_out(view);
    EXPECT_EQ(view.zoom, 0.5);
    view.zoom = 10;
    zoom_in(view);
    EXPECT_EQ(view.zoom, 10);

    zoom_preset(view, 2);
    RenderOptions options;
    RenderOutcome outcome = draw(800, 500, options);
    EXPECT_EQ(outcome.zoom_text, "200%");
    auto floors = find(Primitive::Kind::box, floor_grey, true);
    ASSERT_EQ(floors.size(), 1u);
    EXPECT_EQ(floors[0].bounds.x, 275);
    EXPECT_EQ(floors[0].bounds.y, 200);

    // The offsets are drawn as they are, to the centimetre (the window's bars follow them).
    view.decal_x = view.decal_y = -100;
    draw(800, 500, options);
    EXPECT_EQ(view.decal_x, -100);
    EXPECT_EQ(view.decal_y, -100);
    floors = find(Primitive::Kind::box, floor_grey, true);
    ASSERT_EQ(floors.size(), 1u);
    EXPECT_EQ(floors[0].bounds.x, 75);
    EXPECT_EQ(floors[0].bounds.y, 0);
}

TEST_F(Render, AFadedObjectIsDrawnAtFourTenthsAndGetsNoAngleError)
{
    // Two frames joined at 45 degrees: each end of the joint is an angle error.
    const int a = place(blue, 300, 300, 0);
    const double r = 45 * 0.017453292519943295;
    const int b = place(blue, float(324.2 + 24.2 * std::cos(r)), float(300 + 24.2 * std::sin(r)), 45);
    (void)a;
    draw();
    auto errors = find(Primitive::Kind::ellipse, angle_error_red, false);
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[0].bounds, (PixelRect{393, 294, 12, 12}));
    const int faded_black = make_colour(153, 153, 153);
    int faded_strokes = 0;
    for (const Primitive& p : canvas.primitives())
        faded_strokes += p.colour() == faded_black ? 1 : 0;
    EXPECT_EQ(faded_strokes, 0);

    plan.obj_estompe[size_t(b)] = 0;
    draw();
    errors = find(Primitive::Kind::ellipse, angle_error_red, false);
    ASSERT_EQ(errors.size(), 1u); // only the end of the object that is not faded
    EXPECT_EQ(errors[0].bounds, (PixelRect{393, 294, 12, 12}));
    for (const Primitive& p : canvas.primitives())
        faded_strokes += p.colour() == faded_black ? 1 : 0;
    EXPECT_GT(faded_strokes, 0);

    // Allowed joints: a straight run and a square corner get no mark.
    plan.obj_estompe[size_t(b)] = -1;
    plan.obj_rot[size_t(b)] = 90;
    plan.obj_x[size_t(b)] = 324.2f;
    plan.obj_y[size_t(b)] = 324.2f;
    draw();
    EXPECT_TRUE(find(Primitive::Kind::ellipse, angle_error_red, false).empty());
    view.aff_erreur_angle = false;
    plan.obj_rot[size_t(b)] = 45;
    plan.obj_x[size_t(b)] = float(324.2 + 24.2 * std::cos(r));
    plan.obj_y[size_t(b)] = float(300 + 24.2 * std::sin(r));
    draw();
    EXPECT_TRUE(find(Primitive::Kind::ellipse, angle_error_red, false).empty());
}

TEST_F(Render, GroupObjectsAreDrawnOnlyAsTheirMembersBox)
{
    const int m1 = place(silver, 300, 300), m2 = place(silver, 500, 300);
    const int g = place(group_component, 450, 420);
    plan.obj_groupe[size_t(m1)] = plan.obj_groupe[size_t(m2)] = g;
    plan.obj_texte[size_t(g)] = "Stand A";
    RenderOutcome outcome = draw();
    EXPECT_EQ(outcome.objects_drawn, 2);
    for (const Pixel& p : canvas.all_points())
        EXPECT_FALSE(near(p, 525, 420, 40)) << p.x << "," << p.y;

    int boxes = 0;
    for (const Primitive& p : canvas.primitives())
        if (p.kind == Primitive::Kind::box && !p.filled && p.state.line_style == line_dash) {
            ++boxes;
            EXPECT_EQ(p.bounds, (PixelRect{326, 298, 297, 4}));
        }
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(count_text("Groupe Stand A"), 1);

    // A group left without members has no box.
    plan.obj_groupe[size_t(m1)] = plan.obj_groupe[size_t(m2)] = 0;
    draw();
    EXPECT_EQ(count_text("Groupe Stand A"), 0);
}

TEST_F(Render, WallBitsDrawBarsAlongTheFloorEdges)
{
    stand.stand_murs = 0b1111; // walls front, back, right, left
    draw();
    auto walls = find(Primitive::Kind::box, wall_grey, true);
    ASSERT_EQ(walls.size(), 4u);
    EXPECT_EQ(walls[0].bounds, (PixelRect{171, 96, 508, 8}));  // back, y = 100
    EXPECT_EQ(walls[1].bounds, (PixelRect{171, 396, 508, 8})); // front, the far y
    EXPECT_EQ(walls[2].bounds, (PixelRect{171, 96, 8, 308}));  // left, x = 100
    EXPECT_EQ(walls[3].bounds, (PixelRect{671, 96, 8, 308}));  // right, the far x

    stand.stand_murs = 1 << 4; // open frame on the left
    draw();
    walls = find(Primitive::Kind::box, wall_grey, true);
    ASSERT_EQ(walls.size(), 1u);
    EXPECT_EQ(walls[0].bounds, (PixelRect{171, 96, 8, 308}));

    stand.stand_murs = 0xF00; // header bands only: nothing on the plan
    draw();
    EXPECT_TRUE(find(Primitive::Kind::box, wall_grey, true).empty());
}

TEST_F(Render, ADuplicatePairIsMarkedTwice)
{
    place(silver, 300, 300);
    const int b = place(silver, 304.9f, 295.1f);
    draw();
    EXPECT_EQ(find(Primitive::Kind::polygon, doublon_yellow, true).size(), 2u);
    EXPECT_EQ(count_text("DOUBLON"), 2);
    auto marks = find(Primitive::Kind::polygon, doublon_yellow, true);
    // Corners 120 degrees apart at 6 times the zoom around the reference point, one straight up.
    ASSERT_EQ(marks[0].points.size(), 3u);
    EXPECT_EQ(marks[0].points[0], (Pixel{375, 294}));

    plan.obj_x[size_t(b)] = 305;
    draw();
    EXPECT_EQ(count_text("DOUBLON"), 0);
    plan.obj_x[size_t(b)] = 300;
    plan.obj_rot[size_t(b)] = 360;
    draw();
    EXPECT_EQ(count_text("DOUBLON"), 0);
}

TEST_F(Render, TheStillLayerIsKeptUntilTheViewOrTheStandChanges)
{
    RecordingBackgroundCache cache;
    RenderOptions options;
    options.cache = &cache;
    RenderOutcome first = draw(800, 500, options);
    EXPECT_FALSE(first.background_reused);
    EXPECT_TRUE(view.view_valid);
    const size_t primitives_first = canvas.primitives().size();
    RenderOutcome second = draw(800, 500, options);
    EXPECT_TRUE(second.background_reused);
    EXPECT_EQ(cache.layers_drawn(), 1);
    EXPECT_EQ(cache.copies(), 2);
    EXPECT_EQ(canvas.primitives().size(), primitives_first); // the replay draws the same layer
    EXPECT_EQ(find(Primitive::Kind::box, floor_grey, true).size(), 1u);

    view.view_valid = false; // a scroll, a resize
    draw(800, 500, options);
    EXPECT_EQ(cache.layers_drawn(), 2);

    stand.stand_murs = 2; // walls changed in the stand form: shown at once
    draw(800, 500, options);
    EXPECT_EQ(cache.layers_drawn(), 3);
    EXPECT_EQ(find(Primitive::Kind::box, wall_grey, true).size(), 1u);

    draw(900, 500, options); // another size
    EXPECT_EQ(cache.layers_drawn(), 4);
    draw(900, 500, options);
    EXPECT_EQ(cache.layers_drawn(), 4);
}

TEST_F(Render, GridLinesStayFixedToThePlanWhileScrolling)
{
    view.decal_x = 13.4f; // rounded to 13 before the remainder: lines at 10 k + 3
    view.decal_y = -7;    // a negative remainder: lines at 10 k - 7
    draw();
    std::vector<int> fine_x, fine_y, coarse_x;
    for (const Primitive& p : canvas.primitives()) {
        if (p.kind != Primitive::Kind::line)
            continue;
        const bool vertical = p.points[0].x == p.points[1].x;
        if (p.colour() == make_colour(230, 230, 230))
            (vertical ? fine_x : fine_y).push_back(vertical ? p.points[0].x : p.points[0].y);
        if (p.colour() == make_colour(210, 210, 210) && vertical)
            coarse_x.push_back(p.points[0].x);
    }
    ASSERT_GE(fine_x.size(), 70u);
    EXPECT_EQ(fine_x[0], 78);
    EXPECT_EQ(fine_x[1], 88);
    ASSERT_GE(fine_y.size(), 49u);
    EXPECT_EQ(fine_y[0], 3);
    EXPECT_EQ(fine_y[1], 13);
    ASSERT_GE(coarse_x.size(), 7u);
    EXPECT_EQ(coarse_x[0], 88);
    EXPECT_EQ(coarse_x[1], 188);
    EXPECT_EQ(fine_x.back() <= 800 && fine_y.back() <= 500, true);
}

TEST_F(Render, LabelsAnglesAndMagnets)
{
    const int a = place(silver, 300, 300);
    plan.obj_texte[size_t(a)] = "Accueil";
    place(0, 500, 200); // the purple frame carries four magnets
    view.aff_noms = view.aff_hauteurs = view.aff_largeur_panneaux = true;
    draw();
    EXPECT_EQ(count_text("Accueil"), 1);   // the object's own text first
    EXPECT_EQ(count_text("Purple"), 1);    // else its component's name
    EXPECT_EQ(count_text("228 cm"), 2);
    // A lone frame: both ends free, 2.8 cm added at each.
    EXPECT_EQ(count_text("1024mm x 2280 mm"), 1);
    for (const Primitive& p : canvas.primitives())
        if (p.kind == Primitive::Kind::text && p.text == "Accueil") {
            EXPECT_EQ(p.size_points, label_points);
            EXPECT_EQ(p.points[0], (Pixel{75 + 300 + 6, 300 + 4}));
        }

    // Both faces carry a picture: one line each; an override changes the verso's.
    plan.obj_faces[size_t(a)] = 3;
    plan.obj_force_verso[size_t(a)] = "RR";
    view.aff_grande_etiquette = true;
    draw();
    EXPECT_EQ(count_text("1024mm x 2280 mm"), 1);
    EXPECT_EQ(count_text("912mm x 2280 mm"), 1);
    for (const Primitive& p : canvas.primitives()) {
        if (p.kind == Primitive::Kind::text && p.text == "Accueil") {
            EXPECT_EQ(p.size_points, label_points * big_label_factor);
        }
    }

    // No picture, no panel line.
    plan.obj_faces[size_t(a)] = 0;
    draw();
    EXPECT_EQ(count_text("1024mm x 2280 mm"), 0);

    view.aff_debug = true;
    draw();
    int magnets = 0;
    for (const Primitive& p : canvas.primitives())
        if (p.kind == Primitive::Kind::ellipse && p.colour() == make_colour(255, 0, 0)) {
            ++magnets;
            EXPECT_EQ(p.bounds.width, 6);
        }
    EXPECT_EQ(magnets, 4);
}

TEST_F(Render, JointAnglesAreWrittenAtJoinedEndsOnly)
{
    place(blue, 300, 300, 0);
    place(blue, 324.2f, 324.2f, 90);
    view.aff_marqueur_angle = true;
    draw();
    EXPECT_EQ(count_text("90\xC2\xB0"), 2);
    int angle_texts = 0;
    for (const std::string& t : texts())
        angle_texts += t.size() > 2 && t.substr(t.size() - 2) == "\xC2\xB0" ? 1 : 0;
    EXPECT_EQ(angle_texts, 2); // the two free ends have none
}

TEST_F(Render, FrontViewDrawsObjectsAtTheirHeight)
{
    const int a = place(silver, 300, 300);
    plan.obj_hauteur[size_t(a)] = 150;
    view.front_view = true;
    draw();
    EXPECT_TRUE(find(Primitive::Kind::box, floor_grey, true).empty());
    int points = 0;
    for (const Primitive& p : canvas.primitives()) {
        if (p.colour() == colour_white)
            continue; // the cleared window
        for (const Pixel& q : p.points) {
            ++points;
            EXPECT_LE(std::abs(q.y - 150), 10);
            EXPECT_LE(std::abs(q.x - 375), 60);
        }
    }
    EXPECT_GT(points, 0);
}

TEST_F(Render, SelectionAndFocusAreOutlinedInTheWindowOnly)
{
    const int a = place(silver, 300, 300), b = place(silver, 500, 300);
    plan.index_focus = a;
    plan.nb_selection = 1;
    plan.selection[1] = b;
    RenderOptions window;
    window.selection_marks = true;
    RenderOptions picture;
    picture.palette_column = false;
    // Marks drawn as solid (focus) and dashed (selection) outlines in selection blue.
    const struct {
        const char* what;
        RenderOptions options;
        int solid, dashed;
    } cases[] = {
        {"window", window, 1, 1},
        {"picture or blueprint", picture, 0, 0},
        {"printed or exported page", print_options(800, 500), 0, 0},
    };
    for (const auto& c : cases) {
        draw(800, 500, c.options);
        int solid = 0, dashed = 0;
        for (const Primitive& p : canvas.primitives())
            if (p.kind == Primitive::Kind::polygon && p.colour() == make_colour(0, 90, 255))
                (p.state.line_style == line_dash ? dashed : solid)++;
        EXPECT_EQ(solid, c.solid) << c.what;
        EXPECT_EQ(dashed, c.dashed) << c.what;
    }
}

TEST_F(Render, StatusTextsShowThePointerFromTheFloorCorner)
{
    RenderOptions options;
    options.pointer = PlanPoint{150.4, 80};
    view.decal_x = -20;
    draw(800, 500, options);
    EXPECT_EQ(count_text("X :50 cm x Y :-20 cm"), 1);
    EXPECT_EQ(count_text("zoom :1"), 1);
    EXPECT_EQ(count_text("topx :-20"), 1);
    EXPECT_EQ(count_text("topy :0"), 1);

    // Pictures have neither the column nor the status texts.
    options.palette_column = false;
    draw(800, 500, options);
    EXPECT_EQ(count_text("zoom :1"), 0);
    EXPECT_EQ(count_text("-     +"), 0);
}

TEST_F(Render, FactsAreThoseOfThePlainSearches)
{
    // A few hundred objects in runs, corners, stacks and groups.
    for (int k = 0; k < 300; ++k) {
        const float x = float(150 + (k % 20) * 48.4), y = float(150 + (k / 20) * 30);
        place(k % 7 == 0 ? silver : blue, x + (k % 11 == 0 ? 1.5f : 0), y, float((k % 5) * 45));
    }
    for (int g = 0; g < 10; ++g) {
        const int group = place(group_component, 0, 0);
        for (int k = g * 20 + 1; k <= g * 20 + 7; ++k)
            plan.obj_groupe[size_t(k)] = group;
    }
    plan.obj_groupe[250] = 17; // a stale reference to an ordinary object
    PlanScene s = scene();
    const PlanFacts facts = find_plan_facts(s);
    EXPECT_EQ(facts.end_codes, computed_end_codes_plain(plan, *components));
    for (int i = 1; i <= plan.nb_objets; ++i) {
        auto found = facts.group_boxes[size_t(i)];
        if (!plan.is_group(i)) {
            EXPECT_FALSE(found.has_value()) << i;
            continue;
        }
        auto box = group_box(plan, *components, i);
        ASSERT_EQ(box.has_value(), found.has_value()) << i;
        if (box) {
            EXPECT_EQ(box->left, found->left);
            EXPECT_EQ(box->right, found->right);
            EXPECT_EQ(box->top, found->top);
            EXPECT_EQ(box->bottom, found->bottom);
        }
    }
    std::vector<int> marked;
    for (int i = 1; i <= plan.nb_objets; ++i)
        if (facts.duplicate[size_t(i)])
            marked.push_back(i);
    EXPECT_EQ(marked, find_duplicates_plain(plan, *components));
}

TEST_F(Render, TilesDrawOnlyTheObjectsThatReachThem)
{
    place(silver, 200, 200);
    const int labelled = place(silver, 700, 200);
    plan.obj_texte[size_t(labelled)] = "A long label that runs far to the right";
    view.aff_noms = true;
    RenderOptions options;
    options.width = 1200;
    options.height = 600;
    options.palette_column = false;
    PlanScene s = scene();
    const PlanFacts facts = find_plan_facts(s);
    const auto extents = object_extents(s, view, options, facts);
    options.facts = &facts;
    options.extents = &extents;

    auto drawn_in = [&](PixelRect window) {
        options.window = window;
        canvas.clear();
        return render_plan(canvas, s, view, options).objects_drawn;
    };
    EXPECT_EQ(drawn_in({0, 0, 500, 500}), 1);
    EXPECT_EQ(drawn_in({500, 0, 500, 500}), 1);
    // Only the label reaches past x = 800 (the frame ends at 748.4 + line width).
    EXPECT_EQ(drawn_in({800, 0, 400, 500}), 1);
    EXPECT_EQ(drawn_in({0, 300, 1200, 300}), 0);

    // Every point the object draws lies inside its extent.
    canvas.clear();
    options.window.reset();
    options.extents = nullptr;
    render_plan(canvas, s, view, options);
    for (const Primitive& p : canvas.primitives())
        if (p.kind == Primitive::Kind::text && p.text == plan.obj_texte[size_t(labelled)]) {
            EXPECT_GE(p.points[0].x, extents[size_t(labelled)].left);
            EXPECT_LE(p.points[0].x, extents[size_t(labelled)].right);
        }
}

TEST_F(Render, NothingIsDrawnOnAnAreaWithoutPixels)
{
    place(silver, 300, 300);
    RenderOutcome outcome = draw(0, 500);
    EXPECT_TRUE(canvas.primitives().empty());
    EXPECT_EQ(outcome.objects_drawn, 0);
}
