// The stand's triangle model: the same triangles, materials and box as the whole scene read at
// once, pictures as materials, and a second reading that reads only what changed.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "model3d/object_names.h"
#include "model3d/stand_model.h"
#include "model3d/vrml_triangles.h"
#include "model_fixture.h"
#include "support/plan_builder.h"

using namespace halvern;
using halvern::testing::Design;
using halvern::testing::place;

namespace {

size_t triangles(const VrmlTriangles& read)
{
    size_t n = 0;
    for (const LocalMesh& mesh : read.meshes)
        n += mesh.vertices.size() / 3;
    return n;
}

ModelBounds bounds(const VrmlTriangles& read)
{
    ModelBounds box;
    for (const LocalMesh& mesh : read.meshes)
        for (const ModelVertex& v : mesh.vertices)
            box.add(v.position);
    return box;
}

void expect_near(const ModelBounds& a, const ModelBounds& b, double tolerance)
{
    ASSERT_EQ(a.empty, b.empty);
    for (size_t k = 0; k < 3; ++k) {
        EXPECT_NEAR(a.min[k], b.min[k], tolerance) << "axis " << k;
        EXPECT_NEAR(a.max[k], b.max[k], tolerance) << "axis " << k;
    }
}

bool has_material(const std::vector<ModelMaterial>& materials, const ModelMaterial& m)
{
    return std::find(materials.begin(), materials.end(), m) != materials.end();
}

} // namespace

// Placing each distinct fragment by its block's transform gives what Coin gives for the whole text.
TEST(StandModel, EveryExampleInEveryVariantIsTheWholeSceneReadAtOnce)
{
    for (const char* example : {"shell_stand_3x3.qlm", "corner_stand_6x3.qlm", "island_stand_8x6.qlm"})
        for (VrmlVariant variant : {VrmlVariant::full, VrmlVariant::structure, VrmlVariant::coloured}) {
            SCOPED_TRACE(std::string(example) + " variant " + std::to_string(int(variant)));
            Design design;
            ASSERT_TRUE(halvern::testing::load_example(design, example));
            const VrmlScene scene = design.scene(variant);
            StandModel model;
            const ModelUpdate update = model.read(scene, plan_namer(design.plan, design.components));
            EXPECT_TRUE(model.messages().empty()) << model.messages().front();
            const VrmlTriangles whole = read_vrml_triangles(scene.text);
            ASSERT_TRUE(whole.read);
            EXPECT_EQ(model.triangle_count(), triangles(whole));
            expect_near(model.bounds(), bounds(whole), 1e-4);
            for (const LocalMesh& mesh : whole.meshes)
                EXPECT_TRUE(has_material(model.materials(), mesh.material)) << mesh.material.picture;
            EXPECT_EQ(model.material_count(), whole.meshes.size());
            // A few dozen distinct pieces, however many objects place them.
            EXPECT_LT(update.fragments_parsed, int(scene.objects.size()) * 2);
            EXPECT_EQ(model.objects().size(), scene.objects.size());
        }
}

TEST(StandModel, AnEmptyStandIsItsFloorBoxCentredOnTheOrigin)
{
    Design design;
    fill_builtin_catalogue(design.components, "en");
    design.stand.stand_largeur = 4;
    design.stand.stand_profondeur = 2.5f;
    design.stand.stand_murs = 0;
    StandModel model;
    model.read(design.scene());
    ASSERT_EQ(model.objects().size(), 1u);
    EXPECT_EQ(model.objects()[0].name, "Floor");
    EXPECT_EQ(model.triangle_count(), 12u); // a box
    ModelBounds expected;
    expected.add({-2, -0.02f, -1.25f});
    expected.add({2, 0, 1.25f});
    expect_near(model.bounds(), expected, 1e-5);
    ASSERT_EQ(model.material_count(), 1u);
    EXPECT_EQ(std::filesystem::path(model.materials()[0].picture).filename(), "void_sol.jpg");
    EXPECT_EQ(model.picture_count(), 1u);
    // The floor's picture repeats once a metre: its texture coordinates run over the stand's size.
    float most_u = 0;
    for (const ModelVertex& v : model.objects()[0].meshes[0].vertices)
        most_u = std::max(most_u, std::abs(v.uv[0]));
    EXPECT_NEAR(most_u, 4, 1e-4);
    for (const ModelVertex& v : model.objects()[0].meshes[0].vertices)
        EXPECT_NEAR(std::hypot(v.normal[0], v.normal[1], v.normal[2]), 1, 1e-5);
}

