// Material patterns. Coordinates u, v run over [0, 1) across the picture; every pattern is
// periodic in both, so a tiled texture shows no seam.

#include "texture_patterns.h"

#include <algorithm>
#include <cmath>

namespace halvern::tools {

namespace {

constexpr float pi = 3.14159265f;

float fract(float x) { return x - std::floor(x); }

float smoothstep(float a, float b, float x)
{
    const float t = std::clamp((x - a) / (b - a), 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

// Visits every pixel with its texture coordinates.
template <class F>
void each_pixel(Canvas& canvas, F&& f)
{
    const int n = canvas.size();
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
            f(x, y, (float(x) + 0.5f) / float(n), (float(y) + 0.5f) / float(n));
}

// Per-pixel grain, the fine irregularity every real surface has.
float grain(int x, int y, std::uint32_t seed) { return random01(std::uint32_t(x), std::uint32_t(y), seed) - 0.5f; }

// A short straight stroke, wrapped round the edges.
void stroke(Canvas& canvas, float x0, float y0, float angle, float length, Colour colour, float opacity)
{
    const int steps = std::max(1, int(length * 2));
    for (int s = 0; s <= steps; ++s) {
        const float t = length * float(s) / float(steps);
        canvas.blend(int(std::floor(x0 + t * std::cos(angle))), int(std::floor(y0 + t * std::sin(angle))), colour,
                     opacity / 2);
    }
}

// A light blur that wraps round; felt and pile are soft to the eye.
void soften(Canvas& canvas, float amount)
{
    const int n = canvas.size();
    Canvas copy = canvas;
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            Colour sum;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const Colour& c = copy.at(x + dx, y + dy);
                    sum.r += c.r, sum.g += c.g, sum.b += c.b;
                }
            canvas.at(x, y) = mix(copy.at(x, y), sum * (1.0f / 9.0f), amount);
        }
}

} // namespace

// --- floor coverings ---------------------------------------------------------------------------

void needle_felt(Canvas& canvas, const FeltStyle& style)
{
    each_pixel(canvas, [&](int x, int y, float u, float v) {
        const float cloud = fbm(u, v, 4, 4, 4, style.seed) - 0.5f;
        canvas.at(x, y) = style.base * (1.0f + style.mottle * 2 * cloud + 0.22f * grain(x, y, style.seed + 7));
    });
    Random random(style.seed);
    const int n = canvas.size();
    const int fibres = n * n / 5;
    for (int i = 0; i < fibres; ++i) {
        Colour colour = style.base * random.uniform(0.7f, 1.3f);
        if (!style.fibres.empty() && random.uniform(0, 1) < style.fibre_share)
            colour = style.fibres[size_t(random.below(int(style.fibres.size())))];
        stroke(canvas, random.uniform(0, float(n)), random.uniform(0, float(n)), random.uniform(0, 2 * pi),
               random.uniform(2, 6), colour, 0.6f);
    }
    soften(canvas, 0.3f);
}

void loop_pile(Canvas& canvas, Colour base, std::uint32_t seed)
{
    constexpr int cell = 4;
    each_pixel(canvas, [&](int x, int y, float u, float v) {
        const int row = y / cell;
        const int shifted = x + (row % 2) * cell / 2;
        const int column = shifted / cell;
        const float cx = (float(shifted % cell) + 0.5f) / cell, cy = (float(y % cell) + 0.5f) / cell;
        const float loop = std::sin(pi * cx) * std::sin(pi * cy);
        const float tone = 1.0f + 0.16f * (random01(std::uint32_t(column), std::uint32_t(row), seed) - 0.5f);
        const float cloud = fbm(u, v, 3, 3, 3, seed + 3) - 0.5f;
        canvas.at(x, y) = base * (tone * (0.62f + 0.5f * loop) + 0.15f * cloud + 0.08f * grain(x, y, seed));
    });
    soften(canvas, 0.2f);
}

void rib_carpet(Canvas& canvas, Colour base, int rib_pixels, std::uint32_t seed)
{
    each_pixel(canvas, [&](int x, int y, float u, float v) {
        const float across = std::sin(pi * (float(x % rib_pixels) + 0.5f) / float(rib_pixels));
        const int n = canvas.size();
        const float tufts = value_noise(float(x) / float(rib_pixels), v * float(n) / 2, n / rib_pixels, n / 2, seed);
        const float cloud = fbm(u, v, 2, 2, 3, seed + 5) - 0.5f;
        canvas.at(x, y) = base * (0.55f + 0.5f * across * (0.8f + 0.4f * tufts) + 0.15f * cloud +
                                  0.12f * grain(x, y, seed + 1));
    });
    soften(canvas, 0.25f);
}

// --- woods ---------------------------------------------------------------------------------------

namespace {

Colour wood_at(const WoodStyle& style, float u, float v, int size)
{
    // Flat-sawn grain: lines along v that wander with low-frequency noise. The ring count is a
    // whole number, so the pattern meets itself across the edge.
    const float wander = (fbm(u, v, 2, 1, 4, style.seed) - 0.5f) * 1.6f * style.waviness +
                         0.1f * style.waviness * std::sin(2 * pi * (v + 2.0f * fbm(u, v, 2, 1, 2, style.seed + 9)));
    // Early wood is light; late wood darkens gradually through the year and stops at once where
    // the next year's growth begins. Finer lines within the years keep the bands from looking
    // painted on.
    const float ring = fract(u * float(style.rings) + wander);
    const float fine_ring = fract(u * float(style.rings * 4) + 1.3f * wander);
    const float late = 0.75f * smoothstep(0.6f, 0.97f, ring) + 0.15f * smoothstep(0.7f, 1.0f, fine_ring);
    Colour c = mix(style.light, style.dark, std::clamp(late * style.contrast, 0.0f, 1.0f));

    // Fibres: streaks that run along the board.
    const int across = size / 2;
    const float fibre = value_noise(u * float(across), v * 8, across, 8, style.seed + 17) - 0.5f;
    const float fine = value_noise(u * float(size), v * 24, size, 24, style.seed + 23) - 0.5f;
    float shade = 1.0f + 0.14f * fibre + 0.07f * fine;

    // Open pores: short dark dashes along the grain, more of them in the late wood.
    if (style.pores > 0) {
        const float pore = value_noise(u * float(size), v * float(size) / 10, size, size / 10, style.seed + 31);
        if (pore > 1.0f - 0.12f * style.pores * (0.4f + late))
            shade *= 0.8f;
    }
    return c * shade;
}

} // namespace

void wood_grain(Canvas& canvas, const WoodStyle& style)
{
    each_pixel(canvas, [&](int x, int y, float u, float v) {
        canvas.at(x, y) = wood_at(style, u, v, canvas.size()) * (1.0f + 0.05f * grain(x, y, style.seed + 3));
    });
}

void wood_planks(Canvas& canvas, const WoodStyle& style, int columns, std::uint32_t seed)
{
    const int n = canvas.size();
    const int width = n / columns;
    Random random(seed);
    // One board a column, as long as the picture; the joints fall at different heights, as a
    // floor layer staggers them.
    std::vector<float> joint(static_cast<size_t>(columns));
    for (int c = 0; c < columns; ++c)
        joint[size_t(c)] = fract(float(c) * 0.382f + random.uniform(0.0f, 0.15f));
    each_pixel(canvas, [&](int x, int y, float, float v) {
        const int c = x / width;
        const int board = c;
        // The board's own stretch of grain, from its joint to the next; taking less than a whole
        // period of the grain makes the grain break at the joint, as it does between two boards.
        const float u_local = float(x % width) / float(n) + random01(std::uint32_t(board), 1, seed);
        const float v_local = 0.7f * fract(v - joint[size_t(c)]) + random01(std::uint32_t(board), 2, seed);
        const float tone = 0.9f + 0.2f * random01(std::uint32_t(board), 3, seed);
        Colour colour = wood_at(style, u_local, v_local, n) * tone;

        const float pixel_v = 1.0f / float(n);
        const bool side_gap = x % width == 0;
        const float from_joint = fract(v - joint[size_t(c)]);
        const bool end_gap = from_joint < pixel_v;
        if (side_gap || end_gap)
            colour = colour * 0.45f;
        else if (x % width == 1)
            colour = colour * 1.06f; // the bevel catches the light
        canvas.at(x, y) = colour;
    });
}

// --- fabrics -------------------------------------------------------------------------------------

void weave(Canvas& canvas, const WeaveStyle& style)
{
    const int t = style.thread;
    const int repeat = style.over + style.under;
    each_pixel(canvas, [&](int x, int y, float, float) {
        const int i = x / t, j = y / t;
        const bool warp_on_top = ((j - i) % repeat + repeat) % repeat < style.over;
        const int along = warp_on_top ? y : x;
        const int across_pixel = warp_on_top ? x % t : y % t;
        const int thread = warp_on_top ? i : j;
        const std::uint32_t family = warp_on_top ? 11u : 29u;
        const int n = canvas.size();

        // Round thread: lit along its middle, darker at its sides and where it dives under.
        const float p = (float(across_pixel) + 0.5f) / float(t) * 2 - 1;
        const float round = std::sqrt(std::max(0.0f, 1 - p * p));
        const int cell_along = (warp_on_top ? y % t : x % t);
        const float dive = std::sin(pi * (float(cell_along) + 0.5f) / float(t));
        const float slub = value_noise(float(along) * 32.0f / float(n), float(thread), 32, n / t, style.seed + family);

        Colour colour = warp_on_top ? style.warp : style.weft;
        colour = colour * (1.0f + style.slub * 2 * (random01(std::uint32_t(thread), family, style.seed) - 0.5f));
        if (!style.flecks.empty() &&
            random01(std::uint32_t(thread), std::uint32_t(along / (3 * t)) + family * 977u, style.seed + 5) <
                style.fleck_share)
            colour = style.flecks[size_t(random01(std::uint32_t(thread), std::uint32_t(along / (3 * t)), style.seed + 6) *
                                         float(style.flecks.size()))];
        const float shade = (0.55f + 0.45f * round) * (0.82f + 0.18f * dive) * (1.0f + style.slub * (slub - 0.5f));
        canvas.at(x, y) = colour * (shade + 0.06f * grain(x, y, style.seed));
    });
}

void velvet(Canvas& canvas, Colour base, std::uint32_t seed)
{
    each_pixel(canvas, [&](int x, int y, float u, float v) {
        // The pile leans a little differently from place to place and catches the light in soft
        // waves; the fine pile itself shows as a velvety grain.
        const float sheen = fbm(u, v, 2, 2, 4, seed);
        const float crush = fbm(u, v, 8, 4, 3, seed + 4);
        const float light = 0.85f + 0.3f * (sheen - 0.5f) + 0.12f * (crush - 0.5f);
        canvas.at(x, y) = base * (light + 0.1f * grain(x, y, seed + 2));
    });
    soften(canvas, 0.4f);
}

// --- stone and tiles -----------------------------------------------------------------------------

void concrete(Canvas& canvas, Colour base, std::uint32_t seed)
{
    each_pixel(canvas, [&](int x, int y, float u, float v) {
        const float cloud = fbm(u, v, 3, 3, 6, seed) - 0.5f;
        const float sand = grain(x, y, seed + 1);
        canvas.at(x, y) = base * (1.0f + 0.35f * cloud + 0.12f * sand);
    });
    Random random(seed);
    const int n = canvas.size();
    for (int i = 0; i < n * n / 400; ++i) { // air holes
        const int cx = random.below(n), cy = random.below(n);
        const float r = random.uniform(0.6f, 2.2f);
        for (int dy = -3; dy <= 3; ++dy)
            for (int dx = -3; dx <= 3; ++dx)
                if (float(dx * dx + dy * dy) <= r * r)
                    canvas.blend(cx + dx, cy + dy, base * 0.45f, 0.8f);
    }
}

void marble(Canvas& canvas, Colour base, Colour vein, std::uint32_t seed)
{
    each_pixel(canvas, [&](int x, int y, float u, float v) {
        // Whole-number slopes keep the veins periodic.
        const float t1 = u * 2 + v + 0.9f * fbm(u, v, 3, 3, 5, seed);
        const float t2 = u * 3 - v * 2 + 1.2f * fbm(u, v, 4, 4, 5, seed + 50);
        const float v1 = std::pow(1.0f - std::fabs(std::sin(pi * t1)), 14.0f);
        const float v2 = std::pow(1.0f - std::fabs(std::sin(pi * t2)), 30.0f);
        const float cloud = fbm(u, v, 2, 2, 4, seed + 90) - 0.5f;
        Colour c = base * (1.0f + 0.07f * cloud + 0.02f * grain(x, y, seed));
        c = mix(c, vein, std::clamp(0.75f * v1 + 0.45f * v2, 0.0f, 1.0f));
        canvas.at(x, y) = c;
    });
}

void terrazzo(Canvas& canvas, Colour base, const std::vector<Colour>& chips, std::uint32_t seed)
{
    each_pixel(canvas, [&](int x, int y, float u, float v) {
        canvas.at(x, y) = base * (1.0f + 0.06f * (fbm(u, v, 4, 4, 3, seed) - 0.5f) + 0.05f * grain(x, y, seed));
    });
    Random random(seed + 1);
    const int n = canvas.size();
    const int count = n * n / 260;
    for (int i = 0; i < count; ++i) {
        const float cx = random.uniform(0, float(n)), cy = random.uniform(0, float(n));
        const float r = random.uniform(1.5f, 7.0f);
        const float a1 = random.uniform(0, 0.25f), a2 = random.uniform(0, 0.2f), a3 = random.uniform(0, 0.12f);
        const float p1 = random.uniform(0, 2 * pi), p2 = random.uniform(0, 2 * pi), p3 = random.uniform(0, 2 * pi);
        const Colour colour = chips[size_t(random.below(int(chips.size())))] * random.uniform(0.9f, 1.1f);
        const int reach = int(r * 1.6f) + 1;
        for (int dy = -reach; dy <= reach; ++dy)
            for (int dx = -reach; dx <= reach; ++dx) {
                const float fx = float(dx) + 0.5f - fract(cx), fy = float(dy) + 0.5f - fract(cy);
                const float angle = std::atan2(fy, fx);
                const float edge =
                    r * (1 + a1 * std::cos(angle + p1) + a2 * std::cos(2 * angle + p2) + a3 * std::cos(3 * angle + p3));
                const float d = std::sqrt(fx * fx + fy * fy);
                if (d < edge + 0.5f)
                    canvas.blend(int(cx) + dx, int(cy) + dy, colour, std::clamp(edge + 0.5f - d, 0.0f, 1.0f));
            }
    }
}

void slate(Canvas& canvas, Colour base, std::uint32_t seed)
{
    each_pixel(canvas, [&](int x, int y, float u, float v) {
        // Split slate shows terraces: flat patches of one layer with sharp steps to the next.
        const float height = fbm(u, v, 3, 3, 5, seed) * 7;
        const float terrace = std::floor(height) / 7 - 0.5f;
        const float step = smoothstep(0.85f, 1.0f, height - std::floor(height));
        const float streak = fbm(u, v, 2, 16, 3, seed + 3) - 0.5f;
        Colour c = mix(base, Colour{base.r * 0.9f, base.g * 1.02f, base.b * 0.98f}, fbm(u, v, 2, 2, 2, seed + 5));
        canvas.at(x, y) = c * (1.0f + 0.35f * terrace - 0.12f * step + 0.1f * streak + 0.07f * grain(x, y, seed));
    });
}

void tiles(Canvas& canvas, Colour a, Colour b, int count, Colour grout, float tone_spread, std::uint32_t seed)
{
    const int n = canvas.size();
    const int side = n / count;
    each_pixel(canvas, [&](int x, int y, float u, float v) {
        const int i = x / side, j = y / side;
        const int lx = x % side, ly = y % side;
        if (lx < 2 || ly < 2) {
            canvas.at(x, y) = grout * (1.0f + 0.15f * grain(x, y, seed + 9));
            return;
        }
        Colour c = (i + j) % 2 == 0 ? a : b;
        const float tone = 1.0f + tone_spread * 2 * (random01(std::uint32_t(i), std::uint32_t(j), seed) - 0.5f);
        const float cloud = fbm(u, v, 6, 6, 4, seed + std::uint32_t(i * 31 + j)) - 0.5f;
        float shade = tone + tone_spread * 1.5f * cloud + 0.03f * grain(x, y, seed);
        if (lx == 2 || ly == 2)
            shade *= 1.05f; // glazed edge catches the light
        if (lx == side - 1 || ly == side - 1)
            shade *= 0.9f;
        canvas.at(x, y) = c * shade;
    });
}

// --- the default materials of the 3D scene ----------------------------------------------------

void brushed_metal(Canvas& canvas, Colour base, std::uint32_t seed)
{
    const int n = canvas.size();
    each_pixel(canvas, [&](int x, int y, float u, float v) {
        const float streak = value_noise(u * 4, v * float(n), 4, n, seed) - 0.5f;
        const float fine = value_noise(u * 32, v * float(n), 32, n, seed + 1) - 0.5f;
        const float sheen = fbm(u, v, 1, 2, 3, seed + 2) - 0.5f;
        canvas.at(x, y) = base * (1.0f + 0.12f * streak + 0.08f * fine + 0.12f * sheen + 0.03f * grain(x, y, seed));
    });
}

void foliage(Canvas& canvas, std::uint32_t seed)
{
    // Leaves as cells around scattered points (with wrap-around), each its own green, with a
    // lighter midrib and dark gaps between leaves.
    constexpr int grid = 12;
    const int n = canvas.size();
    const Colour greens[4] = {{46, 98, 40}, {70, 128, 52}, {34, 78, 36}, {96, 140, 60}};
    each_pixel(canvas, [&](int x, int y, float u, float v) {
        const float gx = u * grid, gy = v * grid;
        const int cx = int(gx), cy = int(gy);
        float d1 = 9, d2 = 9;
        int best_i = 0, best_j = 0;
        float best_px = 0, best_py = 0;
        for (int j = cy - 2; j <= cy + 2; ++j)
            for (int i = cx - 2; i <= cx + 2; ++i) {
                const std::uint32_t wi = std::uint32_t((i % grid + grid) % grid), wj = std::uint32_t((j % grid + grid) % grid);
                const float px = float(i) + random01(wi, wj, seed), py = float(j) + random01(wi, wj, seed + 1);
                const float d = std::hypot(gx - px, gy - py);
                if (d < d1) {
                    d2 = d1;
                    d1 = d;
                    best_i = int(wi), best_j = int(wj), best_px = px, best_py = py;
                } else if (d < d2) {
                    d2 = d;
                }
            }
        const float pick = random01(std::uint32_t(best_i), std::uint32_t(best_j), seed + 2);
        Colour c = greens[int(pick * 4) % 4];
        const float angle = 2 * pi * random01(std::uint32_t(best_i), std::uint32_t(best_j), seed + 3);
        const float rib = std::fabs((gx - best_px) * std::sin(angle) - (gy - best_py) * std::cos(angle));
        float shade = 0.8f + 0.4f * (1.0f - d1); // leaves bulge to the light
        if (rib * float(n) / grid < 0.8f)
            shade *= 1.25f;
        shade *= smoothstep(0.0f, 0.1f, d2 - d1) * 0.5f + 0.5f;
        shade *= 0.9f + 0.2f * fbm(u, v, 4, 4, 3, seed + 4);
        canvas.at(x, y) = c * (shade + 0.05f * grain(x, y, seed));
    });
}

void laminate(Canvas& canvas, Colour base, std::uint32_t seed)
{
    each_pixel(canvas, [&](int x, int y, float u, float v) {
        canvas.at(x, y) = base * (1.0f + 0.03f * (fbm(u, v, 4, 4, 4, seed) - 0.5f) + 0.025f * grain(x, y, seed));
    });
}

} // namespace halvern::tools
