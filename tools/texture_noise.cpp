// The canvas and the noise the material patterns are built from.

#include <cmath>

#include "texture_patterns.h"

namespace halvern::tools {

Colour operator*(Colour c, float k) { return {c.r * k, c.g * k, c.b * k}; }

Colour mix(Colour a, Colour b, float t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }

Canvas::Canvas(int size) : size_(size), pixels_(size_t(size) * size_t(size)) {}

namespace {

int wrap(int value, int period)
{
    const int m = value % period;
    return m < 0 ? m + period : m;
}

std::uint32_t mix_bits(std::uint32_t h)
{
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

float smooth(float t) { return t * t * t * (t * (t * 6 - 15) + 10); }

} // namespace

Colour& Canvas::at(int x, int y) { return pixels_[size_t(wrap(y, size_)) * size_t(size_) + size_t(wrap(x, size_))]; }

const Colour& Canvas::at(int x, int y) const
{
    return pixels_[size_t(wrap(y, size_)) * size_t(size_) + size_t(wrap(x, size_))];
}

void Canvas::blend(int x, int y, Colour colour, float opacity)
{
    Colour& p = at(x, y);
    p = mix(p, colour, opacity);
}

float random01(std::uint32_t a, std::uint32_t b, std::uint32_t seed)
{
    const std::uint32_t h = mix_bits(a * 0x9E3779B1u ^ mix_bits(b * 0x85EBCA77u ^ mix_bits(seed + 0x632BE5ABu)));
    return float(h >> 8) / float(1u << 24);
}

float value_noise(float x, float y, int period_x, int period_y, std::uint32_t seed)
{
    const float fx = std::floor(x), fy = std::floor(y);
    const int ix = int(fx), iy = int(fy);
    const float tx = smooth(x - fx), ty = smooth(y - fy);
    auto corner = [&](int i, int j) {
        return random01(std::uint32_t(wrap(i, period_x)), std::uint32_t(wrap(j, period_y)), seed);
    };
    const float top = corner(ix, iy) + (corner(ix + 1, iy) - corner(ix, iy)) * tx;
    const float bottom = corner(ix, iy + 1) + (corner(ix + 1, iy + 1) - corner(ix, iy + 1)) * tx;
    return top + (bottom - top) * ty;
}

float fbm(float u, float v, int fx, int fy, int octaves, std::uint32_t seed)
{
    float sum = 0, weight = 0, amplitude = 1;
    for (int k = 0; k < octaves; ++k) {
        const int px = fx << k, py = fy << k;
        sum += amplitude * value_noise(u * float(px), v * float(py), px, py, seed + std::uint32_t(k) * 101u);
        weight += amplitude;
        amplitude *= 0.5f;
    }
    return sum / weight;
}

std::uint64_t Random::next()
{
    // splitmix64: small, fast, and the same everywhere.
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

float Random::uniform(float low, float high) { return low + (high - low) * float(next() >> 40) / float(1ull << 24); }

int Random::below(int count) { return int(next() % std::uint64_t(count)); }

} // namespace halvern::tools