TEST(StandModel, OnePictureOnManyFacesIsOneMaterialAndObjectsAreNamed)
{
    Design design;
    fill_builtin_catalogue(design.components, "en");
    const std::string picture = (halvern::testing::stage_dir() / "lib" / "tex" / "wood" / "maple.jpg").string();
    for (float x : {200.f, 400.f, 600.f}) {
        const int i = place(design.plan, 3, x, 200);
        design.plan.obj_visuel_recto[size_t(i)] = picture;
    }
    design.plan.obj_texte[2] = "Welcome";
    StandModel model;
    model.read(design.scene(), plan_namer(design.plan, design.components));
    EXPECT_EQ(std::count_if(model.materials().begin(), model.materials().end(),
                            [&](const ModelMaterial& m) { return m.picture == picture; }),
              1);
    const ModelObject* second = model.object(2);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->name, "2 " + design.components[3].name + " - Welcome");
    EXPECT_EQ(model.object(1)->triangle_count(), second->triangle_count()); // the same wall elsewhere
    EXPECT_GT(model.object(1)->triangle_count(), 0u);
    // Merged: one mesh per material, the same triangles.
    const std::vector<ModelMesh> merged = model.merged();
    EXPECT_EQ(merged.size(), model.material_count());
    size_t n = 0;
    for (const ModelMesh& mesh : merged)
        n += mesh.triangle_count();
    EXPECT_EQ(n, model.triangle_count());
}

TEST(StandModel, ASecondReadingReadsOnlyWhatChanged)
{
    Design design;
    fill_builtin_catalogue(design.components, "en");
    const float L = float(design.components[0].width);
    design.stand.stand_murs = 0xFFF;
    // Three printed panels joined end to end, and one on its own, in a room.
    for (int k = 0; k < 3; ++k)
        place(design.plan, 0, 300 + L * float(k), 200);
    place(design.plan, 0, 300, 500);
    StandModel model;
    ModelUpdate update = model.read(design.scene());
    EXPECT_EQ(update.read.size(), 6u); // floor, room, four panels
    const size_t fragments = size_t(update.fragments_parsed);

    update = model.read(design.scene());
    EXPECT_TRUE(update.read.empty());
    EXPECT_EQ(update.kept, 6);
    EXPECT_EQ(update.fragments_parsed, 0);

    // The last panel of the row moves away: it and the panel it left change, nothing else.
    design.plan.obj_x[3] += 400;
    update = model.read(design.scene());
    EXPECT_EQ(update.read, (std::vector<int>{2, 3}));
    StandModel fresh;
    fresh.read(design.scene());
    EXPECT_EQ(model.triangle_count(), fresh.triangle_count());
    expect_near(model.bounds(), fresh.bounds(), 1e-5);
    EXPECT_EQ(model.material_count(), fresh.material_count());
    EXPECT_GT(fragments, 0u);

    // A larger stand moves everything: all is read again.
    design.stand.stand_largeur += 1;
    update = model.read(design.scene());
    EXPECT_EQ(update.read.size(), 6u);
    expect_near(model.bounds(), [&] {
        StandModel again;
        again.read(design.scene());
        return again.bounds();
    }(), 1e-5);
}

TEST(StandModel, ATextCoinCannotReadIsNamedAndTheRestIsKept)
{
    const VrmlTriangles bad = read_vrml_triangles("#VRML V2.0 utf8\nShape { geometry Box { size 1 1 }");
    EXPECT_FALSE(bad.messages.empty());
    const VrmlTriangles fragment = read_vrml_fragment("Shape { geometry Box { size 1 2 3 } }");
    ASSERT_TRUE(fragment.read);
    EXPECT_EQ(triangles(fragment), 12u);
    ModelBounds box;
    box.add({-0.5f, -1, -1.5f});
    box.add({0.5f, 1, 1.5f});
    expect_near(bounds(fragment), box, 1e-6);
    // A shape without a material is unlit white, as VRML has it.
    EXPECT_EQ(fragment.meshes[0].material.diffuse, (std::array<float, 3>{1, 1, 1}));
}
