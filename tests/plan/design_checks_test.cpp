#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>

#include "base/numbers.h"
#include "plan/design_checks.h"
#include "plan/footprint_overlaps.h"
#include "plan/hidden_findings.h"
#include "plan/picture_probe.h"
#include "plan/plan_edit.h"
#include "plan/view_focus.h"
#include "support/plan_builder.h"
#include "support/test_support.h"

using namespace halvern;
using halvern::testing::define;
using halvern::testing::place;

namespace {

constexpr int panel = 3;       // built-in frame, 100 x 5
constexpr int table = 10;      // library 1, 60 x 60, with its 3D file
constexpr int flat_sign = 11;  // library 1, no 3D file

ComponentTable parts()
{
    ComponentTable components;
    define(components, panel, 100, 5, 0).has_3d = true;
    define(components, table, 60, 60, 1).has_3d = true;
    define(components, flat_sign, 40, 4, 1);
    return components;
}

class Pictures : public PictureProbe {
public:
    std::map<std::string, std::array<int, 2>> sizes;
    std::optional<std::array<int, 2>> size_of(const std::string& path) override
    {
        auto it = sizes.find(path);
        return it == sizes.end() ? std::nullopt : std::optional(it->second);
    }
};

// A clean stand on the default 5 x 3 m floor (x 100..600, y 100..400): two frames closing a
// square corner and a table of 75 cm.
struct Stand {
    ComponentTable components = parts();
    PlanTable plan;
    StandSettings stand;
    UiText texts;
    Pictures pictures;
    int a = 0, b = 0, desk = 0;

    Stand()
    {
        a = place(plan, panel, 200, 150, 0);
        b = place(plan, panel, 250, 200, 90);
        desk = place(plan, table, 400, 300, 0, 75);
    }
    std::vector<Finding> run() { return run_design_checks({plan, components, stand, texts, &pictures}); }
};

std::vector<std::tuple<CheckKind, int, int>> keys(const std::vector<Finding>& findings)
{
    std::vector<std::tuple<CheckKind, int, int>> out;
    for (const Finding& f : findings)
        out.emplace_back(f.kind, f.object, f.end);
    return out;
}

using Keys = std::vector<std::tuple<CheckKind, int, int>>;

} // namespace

TEST(DesignChecks, CleanStandHasNoFinding)
{
    Stand s;
    EXPECT_TRUE(s.run().empty()); // the corner's footprints cross at the joint: no overlap
}

TEST(DesignChecks, OutsideTheFloorWhollyOrPartly)
{
    Stand s;
    s.plan.obj_x[size_t(s.desk)] = 571; // 1 cm over the edge: within the tolerance
    EXPECT_TRUE(s.run().empty());
    s.plan.obj_x[size_t(s.desk)] = 620;
    auto found = s.run();
    ASSERT_EQ(keys(found), (Keys{{CheckKind::outside_floor, s.desk, 0}}));
    EXPECT_EQ(found[0].severity, Severity::warning);
    s.plan.obj_x[size_t(s.desk)] = 700;
    found = s.run();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].severity, Severity::error);
    EXPECT_FALSE(found[0].text.empty());
    // Turned by 45 degrees near a corner, its corners reach past the floor's sides.
    s.plan.obj_x[size_t(s.desk)] = 580;
    s.plan.obj_y[size_t(s.desk)] = 380;
    s.plan.obj_rot[size_t(s.desk)] = 45;
    EXPECT_EQ(keys(s.run()), (Keys{{CheckKind::outside_floor, s.desk, 0}}));
}

TEST(DesignChecks, OverlapNeedsFootprintsAndHeightsToMeet)
{
    Stand s;
    const int other = place(s.plan, table, 430, 300, 0, 75);
    auto found = s.run();
    // The object placed later stands in the one that was there.
    ASSERT_EQ(keys(found), (Keys{{CheckKind::overlap, other, 0}}));
    EXPECT_EQ(found[0].other, s.desk);
    const std::string named = " " + std::to_string(s.desk);
    EXPECT_EQ(found[0].text.substr(found[0].text.size() - named.size()), named);
    // Hidden on the earlier object, as designs saved before stored it, it stays hidden.
    Finding earlier = found[0];
    earlier.object = s.desk;
    set_hidden(s.plan, earlier, true);
    EXPECT_TRUE(shown_findings(s.run()).empty());
    set_hidden(s.plan, earlier, false);
    s.plan.obj_elevation[size_t(other)] = 75; // stacked: the ranges only touch
    EXPECT_TRUE(s.run().empty());
    s.plan.obj_elevation[size_t(other)] = 0;
    s.plan.obj_x[size_t(other)] = 459; // 1 cm into the first: touching
    EXPECT_TRUE(s.run().empty());
}

