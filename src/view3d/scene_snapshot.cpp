#include "view3d/scene_snapshot.h"

#include "outputs/vrml_scene.h"
#include "view3d/coin_scene.h"

namespace halvern {

SceneText build_scene_text(const SceneSnapshot& snapshot)
{
    const VrmlInputs inputs{*snapshot.components, snapshot.plan, snapshot.stand, snapshot.app_dir,
                            snapshot.config_player, {}};
    VrmlScene scene = build_vrml_scene(inputs, snapshot.variant);
    return {std::move(scene.text), std::move(scene.messages)};
}

} // namespace halvern

namespace halvern {

BuiltScene build_scene(const SceneSnapshot& snapshot)
{
    SceneText text = build_scene_text(snapshot);
    auto scene = std::make_shared<CoinScene>(read_coin_scene(text.text));
    BuiltScene built{nullptr, std::move(text.messages)};
    built.messages.insert(built.messages.end(), scene->messages().begin(), scene->messages().end());
    built.scene = std::move(scene);
    return built;
}

} // namespace halvern
