#pragma once
// What the scene writer and the program that makes the shipped fragments must agree on: which
// fragment draws which built-in piece, and the measures a fragment is built to and placed by.

#include <array>
#include <string_view>

namespace halvern {

// The frame of each built-in wall component (0 .. 8).
inline constexpr std::array<std::string_view, 9> frame_fragments = {"purple", "lime", "brown", "gold", "silver",
                                                                    "pink",   "blue", "green", "white"};

// The post of each module height; another module takes the default post.
struct PostFragment {
    int module;
    std::string_view name;
};
inline constexpr std::array<PostFragment, 6> post_fragments = {{
    {3, "gold_v"}, {4, "silver_v"}, {5, "pink_v"}, {7, "green_v"}, {8, "white_v"}, {9, "black_v"},
}};
inline constexpr std::string_view default_post_fragment = "white_v";

// The fragments that have a "_mount" version for the coloured view.
inline constexpr std::array<std::string_view, 8> mount_versions = {"base", "purple", "brown", "gold",
                                                                   "pink", "blue",   "green", "gold_v"};

// The end codes a built-in panel's recto has a fragment of its own for ("purple_1" + the code in
// lower case); any other code takes "OO".
inline constexpr std::array<std::string_view, 9> panel_end_codes = {"CC", "RR", "CR", "OR", "RC",
                                                                    "RO", "CO", "OC", "OO"};

// The frame-structure bends (components 2302 .. 2311): how far the printed face of each sits from
// the piece's axis (m).
inline constexpr int first_bend_component = 2302;
inline constexpr std::array<double, 10> bend_face_offsets = {-0.005, 0.038, -0.006, 0.037, 0,
                                                             0.038,  -0.01, 0.038,  -0.028, 0.020};

// cm: the section of a frame-structure bar; the top bar sits this far below the piece's height.
inline constexpr double lattix_bar_height = 11.1;

} // namespace halvern