TEST(DesignChecks, DuplicatesFollowThePlanRuleAndIgnoreFading)
{
    Stand s;
    const int copy = place(s.plan, panel, 201, 151, 0);
    s.plan.obj_estompe[size_t(s.a)] = 0; // its layer is switched off: still a duplicate
    std::vector<int> objects;
    for (const Finding& f : s.run())
        if (f.kind == CheckKind::duplicate)
            objects.push_back(f.object);
    EXPECT_EQ(objects, (std::vector<int>{s.a, copy}));
}

TEST(DesignChecks, JointAnglesTheFramesCannotMake)
{
    Stand s;
    // A frame turned 45 degrees, joined at end 2 of the second frame (250, 250).
    const double r = 45 * 0.017453292519943295;
    const int c = place(s.plan, panel, float(250 + 50 * std::cos(r)), float(250 + 50 * std::sin(r)), 45);
    const auto found = s.run();
    ASSERT_EQ(keys(found), (Keys{{CheckKind::joint_angle, s.b, 2}, {CheckKind::joint_angle, c, 1}}));
    EXPECT_NE(found[0].text.find("\xC2\xB0"), std::string::npos);
    // Library objects are not frames: the rule leaves their ends alone, not the frame's.
    s.plan.obj_comp[size_t(c)] = flat_sign;
    s.components[flat_sign].has_3d = true;
    s.components[flat_sign].width = 100;
    EXPECT_EQ(keys(s.run()), (Keys{{CheckKind::joint_angle, s.b, 2}}));
}

TEST(DesignChecks, FacePicturesMissingOrOfTheWrongProportion)
{
    Stand s;
    const size_t d = size_t(s.desk);
    s.plan.obj_largeur[d] = 60;
    s.plan.obj_hauteur[d] = 60; // the face's proportion is 1
    s.plan.obj_faces[d] = 3;
    s.plan.obj_visuel_recto[d] = "square.jpg";
    s.plan.obj_visuel_verso[d] = "gone.jpg";
    s.pictures.sizes["square.jpg"] = {100, 109};
    auto found = s.run();
    ASSERT_EQ(keys(found), (Keys{{CheckKind::picture_unreadable, s.desk, 2}}));
    EXPECT_NE(found[0].text.find("gone.jpg"), std::string::npos);
    s.plan.obj_faces[d] = 1; // the verso carries no picture: its file is not used
    EXPECT_TRUE(s.run().empty());
    s.pictures.sizes["square.jpg"] = {100, 300};
    found = s.run();
    ASSERT_EQ(keys(found), (Keys{{CheckKind::picture_proportion, s.desk, 1}}));
    EXPECT_EQ(found[0].severity, Severity::warning);
    // Without a way to look at pictures the picture checks are not run.
    EXPECT_TRUE(run_design_checks({s.plan, s.components, s.stand, s.texts, nullptr}).empty());

    // A tiling texture repeats over the face whatever its shape: only a missing one is found.
    const std::vector<std::filesystem::path> textures = {"/app/lib/tex", "/app/extlib/tex/"};
    const struct {
        const char* picture;
        bool texture;
    } pictures[] = {
        {"/app/lib/tex/wood/oak.jpg", true},  {"/app/extlib/tex/void_sol.jpg", true},
        {"/app/lib/tex/../photo.jpg", false}, {"/app/lib/texture.jpg", false},
        {"/designs/front.jpg", false},        {"wood/oak.jpg", false},
    };
    for (const auto& p : pictures) {
        EXPECT_EQ(is_tiling_texture(p.picture, textures), p.texture) << p.picture;
        s.plan.obj_visuel_recto[d] = p.picture;
        s.pictures.sizes[p.picture] = {100, 300};
        CheckInput in{s.plan, s.components, s.stand, s.texts, &s.pictures};
        in.texture_folders = textures;
        EXPECT_EQ(run_design_checks(in).size(), p.texture ? 0u : 1u) << p.picture;
    }
}

TEST(DesignChecks, ComponentsMissingOrWithout3D)
{
    Stand s;
    const int lost = place(s.plan, 77, 300, 300);       // no such component
    const int sign = place(s.plan, flat_sign, 500, 200); // no 3D file
    const int frame = place(s.plan, panel, 300, 380);
    s.components[panel].has_3d = false; // the scene draws built-in frames itself
    place(s.plan, group_component, 0, 0);
    const auto found = s.run();
    EXPECT_EQ(keys(found), (Keys{{CheckKind::component_missing, lost, 0}, {CheckKind::no_3d, sign, 0}}));
    (void)frame;
}

