#pragma once
// The proportion a face's picture should have, and the check of a chosen picture against it. A
// picture far from it is still accepted: the user is only told that it will look stretched.

#include <optional>
#include <string>

#include "library/component_table.h"
#include "plan/plan_table.h"

namespace halvern {

// The size of the picture a face carries: for a built-in panel the printed width of the face for
// its end code (millimetres) and the object's height in millimetres; for any other object its
// height and width (`obj_hauteur`, `obj_largeur`).
struct FaceSize {
    double width = 0, height = 0;
    // Height over width; none when the face has no width.
    std::optional<double> proportion() const;
};

// Face 1 is the recto, 2 the verso.
FaceSize face_picture_size(const PlanTable& plan, const ComponentTable& components, int i, int face);

// Below 0.9 or above 1.1 times the normal proportion. A face without a proportion is never off.
bool proportion_off(double picture_proportion, std::optional<double> normal);

// The numbers the warning shows, rounded to 2 decimals: "0.5", "1".
std::string proportion_text(double proportion);

} // namespace halvern
