// The build sheets: runs cut at corners and joints of three, the order a crew builds them, the
// pieces at each joint adding up to the bill, bags rounded up, and the print files of the faces.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "outputs/build_sheets.h"
#include "outputs/quote.h"
#include "support/plan_builder.h"

using namespace halvern;
using halvern::testing::define;
using halvern::testing::place;

namespace {

ComponentTable stand_pieces()
{
    ComponentTable c;
    define(c, 3, 100, 5).weight = 2000;   // the frame, and the module of its stack
    for (int n : {23, 50, 51, 61, 73})
        define(c, n, 1, 1);
    c[50].pack_by = 4;
    c[51].pack_by = 10;
    define(c, 1500, 100, 50, 15).name = "Counter";
    define(c, 2300, 76, 4, 23).name = "Profile"; // built in, though not a piece of the modular frames
    c[1500].weight = 35000;
    return c;
}

std::vector<int> objects_of(const WallRun& run)
{
    std::vector<int> list;
    for (const RunFrame& f : run.frames)
        list.push_back(f.object);
    return list;
}

std::map<int, double> as_map(const std::vector<PieceCount>& pieces)
{
    std::map<int, double> m;
    for (const PieceCount& p : pieces)
        m[p.component] += p.quantity;
    return m;
}

// The back wall A B, turning down at A into C D (an L), a T at B's right end where E goes on
// along the back and F comes down, and a counter on the floor. The floor starts at (100, 100).
struct Stand {
    ComponentTable c = stand_pieces();
    LibraryTable libraries;
    PlanTable plan;
    Stand()
    {
        libraries.name[15] = "Furniture";
        place(plan, 3, 150, 110);        // 1 A
        place(plan, 3, 250, 110);        // 2 B
        place(plan, 3, 100, 160, 90);    // 3 C
        place(plan, 3, 100, 260, 270);   // 4 D, its recto towards the other side
        place(plan, 3, 350, 110);        // 5 E
        place(plan, 3, 300, 160, 90, 0); // 6 F, height 0
        place(plan, 1500, 300, 300, 30); // 7 the counter
        place(plan, 2300, 438, 110);     // 8 a profile going on from E
        plan.obj_texte[1] = "Back left";
        plan.obj_visuel_recto[1] = "a.jpg";
        plan.obj_faces[3] = 3;
        plan.obj_largeur[7] = 200; // wider than the printer's roll: printed in two strips
        plan.obj_visuel_recto[7] = "counter.jpg";
        plan.obj_elevation[7] = 5;
    }
};

} // namespace

