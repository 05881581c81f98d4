#include <gtest/gtest.h>

#include "library/builtin_catalogue.h"
#include "support/test_support.h"
#include "view3d/coin_scene.h"
#include "view3d/scene_snapshot.h"

namespace halvern {
namespace {

const std::string two_boxes = "#VRML V2.0 utf8\n"
                              "Transform { translation 1 0.5 -2 children [ Shape { geometry Box { size 2 1 4 } } ] }\n"
                              "DEF B Transform { translation -3 0 0 children [ Shape { geometry Box { size 1 1 1 } } ] }\n"
                              "USE B\n";

TEST(CoinScene, ReadsTextIntoNodesAndABox)
{
    const CoinScene scene = read_coin_scene(two_boxes);
    ASSERT_NE(scene.root(), nullptr);
    EXPECT_TRUE(scene.messages().empty());
    const Bounds b = scene.bounds();
    ASSERT_FALSE(b.empty);
    EXPECT_NEAR(b.min.x, -3.5, 1e-5);
    EXPECT_NEAR(b.max.x, 2, 1e-5);
    EXPECT_NEAR(b.min.y, -0.5, 1e-5);
    EXPECT_NEAR(b.max.y, 1, 1e-5);
    EXPECT_NEAR(b.min.z, -4, 1e-5);
    EXPECT_NEAR(b.max.z, 0.5, 1e-5);
    // The root, two transforms and two shapes: the one used twice counted once.
    EXPECT_EQ(scene.node_count(), 5);
}

TEST(CoinScene, BadTextGivesNoSceneAndSaysWhy)
{
    CoinScene scene = read_coin_scene("#VRML V2.0 utf8\nTransform { children [ Shape { geometry Box { size 1 }");
    EXPECT_EQ(scene.root(), nullptr);
    ASSERT_FALSE(scene.messages().empty());
    EXPECT_TRUE(scene.bounds().empty);
    EXPECT_EQ(scene.node_count(), 0);
    // Moving a scene hands its nodes over once.
    CoinScene good = read_coin_scene(two_boxes);
    scene = std::move(good);
    EXPECT_NE(scene.root(), nullptr);
    EXPECT_EQ(good.root(), nullptr);
}

class SceneOfADesign : public ::testing::Test {
protected:
    SceneOfADesign()
    {
        auto table = std::make_shared<ComponentTable>();
        fill_builtin_catalogue(*table, "en");
        snapshot.components = table;
        snapshot.app_dir = halvern::testing::stage_dir();
        snapshot.stand.stand_largeur = 8;
        snapshot.stand.stand_profondeur = 6;
    }
    SceneSnapshot snapshot;
};

TEST_F(SceneOfADesign, AnEmptyDesignIsTheFloorAlone)
{
    const SceneText text = build_scene_text(snapshot);
    EXPECT_TRUE(text.messages.empty());
    const CoinScene scene = read_coin_scene(text.text);
    ASSERT_NE(scene.root(), nullptr);
    EXPECT_TRUE(scene.messages().empty()) << scene.messages().front();
    const Bounds b = scene.bounds();
    ASSERT_FALSE(b.empty);
    EXPECT_NEAR(b.max.x - b.min.x, 8, 1e-3);
    EXPECT_NEAR(b.max.z - b.min.z, 6, 1e-3);
    EXPECT_LT(b.max.y - b.min.y, 0.05); // nothing stands on it
}

TEST_F(SceneOfADesign, TheBackWallRisesAtTheBack)
{
    snapshot.stand.stand_murs = 1 << 1;
    const CoinScene scene = read_coin_scene(build_scene_text(snapshot).text);
    ASSERT_NE(scene.root(), nullptr);
    const Bounds b = scene.bounds();
    EXPECT_GT(b.max.y, 2);
    const int walled = scene.node_count();
    snapshot.stand.stand_murs = 0;
    EXPECT_GT(walled, read_coin_scene(build_scene_text(snapshot).text).node_count());
}

} // namespace
} // namespace halvern
