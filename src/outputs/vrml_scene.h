#pragma once
// The whole stand as one VRML 2.0 scene: the head (navigation, floor, light), the room around the
// stand, every object, and the end. The scene is text in memory; writing it and copying its
// pictures is vrml_export's business.

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "library/component_table.h"
#include "outputs/vrml_fragments.h"
#include "outputs/vrml_text.h"
#include "plan/plan_table.h"
#include "plan/stand_settings.h"

namespace halvern {

struct VrmlInputs {
    const ComponentTable& components;
    const PlanTable& plan;
    const StandSettings& stand;
    std::filesystem::path app_dir;
    int config_player = 0; // the viewer choice of the preferences
    // Whether the user gave colour slot `slot` of object `object` a colour; a slot never given keeps
    // the component's own material. Empty: the plan's own mark of each slot decides.
    std::function<bool(int object, int slot)> slot_given;
};

// What an export tells while it runs. The first bar follows the objects, the second the pictures.
class VrmlProgress {
public:
    virtual ~VrmlProgress() = default;
    virtual void objects(int done, int total) = 0;
    virtual void pictures(int done, int total) = 0;
    virtual void caption(const std::string& text) = 0;
};

struct VrmlScene {
    std::string text;
    std::vector<std::string> messages; // fragments that could not be read
    // Every picture the scene shows, where its name stands in `text`, in the order of the text.
    std::vector<PictureUse> pictures;
    // Why no scene was made (a stand or an object beyond the plan's range, whose room or pieces would
    // never end); also the one message. Nothing should then be written or shown.
    std::optional<std::string> refused;
};

VrmlScene build_vrml_scene(const VrmlInputs& inputs, VrmlVariant variant, VrmlProgress* progress = nullptr);

// The default picture of a placeholder ("void.jpg", "void_sol.jpg", ...): the file of that name in
// extlib/tex, which a face or floor without a picture of its own shows.
std::filesystem::path default_picture(const std::filesystem::path& app_dir, std::string_view placeholder);

// Rewrites the material after each colour slot's marker (`color_src`) with the object's colour of
// that slot, for the slots `given` names; a slot whose marker is not in the text is skipped.
std::string apply_colours(std::string text, const Component& component,
                          const std::array<ColourSlot, object_colour_slots>& slots,
                          const std::array<bool, colour_slots>& given);

} // namespace halvern
