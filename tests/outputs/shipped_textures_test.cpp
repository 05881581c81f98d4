// The textures we ship, read from the staged installation folder: the library the stand form and
// the object dialog offer ("lib/tex/FAMILY/*.jpg") and the default materials of the 3D scene
// ("extlib/tex/void_*.jpg").

#include <gtest/gtest.h>

#include <FreeImage.h>

#include <filesystem>
#include <map>

#include "support/test_support.h"

namespace fs = std::filesystem;

namespace {

struct Loaded {
    int width = 0, height = 0;
    bool jpeg = false;
};

Loaded load(const fs::path& file)
{
    Loaded loaded;
    const std::string name = file.string();
    loaded.jpeg = FreeImage_GetFileType(name.c_str(), 0) == FIF_JPEG;
    if (FIBITMAP* bitmap = FreeImage_Load(FIF_JPEG, name.c_str(), 0)) {
        loaded.width = int(FreeImage_GetWidth(bitmap));
        loaded.height = int(FreeImage_GetHeight(bitmap));
        FreeImage_Unload(bitmap);
    }
    return loaded;
}

// A 3D viewer repeats a texture over a surface; power-of-two squares are what every viewer takes.
void expect_texture(const fs::path& file)
{
    SCOPED_TRACE(file.string());
    const Loaded loaded = load(file);
    EXPECT_TRUE(loaded.jpeg);
    // simage, the picture reader of Coin-based VRML viewers, refuses a JPEG without its JFIF marker.
    EXPECT_TRUE(halvern::testing::starts_as_jfif(halvern::testing::read_bytes(file)));
    EXPECT_TRUE(loaded.width == 256 || loaded.width == 512) << loaded.width;
    EXPECT_EQ(loaded.height, loaded.width);
}

} // namespace

TEST(ShippedTextures, TheLibraryHasFamiliesOfJpegPictures)
{
    const fs::path library = halvern::testing::stage_dir() / "lib" / "tex";
    std::map<std::string, int> families;
    for (const auto& family : fs::directory_iterator(library)) {
        ASSERT_TRUE(family.is_directory()) << family.path() << ": the texture form lists folders only";
        int pictures = 0;
        for (const auto& entry : fs::directory_iterator(family.path())) {
            // The form lists "*.jpg": anything else would be a picture the user can never choose.
            EXPECT_EQ(entry.path().extension(), ".jpg") << entry.path();
            expect_texture(entry.path());
            ++pictures;
        }
        families[family.path().filename().string()] = pictures;
    }
    EXPECT_GE(families.size(), 3u);
    for (const auto& [family, pictures] : families)
        EXPECT_GE(pictures, 4) << family;
}

TEST(ShippedTextures, DefaultMaterialsOfThe3DScene)
{
    const fs::path folder = halvern::testing::stage_dir() / "extlib" / "tex";
    // The floor, the printable laminate and the unprinted faces are named by the scene itself; the
    // others by the components' geometry.
    for (const char* name : {"void.jpg", "void2.jpg", "void_sol.jpg", "void_strat.jpg", "void_bois.jpg", "void_metal.jpg", "void_tissu.jpg",
                             "void_moquette.jpg", "void_feuille.jpg"})
        expect_texture(folder / name);
    for (const auto& entry : fs::directory_iterator(folder))
        EXPECT_EQ(entry.path().filename().string().rfind("void", 0), 0u) << entry.path();
}

TEST(ShippedTextures, TheWholePictureSetStaysSmall)
{
    std::uintmax_t total = 0;
    for (const char* folder : {"lib/tex", "extlib/tex", "lib/ico", "lib/cur"})
        for (const auto& entry : fs::recursive_directory_iterator(halvern::testing::stage_dir() / folder))
            if (entry.is_regular_file())
                total += entry.file_size();
    EXPECT_LT(total, 3u * 1024 * 1024);
}
