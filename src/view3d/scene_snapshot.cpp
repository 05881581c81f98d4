#include "view3d/scene_snapshot.h"

#include "outputs/vrml_scene.h"

namespace halvern {

SceneText build_scene_text(const SceneSnapshot& snapshot)
{
    const VrmlInputs inputs{*snapshot.components, snapshot.plan, snapshot.stand, snapshot.app_dir,
                            snapshot.config_player, {}};
    VrmlScene scene = build_vrml_scene(inputs, snapshot.variant);
    return {std::move(scene.text), std::move(scene.messages)};
}

} // namespace halvern
