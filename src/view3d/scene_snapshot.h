#pragma once
// What a scene build needs, copied, so the build can run on another thread while the user goes on
// editing. The component table changes rarely and is large: it is shared, not copied each time.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "library/component_table.h"
#include "outputs/vrml_fragments.h"
#include "plan/plan_table.h"
#include "plan/stand_settings.h"

namespace halvern {

struct SceneSnapshot {
    std::shared_ptr<const ComponentTable> components;
    PlanTable plan;
    StandSettings stand;
    std::filesystem::path app_dir;
    int config_player = 0;
    VrmlVariant variant = VrmlVariant::full;
};

struct SceneText {
    std::string text;
    std::vector<std::string> messages;
};

SceneText build_scene_text(const SceneSnapshot& snapshot);

class CoinScene;

// A scene ready to be shown: its text built and read by Coin, away from the window's thread.
struct BuiltScene {
    std::shared_ptr<const CoinScene> scene;
    std::vector<std::string> messages; // the text's own (missing fragments...), then Coin's
};

BuiltScene build_scene(const SceneSnapshot& snapshot);

} // namespace halvern
