// Library 23: the straight pieces as grey bars, the bends from their body and centre-line lists.

#include <algorithm>
#include <cstdio>
#include <string>

#include "base/numbers.h"
#include "geometry/outline_context.h"
#include "geometry/profile_lists.h"

namespace halvern {

namespace {

constexpr double straight_depth = 3.7;   // cm
constexpr double straight_axis = 1.85;   // the line the magnets sit on
constexpr double straight_groove = 2.05; // where the fabric groove starts, from each end

struct Bend {
    int component;
    int body;  // list number
    int line;  // list number
    double shift;
};

constexpr Bend bends[] = {
    {2302, 1, 2, 2.65},   {2303, 3, 2, -0.85},  {2304, 4, 5, 2.65},   {2305, 6, 5, -1.65},
    {2306, 7, 8, 2.65},   {2307, 9, 8, -2.65},  {2308, 10, 11, 2.25}, {2309, 12, 11, -1.85},
    {2310, 13, 14, 1.65}, {2311, 15, 14, -1.85},
};

bool is_straight(int number) { return number == 2300 || number == 2301 || number == 2317; }

std::string two_decimals(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f", value);
    return buffer;
}

void draw_straight(const OutlineContext& o, int detail)
{
    std::string w = two_decimals(o.w);
    std::string body = "|0|0|" + w + "|0|" + w + "|3.7|0|3.7|";
    PointPathOptions fill;
    fill.angle = o.angle;
    fill.fill = true;
    o.colour(128, 128, 128);
    draw_point_path(o.canvas, o.zoom, body, o.x, o.y, o.w, straight_depth, fill);

    if (detail == 1 || detail == 3) {
        // The magnet line along the piece and the start of the fabric groove at both ends.
        std::string axis = "|0|" + format_number(straight_axis) + "|" + w + "|" + format_number(straight_axis) + "|";
        std::string near_end = "|" + format_number(straight_groove) + "|0|" + format_number(straight_groove) + "|3.7|";
        PointPathOptions line;
        line.angle = o.angle;
        line.open = true;
        o.colour(200, 0, 200);
        o.normal_line();
        draw_point_path(o.canvas, o.zoom, axis, o.x, o.y, o.w, straight_depth, line);
        draw_point_path(o.canvas, o.zoom, near_end, o.x, o.y, o.w, straight_depth, line);
        line.mirror = true;
        draw_point_path(o.canvas, o.zoom, near_end, o.x, o.y, o.w, straight_depth, line);
    }
    o.colour(0, 0, 0);
    o.normal_line();
}

void draw_bend(const OutlineContext& o, const Bend& bend, int detail)
{
    const PointListData& body = bend_list(bend.body);
    o.canvas.set_line(line_solid, std::max(1, round_to_int(4 * o.zoom)));
    o.colour(128, 128, 128);
    PointPathOptions fill;
    fill.angle = o.angle;
    fill.fill = true;
    draw_point_path(o.canvas, o.zoom, body.points, o.x, o.y, body.width, body.depth, fill);

    if (detail == 1 || detail == 3) {
        const PointListData& line = bend_list(bend.line);
        PointPathOptions open;
        open.angle = o.angle;
        open.open = true;
        open.offset_y = bend.shift;
        o.colour(200, 0, 200);
        o.normal_line();
        draw_point_path(o.canvas, o.zoom, line.points, o.x, o.y, line.width, line.depth, open);
    }
    o.colour(0, 0, 0);
    o.normal_line();
}

} // namespace

void draw_profile_piece(const OutlineContext& o, int number, int detail)
{
    if (is_straight(number)) {
        draw_straight(o, detail);
        return;
    }
    for (const Bend& bend : bends)
        if (bend.component == number) {
            draw_bend(o, bend, detail);
            return;
        }
    // 2312 to 2316 and the other numbers of the library have no outline.
}

} // namespace halvern
