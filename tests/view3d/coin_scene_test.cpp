#include <gtest/gtest.h>

#include <QImage>

#include <Inventor/SoPath.h>
#include <Inventor/actions/SoSearchAction.h>
#include <Inventor/lists/SoPathList.h>
#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/VRMLnodes/SoVRMLAppearance.h>
#include <Inventor/VRMLnodes/SoVRMLShape.h>

#include "library/builtin_catalogue.h"
#include "support/test_support.h"
#include "view3d/coin_scene.h"
#include "view3d/picture_cache.h"
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

// The texture node of every shape, in the order of the scene.
std::vector<const SoNode*> textures_of(const CoinScene& scene)
{
    SoSearchAction search;
    search.setType(SoVRMLShape::getClassTypeId());
    search.setInterest(SoSearchAction::ALL);
    search.apply(scene.root());
    std::vector<const SoNode*> found;
    for (int i = 0; i < search.getPaths().getLength(); ++i) {
        auto* shape = static_cast<SoVRMLShape*>(search.getPaths()[i]->getTail());
        auto* look = static_cast<SoVRMLAppearance*>(shape->appearance.getValue());
        found.push_back(look ? look->texture.getValue() : nullptr);
    }
    return found;
}

TEST(CoinScene, FacesWithTheSamePictureShareOneDecodedTexture)
{
    testing::ScratchDir dir;
    QImage red(8, 4, QImage::Format_RGB32), blue(4, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    blue.fill(Qt::blue);
    ASSERT_TRUE(red.save(QString::fromStdString((dir / "red.png").string())));
    ASSERT_TRUE(blue.save(QString::fromStdString((dir / "blue.png").string())));
    auto face = [&](const char* picture, const char* repeat) {
        return "Shape { appearance Appearance { texture ImageTexture { url \"" + (dir / picture).string() +
               "\" " + repeat + " } } geometry Box { size 1 1 1 } }\n";
    };
    const std::string text = "#VRML V2.0 utf8\n" + face("red.png", "") + face("red.png", "") +
                             face("blue.png", "") + face("red.png", "repeatS FALSE") + face("red.png", "");
    scene_picture_cache().clear();
    const CoinScene scene = read_coin_scene(text);
    ASSERT_NE(scene.root(), nullptr);
    EXPECT_TRUE(scene.messages().empty()) << scene.messages().front();
    const std::vector<const SoNode*> textures = textures_of(scene);
    ASSERT_EQ(textures.size(), 5u);
    EXPECT_NE(textures[0], nullptr);
    EXPECT_EQ(textures[0], textures[1]);
    EXPECT_EQ(textures[0], textures[4]);
    EXPECT_NE(textures[0], textures[2]); // another picture
    EXPECT_NE(textures[0], textures[3]); // the same picture, not repeated the same way
    // Each picture file was decoded once and stays for the next reading.
    EXPECT_EQ(scene_picture_cache().size(), 2u);
    const size_t bytes = scene_picture_cache().bytes();
    EXPECT_GE(bytes, size_t(8 * 4 * 3 + 4 * 4 * 3));
    const CoinScene again = read_coin_scene(text);
    EXPECT_EQ(scene_picture_cache().bytes(), bytes);
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
