// The rules behind the property dialogs and the pickers: typed numbers, rotations, faces by face
// type, the perimeter, stepping through the height lists, the wall bits and the picture proportion.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <set>

#include "geometry/height_lists.h"
#include "plan/face_proportion.h"
#include "plan/dialog_fields.h"
#include "plan/panel_size.h"
#include "plan/plan_fixture.h"
#include "base/numbers.h"
#include "project/stand_walls.h"

using namespace halvern;
using namespace halvern::testing;

TEST(ObjectFields, NumbersTakeTheDecimalCommaAndRotationsStayInOneTurn)
{
    EXPECT_FLOAT_EQ(dialog_number("12,5"), 12.5f);
    EXPECT_FLOAT_EQ(dialog_number("abc"), 0.0f);
    EXPECT_FLOAT_EQ(dialog_rotation("370"), 10.0f);
    EXPECT_FLOAT_EQ(dialog_rotation("-10"), 350.0f);
    EXPECT_FLOAT_EQ(dialog_rotation("-3610"), 350.0f);
    EXPECT_FLOAT_EQ(dialog_rotation("359,5"), 359.5f);
    EXPECT_FLOAT_EQ(dialog_rotation("720"), 0.0f);
}

TEST(ObjectFields, FacesFollowTheFaceType)
{
    EXPECT_EQ(faces_from_ticks(3, true, false), 1);
    EXPECT_EQ(faces_from_ticks(3, false, true), 2);
    EXPECT_EQ(faces_from_ticks(3, true, true), 3);
    EXPECT_EQ(faces_from_ticks(1, true, true), 1);  // no verso to tick
    EXPECT_EQ(faces_from_ticks(2, true, false), 0); // no recto either
    EXPECT_EQ(faces_from_ticks(0, true, true), 0);
}

TEST(ObjectFields, OkWritesOnlyTheFacesTheTypeHas)
{
    PlanTable plan;
    const int i = place(plan, panel_100, 200, 200, 0);
    plan.obj_visuel_verso[size_t(i)] = "kept.jpg";
    ObjectFields f = read_object_fields(plan, i);
    f.texte = "Reception";
    f.hauteur = "228";
    f.rot = "-90";
    f.tex1 = true;
    f.tex2 = true;
    f.visuel_recto = "front.jpg";
    f.visuel_verso = "lost.jpg";
    f.force_recto = "RC";
    apply_object_fields(plan, i, 1, f);
    EXPECT_EQ(plan.obj_texte[size_t(i)], "Reception");
    EXPECT_FLOAT_EQ(plan.obj_hauteur[size_t(i)], 228.0f);
    EXPECT_FLOAT_EQ(plan.obj_rot[size_t(i)], 270.0f);
    EXPECT_EQ(plan.obj_faces[size_t(i)], 1);
    EXPECT_EQ(plan.obj_visuel_recto[size_t(i)], "front.jpg");
    EXPECT_EQ(plan.obj_force_recto[size_t(i)], "RC");
    EXPECT_EQ(plan.obj_visuel_verso[size_t(i)], "kept.jpg");
}

TEST(ObjectFields, GroupFieldsLeftEmptyChangeNothing)
{
    PlanTable plan;
    const int g = place_group(plan);
    const int a = place(plan, panel_100, 200, 200, 0);
    const int b = place(plan, panel_50, 300, 200, 45);
    plan.obj_groupe[size_t(a)] = plan.obj_groupe[size_t(b)] = g;
    plan.obj_hauteur[size_t(a)] = 100;
    EXPECT_EQ(common_group(plan, {a, b}), g);
    EXPECT_EQ(common_group(plan, {a, g}), 0);
    GroupFields f;
    f.hauteur = "250";
    f.nouveau_nom = "Island";
    apply_group_fields(plan, test_components(), {a, b, 99}, g, f);
    EXPECT_FLOAT_EQ(plan.obj_hauteur[size_t(a)], 250.0f);
    EXPECT_FLOAT_EQ(plan.obj_hauteur[size_t(b)], 250.0f);
    EXPECT_FLOAT_EQ(plan.obj_rot[size_t(b)], 45.0f);
    EXPECT_EQ(plan.obj_texte[size_t(g)], "Island");
    EXPECT_EQ(plan.obj_texte[size_t(a)], "");
}

