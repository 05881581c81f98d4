#include "model3d/stand_model.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <string_view>

#include "model3d/vrml_triangles.h"

namespace halvern {

namespace {

// The head read alone is closed here, and this node marks where the head puts the blocks that
// follow it.
constexpr const char* context_marker = "HalvernBlocksGoHere";

RowMatrix identity()
{
    RowMatrix m{};
    m[0] = m[5] = m[10] = m[15] = 1;
    return m;
}

// a then b, for row vectors.
RowMatrix multiply(const RowMatrix& a, const RowMatrix& b)
{
    RowMatrix out{};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            double s = 0;
            for (int k = 0; k < 4; ++k)
                s += a[size_t(r * 4 + k)] * b[size_t(k * 4 + c)];
            out[size_t(r * 4 + c)] = s;
        }
    return out;
}

// A VRML Transform with translation, scale and a turn about y: scale, then turn, then move.
RowMatrix placement_matrix(const Placement& at)
{
    RowMatrix m = identity();
    const Scale s = at.scale.value_or(Scale{1, 1, 1});
    const double a = at.rotation.value_or(0);
    const double c = std::cos(a), n = std::sin(a);
    // Rows are the images of the axes: x goes to (cos, 0, -sin), z to (sin, 0, cos).
    m[0] = s[0] * c;
    m[2] = -s[0] * n;
    m[5] = s[1];
    m[8] = s[2] * n;
    m[10] = s[2] * c;
    m[12] = at.x;
    m[13] = at.y;
    m[14] = at.z;
    return m;
}

// The upper 3 x 3 of the inverse transpose, for normals; nothing when the matrix flattens space.
std::optional<std::array<double, 9>> normal_matrix(const RowMatrix& m)
{
    const double a = m[0], b = m[1], c = m[2], d = m[4], e = m[5], f = m[6], g = m[8], h = m[9], i = m[10];
    const double det = a * (e * i - f * h) - b * (d * i - f * g) + c * (d * h - e * g);
    if (std::abs(det) < 1e-18)
        return std::nullopt;
    // The inverse transpose is the cofactor matrix over the determinant.
    return std::array<double, 9>{(e * i - f * h) / det, -(d * i - f * g) / det, (d * h - e * g) / det,
                                 -(b * i - c * h) / det, (a * i - c * g) / det,  -(a * h - b * g) / det,
                                 (b * f - c * e) / det,  -(a * f - c * d) / det, (a * e - b * d) / det};
}

double determinant3(const RowMatrix& m)
{
    return m[0] * (m[5] * m[10] - m[6] * m[9]) - m[1] * (m[4] * m[10] - m[6] * m[8])
           + m[2] * (m[4] * m[9] - m[5] * m[8]);
}

std::array<float, 3> face_normal(const ModelVertex& a, const ModelVertex& b, const ModelVertex& c)
{
    const double ux = b.position[0] - a.position[0], uy = b.position[1] - a.position[1],
                 uz = b.position[2] - a.position[2];
    const double vx = c.position[0] - a.position[0], vy = c.position[1] - a.position[1],
                 vz = c.position[2] - a.position[2];
    double nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
    const double l = std::sqrt(nx * nx + ny * ny + nz * nz);
    if (l == 0)
        return {0, 1, 0};
    return {float(nx / l), float(ny / l), float(nz / l)};
}

// Appends `from` placed by `m` (row vectors).
void append_placed(std::vector<ModelVertex>& to, const std::vector<ModelVertex>& from, const RowMatrix& m)
{
    const std::optional<std::array<double, 9>> nm = normal_matrix(m);
    const bool mirrored = determinant3(m) < 0;
    const size_t first = to.size();
    to.reserve(to.size() + from.size());
    for (size_t k = 0; k + 2 < from.size(); k += 3) {
        const size_t order[3] = {k, mirrored ? k + 2 : k + 1, mirrored ? k + 1 : k + 2};
        for (size_t j : order) {
            const ModelVertex& v = from[j];
            const double x = v.position[0], y = v.position[1], z = v.position[2];
            ModelVertex out;
            out.position = {float(x * m[0] + y * m[4] + z * m[8] + m[12]), float(x * m[1] + y * m[5] + z * m[9] + m[13]),
                            float(x * m[2] + y * m[6] + z * m[10] + m[14])};
            out.uv = v.uv;
            if (nm) {
                const auto& n = *nm;
                const double nx = v.normal[0], ny = v.normal[1], nz = v.normal[2];
                const double ox = nx * n[0] + ny * n[3] + nz * n[6], oy = nx * n[1] + ny * n[4] + nz * n[7],
                             oz = nx * n[2] + ny * n[5] + nz * n[8];
                const double l = std::sqrt(ox * ox + oy * oy + oz * oz);
                out.normal = l > 0 ? std::array<float, 3>{float(ox / l), float(oy / l), float(oz / l)} : v.normal;
            }
            to.push_back(out);
        }
        if (!nm) {
            // A piece scaled flat keeps its triangles (they are in the scene) with the normal of
            // the plane they lie in.
            const std::array<float, 3> n = face_normal(to[to.size() - 3], to[to.size() - 2], to[to.size() - 1]);
            for (size_t j = to.size() - 3; j < to.size(); ++j)
                to[j].normal = n;
        }
    }
    (void)first;
}

std::string default_name(int object)
{
    if (object == scene_floor)
        return "Floor";
    if (object == scene_room)
        return "Room";
    return "Object " + std::to_string(object);
}

void add_message(std::vector<std::string>& to, const std::string& message)
{
    if (std::find(to.begin(), to.end(), message) == to.end())
        to.push_back(message);
}

} // namespace