TEST(DesignChecks, HiddenFindingsFollowTheirObjectThroughADeletion)
{
    Stand s;
    place(s.plan, table, 430, 300, 0, 75);
    s.plan.obj_x[size_t(s.desk)] = 700; // now outside, and no longer overlapping
    auto found = s.run();
    ASSERT_EQ(keys(found), (Keys{{CheckKind::outside_floor, s.desk, 0}}));
    set_hidden(s.plan, found[0], true);
    found = s.run();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_TRUE(found[0].hidden);
    EXPECT_TRUE(shown_findings(found).empty());

    ASSERT_TRUE(delete_object(s.plan, s.a));
    found = s.run();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].object, s.desk - 1);
    EXPECT_TRUE(found[0].hidden);
    EXPECT_EQ(format_hidden_line(s.plan), "hide:outside/" + std::to_string(s.desk - 1) + "/0");
}

TEST(HiddenFindings, HeaderLineRoundTripAndRefusals)
{
    PlanTable plan;
    for (int i = 0; i < 8; ++i)
        halvern::testing::append_object(plan, panel, 0, 0);
    EXPECT_EQ(format_hidden_line(plan), "0");
    for (HiddenFinding h : {HiddenFinding{CheckKind::joint_angle, 7, 2}, HiddenFinding{CheckKind::overlap, 3, 0},
                            HiddenFinding{CheckKind::no_3d, 3, 0}}) {
        Finding f;
        f.kind = h.kind, f.object = h.object, f.end = h.end;
        set_hidden(plan, f, true);
    }
    const std::string line = format_hidden_line(plan);
    EXPECT_EQ(line, "hide:overlap/3/0;no3d/3/0;angle/7/2");
    const HiddenLine parsed = parse_hidden_line(line);
    EXPECT_TRUE(parsed.problems.empty());
    EXPECT_EQ(parsed.findings, hidden_findings(plan));
    EXPECT_TRUE(parse_hidden_line(" 0 ").findings.empty());
    EXPECT_TRUE(parse_hidden_line(" 0 ").problems.empty());

    // A bad entry is named and left out; the good ones around it stay hidden.
    const HiddenFinding overlap{CheckKind::overlap, 3, 0}, angle{CheckKind::joint_angle, 7, 2};
    const struct {
        const char* line;
        std::vector<HiddenFinding> kept;
        const char* named; // in the one problem; nullptr: no problem
    } cases[] = {
        {"", {}, "neither"},
        {"1", {}, "neither"},
        {"hide:overlap/3", {}, "\"overlap/3\""},
        {"hide:wobble/3/0;angle/7/2", {angle}, "\"wobble/3/0\""},
        {"hide:overlap/3/0;overlap/0/0;angle/7/2", {overlap, angle}, "\"overlap/0/0\""},
        {"hide:overlap/3/0;angle/2/3", {overlap}, "\"angle/2/3\""},
        {"hide:angle/2551/1;overlap/3/0", {overlap}, "\"angle/2551/1\""},
        {"hide:angle/x/1;angle/7/2", {angle}, "\"angle/x/1\""},
        {"hide:overlap/3/0;;angle/7/2;", {overlap, angle}, nullptr},
    };
    for (const auto& c : cases) {
        const HiddenLine read = parse_hidden_line(c.line);
        EXPECT_EQ(read.findings, c.kept) << c.line;
        ASSERT_EQ(read.problems.size(), c.named ? 1u : 0u) << c.line;
        if (c.named) {
            EXPECT_NE(read.problems[0].find(c.named), std::string::npos) << read.problems[0];
        }
    }
}

TEST(FootprintOverlaps, GridFindsWhatThePlainScanFinds)
{
    ComponentTable components = parts();
    define(components, 20, 900, 700, 1); // a floor covering: many cells
    PlanTable plan;
    std::mt19937 random(26);
    std::uniform_real_distribution<float> x(0, 3000), y(0, 2000), turn(0, 360), size(5, 150), up(0, 200);
    while (plan.nb_objets < 1500) {
        const bool covering = plan.nb_objets % 50 == 0; // its own size: the component's
        const int i = place(plan, covering ? 20 : table, x(random), y(random), turn(random));
        plan.obj_largeur[size_t(i)] = covering ? 0 : size(random);
        plan.obj_profondeur[size_t(i)] = covering ? 0 : size(random) / 4;
        plan.obj_elevation[size_t(i)] = up(random);
        plan.obj_hauteur[size_t(i)] = size(random);
    }
    // Frames joined end to end, and objects without geometry among them.
    for (int k = 0; k < 20; ++k)
        place(plan, panel, float(200 + 100 * k), 1000, 0);
    place(plan, group_component, 0, 0);
    plan.obj_comp[5] = -1;
    const auto grid = find_overlaps(plan, components);
    EXPECT_EQ(grid, find_overlaps_plain(plan, components));
    EXPECT_GT(grid.size(), 100u);
}