TEST(BuildSheets, RunsAreCutAtCornersAndAtJointsOfThreeAndOrderedAsACrewBuilds)
{
    Stand s;
    const BuildSheets sheets = make_build_sheets(s.plan, s.c, s.libraries);
    ASSERT_EQ(sheets.runs.size(), 4u);
    // The back wall first; then, of the runs meeting a placed one, the nearest: F at the T, E
    // (nearer F than C D is to the back wall), then the L's other leg.
    EXPECT_EQ(objects_of(sheets.runs[0]), (std::vector<int>{1, 2}));
    EXPECT_EQ(objects_of(sheets.runs[1]), (std::vector<int>{6}));
    EXPECT_EQ(objects_of(sheets.runs[2]), (std::vector<int>{5, 8}));
    EXPECT_EQ(objects_of(sheets.runs[3]), (std::vector<int>{3, 4}));
    EXPECT_DOUBLE_EQ(sheets.runs[0].length, 200);
    EXPECT_EQ(sheets.runs[1].frames[0].height, 228); // stored as 0
    EXPECT_EQ(sheets.runs[1].frames[0].modules.size(), 2u);

    using K = RunJoint::Kind;
    const std::vector<RunJoint>& back = sheets.runs[0].joints;
    ASSERT_EQ(back.size(), 3u);
    EXPECT_EQ(back[0].kind, K::corner);
    EXPECT_EQ(back[0].objects, (std::vector<int>{1, 3}));
    EXPECT_EQ(back[0].other_runs, (std::vector<int>{3}));
    EXPECT_EQ(back[1].kind, K::straight);
    EXPECT_EQ(back[2].kind, K::branch);
    EXPECT_EQ(back[2].objects, (std::vector<int>{2, 5, 6}));
    EXPECT_EQ(back[2].other_runs, (std::vector<int>{1, 2}));
    EXPECT_EQ(sheets.runs[1].joints.back().kind, K::free_end);
    // Seen from the recto of C (its lowest-numbered frame), D is turned round.
    EXPECT_FALSE(sheets.runs[3].frames[0].turned);
    EXPECT_TRUE(sheets.runs[3].frames[1].turned);

    // Pieces at the joints: the straight joint A|B holds its two posts, junctions, a foot and the
    // profiles of the straight; the T holds B's posts and corners, E's corners, nothing of F's.
    EXPECT_EQ(as_map(back[1].pieces), (std::map<int, double>{{3, 2}, {23, 2}, {50, 2}, {51, 1}}));
    EXPECT_EQ(as_map(back[2].pieces), (std::map<int, double>{{3, 2}, {50, 2}, {51, 1}, {73, 2}}));
    EXPECT_EQ(as_map(sheets.runs[2].joints.front().pieces), (std::map<int, double>{{73, 2}}));
    EXPECT_TRUE(sheets.runs[1].joints.front().pieces.empty());

    ASSERT_EQ(sheets.free_objects.size(), 1u);
    const FreeObject& counter = sheets.free_objects[0];
    EXPECT_EQ(counter.object, 7);
    EXPECT_DOUBLE_EQ(counter.x, 200);
    EXPECT_DOUBLE_EQ(counter.y, 200);
    EXPECT_DOUBLE_EQ(counter.rotation, 30);
    EXPECT_DOUBLE_EQ(counter.elevation, 5);
}

TEST(BuildSheets, PiecesOfEveryPageAddUpToThePackingListWhichIsTheQuote)
{
    Stand s;
    const BuildSheets sheets = make_build_sheets(s.plan, s.c, s.libraries);
    std::map<int, double> on_pages;
    for (const FreeObject& o : sheets.free_objects)
        on_pages[o.component] += 1;
    for (const WallRun& run : sheets.runs) {
        for (const RunFrame& f : run.frames)
            for (const PieceCount& p : f.pieces)
                on_pages[p.component] += p.quantity;
        for (const RunJoint& j : run.joints)
            for (const PieceCount& p : j.pieces)
                on_pages[p.component] += p.quantity;
    }
    std::map<int, double> packed;
    for (const PackingGroup& g : sheets.packing)
        for (const PackingRow& r : g.rows)
            packed[r.component] += r.quantity;

    const Quote quote = design_quote(s.plan, s.c);
    std::map<int, double> quoted;
    for (const BillRow& r : quote.bill.rows)
        quoted[r.component] += r.quantity;
    for (const OtherRow& r : quote.others)
        quoted[r.component] += r.count;
    EXPECT_EQ(packed, quoted);
    ASSERT_EQ(on_pages.size(), quoted.size());
    for (const auto& [component, quantity] : quoted)
        EXPECT_NEAR(on_pages[component], quantity, 1e-9) << "component " << component;

    ASSERT_EQ(sheets.packing.size(), 3u);
    EXPECT_EQ(sheets.packing[0].library, 0);
    EXPECT_EQ(sheets.packing[1].name, "Furniture");
    EXPECT_DOUBLE_EQ(sheets.packing[1].weight_g, 35000);
    EXPECT_EQ(sheets.packing[2].library, 23);
    // Seven junction points on two levels: 14 junction pieces in bags of 4.
    const PackingRow& junctions = *std::find_if(sheets.packing[0].rows.begin(), sheets.packing[0].rows.end(),
                                                [](const PackingRow& r) { return r.component == 50; });
    EXPECT_EQ(junctions.quantity, 14);
    EXPECT_EQ(junctions.bags, 4);
    EXPECT_EQ(junctions.spare, 2);
    EXPECT_NEAR(sheets.weight_g, quote.total_weight_g(), 1e-6);
}

