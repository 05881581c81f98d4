#pragma once
// What a scene build needs, copied, so the build can run on another thread while the user goes on
// editing. The component table changes rarely and is large: it is shared, not copied each time.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "library/component_table.h"
#include "model3d/stand_model.h"
#include "outputs/vrml_fragments.h"
#include "plan/plan_table.h"
#include "plan/stand_settings.h"
#include "view3d/orbit_camera.h"
#include "view3d/picture_cache.h"

namespace halvern {

struct SceneSnapshot {
    std::shared_ptr<const ComponentTable> components;
    PlanTable plan;
    StandSettings stand;
    std::filesystem::path app_dir;
    int config_player = 0;
    VrmlVariant variant = VrmlVariant::full;
};

VrmlScene build_snapshot_scene(const SceneSnapshot& snapshot);

// A mesh as it is drawn: each distinct corner once, and the triangles as indices into them (the
// model's triangles share most of their corners, and a corner shared is a corner lit once).
struct DrawMesh {
    int material = 0;
    std::vector<ModelVertex> vertices;
    std::vector<std::uint32_t> indices; // every three, one triangle of the model's, in its order
};

struct DrawObject {
    int object = 0;
    std::vector<DrawMesh> meshes;
    ModelBounds bounds;
    size_t triangle_count() const;
};

// The object's meshes with their shared corners found.
DrawObject draw_object(const ModelObject& object);

// One reading of the stand's model, as the window's thread takes it: the objects read again (made
// ready to draw, so the model can go on to the next reading meanwhile), which objects there are now,
// and the pictures the materials show, decoded.
struct BuiltModel {
    std::vector<ModelMaterial> materials; // the model's, which `read` objects' meshes index
    std::vector<std::shared_ptr<const DrawObject>> read;
    std::vector<int> objects; // every object of the model, in its order
    std::unordered_map<std::string, std::shared_ptr<const DecodedPicture>> pictures; // by material picture
    std::vector<ModelLight> lights;
    Bounds bounds;
    size_t triangles = 0;
    std::vector<std::string> messages; // the scene's own (missing fragments...), then the reader's
};

// Builds the scene of `snapshot` and reads it into `model`, which keeps what did not change since
// its last reading. Pictures that cannot be read are left out (their faces show their colour).
BuiltModel build_model(const SceneSnapshot& snapshot, StandModel& model);

Bounds to_bounds(const ModelBounds& box);

} // namespace halvern
