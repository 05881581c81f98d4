#include "view3d/scene_snapshot.h"

#include <cstring>

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

size_t DrawObject::triangle_count() const
{
    size_t n = 0;
    for (const DrawMesh& mesh : meshes)
        n += mesh.indices.size() / 3;
    return n;
}

namespace {

std::uint64_t mix(std::uint64_t h, std::uint32_t word)
{
    h ^= word;
    h *= 0x100000001b3ULL;
    return h ^ (h >> 29);
}

// Corners that are the same in every bit (position, normal, texture coordinates) are one.
DrawMesh shared_corners(const ModelMesh& mesh)
{
    DrawMesh out;
    out.material = mesh.material;
    const size_t n = mesh.vertices.size();
    out.indices.reserve(n);
    out.vertices.reserve(n / 2 + 1);
    size_t slots = 16;
    while (slots < n * 2)
        slots *= 2;
    std::vector<std::uint32_t> table(slots, UINT32_MAX); // open addressing: the corner's index
    for (const ModelVertex& v : mesh.vertices) {
        std::uint32_t words[8];
        std::memcpy(words, &v, sizeof words);
        std::uint64_t h = 0xcbf29ce484222325ULL;
        for (std::uint32_t w : words)
            h = mix(h, w);
        size_t at = size_t(h) & (slots - 1);
        while (true) {
            const std::uint32_t k = table[at];
            if (k == UINT32_MAX) {
                table[at] = std::uint32_t(out.vertices.size());
                out.indices.push_back(table[at]);
                out.vertices.push_back(v);
                break;
            }
            if (std::memcmp(&out.vertices[k], &v, sizeof v) == 0) {
                out.indices.push_back(k);
                break;
            }
            at = (at + 1) & (slots - 1);
        }
    }
    return out;
}

} // namespace

DrawObject draw_object(const ModelObject& object)
{
    static_assert(sizeof(ModelVertex) == 8 * sizeof(std::uint32_t), "a corner is compared word by word");
    DrawObject out;
    out.object = object.object;
    out.bounds = object.bounds;
    out.meshes.reserve(object.meshes.size());
    for (const ModelMesh& mesh : object.meshes)
        out.meshes.push_back(shared_corners(mesh));
    return out;
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
            built.read.push_back(std::make_shared<const DrawObject>(draw_object(*object)));
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
