#pragma once
// The plan as a drawing exchange file (R2000, ASCII) for exhibition halls and CAD draughtsmen:
// true size in millimetres, the front-left corner of the floor at 0,0 and y growing towards the
// back wall, so that the drawing reads like the plan on screen. Layers STAND (floor, walls),
// FRAMES (the built-in frames and profile pieces), FURNITURE (every other component), PICTURES
// (a line on each printed face with its picture's name), LABELS (object texts) and DIMENSIONS
// (the stand's width and depth). Each component type and shape is one block, inserted with the
// object's place and turn and the attributes HEIGHT (mm), TEXT and REF (the component number, as
// the quote lists it), so that a CAD user counts and selects by type.

#include <filesystem>
#include <string>

#include "base/result.h"
#include "plan/render.h"

namespace halvern {

inline constexpr const char* dxf_layer_stand = "STAND";
inline constexpr const char* dxf_layer_frames = "FRAMES";
inline constexpr const char* dxf_layer_furniture = "FURNITURE";
inline constexpr const char* dxf_layer_pictures = "PICTURES";
inline constexpr const char* dxf_layer_labels = "LABELS";
inline constexpr const char* dxf_layer_dimensions = "DIMENSIONS";

// Plan centimetres to drawing millimetres.
struct DxfPoint {
    double x = 0, y = 0;
};
DxfPoint plan_to_dxf(const StandSettings& stand, double x_cm, double y_cm);

// The whole file. A stand or an object outside the plan's range is refused with a message naming
// it; nothing is written then.
Result<std::string> plan_dxf(const PlanScene& scene);

// The file written in one piece through the safe writer.
Result<void> write_plan_dxf(const std::filesystem::path& file, const PlanScene& scene);

} // namespace halvern
