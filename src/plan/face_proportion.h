#pragma once
// The proportion a face's picture should have, and the check of a chosen picture against it. A
// picture far from it is still accepted: the user is only told that it will look stretched.

#include <optional>
#include <string>

#include "library/component_table.h"
#include "plan/plan_table.h"

namespace halvern {

// The size of the picture a face carries, in millimetres: for a built-in panel the printed width
// of the face for its end code and the object's height (0 standing for the full height); for any
// other object its width and height (`obj_largeur`, `obj_hauteur`).
struct FaceSize {
    double width = 0, height = 0;
    // Height over width; none when the face has no width.
    std::optional<double> proportion() const;
};

// Values a dialog holds for the object before they are stored, read in place of the stored ones.
struct TypedFace {
    std::optional<double> height_cm, width_cm;
    std::optional<std::string> end_code; // the face's override as typed; empty: the computed code
};

// Face 1 is the recto, 2 the verso.
FaceSize face_picture_size(const PlanTable& plan, const ComponentTable& components, int i, int face,
                           const TypedFace& typed = {});

// Below 0.9 or above 1.1 times the normal proportion. A face without a proportion is never off.
bool proportion_off(double picture_proportion, std::optional<double> normal);

// The numbers the warning shows, rounded to 2 decimals: "0.5", "1".
std::string proportion_text(double proportion);

} // namespace halvern
