#include "view3d/draw_batches.h"

#include <algorithm>
#include <atomic>

namespace halvern {

namespace {

void add(Bounds& to, const ModelBounds& box)
{
    if (box.empty)
        return;
    const Bounds b = to_bounds(box);
    if (to.empty) {
        to = b;
        return;
    }
    to.min = {std::min(to.min.x, b.min.x), std::min(to.min.y, b.min.y), std::min(to.min.z, b.min.z)};
    to.max = {std::max(to.max.x, b.max.x), std::max(to.max.y, b.max.y), std::max(to.max.z, b.max.z)};
}

} // namespace

size_t DrawBatches::batch_of(const ModelMaterial& material)
{
    for (size_t k = 0; k < batches_.size(); ++k)
        if (batches_[k].material == material)
            return k;
    // One renderer may draw several stands (a picture of another design): ids are unique to the process.
    static std::atomic<unsigned> next_id{1};
    Batch made;
    made.id = next_id++;
    made.material = material;
    batches_.push_back(std::move(made));
    return batches_.size() - 1;
}

void DrawBatches::apply(const BuiltModel& built)
{
    ++stamp_;
    std::unordered_map<int, const std::shared_ptr<const DrawObject>*> read;
    for (const std::shared_ptr<const DrawObject>& object : built.read)
        read[object->object] = &object;
    std::unordered_map<int, size_t> was;
    for (size_t k = 0; k < objects_.size(); ++k)
        was[objects_[k].number] = k;

    std::vector<Entry> now;
    now.reserve(built.objects.size());
    for (int number : built.objects) {
        if (auto fresh = read.find(number); fresh != read.end()) {
            Entry entry{number, *fresh->second, {}, {}, stamp_};
            for (const DrawMesh& mesh : entry.object->meshes) {
                const bool known = mesh.material >= 0 && size_t(mesh.material) < built.materials.size();
                entry.materials.push_back(known ? built.materials[size_t(mesh.material)] : ModelMaterial{});
                entry.batch.push_back(batches_[batch_of(entry.materials.back())].id);
            }
            now.push_back(std::move(entry));
        } else if (auto kept = was.find(number); kept != was.end())
            now.push_back(std::move(objects_[kept->second]));
    }
    objects_ = std::move(now);

    // Each batch's parts in the objects' order; a batch whose parts keep their objects and sizes
    // keeps its layout, and only its new vertices are to be written.
    std::unordered_map<unsigned, size_t> index_of;
    for (size_t b = 0; b < batches_.size(); ++b)
        index_of[batches_[b].id] = b;
    std::vector<std::vector<Part>> parts(batches_.size());
    for (Entry& entry : objects_)
        for (size_t m = 0; m < entry.batch.size(); ++m) {
            const DrawMesh& mesh = entry.object->meshes[m];
            if (mesh.indices.empty())
                continue;
            auto found = index_of.find(entry.batch[m]);
            if (found == index_of.end()) { // its batch was emptied and dropped at a reading before
                const size_t b = batch_of(entry.materials[m]);
                entry.batch[m] = batches_[b].id;
                found = index_of.emplace(entry.batch[m], b).first;
                parts.resize(batches_.size());
            }
            parts[found->second].push_back(
                {entry.number, entry.object, m, 0, mesh.vertices.size(), 0, mesh.indices.size(), entry.stamp});
        }
    for (size_t b = 0; b < batches_.size(); ++b) {
        Batch& batch = batches_[b];
        std::vector<Part>& fresh = parts[b];
        const bool same_layout =
            fresh.size() == batch.parts.size() &&
            std::equal(fresh.begin(), fresh.end(), batch.parts.begin(),
                       [](const Part& x, const Part& y) {
                           return x.object == y.object && x.count == y.count && x.index_count == y.index_count;
                       });
        size_t at = 0, index_at = 0;
        for (Part& part : fresh) {
            part.first = at;
            part.first_index = index_at;
            at += part.count;
            index_at += part.index_count;
        }
        if (!same_layout)
            batch.laid_out = stamp_;
        batch.vertex_count = at;
        batch.index_count = index_at;
        batch.parts = std::move(fresh);
        batch.bounds = Bounds{};
        const DrawObject* last = nullptr;
        for (const Part& part : batch.parts)
            if (part.owner.get() != last) {
                last = part.owner.get();
                add(batch.bounds, last->bounds);
            }
    }
    // Materials no one shows any more leave (a long session of colour changes would pile them up).
    batches_.erase(std::remove_if(batches_.begin(), batches_.end(), [](const Batch& b) { return b.parts.empty(); }),
                   batches_.end());
    bounds_ = Bounds{};
    for (const Entry& entry : objects_)
        add(bounds_, entry.object->bounds);
    pictures_ = built.pictures;
    lights_ = built.lights;
}

void DrawBatches::clear()
{
    batches_.clear();
    objects_.clear();
    pictures_.clear();
    lights_.clear();
    bounds_ = Bounds{};
    ++stamp_;
}

size_t DrawBatches::vertex_count() const
{
    size_t n = 0;
    for (const Batch& b : batches_)
        n += b.vertex_count;
    return n;
}

size_t DrawBatches::triangle_count() const
{
    size_t n = 0;
    for (const Batch& b : batches_)
        n += b.index_count / 3;
    return n;
}

std::shared_ptr<const DrawObject> DrawBatches::object(int number) const
{
    for (const Entry& entry : objects_)
        if (entry.number == number)
            return entry.object;
    return nullptr;
}

} // namespace halvern
