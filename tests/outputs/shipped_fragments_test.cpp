// The fragments the installation ships: each is there, read by a real VRML reader as the scene
// puts it, and carries what the scene substitutes into it.

#include <gtest/gtest.h>

#include "outputs/vrml_fragments.h"
#include "support/test_support.h"
#include "support/vrml_reader.h"

namespace fs = std::filesystem;
using halvern::VrmlFragments;

TEST(ShippedFragments, EachReadsInsideAChildrenList)
{
    halvern::testing::ScratchDir scratch;
    const fs::path lib = halvern::testing::stage_dir() / "lib";
    const fs::path picture = halvern::testing::stage_dir() / "extlib" / "tex" / "void.jpg";
    for (const std::string& name : VrmlFragments::all_names()) {
        const fs::path file = lib / (name + ".dat");
        ASSERT_TRUE(fs::is_regular_file(file)) << file;
        const std::string text = halvern::testing::read_bytes(file);
        if (name != "nav02" && name != "bigomni") { // navigation and light draw nothing
            EXPECT_NE(text.find("Material {"), std::string::npos) << name;
        }
        for (const std::string& problem : halvern::testing::fragment_read_problems(file, picture, scratch.path()))
            ADD_FAILURE() << name << ": " << problem;
    }
}

TEST(ShippedFragments, TheComponentsGeometryReadsToo)
{
    halvern::testing::ScratchDir scratch;
    const fs::path extlib = halvern::testing::stage_dir() / "extlib";
    const fs::path picture = extlib / "tex" / "void.jpg";
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(extlib))
        if (entry.path().extension() == ".dat") {
            ++files;
            for (const std::string& problem :
                 halvern::testing::fragment_read_problems(entry.path(), picture, scratch.path()))
                ADD_FAILURE() << entry.path() << ": " << problem;
        }
    EXPECT_GT(files, 20);
}

TEST(ShippedFragments, CarryTheirPlaceholders)
{
    const fs::path lib = halvern::testing::stage_dir() / "lib";
    for (const char* base : {"base.dat", "base_mount.dat"}) {
        const std::string text = halvern::testing::read_bytes(lib / base);
        for (const char* p : {"wrl_posx", "wrl_posy", "wrl_lenx", "wrl_leny", "wrl_camx", "wrl_camy", "wrl_camz",
                              "wrl_globx", "wrl_globy", "void_sol.jpg"})
            EXPECT_NE(text.find(p), std::string::npos) << base << " lacks " << p;
    }
    for (const char* face : {"purple_1cc", "purple_2rc", "lime_1oc", "brown_2cc", "matrice_1", "matrice_2",
                             "matrice_lattix", "Courbe A intv", "Courbe E extv"})
        EXPECT_NE(halvern::testing::read_bytes(lib / (std::string(face) + ".dat")).find("\"void.jpg\""),
                  std::string::npos)
            << face;
    std::string light = halvern::testing::read_bytes(lib / "bigomni.dat");
    while (!light.empty() && (light.back() == '\n' || light.back() == '\r'))
        light.pop_back();
    EXPECT_EQ(light.back(), ',');
}
