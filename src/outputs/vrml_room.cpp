// The room around the stand: walls, open frames and header bands on the sides the wall mask names.

#include <cmath>

#include "outputs/vrml_parts.h"

namespace halvern {

namespace {

enum class Element { wall, open_frame, header_band };
enum class Side { back, front, left, right };

struct RoomBit {
    int bit;
    Element element;
    Side side;
};

constexpr RoomBit room_bits[] = {
    {1, Element::wall, Side::back},         {0, Element::wall, Side::front},
    {3, Element::wall, Side::left},         {2, Element::wall, Side::right},
    {6, Element::open_frame, Side::back},   {7, Element::open_frame, Side::front},
    {4, Element::open_frame, Side::left},   {5, Element::open_frame, Side::right},
    {10, Element::header_band, Side::back}, {11, Element::header_band, Side::front},
    {8, Element::header_band, Side::left},  {9, Element::header_band, Side::right},
};

constexpr double margin = 0.02; // the room stands this far inside the floor's edge

struct SideFrame {
    bool along_x;
    double across; // the fixed coordinate: z for a side along x, x for a side along z
    double length;
};

SideFrame side_frame(Side side, double W, double D)
{
    switch (side) {
    case Side::back: return {true, 1 + margin, W};
    case Side::front: return {true, D + 1 - margin, W};
    case Side::left: return {false, 1 + margin, D};
    case Side::right: return {false, W + 1 - margin, D};
    }
    return {true, 0, 0};
}

// One piece: `along` is its centre on the side (scene coordinate), `size` its length along the side.
void piece(std::string& scene, SceneBuild& build, const SideFrame& f, double along, double y, double size,
           double height, double thickness, std::string_view fragment)
{
    Placement at;
    at.y = y;
    if (f.along_x) {
        at.x = along;
        at.z = f.across;
        at.scale = Scale{size, height, thickness};
    } else {
        at.x = f.across;
        at.z = along;
        at.scale = Scale{thickness, height, size};
    }
    build.block(scene, at, build.fragments.get(fragment));
}

void segment_pieces(std::string& scene, SceneBuild& build, Element element, const SideFrame& f, double centre,
                    double w)
{
    const double len = w - 2 * margin;
    switch (element) {
    case Element::wall:
        piece(scene, build, f, centre, 0, len, 2.5, 0.02, "wall");
        piece(scene, build, f, centre, 2.45, len, 0.05, 0.03, "pot");
        piece(scene, build, f, centre, 0, len, 0.05, 0.03, "pot");
        break;
    case Element::header_band:
        piece(scene, build, f, centre, 2.15, len, 0.3, 0.02, "wallb");
        piece(scene, build, f, centre, 2.45, len, 0.05, 0.03, "pot");
        piece(scene, build, f, centre, 2.15, len, 0.05, 0.03, "pot");
        break;
    case Element::open_frame:
        piece(scene, build, f, centre, 2.45, len, 0.05, 0.03, "pot");
        break;
    }
}

} // namespace

// Segment count rounded up, so every side is drawn to its end and the last segment is the short one.
void append_room(std::string& scene, SceneBuild& build)
{
    const int mask = build.in.stand.stand_murs;
    const double W = plan_value(build.in.stand.stand_largeur);
    const double D = plan_value(build.in.stand.stand_profondeur);
    for (const RoomBit& rb : room_bits) {
        if (!(mask & (1 << rb.bit)))
            continue;
        const SideFrame f = side_frame(rb.side, W, D);
        double N = 1;
        if (rb.element == Element::open_frame)
            N = (W > 3 && W <= 5) ? 2.5 : 3;
        else if (rb.element == Element::header_band)
            N = 3;
        const double S = f.length;
        const int n = std::max(0, int(std::ceil(S / N - 1e-9)));
        double p = margin, last_post = 0;
        for (int i = 0; i <= n; ++i) {
            double w = N;
            if (p + N > S - 2 * margin)
                w = S - p - margin;
            if (i < n && w > 2 * margin + 1e-9)
                segment_pieces(scene, build, rb.element, f, p + w / 2 + 1, w);
            // A side just over a whole number of segments uses up its length a step early: the
            // steps after that have no length, and their posts would stand on the last one.
            if (i == 0 || p - last_post > 1e-9)
                piece(scene, build, f, p + 1, 0, 0.04, 2.5, 0.04, "pot");
            last_post = p;
            p += w;
        }
    }
}

} // namespace halvern
