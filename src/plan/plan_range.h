#pragma once
// The range every output and every typed or dropped number is checked against. A design read "as
// it is" may hold any number (so that Save keeps what it read), but nothing is drawn, tiled,
// printed or exported outside this range: a stand a kilometre wide would make an output of
// gigabytes and hours of work. Stands of up to 60 m are designed (stand_size_max); the margin
// leaves room for the hall around them.

#include <cmath>

namespace halvern {

// A stand side, in centimetres.
inline constexpr double plan_max_stand_side_cm = 10000.0;
// Any coordinate, size or elevation of an object, in centimetres, in magnitude.
inline constexpr double plan_max_coordinate_cm = 100000.0;

inline bool plan_coordinate_in_range(double cm) {
    return std::isfinite(cm) && std::fabs(cm) <= plan_max_coordinate_cm;
}

inline bool plan_stand_side_in_range(double cm) {
    return std::isfinite(cm) && cm > 0 && cm <= plan_max_stand_side_cm;
}

} // namespace halvern
