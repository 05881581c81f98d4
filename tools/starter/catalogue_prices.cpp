#include "catalogue_prices.h"

namespace halvern::tools {

// Reseller prices in euro. Weights repeat those the catalogue gives (the table is read after it and
// would otherwise replace them); where the catalogue gives none, they are weighed on the parts of
// the range next to them. Small parts come in bags.
std::vector<CataloguePrice> catalogue_prices()
{
    return {
        // Frames: curved 0..2, straight 3..9 (the black frame is the tallest module).
        {0, 38, 227, 1}, {1, 32, 190, 1}, {2, 45, 227, 1}, {3, 42, 311, 1}, {4, 38, 275, 1},
        {5, 32, 210, 1}, {6, 26, 165, 1}, {7, 22, 128, 1}, {8, 18, 99, 1}, {9, 46, 330, 1},
        // Profiles, one per frame colour.
        {20, 14, 0, 1}, {21, 12, 0, 1}, {22, 13, 0, 1}, {23, 24, 899, 1}, {24, 21, 773, 1},
        {25, 17, 650, 1}, {26, 15, 550, 1}, {27, 13, 450, 1}, {28, 11, 350, 1}, {29, 26, 960, 1},
        // Junctions, feet, printed visuals and the fixings that go with them.
        {50, 1.8, 98, 10}, {51, 4.5, 131, 4}, {60, 35, 300, 1}, {61, 45, 350, 1}, {62, 6, 120, 10},
        {63, 3.5, 60, 10}, {64, 0.8, 5, 50}, {65, 1.2, 15, 20}, {66, 2.5, 40, 10},
        // Corners, one per frame colour.
        {70, 9, 0, 1}, {71, 9, 0, 1}, {72, 9, 0, 1}, {73, 16, 367, 1}, {74, 15, 350, 1},
        {75, 13, 300, 1}, {76, 12, 270, 1}, {77, 11, 250, 1}, {78, 9, 200, 1}, {79, 17, 390, 1},
        // Profile pieces: straight, bends, the post.
        {2300, 19, 610, 1}, {2301, 12, 300, 1}, {2302, 34, 720, 1}, {2303, 32, 680, 1}, {2304, 33, 700, 1},
        {2305, 31, 660, 1}, {2306, 33, 700, 1}, {2307, 31, 670, 1}, {2308, 32, 690, 1}, {2309, 31, 670, 1},
        {2310, 32, 690, 1}, {2311, 31, 670, 1}, {2312, 29, 650, 1}, {2313, 29, 640, 1}, {2314, 29, 640, 1},
        {2315, 29, 650, 1}, {2316, 29, 640, 1}, {2317, 15, 900, 1},
    };
}

} // namespace halvern::tools
