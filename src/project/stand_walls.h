#pragma once
// The stand form's twelve switches and the bits of the wall mask they set: three rows (walls,
// open frames, header bands) of four sides each, always in the order left, right, back, front.

namespace halvern {

inline constexpr int wall_rows = 3;
inline constexpr int wall_sides = 4; // left, right, back, front

// The bit of `stand_murs` for a row and a side.
constexpr int wall_bit(int row, int side)
{
    constexpr int bits[wall_rows][wall_sides] = {{3, 2, 1, 0}, {4, 5, 6, 7}, {8, 9, 10, 11}};
    return bits[row][side];
}

constexpr bool wall_set(int mask, int row, int side) { return (mask >> wall_bit(row, side)) & 1; }

// Sets or clears one switch's bit and leaves the others.
constexpr int with_wall(int mask, int row, int side, bool on)
{
    const int bit = 1 << wall_bit(row, side);
    return on ? (mask | bit) : (mask & ~bit);
}

} // namespace halvern
