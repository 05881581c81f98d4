#pragma once
// The plan-wide values a design carries besides its objects: the stand floor, its walls, and the
// texts of the project form. Replaced by Load and the base project, kept by an import of a current
// design.

#include <string>

namespace halvern {

// A stand side outside these bounds cannot be drawn: a JPEG holds at most 65,500 pixels a side,
// which the blueprint of a 63.5 m stand already reaches.
inline constexpr float stand_size_min = 0.5f;
inline constexpr float stand_size_max = 60.0f;

struct StandSettings {
    float stand_largeur = 5;    // stand width, metres
    float stand_profondeur = 3; // stand depth, metres
    int stand_murs = 0;         // wall mask, 12 bits (walls, open frames, header bands)
    std::string floor_texture;  // picture file name of the floor
    std::string client;         // client name
    std::string title;          // project title

    friend bool operator==(const StandSettings&, const StandSettings&) = default;
};

bool stand_size_valid(double metres);

} // namespace halvern
