// What the 3D view draws: the model's meshes gathered by material, pictures reduced and halved for
// textures, and a change of one object that writes that object's vertices and nothing else.

#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <cstring>
#include <set>

#include "library/builtin_catalogue.h"
#include "support/plan_builder.h"
#include "support/test_support.h"
#include "view3d/draw_batches.h"
#include "view3d/scene_snapshot.h"
#include "view3d/texture_picture.h"

namespace halvern {
namespace {

using halvern::testing::place;

class StandBatches : public ::testing::Test {
protected:
    StandBatches()
    {
        auto table = std::make_shared<ComponentTable>();
        fill_builtin_catalogue(*table, "en");
        snapshot.components = table;
        snapshot.app_dir = halvern::testing::stage_dir();
        snapshot.stand = {8, 6, 1 << 1, "", "", ""};
        picture = (snapshot.app_dir / "lib" / "tex" / "wood" / "maple.jpg").string();
        // Two printed panels joined end to end, one apart, a frame piece.
        const float L = float((*table)[0].width);
        for (float x : {300.f, 300.f + L})
            snapshot.plan.obj_visuel_recto[size_t(place(snapshot.plan, 0, x, 200))] = picture;
        place(snapshot.plan, 0, 300, 450);
        place(snapshot.plan, 2301, 600, 400);
    }
    SceneSnapshot snapshot;
    std::string picture;
    StandModel model;
};

TEST_F(StandBatches, HoldTheModelsMeshesOneBatchPerMaterial)
{
    DrawBatches stand;
    stand.apply(build_model(snapshot, model));
    EXPECT_EQ(stand.batches().size(), model.material_count());
    EXPECT_EQ(stand.triangle_count(), model.triangle_count());
    EXPECT_LT(stand.vertex_count(), model.triangle_count() * 3); // corners shared by several triangles
    EXPECT_EQ(stand.object_count(), model.objects().size());
    for (const DrawBatches::Batch& batch : stand.batches()) {
        EXPECT_NE(std::find(model.materials().begin(), model.materials().end(), batch.material),
                  model.materials().end());
        size_t at = 0, index_at = 0;
        for (const DrawBatches::Part& part : batch.parts) {
            EXPECT_EQ(part.first, at); // the parts follow one another in the runs
            EXPECT_EQ(part.first_index, index_at);
            at += part.count;
            index_at += part.index_count;
            // Each part is its object's mesh of this very material, every triangle as the model has it.
            const ModelObject* object = model.object(part.object);
            ASSERT_NE(object, nullptr);
            const ModelMesh& mesh = object->meshes[part.mesh];
            EXPECT_EQ(model.materials()[size_t(mesh.material)], batch.material);
            const DrawMesh& drawn = part.data();
            ASSERT_EQ(drawn.indices.size(), mesh.vertices.size());
            for (size_t k = 0; k < drawn.indices.size(); ++k)
                ASSERT_EQ(std::memcmp(&drawn.vertices[drawn.indices[k]], &mesh.vertices[k], sizeof(ModelVertex)), 0);
        }
        EXPECT_EQ(at, batch.vertex_count);
        EXPECT_EQ(index_at, batch.index_count);
    }
    const Bounds b = stand.bounds();
    EXPECT_NEAR(b.max.x - b.min.x, 8, 0.05);
    EXPECT_GT(b.max.y, 2); // the back wall
    // The scene's own lights came with it.
    EXPECT_FALSE(stand.lights().empty());
    // The printed faces' picture, decoded once for a texture, halved down to one pixel.
    ASSERT_EQ(stand.pictures().count(picture), 1u);
    const DecodedPicture& texture = *stand.pictures().at(picture);
    EXPECT_LE(std::max(texture.width, texture.height), max_texture_side);
    ASSERT_FALSE(texture.smaller.empty());
    EXPECT_EQ(texture.smaller.back().width, 1);
    EXPECT_EQ(texture.smaller.back().height, 1);
}

TEST_F(StandBatches, AChangeOfOneObjectWritesThatObjectAlone)
{
    DrawBatches stand;
    stand.apply(build_model(snapshot, model));
    std::set<const DrawObject*> before;
    for (const DrawBatches::Batch& batch : stand.batches())
        for (const DrawBatches::Part& part : batch.parts)
            before.insert(part.owner.get());
    const std::vector<DrawBatches::Batch> laid = stand.batches();

    // The panel on its own moves: the same triangles elsewhere.
    snapshot.plan.obj_x[3] += 100;
    stand.apply(build_model(snapshot, model));
    ASSERT_EQ(stand.batches().size(), laid.size());
    size_t written = 0;
    for (size_t b = 0; b < laid.size(); ++b) {
        const DrawBatches::Batch& batch = stand.batches()[b];
        EXPECT_EQ(batch.id, laid[b].id);
        EXPECT_LT(batch.laid_out, stand.stamp()); // no run laid out anew
        for (const DrawBatches::Part& part : batch.parts) {
            if (part.stamp == stand.stamp()) {
                EXPECT_EQ(part.object, 3);
                written += part.index_count;
            } else {
                EXPECT_NE(part.object, 3);
                EXPECT_TRUE(before.count(part.owner.get())); // the very vertices of the first reading
            }
        }
    }
    EXPECT_EQ(written, stand.object(3)->triangle_count() * 3);

    // A new object of materials already shown lays out only the runs it joins; an object deleted
    // leaves every run it was in.
    const int added = place(snapshot.plan, 2301, 700, 400);
    stand.apply(build_model(snapshot, model));
    for (const DrawBatches::Batch& batch : stand.batches()) {
        const bool joined = std::any_of(batch.parts.begin(), batch.parts.end(),
                                        [&](const DrawBatches::Part& p) { return p.object == added; });
        EXPECT_EQ(batch.laid_out == stand.stamp(), joined) << batch.material.picture;
    }
    snapshot.plan.nb_objets = added - 1;
    stand.apply(build_model(snapshot, model));
    EXPECT_EQ(stand.object(added), nullptr);
    EXPECT_EQ(stand.triangle_count(), model.triangle_count());
}

TEST(TexturePicture, LargePicturesAreReducedAndEveryLevelIsTheMeanOfWhatItCovers)
{
    halvern::testing::ScratchDir dir;
    QImage wide(3000, 90, QImage::Format_RGB888);
    wide.fill(QColor(200, 100, 50));
    ASSERT_TRUE(wide.save(QString::fromStdString((dir / "wide.png").string())));
    const auto texture = texture_picture(dir / "wide.png");
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->width, max_texture_side);
    EXPECT_NEAR(texture->height, 61, 1);
    EXPECT_EQ(texture_picture(dir / "none.png"), nullptr);

    // 5 × 3 pixels, one channel: halves of 2 × 1, then 1 × 1; odd sides fold their last pixel in.
    DecodedPicture p;
    p.width = 5, p.height = 3, p.components = 1;
    for (int k = 0; k < 15; ++k)
        p.bytes.push_back(static_cast<unsigned char>(k * 10));
    make_smaller_levels(p);
    ASSERT_EQ(p.smaller.size(), 2u);
    EXPECT_EQ(p.smaller[0].width, 2);
    EXPECT_EQ(p.smaller[0].height, 1);
    // Left half: columns 0-1 of rows 0-2 (0 10 50 60 100 110), right: columns 2-4; then their mean.
    EXPECT_EQ(p.smaller[0].bytes, (std::vector<unsigned char>{55, 80}));
    EXPECT_EQ(p.smaller[1].bytes, (std::vector<unsigned char>{68}));
}

} // namespace
} // namespace halvern
