// The example designs the installation folder ships: each opens whole with the shipped library,
// and stands as the editor would have left it, every joint and every magnet exact.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "library/library_loader.h"
#include "plan/plan_ends.h"
#include "plan/snapping.h"
#include "project/project_reader.h"
#include "support/test_support.h"

namespace fs = std::filesystem;
using namespace halvern;
using halvern::testing::stage_dir;

namespace {

struct Example {
    const char* file;
    float width, depth; // metres
    int walls;
};

const Example examples[] = {
    {"shell_stand_3x3.qlm", 3, 3, 2 | 4 | 8 | 2048},
    {"corner_stand_6x3.qlm", 6, 3, 2 | 8},
    {"island_stand_8x6.qlm", 8, 6, 0},
};

const ComponentTable& shipped_components()
{
    static const ComponentTable table = [] {
        ComponentTable t;
        LibraryTable libraries;
        load_component_tables(stage_dir(), "en", t, libraries);
        return t;
    }();
    return table;
}

struct Opened {
    PlanTable plan;
    StandSettings stand;
    ProjectReadResult read;
};

Opened open_example(const Example& e)
{
    Opened o;
    const fs::path file = stage_dir() / "examples" / e.file;
    Result<ProjectBytes> bytes = read_project_bytes(file);
    if (!bytes) {
        ADD_FAILURE() << bytes.error().text();
        return o;
    }
    o.read = read_project_text(bytes->bytes, file, bytes->format, ReadMode::load, shipped_components(),
                               o.plan, o.stand);
    return o;
}

} // namespace

TEST(ShippedExamples, OpenWholeWithTheShippedLibrary)
{
    for (const Example& e : examples) {
        Opened o = open_example(e);
        EXPECT_TRUE(o.read.complete()) << e.file;
        EXPECT_EQ(o.read.dropped, 0) << e.file;
        EXPECT_TRUE(o.read.notes.empty()) << e.file;
        EXPECT_EQ(o.read.format, ProjectFormat::v11) << e.file;
        EXPECT_EQ(o.stand.stand_largeur, e.width) << e.file;
        EXPECT_EQ(o.stand.stand_profondeur, e.depth) << e.file;
        EXPECT_EQ(o.stand.stand_murs, e.walls) << e.file;
        EXPECT_GE(o.plan.nb_objets, 15) << e.file;
        // Every object stands on the floor.
        for (int i = 1; i <= o.plan.nb_objets; ++i) {
            EXPECT_GE(o.plan.obj_x[size_t(i)], 100) << e.file << " object " << i;
            EXPECT_LE(o.plan.obj_x[size_t(i)], 100 + 100 * e.width) << e.file << " object " << i;
            EXPECT_GE(o.plan.obj_y[size_t(i)], 100) << e.file << " object " << i;
            EXPECT_LE(o.plan.obj_y[size_t(i)], 100 + 100 * e.depth) << e.file << " object " << i;
        }
    }
}

// Dropping any object again where it stands changes nothing: frames and panels already meet their
// neighbours' ends, screens, shelves and spotlights already sit on their magnets, lamps and plants
// already stand on what is under them.
TEST(ShippedExamples, StandAsTheEditorWouldLeaveThem)
{
    const ComponentTable& components = shipped_components();
    for (const Example& e : examples) {
        const Opened o = open_example(e);
        for (int i = 1; i <= o.plan.nb_objets; ++i) {
            PlanTable again = o.plan;
            snap_dropped_object(again, components, i);
            const size_t s = size_t(i);
            EXPECT_NEAR(again.obj_x[s], o.plan.obj_x[s], 1e-3) << e.file << " object " << i;
            EXPECT_NEAR(again.obj_y[s], o.plan.obj_y[s], 1e-3) << e.file << " object " << i;
            EXPECT_EQ(again.obj_rot[s], o.plan.obj_rot[s]) << e.file << " object " << i;
            EXPECT_EQ(again.obj_elevation[s], o.plan.obj_elevation[s]) << e.file << " object " << i;
        }
    }
}

TEST(ShippedExamples, FramesAreJoinedAndProfilePiecesMeetOnTheirMagnets)
{
    const ComponentTable& components = shipped_components();
    int frames = 0, pieces = 0, raised = 0;
    for (const Example& e : examples) {
        const Opened o = open_example(e);
        const std::vector<std::string> codes = computed_end_codes(o.plan, components);
        for (int i = 1; i <= o.plan.nb_objets; ++i) {
            const Component& c = components[o.plan.comp(i)];
            raised += o.plan.obj_elevation[size_t(i)] > 1;
            if (c.library == 0) {
                ++frames;
                EXPECT_NE(codes[size_t(i)], "OO") << e.file << " frame " << i << " stands alone";
                EXPECT_EQ(codes[size_t(i)].find('?'), std::string::npos) << e.file << " frame " << i;
            }
            if (c.library != 23)
                continue;
            ++pieces;
            // Each piece shares a magnet point with another piece of the wall.
            bool met = false;
            for (int j = 1; j <= o.plan.nb_objets && !met; ++j) {
                if (j == i || components[o.plan.comp(j)].library != 23)
                    continue;
                for (int k = 0; k < 2; ++k)
                    for (int m = 0; m < 2; ++m) {
                        const PlanPoint a = magnet_position(o.plan, components, i, k);
                        const PlanPoint b = magnet_position(o.plan, components, j, m);
                        met |= std::abs(a.x - b.x) < 0.01 && std::abs(a.y - b.y) < 0.01;
                    }
            }
            EXPECT_TRUE(met) << e.file << " profile piece " << i << " meets no other piece";
        }
    }
    EXPECT_GE(frames, 10);
    EXPECT_GE(pieces, 8);
    EXPECT_GE(raised, 10); // lamps, plants, screens, shelves, spotlights, tracks, the banner
}