TEST(ObjectFields, GroupRotationAndElevationMoveTheMembersTogether)
{
    const struct {
        const char* what;
        const char *rot, *elevation; // typed over what is shown; null: the box as shown, "": emptied
        double turn, raise;
    } cases[] = {
        {"as shown", nullptr, nullptr, 0, 0},
        {"emptied", "", "", 0, 0},
        {"turned a quarter", "90", nullptr, 90, 0},
        {"turned back past zero", "-30", nullptr, -30, 0},
        {"raised", nullptr, "35", 0, 25},
        {"both", "180", "0", 180, -10},
    };
    for (const auto& c : cases) {
        PlanTable plan;
        const int a = place(plan, panel_100, 200, 200, 0);
        const int b = place(plan, panel_50, 300, 200, 45);
        plan.obj_elevation[size_t(a)] = 30;
        plan.obj_elevation[size_t(b)] = 10;
        GroupFields f = read_group_fields(plan, {a, b});
        EXPECT_EQ(f.rot, "0") << c.what;       // the first member's
        EXPECT_EQ(f.elevation, "10") << c.what; // the lowest member's
        if (c.rot)
            f.rot = c.rot;
        if (c.elevation)
            f.elevation = c.elevation;
        const double before_dx = plan.obj_x[size_t(b)] - plan.obj_x[size_t(a)];
        const double before_dy = plan.obj_y[size_t(b)] - plan.obj_y[size_t(a)];
        apply_group_fields(plan, test_components(), {a, b}, 0, f);
        // The arrangement holds: the step from a to b turns with the members, its length kept.
        const double t = c.turn * std::numbers::pi / 180;
        EXPECT_NEAR(plan.obj_x[size_t(b)] - plan.obj_x[size_t(a)], before_dx * std::cos(t) - before_dy * std::sin(t),
                    1e-3) << c.what;
        EXPECT_NEAR(plan.obj_y[size_t(b)] - plan.obj_y[size_t(a)], before_dx * std::sin(t) + before_dy * std::cos(t),
                    1e-3) << c.what;
        EXPECT_NEAR(plan.obj_rot[size_t(a)], normalize_degrees(c.turn + 360), 1e-3) << c.what;
        EXPECT_NEAR(plan.obj_rot[size_t(b)], normalize_degrees(c.turn + 405), 1e-3) << c.what;
        EXPECT_FLOAT_EQ(plan.obj_elevation[size_t(a)], float(30 + c.raise)) << c.what;
        EXPECT_FLOAT_EQ(plan.obj_elevation[size_t(b)], float(10 + c.raise)) << c.what;
        if (c.turn == 0) {
            EXPECT_FLOAT_EQ(plan.obj_x[size_t(a)], 200.0f) << c.what;
        }
    }
}

TEST(ObjectFields, PerimeterOfTheInscribedEllipse)
{
    EXPECT_NEAR(ellipse_perimeter(100, 100), 314.16, 0.005);
    EXPECT_NEAR(ellipse_perimeter(100, 0), 200, 1.0); // a flat ellipse is nearly twice its width
    EXPECT_DOUBLE_EQ(ellipse_perimeter(0, 0), 0);
}

TEST(HeightLists, TheChangeButtonStepsThroughTheListAndWrapsAround)
{
    ComponentTable components;
    const auto frames = frame_height_choices("M", components);
    const auto modules = module_height_choices("M");
    EXPECT_DOUBLE_EQ(next_height(frames, 564), 245.5);
    EXPECT_DOUBLE_EQ(next_height(frames, 245.5), 25.5);
    EXPECT_DOUBLE_EQ(next_height(frames, double(37.9f)), 72.1); // as a single-precision field holds it
    EXPECT_DOUBLE_EQ(next_height(frames, 120), 150.3);           // between entries: the next one up
    EXPECT_DOUBLE_EQ(next_height(frames, 1000), 25.5);
    EXPECT_DOUBLE_EQ(next_height(modules, 375), 55);
    EXPECT_DOUBLE_EQ(next_height(modules, 0), 55);
}

TEST(StandWalls, TwelveSwitchesOwnTwelveBits)
{
    std::set<int> bits;
    for (int r = 0; r < wall_rows; ++r)
        for (int side = 0; side < wall_sides; ++side)
            bits.insert(wall_bit(r, side));
    EXPECT_EQ(bits.size(), 12u);
    EXPECT_EQ(*bits.begin(), 0);
    EXPECT_EQ(*bits.rbegin(), 11);
    EXPECT_EQ(wall_bit(0, 0), 3); // the left wall
    EXPECT_EQ(wall_bit(0, 3), 0); // the front wall
    EXPECT_EQ(wall_bit(2, 2), 10); // the back header band
    EXPECT_EQ(with_wall(0x1000, 0, 2, true), 0x1002); // bits beyond the twelve are kept
    EXPECT_EQ(with_wall(0xFFF, 1, 0, false), 0xFEF);
    EXPECT_TRUE(wall_set(0x800, 2, 3));
}