void ModelBounds::add(const std::array<float, 3>& p)
{
    if (empty) {
        min = max = p;
        empty = false;
        return;
    }
    for (size_t k = 0; k < 3; ++k) {
        min[k] = std::min(min[k], p[k]);
        max[k] = std::max(max[k], p[k]);
    }
}

void ModelBounds::merge(const ModelBounds& other)
{
    if (!other.empty) {
        add(other.min);
        add(other.max);
    }
}

size_t ModelObject::triangle_count() const
{
    size_t n = 0;
    for (const ModelMesh& mesh : meshes)
        n += mesh.triangle_count();
    return n;
}

struct StandModel::Fragment {
    std::vector<LocalMesh> meshes;
};

StandModel::StandModel() = default;
StandModel::~StandModel() = default;
StandModel::StandModel(StandModel&&) noexcept = default;
StandModel& StandModel::operator=(StandModel&&) noexcept = default;

std::shared_ptr<const StandModel::Fragment> StandModel::fragment(std::string_view text, ModelUpdate& update)
{
    if (auto found = fragments_.find(std::string(text)); found != fragments_.end())
        return found->second;
    VrmlTriangles read = read_vrml_fragment(text);
    ++update.fragments_parsed;
    for (const std::string& message : read.messages)
        add_message(messages_, message);
    auto made = std::make_shared<Fragment>();
    made->meshes = std::move(read.meshes);
    fragments_.emplace(std::string(text), made);
    return made;
}

int StandModel::material_index(const ModelMaterial& material)
{
    for (size_t k = 0; k < materials_.size(); ++k)
        if (materials_[k] == material)
            return int(k);
    materials_.push_back(material);
    return int(materials_.size() - 1);
}

void StandModel::compact_materials()
{
    std::vector<int> used(materials_.size(), -1);
    std::vector<ModelMaterial> kept;
    for (ModelObject& object : objects_)
        for (ModelMesh& mesh : object.meshes) {
            int& to = used[size_t(mesh.material)];
            if (to < 0) {
                to = int(kept.size());
                kept.push_back(materials_[size_t(mesh.material)]);
            }
            mesh.material = to;
        }
    materials_ = std::move(kept);
}

