#include "view3d/scene_snapshot.h"

#include "model3d/object_names.h"
#include "outputs/vrml_scene.h"
#include "view3d/texture_picture.h"

namespace halvern {

VrmlScene build_snapshot_scene(const SceneSnapshot& snapshot)
{
    const VrmlInputs inputs{*snapshot.components, snapshot.plan, snapshot.stand, snapshot.app_dir,
                            snapshot.config_player, {}};
    return build_vrml_scene(inputs, snapshot.variant);
}

Bounds to_bounds(const ModelBounds& box)
{
    Bounds b;
    if (box.empty)
        return b;
    b.min = {box.min[0], box.min[1], box.min[2]};
    b.max = {box.max[0], box.max[1], box.max[2]};
    b.empty = false;
    return b;
}

BuiltModel build_model(const SceneSnapshot& snapshot, StandModel& model)
{
    const VrmlScene scene = build_snapshot_scene(snapshot);
    const ModelUpdate update = model.read(scene, plan_namer(snapshot.plan, *snapshot.components));
    BuiltModel built;
    built.materials = model.materials();
    built.objects.reserve(model.objects().size());
    for (const ModelObject& object : model.objects())
        built.objects.push_back(object.object);
    built.read.reserve(update.read.size());
    for (int number : update.read)
        if (const ModelObject* object = model.object(number))
            built.read.push_back(std::make_shared<const ModelObject>(*object));
    for (const ModelMaterial& m : built.materials)
        if (!m.picture.empty() && !built.pictures.count(m.picture))
            if (std::shared_ptr<const DecodedPicture> picture = texture_picture(m.picture))
                built.pictures.emplace(m.picture, std::move(picture));
    built.lights = model.lights();
    built.bounds = to_bounds(model.bounds());
    built.triangles = model.triangle_count();
    built.messages = model.messages(); // the scene's own among them
    return built;
}

} // namespace halvern
