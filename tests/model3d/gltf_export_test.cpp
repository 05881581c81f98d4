// glTF written from the model: read back by tinygltf with every placed thing as a named node and
// every picture inside, opened by a second program, and the pictures of a .gltf beside it.

#include <gtest/gtest.h>

#include <tiny_gltf.h>

#include <cstdlib>
#include <map>
#include <set>

#include "base/picture_file.h"
#include "model3d/gltf_export.h"
#include "model3d/object_names.h"
#include "model_fixture.h"
#include "support/plan_builder.h"

using namespace halvern;
using halvern::testing::Design;
using halvern::testing::ScratchDir;
namespace fs = std::filesystem;

namespace {

StandModel island_model(Design& design)
{
    EXPECT_TRUE(halvern::testing::load_example(design, "island_stand_8x6.qlm"));
    StandModel model;
    model.read(design.scene(), plan_namer(design.plan, design.components));
    return model;
}

tinygltf::Model read_glb(const std::string& bytes)
{
    tinygltf::TinyGLTF reader;
    // The pictures' bytes are checked as they are; decoding them would test the decoder.
    reader.SetImageLoader([](tinygltf::Image*, const int, std::string*, std::string*, int, int, const unsigned char*,
                             int, void*) { return true; },
                          nullptr);
    tinygltf::Model out;
    std::string err, warn;
    const bool read = reader.LoadBinaryFromMemory(&out, &err, &warn, reinterpret_cast<const unsigned char*>(bytes.data()),
                                                  unsigned(bytes.size()));
    EXPECT_TRUE(read) << err;
    return out;
}

} // namespace

TEST(GltfExport, TheIslandExampleReadsBackWithNamedNodesAndItsPicturesInside)
{
    Design design;
    const StandModel model = island_model(design);
    const GltfBytes glb = gltf_bytes(model, GltfForm::binary);
    EXPECT_TRUE(glb.messages.empty()) << glb.messages.front();
    const tinygltf::Model g = read_glb(glb.bytes);

    std::set<std::string> names;
    for (const tinygltf::Node& node : g.nodes)
        names.insert(node.name);
    for (const ModelObject& object : model.objects())
        EXPECT_TRUE(names.count(object.name)) << object.name;
    EXPECT_TRUE(names.count(model_object_name(design.plan, design.components, 1)));
    EXPECT_EQ(model_object_name(design.plan, design.components, 1).rfind("1 ", 0), 0u);

    ASSERT_EQ(g.images.size(), model.picture_count());
    for (const tinygltf::Image& image : g.images) {
        EXPECT_EQ(image.mimeType, "image/jpeg") << image.name;
        ASSERT_GE(image.bufferView, 0) << image.name;
        const tinygltf::BufferView& view = g.bufferViews[size_t(image.bufferView)];
        const unsigned char* bytes = g.buffers[0].data.data() + view.byteOffset;
        EXPECT_TRUE(bytes[0] == 0xFF && bytes[1] == 0xD8) << image.name; // the file's own JPEG bytes
    }
    size_t triangles = 0;
    for (const tinygltf::Mesh& mesh : g.meshes)
        for (const tinygltf::Primitive& primitive : mesh.primitives) {
            const tinygltf::Accessor& position = g.accessors[size_t(primitive.attributes.at("POSITION"))];
            triangles += position.count / 3;
            ASSERT_EQ(position.minValues.size(), 3u);
            const tinygltf::Material& material = g.materials[size_t(primitive.material)];
            EXPECT_EQ(material.pbrMetallicRoughness.baseColorTexture.index >= 0,
                      primitive.attributes.count("TEXCOORD_0") == 1);
        }
    EXPECT_EQ(triangles, model.triangle_count());
}

TEST(GltfExport, APictureThatCannotBeReadIsNamedAndItsFacesKeepTheirColour)
{
    Design design;
    fill_builtin_catalogue(design.components, "en");
    ScratchDir folder;
    const fs::path broken = folder.write("broken.jpg", "not a picture");
    const int i = halvern::testing::place(design.plan, 3, 300, 200);
    design.plan.obj_visuel_recto[size_t(i)] = broken.string();
    StandModel model;
    model.read(design.scene());
    const GltfBytes glb = gltf_bytes(model, GltfForm::binary);
    ASSERT_EQ(glb.messages.size(), 1u);
    EXPECT_NE(glb.messages[0].find(broken.string()), std::string::npos);
    const tinygltf::Model g = read_glb(glb.bytes);
    EXPECT_EQ(g.images.size(), model.picture_count() - 1);
    size_t triangles = 0;
    for (const tinygltf::Mesh& mesh : g.meshes)
        for (const tinygltf::Primitive& primitive : mesh.primitives)
            triangles += g.accessors[size_t(primitive.attributes.at("POSITION"))].count / 3;
    EXPECT_EQ(triangles, model.triangle_count()); // nothing else is skipped
}