ModelUpdate StandModel::read(const VrmlScene& scene, const ModelNamer& name)
{
    ModelUpdate update;
    const std::string_view all = scene.text;
    const auto text_of = [&all](size_t begin, size_t end) {
        return all.substr(std::min(begin, all.size()), end > begin ? end - begin : 0);
    };
    // A large design changed over and over would otherwise keep every text it ever had.
    if (fragments_.size() > 4096)
        fragments_.clear();
    messages_.clear();

    std::string_view head;
    for (const SceneObject& o : scene.objects)
        if (o.object == scene_floor)
            head = text_of(o.begin, o.end);
    const bool head_changed = head != head_ || objects_.empty();

    std::vector<ModelObject> previous = std::move(objects_);
    std::vector<std::string> previous_texts = std::move(texts_);
    objects_.clear();
    texts_.clear();
    std::unordered_map<int, size_t> previous_at;
    for (size_t k = 0; k < previous.size(); ++k)
        previous_at[previous[k].object] = k;

    std::unordered_map<const Fragment*, std::vector<int>> fragment_materials;
    for (const SceneObject& o : scene.objects) {
        const std::string_view text = text_of(o.begin, o.end);
        if (!head_changed) {
            auto was = previous_at.find(o.object);
            if (was != previous_at.end() && previous_texts[was->second] == text) {
                objects_.push_back(std::move(previous[was->second]));
                texts_.push_back(std::move(previous_texts[was->second]));
                ++update.kept;
                continue;
            }
        }
        update.read.push_back(o.object);
        ModelObject made;
        made.object = o.object;
        if (o.object == scene_floor) {
            std::string whole(text);
            whole += "DEF ";
            whole += context_marker;
            whole += " Group {}\r\n]}";
            VrmlTriangles read = read_vrml_triangles(whole, context_marker);
            for (const std::string& message : read.messages)
                add_message(messages_, message);
            context_ = read.marker.value_or(identity());
            head_ = std::string(text);
            lights_ = std::move(read.lights);
            for (LocalMesh& mesh : read.meshes)
                made.meshes.push_back({material_index(mesh.material), std::move(mesh.vertices)});
        } else {
            std::unordered_map<int, size_t> mesh_of; // material -> mesh of this object
            for (const ScenePiece& piece : o.pieces) {
                std::shared_ptr<const Fragment> f = fragment(text_of(piece.begin, piece.end), update);
                std::vector<int>& materials = fragment_materials[f.get()];
                if (materials.size() != f->meshes.size()) {
                    materials.clear();
                    for (const LocalMesh& mesh : f->meshes)
                        materials.push_back(material_index(mesh.material));
                }
                RowMatrix m = placement_matrix(piece.outer);
                if (piece.inner)
                    m = multiply(placement_matrix(*piece.inner), m);
                m = multiply(m, context_);
                for (size_t k = 0; k < f->meshes.size(); ++k) {
                    auto [at, fresh] = mesh_of.emplace(materials[k], made.meshes.size());
                    if (fresh)
                        made.meshes.push_back({materials[k], {}});
                    append_placed(made.meshes[at->second].vertices, f->meshes[k].vertices, m);
                }
            }
        }
        for (const ModelMesh& mesh : made.meshes)
            for (const ModelVertex& v : mesh.vertices)
                made.bounds.add(v.position);
        objects_.push_back(std::move(made));
        texts_.emplace_back(text);
    }
    for (ModelObject& object : objects_) {
        object.name = name ? name(object.object) : std::string();
        if (object.name.empty())
            object.name = default_name(object.object);
    }
    compact_materials();
    for (const std::string& message : scene.messages)
        add_message(messages_, message);
    return update;
}

const ModelObject* StandModel::object(int number) const
{
    for (const ModelObject& o : objects_)
        if (o.object == number)
            return &o;
    return nullptr;
}

std::vector<ModelMesh> StandModel::merged() const
{
    std::vector<ModelMesh> out(materials_.size());
    std::vector<size_t> sizes(materials_.size(), 0);
    for (const ModelObject& object : objects_)
        for (const ModelMesh& mesh : object.meshes)
            sizes[size_t(mesh.material)] += mesh.vertices.size();
    for (size_t k = 0; k < out.size(); ++k) {
        out[k].material = int(k);
        out[k].vertices.reserve(sizes[k]);
    }
    for (const ModelObject& object : objects_)
        for (const ModelMesh& mesh : object.meshes)
            out[size_t(mesh.material)].vertices.insert(out[size_t(mesh.material)].vertices.end(),
                                                       mesh.vertices.begin(), mesh.vertices.end());
    out.erase(std::remove_if(out.begin(), out.end(), [](const ModelMesh& m) { return m.vertices.empty(); }),
              out.end());
    return out;
}

ModelBounds StandModel::bounds() const
{
    ModelBounds box;
    for (const ModelObject& object : objects_)
        box.merge(object.bounds);
    return box;
}

size_t StandModel::triangle_count() const
{
    size_t n = 0;
    for (const ModelObject& object : objects_)
        n += object.triangle_count();
    return n;
}

size_t StandModel::picture_count() const
{
    std::set<std::string> pictures;
    for (const ModelMaterial& m : materials_)
        if (!m.picture.empty())
            pictures.insert(m.picture);
    return pictures.size();
}

size_t StandModel::memory_bytes() const
{
    size_t bytes = head_.capacity();
    for (const ModelObject& object : objects_)
        for (const ModelMesh& mesh : object.meshes)
            bytes += mesh.vertices.capacity() * sizeof(ModelVertex);
    for (const std::string& text : texts_)
        bytes += text.capacity();
    for (const auto& [text, f] : fragments_) {
        bytes += text.capacity();
        for (const LocalMesh& mesh : f->meshes)
            bytes += mesh.vertices.capacity() * sizeof(ModelVertex);
    }
    return bytes;
}

StandModel read_stand_model(const VrmlInputs& inputs, VrmlVariant variant, const ModelNamer& name)
{
    StandModel model;
    model.read(build_vrml_scene(inputs, variant), name);
    return model;
}

} // namespace halvern
