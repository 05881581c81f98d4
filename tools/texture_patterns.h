#pragma once
// Procedural material patterns for the texture library and the default textures of the 3D scene.
// Every pattern is periodic in both directions (noise on a wrapping lattice, shapes drawn with
// wrap-around), because a 3D viewer repeats a texture over a floor or a panel and a seam would
// show every metre. Everything is seeded: the same seed draws the same picture on every machine.

#include <cstdint>
#include <vector>

namespace halvern::tools {

struct Colour {
    float r = 0, g = 0, b = 0;
};

Colour operator*(Colour c, float k);
Colour mix(Colour a, Colour b, float t);

// A square picture whose coordinates wrap around.
class Canvas {
public:
    explicit Canvas(int size);
    int size() const { return size_; }
    Colour& at(int x, int y);
    const Colour& at(int x, int y) const;
    // Blends `colour` over the pixel, wrapping the coordinates.
    void blend(int x, int y, Colour colour, float opacity);

private:
    int size_;
    std::vector<Colour> pixels_;
};

// --- noise -----------------------------------------------------------------------------------

// A number in [0, 1) that depends only on its arguments.
float random01(std::uint32_t a, std::uint32_t b, std::uint32_t seed);

// Smooth noise in [0, 1) on a lattice that repeats every period_x by period_y cells.
float value_noise(float x, float y, int period_x, int period_y, std::uint32_t seed);

// Octaves of value noise over texture coordinates u, v in [0, 1), periodic with period 1;
// the first octave has fx by fy cells. Result in about [0, 1].
float fbm(float u, float v, int fx, int fy, int octaves, std::uint32_t seed);

// A small deterministic generator for placing shapes.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next();
    float uniform(float low, float high);
    int below(int count);

private:
    std::uint64_t state_;
};

// --- materials --------------------------------------------------------------------------------

struct FeltStyle {
    Colour base;
    float mottle = 0.12f;       // strength of the large cloudy variation
    std::vector<Colour> fibres; // coloured fibres mixed into the felt
    float fibre_share = 0.15f;
    std::uint32_t seed = 1;
};
void needle_felt(Canvas& canvas, const FeltStyle& style);
void loop_pile(Canvas& canvas, Colour base, std::uint32_t seed);
void rib_carpet(Canvas& canvas, Colour base, int rib_pixels, std::uint32_t seed);

struct WoodStyle {
    Colour light, dark;
    int rings = 12;          // grain lines across the picture
    float waviness = 1.0f;   // how far the lines wander
    float contrast = 0.8f;   // of the late wood bands
    float pores = 0.0f;      // open pores (oak, ash): 0 none .. 1 many
    std::uint32_t seed = 1;
};
void wood_grain(Canvas& canvas, const WoodStyle& style);
// A floor of boards `columns` across, each board with its own grain and tone.
void wood_planks(Canvas& canvas, const WoodStyle& style, int columns, std::uint32_t seed);

struct WeaveStyle {
    Colour warp, weft;       // vertical and horizontal threads
    int thread = 4;          // pixels per thread; must divide the picture size
    int over = 1, under = 1; // 1/1 plain weave, 2/2 or 3/1 twill
    float slub = 0.1f;       // thickness and tone changes along a thread
    std::vector<Colour> flecks; // odd-coloured thread lengths (tweed)
    float fleck_share = 0.0f;
    std::uint32_t seed = 1;
};
void weave(Canvas& canvas, const WeaveStyle& style);
void velvet(Canvas& canvas, Colour base, std::uint32_t seed);

void concrete(Canvas& canvas, Colour base, std::uint32_t seed);
void marble(Canvas& canvas, Colour base, Colour vein, std::uint32_t seed);
void terrazzo(Canvas& canvas, Colour base, const std::vector<Colour>& chips, std::uint32_t seed);
void slate(Canvas& canvas, Colour base, std::uint32_t seed);
// Square tiles `count` across; tiles alternate between `a` and `b` like a chessboard.
void tiles(Canvas& canvas, Colour a, Colour b, int count, Colour grout, float tone_spread, std::uint32_t seed);

void brushed_metal(Canvas& canvas, Colour base, std::uint32_t seed);
void foliage(Canvas& canvas, std::uint32_t seed);
void laminate(Canvas& canvas, Colour base, std::uint32_t seed);

} // namespace halvern::tools
