#pragma once
// The stand as triangles: what the 3D scene shows, read through Coin from the very text the VRML
// export writes, so that the two never disagree. Kept per placed thing (the floor, the room around
// the stand, every object of the plan), merged into one mesh per material when a viewer wants few
// big meshes. A second reading re-reads only the objects whose text changed: a moved frame, the
// neighbours whose end codes it changed, or everything after a change of the stand itself. Each
// distinct fragment is parsed once and placed by its block's transform, so a large stand made of
// a few dozen different pieces costs a few dozen parses.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "outputs/vrml_scene.h"

namespace halvern {

// A material as the scene gives it. Colours 0..1. A face with a picture shows the picture in place
// of its diffuse colour, as VRML does.
struct ModelMaterial {
    std::array<float, 3> diffuse{0.8f, 0.8f, 0.8f};
    std::array<float, 3> specular{0, 0, 0};
    std::array<float, 3> emissive{0, 0, 0};
    float shininess = 0.2f;
    float transparency = 0;
    float ambient = 0.2f;               // the share of the lights' ambient light it takes
    std::string picture;                // the file the faces show, empty for none
    bool repeat_s = true, repeat_t = true;
    bool double_sided = false;          // the geometry is not "solid": both sides are seen
    bool operator==(const ModelMaterial&) const = default;
};

// A light of the scene, in scene coordinates: a point light shines from `position` as far as
// `radius`, a directional one along `direction` everywhere.
struct ModelLight {
    bool point = false;
    std::array<float, 3> colour{1, 1, 1};
    float intensity = 1;
    float ambient = 0;
    std::array<float, 3> position{0, 0, 0};
    std::array<float, 3> direction{0, 0, -1};
    std::array<float, 3> attenuation{1, 0, 0};
    float radius = 100;
};

// Scene coordinates: metres, y up, the stand's centre at the origin. `uv` as VRML gives it (t grows
// upwards), the texture transform applied.
struct ModelVertex {
    std::array<float, 3> position;
    std::array<float, 3> normal;
    std::array<float, 2> uv;
};

// Triangles of one material: every three vertices, counter-clockwise seen from the front.
struct ModelMesh {
    int material = 0; // index into StandModel::materials()
    std::vector<ModelVertex> vertices;
    size_t triangle_count() const { return vertices.size() / 3; }
};

struct ModelBounds {
    std::array<float, 3> min{0, 0, 0}, max{0, 0, 0};
    bool empty = true;
    void add(const std::array<float, 3>& p);
    void merge(const ModelBounds& other);
};

struct ModelObject {
    int object = scene_floor; // scene_floor, scene_room, or the plan object's number
    std::string name;         // what a viewer shows when it is picked
    std::vector<ModelMesh> meshes; // one per material
    ModelBounds bounds;
    size_t triangle_count() const;
};

// What one reading did.
struct ModelUpdate {
    std::vector<int> read;      // the objects read again (scene_floor, scene_room, plan numbers)
    int kept = 0;               // objects whose text had not changed
    int fragments_parsed = 0;   // distinct fragment texts Coin read
};

// The name of an object in the model (and in a glTF file); empty gives "Floor", "Room", "Object N".
using ModelNamer = std::function<std::string(int object)>;

class StandModel {
public:
    StandModel();
    ~StandModel();
    StandModel(StandModel&&) noexcept;
    StandModel& operator=(StandModel&&) noexcept;

    // Reads `scene` (built by build_vrml_scene): objects whose text is the same as at the last
    // reading are kept, the others read again; a different head (stand size, floor) reads all.
    ModelUpdate read(const VrmlScene& scene, const ModelNamer& name = {});

    const std::vector<ModelObject>& objects() const { return objects_; }
    const std::vector<ModelMaterial>& materials() const { return materials_; }
    // The lights the scene's head sets over the stand.
    const std::vector<ModelLight>& lights() const { return lights_; }
    // The object of that number, or null.
    const ModelObject* object(int number) const;

    // One mesh per material over every object, in the order of materials().
    std::vector<ModelMesh> merged() const;

    ModelBounds bounds() const;
    size_t triangle_count() const;
    size_t material_count() const { return materials_.size(); }
    // Distinct picture files the materials show.
    size_t picture_count() const;
    // The bytes the triangles and the kept texts hold.
    size_t memory_bytes() const;
    // What Coin said of texts it could not read, each once.
    const std::vector<std::string>& messages() const { return messages_; }

private:
    struct Fragment;
    std::shared_ptr<const Fragment> fragment(std::string_view text, ModelUpdate& update);
    int material_index(const ModelMaterial& material);
    void compact_materials();

    std::vector<ModelObject> objects_;
    std::vector<std::string> texts_; // each object's text at its reading, beside objects_
    std::string head_;
    std::array<double, 16> context_{}; // where the head puts every block (row-major, row vectors)
    std::vector<ModelMaterial> materials_;
    std::vector<ModelLight> lights_;
    std::vector<std::string> messages_;
    std::unordered_map<std::string, std::shared_ptr<const Fragment>> fragments_;
};

// The model of a design in one call: the scene built and read.
StandModel read_stand_model(const VrmlInputs& inputs, VrmlVariant variant, const ModelNamer& name = {});

} // namespace halvern