// A page for a browser holds pictures of at most the limit a side: a larger one is reduced in its
// proportions to a JPEG; a smaller one keeps its bytes; without a limit every picture keeps them.
// Every placed thing's node says which object it is.
TEST(GltfExport, PicturesPastTheLimitAreReducedAndNodesCarryTheirObject)
{
    Design design;
    fill_builtin_catalogue(design.components, "en");
    ScratchDir folder;
    ASSERT_TRUE(halvern::testing::write_solid_picture(folder / "wide.png", 3000, 1000, 200, 40, 30, FIF_PNG));
    ASSERT_TRUE(halvern::testing::write_solid_picture(folder / "small.jpg", 2048, 300, 20, 40, 200));
    const int wide = halvern::testing::place(design.plan, 3, 300, 200);
    const int small = halvern::testing::place(design.plan, 3, 500, 200);
    design.plan.obj_visuel_recto[size_t(wide)] = (folder / "wide.png").string();
    design.plan.obj_visuel_recto[size_t(small)] = (folder / "small.jpg").string();
    StandModel model;
    model.read(design.scene());
    const std::string small_bytes = halvern::testing::read_bytes(folder / "small.jpg");
    const std::string wide_bytes = halvern::testing::read_bytes(folder / "wide.png");
    for (const int side : {0, 2048}) {
        const GltfBytes glb = gltf_bytes(model, GltfForm::binary, {}, {side, 85});
        const tinygltf::Model g = read_glb(glb.bytes);
        std::map<std::string, std::string> bytes;
        for (const tinygltf::Image& image : g.images) {
            const tinygltf::BufferView& view = g.bufferViews[size_t(image.bufferView)];
            bytes[image.name].assign(reinterpret_cast<const char*>(g.buffers[0].data.data() + view.byteOffset),
                                     view.byteLength);
        }
        EXPECT_EQ(bytes["small.jpg"], small_bytes) << side;
        if (side == 0) {
            EXPECT_EQ(bytes["wide.png"], wide_bytes);
        } else {
            ASSERT_TRUE(halvern::testing::starts_as_jfif(bytes["wide.png"]));
            const fs::path reduced = folder.write("reduced.jpg", bytes["wide.png"]);
            const Result<PictureSize> size = read_picture_size(reduced);
            ASSERT_TRUE(size);
            EXPECT_EQ(size->width, 2048);
            EXPECT_EQ(size->height, 683);
        }
        std::set<int> objects;
        for (const tinygltf::Node& node : g.nodes)
            if (node.extras.Has("object"))
                objects.insert(node.extras.Get("object").GetNumberAsInt());
        EXPECT_EQ(objects, (std::set<int>{scene_floor, wide, small})) << side;
    }
}

TEST(GltfExport, AGltfHasItsPicturesBesideItAndNeverReplacesAFileOfTheFolder)
{
    Design design;
    fill_builtin_catalogue(design.components, "en");
    design.stand.stand_murs = 0;
    StandModel model;
    model.read(design.scene());
    ScratchDir out;
    out.write("void_sol.jpg", "the user's own file");
    Result<GltfReport> written = export_gltf_file(out / "stand.gltf", model);
    ASSERT_TRUE(written) << written.error().text();
    EXPECT_EQ(halvern::testing::read_bytes(out / "void_sol.jpg"), "the user's own file");
    ASSERT_EQ(written->pictures.size(), 1u);
    EXPECT_EQ(written->pictures[0], out / "void_sol-2.jpg");
    EXPECT_EQ(halvern::testing::read_bytes(out / "void_sol-2.jpg"),
              halvern::testing::read_bytes(halvern::testing::stage_dir() / "extlib" / "tex" / "void_sol.jpg"));
    tinygltf::TinyGLTF reader;
    tinygltf::Model g;
    std::string err, warn;
    ASSERT_TRUE(reader.LoadASCIIFromFile(&g, &err, &warn, (out / "stand.gltf").string())) << err;
    ASSERT_EQ(g.images.size(), 1u);
    EXPECT_EQ(g.images[0].uri, "void_sol-2.jpg");
    // Written again: the copy made the first time is taken as the picture's.
    written = export_gltf_file(out / "stand.gltf", model);
    ASSERT_TRUE(written);
    EXPECT_EQ(written->pictures[0], out / "void_sol-2.jpg");
    EXPECT_FALSE(fs::exists(out / "void_sol-3.jpg"));

    EXPECT_EQ(with_gltf_extension("a/stand"), fs::path("a/stand.glb"));
    EXPECT_EQ(with_gltf_extension("stand.GLTF"), fs::path("stand.GLTF"));
    EXPECT_FALSE(export_gltf_file(out / "missing" / "stand.glb", model));
    EXPECT_FALSE(fs::exists(out / "missing"));
}

TEST(GltfExport, ASecondProgramOpensTheGlb)
{
    if (std::system("command -v assimp >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "assimp (Debian assimp-utils) is not installed";
    Design design;
    const StandModel model = island_model(design);
    ScratchDir out;
    ASSERT_TRUE(export_gltf_file(out / "island.glb", model));
    const std::string command = "assimp info '" + (out / "island.glb").string() + "' > '" + (out / "info.txt").string() + "' 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << halvern::testing::read_bytes(out / "info.txt");
}