TEST(BuildSheets, BagsAreRoundedUpLoosePiecesAndMetresAreNotBagged)
{
    using P = PackingRow::Packed;
    struct Case {
        int component;
        double pack_by, quantity;
        P packed;
        int bags;
        double spare;
    } cases[] = {
        {50, 4, 8, P::bags, 2, 0},   {50, 4, 9, P::bags, 3, 3},      {50, 4, 1, P::bags, 1, 3},
        {50, 2.5, 5, P::bags, 2, 0}, {50, 0, 7, P::pieces, 0, 0},    {61, 10, 4.56, P::metres, 0, 0},
        {50, 4, 0.0, P::bags, 0, 0},
    };
    for (const Case& k : cases) {
        ComponentTable c = stand_pieces();
        c[k.component].pack_by = k.pack_by;
        const PackingRow row = packing_row(c[k.component], k.component, k.quantity);
        EXPECT_EQ(row.packed, k.packed) << k.component << " " << k.pack_by << " " << k.quantity;
        EXPECT_EQ(row.bags, k.bags) << k.pack_by << " " << k.quantity;
        EXPECT_DOUBLE_EQ(row.spare, k.spare) << k.pack_by << " " << k.quantity;
    }
}

TEST(BuildSheets, EveryPrintedFaceNamesTheFileThePrintPackWritesForIt)
{
    Stand s;
    const BuildSheets sheets = make_build_sheets(s.plan, s.c, s.libraries);
    std::map<std::pair<int, int>, std::vector<std::string>> listed;
    for (const WallRun& run : sheets.runs)
        for (const RunFrame& f : run.frames)
            for (const FaceFiles& face : f.faces)
                listed[{f.object, face.face}] = face.files;
    for (const FaceFiles& face : sheets.free_objects[0].faces)
        listed[{7, face.face}] = face.files;

    const std::vector<PrintFace> faces = printed_faces(s.plan, s.c, {});
    ASSERT_EQ(listed.size(), faces.size()); // object 3 prints both faces
    auto files = [&](int object, int face) { return listed[std::make_pair(object, face)]; };
    for (const PrintFace& face : faces)
        EXPECT_EQ(files(face.object, face.face), print_file_names(face, {})) << face.object;
    EXPECT_EQ(files(1, 1).at(0).rfind("001_Back_left_recto_", 0), 0u);
    ASSERT_EQ(files(7, 1).size(), 2u);
    const PrintFace& counter = *std::find_if(faces.begin(), faces.end(), [](const PrintFace& f) { return f.object == 7; });
    EXPECT_EQ(files(7, 1)[1], print_file_name(counter, 2, 2));
    EXPECT_NE(files(3, 2).at(0).find("_verso_"), std::string::npos);
    EXPECT_EQ(sheets.faces_without_picture, 7);
}

TEST(BuildSheets, EmptyPlansGroupsAndMarkedObjectsGiveNothingToBuild)
{
    Stand s;
    PlanTable plan;
    EXPECT_TRUE(make_build_sheets(plan, s.c, s.libraries).runs.empty());
    place(plan, 99, 0, 0);                        // a group object
    place(plan, 3, 200, 200);
    plan.obj_comp[2] = -1;                        // marked for deletion
    const BuildSheets sheets = make_build_sheets(plan, s.c, s.libraries);
    EXPECT_TRUE(sheets.runs.empty());
    EXPECT_TRUE(sheets.free_objects.empty());
    EXPECT_TRUE(sheets.packing.empty());
}
