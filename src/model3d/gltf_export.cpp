#include "model3d/gltf_export.h"

#include <FreeImage.h>
#include <tiny_gltf.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <sstream>

#include "base/file_copy.h"
#include "base/picture_file.h"
#include "base/strings.h"
#include "base/text_file.h"

namespace halvern {

namespace fs = std::filesystem;

namespace {

// Pictures larger than this are not put into a file meant to be mailed and opened in a browser.
constexpr std::uint64_t max_picture_file = 256 * megabyte;

bool starts_with_bytes(const std::string& bytes, std::string_view magic)
{
    return bytes.size() >= magic.size() && std::memcmp(bytes.data(), magic.data(), magic.size()) == 0;
}

struct Picture {
    std::string bytes;
    std::string mime;      // "image/jpeg" or "image/png"
    std::string extension; // ".jpg" or ".png"
};

// The bitmap as a JPEG of that quality, or as a PNG when it keeps transparent pixels.
Result<Picture> encode_picture(const fs::path& file, FIBITMAP* bitmap, int jpeg_quality)
{
    const bool png = FreeImage_IsTransparent(bitmap) && FreeImage_GetBPP(bitmap) == 32;
    FIBITMAP* pixels = png ? FreeImage_Clone(bitmap) : FreeImage_ConvertTo24Bits(bitmap);
    const std::string failed = file.string() + ": the picture cannot be converted to " + (png ? "PNG" : "JPEG");
    if (!pixels)
        return make_error(failed);
    FIMEMORY* memory = FreeImage_OpenMemory();
    const bool saved = memory
                       && FreeImage_SaveToMemory(png ? FIF_PNG : FIF_JPEG, pixels, memory,
                                                 png ? PNG_DEFAULT : std::clamp(jpeg_quality, 1, 100));
    FreeImage_Unload(pixels);
    Picture out{{}, png ? "image/png" : "image/jpeg", png ? ".png" : ".jpg"};
    if (saved) {
        BYTE* data = nullptr;
        DWORD size = 0;
        if (FreeImage_AcquireMemory(memory, &data, &size) && data)
            out.bytes.assign(reinterpret_cast<const char*>(data), size);
    }
    if (memory)
        FreeImage_CloseMemory(memory);
    if (out.bytes.empty())
        return make_error(failed);
    return out;
}

// A JPEG or PNG file as it is; any other picture FreeImage reads, as a JPEG: glTF knows only those
// two. A picture past the limit is reduced, keeping its proportions.
Result<Picture> read_picture(const fs::path& file, const GltfPictureLimit& limit)
{
    Result<std::string> bytes = read_file_bytes(file, max_picture_file);
    if (!bytes)
        return bytes.error();
    const bool jpeg = starts_with_bytes(*bytes, "\xFF\xD8\xFF");
    const bool png = starts_with_bytes(*bytes, "\x89PNG\r\n\x1A\n");
    if (limit.max_picture_side <= 0) {
        if (jpeg)
            return Picture{std::move(bytes).value(), "image/jpeg", ".jpg"};
        if (png)
            return Picture{std::move(bytes).value(), "image/png", ".png"};
    } else if (jpeg || png) {
        // The header alone tells the size: a picture within the limit is never decoded.
        Result<PictureSize> size = read_picture_size(file);
        if (size && size->width <= limit.max_picture_side && size->height <= limit.max_picture_side)
            return Picture{std::move(bytes).value(), jpeg ? "image/jpeg" : "image/png", jpeg ? ".jpg" : ".png"};
    }
    Result<Bitmap> bitmap = load_picture(file);
    if (!bitmap)
        return bitmap.error();
    const int width = int(FreeImage_GetWidth(bitmap->get())), height = int(FreeImage_GetHeight(bitmap->get()));
    const int side = limit.max_picture_side;
    if (side > 0 && (width > side || height > side)) {
        const double scale = double(side) / std::max(width, height);
        const int w = std::clamp(int(width * scale + 0.5), 1, side), h = std::clamp(int(height * scale + 0.5), 1, side);
        Bitmap reduced{FreeImage_Rescale(bitmap->get(), w, h, FILTER_CATMULLROM)};
        if (!reduced)
            return make_error(file.string() + ": the picture cannot be reduced to " + std::to_string(side) + " pixels");
        return encode_picture(file, reduced.get(), limit.jpeg_quality);
    }
    return encode_picture(file, bitmap->get(), limit.max_picture_side > 0 ? limit.jpeg_quality : JPEG_QUALITYGOOD);
}

// Appends raw bytes to the buffer, each piece on a four-byte boundary as accessors require.
size_t append_bytes(std::vector<unsigned char>& buffer, const void* data, size_t size)
{
    while (buffer.size() % 4)
        buffer.push_back(0);
    const size_t at = buffer.size();
    const auto* bytes = static_cast<const unsigned char*>(data);
    buffer.insert(buffer.end(), bytes, bytes + size);
    return at;
}

std::string uri_escape(std::string_view name)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : name) {
        if (std::isalnum(c) || c == '-' || c == '_' || c == '.' || c == '~')
            out += char(c);
        else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

// A name for a picture beside a .gltf that no other picture of the file has taken.
std::string unique_name(const fs::path& picture, const Picture& bytes, std::vector<std::string>& taken,
                        const GltfNameFree& name_free)
{
    std::string stem = picture.stem().string();
    if (stem.empty())
        stem = "picture";
    std::string name = stem + bytes.extension;
    for (int n = 2; std::find(taken.begin(), taken.end(), to_lower_ascii(name)) != taken.end()
                    || (name_free && !name_free(name, bytes.bytes));
         ++n)
        name = stem + "-" + std::to_string(n) + bytes.extension;
    taken.push_back(to_lower_ascii(name));
    return name;
}

} // namespace

GltfBytes gltf_bytes(const StandModel& model, GltfForm form, const GltfNameFree& name_free,
                     const GltfPictureLimit& limit)
{
    GltfBytes out;
    tinygltf::Model g;
    g.asset.version = "2.0";
    g.asset.generator = "Halvern Visual Design";

    // Pictures, each file once; a picture that cannot be read leaves its faces their colour.
    std::map<std::string, int> texture_of;
    std::vector<std::string> taken;
    std::vector<unsigned char> images;
    std::vector<std::pair<size_t, size_t>> image_ranges;
    const auto wrap = [](bool repeat) { return repeat ? TINYGLTF_TEXTURE_WRAP_REPEAT : TINYGLTF_TEXTURE_WRAP_CLAMP_TO_EDGE; };
    std::map<std::pair<bool, bool>, int> sampler_of;
    for (const ModelMaterial& m : model.materials()) {
        if (m.picture.empty() || texture_of.count(m.picture))
            continue;
        Result<Picture> picture = read_picture(fs::path(m.picture), limit);
        if (!picture) {
            out.messages.push_back(m.picture + ": the picture cannot be read (" + picture.error().text()
                                   + "); its faces keep their colour");
            texture_of[m.picture] = -1;
            continue;
        }
        tinygltf::Image image;
        image.name = fs::path(m.picture).filename().string();
        if (form == GltfForm::binary) {
            image.mimeType = picture->mime;
            image_ranges.push_back({append_bytes(images, picture->bytes.data(), picture->bytes.size()),
                                    picture->bytes.size()});
            image.bufferView = -2 - int(image_ranges.size() - 1); // resolved once the geometry is in
        } else {
            const std::string name = unique_name(fs::path(m.picture), *picture, taken, name_free);
            image.uri = uri_escape(name);
            out.beside.push_back({name, std::move(picture->bytes)});
        }
        g.images.push_back(std::move(image));
        tinygltf::Texture texture;
        texture.source = int(g.images.size() - 1);
        const auto key = std::make_pair(m.repeat_s, m.repeat_t);
        auto [sampler, fresh] = sampler_of.emplace(key, int(g.samplers.size()));
        if (fresh) {
            tinygltf::Sampler s;
            s.magFilter = TINYGLTF_TEXTURE_FILTER_LINEAR;
            s.minFilter = TINYGLTF_TEXTURE_FILTER_LINEAR_MIPMAP_LINEAR;
            s.wrapS = wrap(m.repeat_s);
            s.wrapT = wrap(m.repeat_t);
            g.samplers.push_back(s);
        }
        texture.sampler = sampler->second;
        g.textures.push_back(texture);
        texture_of[m.picture] = int(g.textures.size() - 1);
    }

    // Materials: a picture replaces the diffuse colour, as in the scene; shininess becomes
    // smoothness; a transparent material blends.
    std::vector<bool> textured;
    for (const ModelMaterial& m : model.materials()) {
        tinygltf::Material material;
        const int texture = m.picture.empty() ? -1 : texture_of[m.picture];
        const double alpha = 1.0 - m.transparency;
        if (texture >= 0) {
            material.pbrMetallicRoughness.baseColorFactor = {1, 1, 1, alpha};
            material.pbrMetallicRoughness.baseColorTexture.index = texture;
        } else {
            material.pbrMetallicRoughness.baseColorFactor = {m.diffuse[0], m.diffuse[1], m.diffuse[2], alpha};
        }
        material.pbrMetallicRoughness.metallicFactor = 0;
        material.pbrMetallicRoughness.roughnessFactor = std::clamp(1.0 - m.shininess, 0.0, 1.0);
        if (m.emissive != std::array<float, 3>{0, 0, 0})
            material.emissiveFactor = {m.emissive[0], m.emissive[1], m.emissive[2]};
        if (m.transparency > 0)
            material.alphaMode = "BLEND";
        material.doubleSided = m.double_sided;
        material.name = texture >= 0 ? fs::path(m.picture).stem().string() : "Colour " + std::to_string(g.materials.size());
        g.materials.push_back(std::move(material));
        textured.push_back(texture >= 0);
    }

    // One buffer: every position, then every normal, then every texture coordinate, then the
    // pictures. The sizes are counted first so that each value is written once, where it stays.
    size_t vertex_count = 0, uv_count = 0;
    for (const ModelObject& object : model.objects())
        for (const ModelMesh& part : object.meshes) {
            vertex_count += part.vertices.size();
            if (textured[size_t(part.material)])
                uv_count += part.vertices.size();
        }
    tinygltf::Buffer buffer;
    const size_t position_bytes = vertex_count * 12, uv_bytes = uv_count * 8;
    buffer.data.resize(2 * position_bytes + uv_bytes);
    const auto add_view = [&g](size_t offset, size_t length, int target) {
        if (length == 0)
            return -1;
        tinygltf::BufferView view;
        view.buffer = 0;
        view.byteOffset = offset;
        view.byteLength = length;
        view.target = target;
        g.bufferViews.push_back(view);
        return int(g.bufferViews.size() - 1);
    };
    const int position_view = add_view(0, position_bytes, TINYGLTF_TARGET_ARRAY_BUFFER);
    const int normal_view = add_view(position_bytes, position_bytes, TINYGLTF_TARGET_ARRAY_BUFFER);
    const int uv_view = add_view(2 * position_bytes, uv_bytes, TINYGLTF_TARGET_ARRAY_BUFFER);
    auto* position_at = reinterpret_cast<float*>(buffer.data.data());
    auto* normal_at = reinterpret_cast<float*>(buffer.data.data() + position_bytes);
    auto* uv_at = reinterpret_cast<float*>(buffer.data.data() + 2 * position_bytes);
    const auto accessor = [&g](int view, size_t byte_offset, size_t count, int type) {
        tinygltf::Accessor a;
        a.bufferView = view;
        a.byteOffset = byte_offset;
        a.componentType = TINYGLTF_COMPONENT_TYPE_FLOAT;
        a.count = count;
        a.type = type;
        g.accessors.push_back(std::move(a));
        return int(g.accessors.size() - 1);
    };

    // Geometry: one node and one mesh per placed thing, one primitive per material.
    tinygltf::Node root;
    root.name = "Stand";
    size_t vertex_done = 0, uv_done = 0;
    for (const ModelObject& object : model.objects()) {
        tinygltf::Mesh mesh;
        mesh.name = object.name;
        for (const ModelMesh& part : object.meshes) {
            if (part.vertices.empty())
                continue;
            const size_t n = part.vertices.size();
            const bool with_uv = textured[size_t(part.material)];
            std::array<double, 3> lo{1e300, 1e300, 1e300}, hi{-1e300, -1e300, -1e300};
            for (size_t k = 0; k < n; ++k) {
                const ModelVertex& v = part.vertices[k];
                for (size_t c = 0; c < 3; ++c) {
                    *position_at++ = v.position[c];
                    *normal_at++ = v.normal[c];
                    lo[c] = std::min(lo[c], double(v.position[c]));
                    hi[c] = std::max(hi[c], double(v.position[c]));
                }
                if (with_uv) {
                    // The scene's t grows upwards, glTF's v downwards.
                    *uv_at++ = v.uv[0];
                    *uv_at++ = 1.0f - v.uv[1];
                }
            }
            tinygltf::Primitive primitive;
            primitive.mode = TINYGLTF_MODE_TRIANGLES;
            primitive.material = part.material;
            const int pa = accessor(position_view, vertex_done * 12, n, TINYGLTF_TYPE_VEC3);
            g.accessors[size_t(pa)].minValues = {lo[0], lo[1], lo[2]};
            g.accessors[size_t(pa)].maxValues = {hi[0], hi[1], hi[2]};
            primitive.attributes["POSITION"] = pa;
            primitive.attributes["NORMAL"] = accessor(normal_view, vertex_done * 12, n, TINYGLTF_TYPE_VEC3);
            if (with_uv) {
                primitive.attributes["TEXCOORD_0"] = accessor(uv_view, uv_done * 8, n, TINYGLTF_TYPE_VEC2);
                uv_done += n;
            }
            vertex_done += n;
            mesh.primitives.push_back(std::move(primitive));
        }
        tinygltf::Node node;
        node.name = object.name;
        tinygltf::Value::Object extras;
        extras["object"] = tinygltf::Value(object.object);
        node.extras = tinygltf::Value(std::move(extras));
        if (!mesh.primitives.empty()) {
            g.meshes.push_back(std::move(mesh));
            node.mesh = int(g.meshes.size() - 1);
        }
        g.nodes.push_back(std::move(node));
        root.children.push_back(int(g.nodes.size() - 1));
    }
    g.nodes.push_back(std::move(root));
    tinygltf::Scene scene;
    scene.name = "Stand";
    scene.nodes.push_back(int(g.nodes.size() - 1));
    g.scenes.push_back(scene);
    g.defaultScene = 0;

    for (tinygltf::Image& image : g.images)
        if (image.bufferView <= -2) {
            const auto [offset, size] = image_ranges[size_t(-2 - image.bufferView)];
            tinygltf::BufferView view;
            view.buffer = 0;
            view.byteOffset = append_bytes(buffer.data, images.data() + offset, size);
            view.byteLength = size;
            g.bufferViews.push_back(view);
            image.bufferView = int(g.bufferViews.size() - 1);
        }
    while (buffer.data.size() % 4)
        buffer.data.push_back(0);
    if (!buffer.data.empty())
        g.buffers.push_back(std::move(buffer));

    tinygltf::TinyGLTF writer;
    // Our pictures are bytes already: nothing may decode or re-encode them.
    writer.SetImageWriter(nullptr, nullptr);
    std::ostringstream stream;
    writer.WriteGltfSceneToStream(&g, stream, form == GltfForm::text, form == GltfForm::binary);
    out.bytes = std::move(stream).str();
    return out;
}

fs::path with_gltf_extension(const fs::path& file)
{
    const std::string extension = to_lower_ascii(file.extension().string());
    if (extension == ".glb" || extension == ".gltf")
        return file;
    fs::path out = file;
    out += ".glb";
    return out;
}

Result<GltfReport> export_gltf_file(const fs::path& file_in, const StandModel& model)
{
    const fs::path file = with_gltf_extension(file_in);
    const bool text = to_lower_ascii(file.extension().string()) == ".gltf";
    const fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
    // A file of the folder is never replaced: a name it holds is free only for the same bytes (a
    // picture already there, or exported before). The .gltf itself is no picture's.
    const auto name_free = [&](const std::string& name, const std::string& bytes) {
        const fs::path target = folder / name;
        std::error_code ec;
        if (to_lower_ascii(name) == to_lower_ascii(file.filename().string()))
            return false;
        if (!fs::exists(target, ec) && !fs::is_symlink(target, ec))
            return true;
        Result<std::string> there = read_file_bytes(target, max_picture_file);
        return there && *there == bytes;
    };
    GltfBytes made = gltf_bytes(model, text ? GltfForm::text : GltfForm::binary, name_free);
    GltfReport report;
    report.messages = std::move(made.messages);
    // The pictures first: a .gltf is written only when everything it names is there.
    for (const GltfPicture& picture : made.beside) {
        const fs::path target = folder / picture.name;
        std::error_code ec;
        if (!fs::exists(target, ec)) {
            if (Result<void> written = write_file_safely(target, picture.bytes); !written)
                return written.error();
        }
        report.pictures.push_back(target);
    }
    if (Result<void> written = write_file_safely(file, made.bytes); !written)
        return written.error();
    return report;
}

} // namespace halvern
