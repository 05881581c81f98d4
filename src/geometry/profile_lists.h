#pragma once
// The point lists of the built-in outlines: the bodies and centre lines of the curved profile
// pieces (library 23), and the posts, connectors and profiles the frames of library 0 are
// assembled from. Each list is "|x1|y1|x2|y2|..|" in centimetres with its natural size, drawn
// centred on the piece it belongs to. The coordinates come from scripts/profile_lists.py.

#include <array>
#include <cstddef>
#include <string_view>

namespace halvern {

struct PointListData {
    double width = 0, depth = 0; // natural size, cm
    int count = 0;               // number of points
    std::string_view points;
};

// L1..L15 at index 0..14: the bodies (closed bands) and centre lines (open) of the bends.
const std::array<PointListData, 15>& bend_lists();
inline const PointListData& bend_list(int n) { return bend_lists()[std::size_t(n - 1)]; }

// The frame pieces, each shaped as seen on the plan at end 1 of an unrotated frame (the end on
// the left); the piece at end 2 is its mirror image.
enum class FrameList {
    end_connector_tilted, // 7.34 x 3.87: the connector of a frame curved by 30 degrees
    magnet_mark,          // 1.27 x 2.59
    profile_30,           // 57.59 x 6.22: a profile curved by 30 degrees
    post,                 // 4.13 x 4.11
    end_connector,        // 7.13 x 2.53: round towards the post, square towards the profile
    inner_profile_30,     // 39.75 x 5.29
    end_cap,              // 0.8 x 2.53
    profile_90,           // 56.84 x 13.56: a profile curved by 90 degrees
};
const PointListData& frame_list(FrameList which);

// How far the tilted connector leans from the frame's line, degrees (its inner end up).
extern const double tilted_connector_degrees;

} // namespace halvern
