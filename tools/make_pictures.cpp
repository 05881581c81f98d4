// Writes the textures of the installation folder as JPEG pictures:
//   lib/tex/FAMILY/NAME.jpg   the texture library the stand form and the object dialog offer
//   extlib/tex/void_NAME.jpg  the default materials a component's 3D geometry names with "void_"
//   extlib/tex/void.jpg, void2.jpg  the recto and verso of a face without a picture of its own
//     make_pictures DATA_FOLDER
// Sizes are powers of two, which every 3D viewer can repeat over a surface.

#include <FreeImage.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "base/text_file.h"
#include "texture_patterns.h"

namespace fs = std::filesystem;
using namespace halvern;
using namespace halvern::tools;

namespace {

constexpr int jpeg_quality = 85;

struct Picture {
    std::string path; // below the data folder
    int size;
    std::function<void(Canvas&)> draw;
};

std::vector<Picture> pictures()
{
    const Colour flecks_cool[] = {{60, 58, 58}, {170, 168, 166}, {80, 96, 130}};
    std::vector<Picture> list;
    auto add = [&](std::string path, int size, std::function<void(Canvas&)> draw) {
        list.push_back({std::move(path), size, std::move(draw)});
    };

    // Floor coverings: exhibition halls are mostly needle felt, with pile carpets for better stands.
    auto felt = [](Colour base, std::vector<Colour> fibres, std::uint32_t seed) {
        return [=](Canvas& c) { needle_felt(c, {base, 0.12f, fibres, 0.18f, seed}); };
    };
    add("lib/tex/carpet/needle_felt_grey.jpg", 256, felt({128, 128, 132}, {{60, 60, 64}, {200, 200, 205}}, 11));
    add("lib/tex/carpet/needle_felt_anthracite.jpg", 256, felt({58, 60, 64}, {{20, 20, 22}, {130, 130, 135}}, 12));
    add("lib/tex/carpet/needle_felt_blue.jpg", 256, felt({38, 62, 128}, {{20, 30, 70}, {90, 120, 190}}, 13));
    add("lib/tex/carpet/needle_felt_red.jpg", 256, felt({160, 30, 36}, {{90, 15, 20}, {210, 70, 70}}, 14));
    add("lib/tex/carpet/needle_felt_green.jpg", 256, felt({54, 110, 58}, {{25, 60, 30}, {120, 170, 110}}, 15));
    add("lib/tex/carpet/loop_pile_beige.jpg", 256, [](Canvas& c) { loop_pile(c, {205, 186, 152}, 16); });
    add("lib/tex/carpet/rib_anthracite.jpg", 256, [](Canvas& c) { rib_carpet(c, {70, 72, 78}, 8, 17); });

    // Woods: boards and veneers the stand builders use.
    const WoodStyle oak{{204, 164, 112}, {150, 104, 58}, 14, 1.0f, 0.75f, 0.8f, 21};
    add("lib/tex/wood/oak.jpg", 512, [=](Canvas& c) { wood_grain(c, oak); });
    add("lib/tex/wood/beech.jpg", 512,
        [](Canvas& c) { wood_grain(c, {{226, 182, 138}, {204, 152, 108}, 20, 0.6f, 0.6f, 0.0f, 22}); });
    add("lib/tex/wood/walnut.jpg", 512,
        [](Canvas& c) { wood_grain(c, {{128, 86, 54}, {70, 45, 28}, 12, 1.4f, 0.75f, 0.3f, 23}); });
    add("lib/tex/wood/maple.jpg", 512,
        [](Canvas& c) { wood_grain(c, {{238, 214, 176}, {214, 184, 140}, 24, 0.5f, 0.5f, 0.0f, 24}); });
    add("lib/tex/wood/wenge.jpg", 512,
        [](Canvas& c) { wood_grain(c, {{92, 70, 52}, {34, 24, 18}, 30, 0.4f, 1.0f, 0.6f, 25}); });
    add("lib/tex/wood/oak_planks.jpg", 512, [=](Canvas& c) { wood_planks(c, oak, 8, 26); });

    // Fabrics: the cloths that cover counters, tables and walls.
    add("lib/tex/fabric/linen.jpg", 256, [](Canvas& c) {
        weave(c, {{206, 192, 162}, {196, 180, 148}, 4, 1, 1, 0.18f, {}, 0.0f, 31});
    });
    add("lib/tex/fabric/canvas_white.jpg", 256, [](Canvas& c) {
        weave(c, {{244, 242, 234}, {236, 233, 224}, 2, 1, 1, 0.06f, {}, 0.0f, 32});
    });
    add("lib/tex/fabric/denim.jpg", 256, [](Canvas& c) {
        weave(c, {{42, 64, 112}, {186, 190, 200}, 4, 3, 1, 0.22f, {}, 0.0f, 33});
    });
    add("lib/tex/fabric/tweed_grey.jpg", 256, [=](Canvas& c) {
        weave(c, {{120, 118, 116}, {96, 94, 92}, 4, 2, 2, 0.2f,
                  std::vector<Colour>(std::begin(flecks_cool), std::end(flecks_cool)), 0.05f, 34});
    });
    add("lib/tex/fabric/velvet_red.jpg", 256, [](Canvas& c) { velvet(c, {150, 22, 34}, 35); });
    add("lib/tex/fabric/felt_black.jpg", 256,
        [](Canvas& c) { needle_felt(c, {{34, 34, 36}, 0.08f, {{60, 60, 62}}, 0.1f, 36}); });

    // Stone and tiles, for floors and counter tops.
    add("lib/tex/stone/concrete.jpg", 512, [](Canvas& c) { concrete(c, {150, 148, 142}, 41); });
    add("lib/tex/stone/white_marble.jpg", 512, [](Canvas& c) { marble(c, {236, 234, 230}, {120, 122, 128}, 42); });
    add("lib/tex/stone/terrazzo.jpg", 512, [](Canvas& c) {
        terrazzo(c, {228, 222, 210}, {{40, 40, 42}, {140, 140, 138}, {250, 250, 248}, {170, 80, 60}, {200, 180, 150}}, 43);
    });
    add("lib/tex/stone/slate.jpg", 512, [](Canvas& c) { slate(c, {72, 78, 86}, 44); });
    add("lib/tex/stone/white_tiles.jpg", 512,
        [](Canvas& c) { tiles(c, {240, 240, 236}, {240, 240, 236}, 4, {170, 168, 160}, 0.02f, 45); });
    add("lib/tex/stone/chessboard_tiles.jpg", 512,
        [](Canvas& c) { tiles(c, {236, 236, 232}, {32, 32, 34}, 4, {120, 120, 118}, 0.02f, 46); });
    add("lib/tex/stone/terracotta_tiles.jpg", 512,
        [](Canvas& c) { tiles(c, {176, 88, 56}, {168, 82, 52}, 4, {200, 190, 170}, 0.08f, 47); });

    // Default materials, named in components' 3D geometry as "void_NAME.jpg".
    add("extlib/tex/void_sol.jpg", 256, felt({128, 128, 132}, {{60, 60, 64}, {200, 200, 205}}, 51));
    add("extlib/tex/void_moquette.jpg", 256, felt({58, 60, 64}, {{20, 20, 22}, {130, 130, 135}}, 52));
    add("extlib/tex/void_strat.jpg", 256, [](Canvas& c) { laminate(c, {240, 238, 234}, 53); });
    add("extlib/tex/void_bois.jpg", 256,
        [](Canvas& c) { wood_grain(c, {{226, 182, 138}, {204, 152, 108}, 10, 0.6f, 0.6f, 0.0f, 54}); });
    add("extlib/tex/void_metal.jpg", 256, [](Canvas& c) { brushed_metal(c, {186, 189, 194}, 55); });
    add("extlib/tex/void_tissu.jpg", 256, [](Canvas& c) {
        weave(c, {{200, 200, 204}, {190, 190, 194}, 4, 1, 1, 0.1f, {}, 0.0f, 56});
    });
    add("extlib/tex/void_feuille.jpg", 256, [](Canvas& c) { foliage(c, 57); });
    // The unprinted faces: what a face without a picture of its own shows in the 3D scene.
    add("extlib/tex/void.jpg", 256, [](Canvas& c) {
        weave(c, {{246, 245, 240}, {238, 237, 231}, 2, 1, 1, 0.05f, {}, 0.0f, 58});
    });
    add("extlib/tex/void2.jpg", 256, [](Canvas& c) {
        weave(c, {{236, 236, 234}, {226, 226, 224}, 2, 1, 1, 0.05f, {}, 0.0f, 59});
    });
    return list;
}

unsigned char channel(float value) { return static_cast<unsigned char>(std::clamp(value + 0.5f, 0.0f, 255.0f)); }

bool save_jpeg(const Canvas& canvas, const fs::path& file)
{
    const int n = canvas.size();
    FIBITMAP* bitmap = FreeImage_Allocate(n, n, 24);
    if (!bitmap)
        return false;
    for (int y = 0; y < n; ++y) {
        BYTE* row = FreeImage_GetScanLine(bitmap, n - 1 - y); // FreeImage keeps rows bottom-up
        for (int x = 0; x < n; ++x) {
            const Colour& c = canvas.at(x, y);
            row[3 * x + FI_RGBA_RED] = channel(c.r);
            row[3 * x + FI_RGBA_GREEN] = channel(c.g);
            row[3 * x + FI_RGBA_BLUE] = channel(c.b);
        }
    }
    FIMEMORY* memory = FreeImage_OpenMemory();
    // Not FreeImage's bare "baseline" form: it drops the JFIF marker, without which simage (the
    // picture reader of Coin-based VRML viewers) refuses the file.
    const bool encoded = FreeImage_SaveToMemory(FIF_JPEG, bitmap, memory, jpeg_quality | JPEG_OPTIMIZE);
    FreeImage_Unload(bitmap);
    BYTE* data = nullptr;
    DWORD size = 0;
    bool ok = encoded && FreeImage_AcquireMemory(memory, &data, &size);
    if (ok) {
        std::error_code ec;
        fs::create_directories(file.parent_path(), ec);
        Result<void> written = write_file_safely(file, std::string_view(reinterpret_cast<const char*>(data), size));
        if (!written) {
            std::fprintf(stderr, "make_pictures: %s\n", written.error().text().c_str());
            ok = false;
        }
    }
    FreeImage_CloseMemory(memory);
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_pictures DATA_FOLDER\n");
        return 2;
    }
    const fs::path data = argv[1];
    bool ok = true;
    for (const Picture& picture : pictures()) {
        Canvas canvas(picture.size);
        picture.draw(canvas);
        if (!save_jpeg(canvas, data / picture.path)) {
            std::fprintf(stderr, "make_pictures: %s: cannot be written\n", (data / picture.path).string().c_str());
            ok = false;
        }
    }
    return ok ? 0 : 1;
}
