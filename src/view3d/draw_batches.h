#pragma once
// The stand as the 3D view draws it: the meshes of every object gathered into one run of vertices
// per material, each object's share of a run a part of its own. A new reading of the model swaps
// in only the objects it read again: when no run changes its layout (a frame moved, its triangles
// the same in number), only those objects' parts are written again; the others' vertices stay where
// they are, in memory and in the drawing buffers. Plain bookkeeping: the renderer turns it into
// OpenGL buffers, and tests read it without a display.

#include <cstddef>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "model3d/stand_model.h"
#include "view3d/orbit_camera.h"
#include "view3d/scene_snapshot.h"

namespace halvern {

class DrawBatches {
public:
    // An object's mesh of the batch's material: its corners at `first` in the batch's run of
    // vertices, its triangles at `first_index` in its run of indices.
    struct Part {
        int object = 0;
        std::shared_ptr<const DrawObject> owner;
        size_t mesh = 0;
        size_t first = 0;
        size_t count = 0;
        size_t first_index = 0;
        size_t index_count = 0;
        unsigned stamp = 0; // the reading that brought these vertices
        const DrawMesh& data() const { return owner->meshes[mesh]; }
    };
    struct Batch {
        unsigned id = 0; // never given to another batch, of this stand or another
        ModelMaterial material;
        std::vector<Part> parts;
        size_t vertex_count = 0;
        size_t index_count = 0;
        unsigned laid_out = 0; // the reading that last placed the parts anew (every vertex to be written)
        Bounds bounds;
    };

    // Takes a reading: objects it read are replaced, objects no longer there dropped.
    void apply(const BuiltModel& built);
    void clear();

    // Batches with vertices, in no particular order.
    const std::vector<Batch>& batches() const { return batches_; }
    const std::unordered_map<std::string, std::shared_ptr<const DecodedPicture>>& pictures() const
    {
        return pictures_;
    }
    const Bounds& bounds() const { return bounds_; }
    const std::vector<ModelLight>& lights() const { return lights_; }
    // The last reading taken; 0 before the first.
    unsigned stamp() const { return stamp_; }
    size_t object_count() const { return objects_.size(); }
    size_t vertex_count() const;
    size_t triangle_count() const;
    // The object of that number as last read, or null.
    std::shared_ptr<const DrawObject> object(int number) const;

private:
    struct Entry {
        int number = 0;
        std::shared_ptr<const DrawObject> object;
        std::vector<ModelMaterial> materials; // of each mesh
        std::vector<unsigned> batch;          // of each mesh, the batch's id
        unsigned stamp = 0;
    };
    size_t batch_of(const ModelMaterial& material);

    std::vector<Batch> batches_;
    std::vector<Entry> objects_;
    std::unordered_map<std::string, std::shared_ptr<const DecodedPicture>> pictures_;
    std::vector<ModelLight> lights_;
    Bounds bounds_;
    unsigned stamp_ = 0;
};

} // namespace halvern