TEST(FaceProportion, APictureFarFromTheFaceIsFlagged)
{
    EXPECT_TRUE(proportion_off(1.0, 0.5));
    EXPECT_FALSE(proportion_off(1.0, 1.05));
    EXPECT_FALSE(proportion_off(1.0, 1.0 / 1.1 + 1e-9));
    EXPECT_TRUE(proportion_off(1.0, 1.0 / 1.1 - 1e-3));
    EXPECT_FALSE(proportion_off(1.0, std::nullopt));
    EXPECT_EQ(proportion_text(0.456), "0.46");
    EXPECT_EQ(proportion_text(1.0), "1");
}

TEST(FaceProportion, APanelsFaceIsItsPrintedWidthOtherObjectsTheirSizeInMillimetres)
{
    ComponentTable components = test_components();
    components[panel_100].panel = 3;
    PlanTable plan;
    const int panel = place(plan, panel_100, 200, 200, 0);
    const int shelf = place(plan, shelf_80, 600, 200, 0);
    plan.obj_hauteur[size_t(shelf)] = 40;
    plan.obj_largeur[size_t(shelf)] = 80;
    const double free_ends = face_picture_size(plan, components, panel, 1).width;
    EXPECT_GT(free_ends, 900); // about a metre, more or less the free ends' offsets
    const struct {
        const char* what;
        int object;
        float stored_height;
        double typed_height, typed_width; // below 0: not typed
        const char* typed_code;           // null: not typed
        double width, height;
    } cases[] = {
        {"panel", panel, 200, -1, -1, nullptr, free_ends, 2000},
        {"panel of height 0 stands full height", panel, 0, -1, -1, nullptr, free_ends, 2280},
        {"panel, height typed", panel, 200, 120, -1, nullptr, free_ends, 1200},
        {"panel, typed 0", panel, 200, 0, -1, nullptr, free_ends, 2280},
        {"panel, end code typed", panel, 200, -1, -1, "RR", face_picture_width_mm(100, "RR"), 2000},
        {"panel, override emptied", panel, 200, -1, -1, "", free_ends, 2000},
        {"shelf", shelf, 40, -1, -1, nullptr, 800, 400},
        {"shelf of height 0 is not built in", shelf, 0, -1, -1, nullptr, 800, 0},
        {"shelf, sizes typed", shelf, 40, 75, 150, nullptr, 1500, 750},
    };
    plan.obj_force_recto[size_t(panel)] = "";
    for (const auto& c : cases) {
        plan.obj_hauteur[size_t(c.object)] = c.stored_height;
        TypedFace typed;
        if (c.typed_height >= 0)
            typed.height_cm = c.typed_height;
        if (c.typed_width >= 0)
            typed.width_cm = c.typed_width;
        if (c.typed_code)
            typed.end_code = c.typed_code;
        const FaceSize face = face_picture_size(plan, components, c.object, 1, typed);
        EXPECT_DOUBLE_EQ(face.width, c.width) << c.what;
        EXPECT_DOUBLE_EQ(face.height, c.height) << c.what;
    }
    EXPECT_NE(face_picture_width_mm(100, "RR"), free_ends);
    plan.obj_hauteur[size_t(shelf)] = 40;
    EXPECT_DOUBLE_EQ(*face_picture_size(plan, components, shelf, 1).proportion(), 0.5);
    plan.obj_largeur[size_t(shelf)] = 0;
    EXPECT_FALSE(face_picture_size(plan, components, shelf, 1).proportion());
}

TEST(ObjectFields, ATypedTurnIsAWholeNumberWithinOneTurnEitherWay)
{
    const std::pair<const char*, std::optional<double>> cases[] = {
        {"90", 90},       {" -45 ", -45},   {"+30", 30},      {"12,5", 12.5},   {"360", 360},
        {"-360", -360},   {"360.01", {}},   {"", {}},         {"   ", {}},      {"9O", {}},
        {"45 deg", {}},   {"+-5", {}},      {"nan", {}},      {"inf", {}},      {"1e400", {}},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(typed_turn(text), expected) << '"' << text << '"';
}