TEST(ViewFocus, CentresTheObjectAndZoomsInOnASmallOne)
{
    Stand s;
    ViewState view;
    view.zoom = 1;
    ASSERT_TRUE(focus_on_object(view, s.plan, s.components, s.desk, 875, 500));
    EXPECT_FALSE(view.zoom_auto);
    EXPECT_EQ(view.zoom, 1); // 60 cm are 60 pixels: large enough
    PixelPoint centre = view.to_pixel(400, 300);
    EXPECT_NEAR(centre.x, 75 + 400, 0.01);
    EXPECT_NEAR(centre.y, 250, 0.01);

    s.plan.obj_largeur[size_t(s.desk)] = s.plan.obj_profondeur[size_t(s.desk)] = 10;
    ASSERT_TRUE(focus_on_object(view, s.plan, s.components, s.desk, 875, 500));
    EXPECT_EQ(view.zoom, focus_max_zoom);
    centre = view.to_pixel(400, 300);
    EXPECT_NEAR(centre.x, 475, 0.01);
    const int group = place(s.plan, group_component, 0, 0);
    EXPECT_FALSE(focus_on_object(view, s.plan, s.components, group, 875, 500));
    EXPECT_FALSE(focus_on_object(view, s.plan, s.components, s.desk, 60, 500)); // no room right of the column
}

TEST(PictureProbe, ReadsAPictureAgainOnlyWhenItsFileChanges)
{
    namespace fs = std::filesystem;
    halvern::testing::ScratchDir dir;
    const fs::path source = halvern::testing::source_dir() / "tests/fuzz/corpus/picture/felt_black.jpg";
    fs::copy_file(source, dir / "face.jpg");
    FilePictureProbe probe;
    probe.set_folder(dir.path());
    ASSERT_TRUE(probe.size_of("face.jpg"));
    ASSERT_TRUE(probe.size_of("face.jpg"));
    EXPECT_EQ(probe.files_read(), 1);

    // A file of the same size put in its place by renaming, with its modification time: read again.
    fs::copy_file(source, dir / "new.jpg");
    fs::last_write_time(dir / "new.jpg", fs::last_write_time(dir / "face.jpg"));
    fs::rename(dir / "new.jpg", dir / "face.jpg");
    ASSERT_TRUE(probe.size_of("face.jpg"));
    EXPECT_EQ(probe.files_read(), 2);
}

TEST(DesignChecks, ObjectsLeftInTheAir)
{
    constexpr int holder = 12; // library 1, 24 x 12, from the floor up
    constexpr int light = 13;  // library 11, hangs at 245 by its own definition
    constexpr int bracket = 14; // library 1, hangs on a magnet at its middle
    struct Case {
        const char* what;
        int component;
        float x, y, elevation;
        bool listed;
    };
    const Case cases[] = {
        {"a holder on the table's top", holder, 410, 300, 75, false},
        {"a holder left where the table was", holder, 200, 300, 75, true},
        {"a holder half over the table's edge", holder, 435, 300, 75, false},
        {"a holder a centimetre above a table's top", holder, 410, 300, 76, false},
        {"a holder two centimetres above it", holder, 410, 300, 77, true},
        {"a holder within a centimetre of the floor", holder, 200, 300, 1, false},
        {"a ceiling light at its own height", light, 200, 300, 245, false},
        {"a ceiling light raised past it", light, 200, 300, 300, true},
        {"a bracket on the magnet of another", bracket, 500, 200, 150, false},
        {"a bracket beside it", bracket, 500, 230, 150, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Stand s;
        define(s.components, holder, 24, 12, 1).has_3d = true;
        define(s.components, light, 20, 20, 11).has_3d = true;
        s.components[light].elevation = 245;
        Component& b = define(s.components, bracket, 20, 20, 1);
        b.has_3d = true;
        b.magnet_x[0] = 10;
        b.magnet_y[0] = 10;
        place(s.plan, bracket, 500, 200, 0, 10); // on the floor, its magnet at its middle
        const int i = place(s.plan, c.component, c.x, c.y, 0, 30);
        s.plan.obj_elevation[size_t(i)] = c.elevation;
        const std::vector<Finding> found = check_floating({s.plan, s.components, s.stand, s.texts});
        ASSERT_EQ(found.size(), c.listed ? 1u : 0u);
        if (c.listed) {
            EXPECT_EQ(found[0].object, i);
            EXPECT_EQ(found[0].severity, Severity::warning);
            EXPECT_NE(found[0].text.find(" " + format_number(c.elevation) + " cm"), std::string::npos) << found[0].text;
            EXPECT_EQ(keys(s.run()), (Keys{{CheckKind::floating, i, 0}}));
            EXPECT_EQ(check_kind_key(CheckKind::floating), "floating");
        }
    }
}
