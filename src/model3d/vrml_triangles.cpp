#include "model3d/vrml_triangles.h"

#include <Inventor/SbImage.h>
#include <Inventor/SbViewportRegion.h>
#include <Inventor/SoDB.h>
#include <Inventor/SoInput.h>
#include <Inventor/SoPath.h>
#include <Inventor/SoPrimitiveVertex.h>
#include <Inventor/actions/SoCallbackAction.h>
#include <Inventor/actions/SoGetMatrixAction.h>
#include <Inventor/actions/SoSearchAction.h>
#include <Inventor/errors/SoDebugError.h>
#include <Inventor/errors/SoReadError.h>
#include <Inventor/lists/SoPathList.h>
#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/nodes/SoShape.h>
#include <Inventor/VRMLnodes/SoVRMLAppearance.h>
#include <Inventor/VRMLnodes/SoVRMLDirectionalLight.h>
#include <Inventor/VRMLnodes/SoVRMLPointLight.h>
#include <Inventor/VRMLnodes/SoVRMLElevationGrid.h>
#include <Inventor/VRMLnodes/SoVRMLExtrusion.h>
#include <Inventor/VRMLnodes/SoVRMLImageTexture.h>
#include <Inventor/VRMLnodes/SoVRMLIndexedFaceSet.h>
#include <Inventor/VRMLnodes/SoVRMLMaterial.h>
#include <Inventor/VRMLnodes/SoVRMLPixelTexture.h>
#include <Inventor/VRMLnodes/SoVRMLShape.h>

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "model3d/coin_access.h"

namespace halvern {

namespace {

void collect(const SoError* error, void* data)
{
    auto* messages = static_cast<std::vector<std::string>*>(data);
    std::string text = error->getDebugString().getString();
    if (std::find(messages->begin(), messages->end(), text) == messages->end())
        messages->push_back(std::move(text));
}

std::array<float, 3> colour(const SbColor& c) { return {c[0], c[1], c[2]}; }

using PictureNotes = std::unordered_map<const SoNode*, std::string>;

// VRML's rule for a shape without a material: unlit, white (or its picture).
ModelMaterial shape_material(const SoVRMLShape* shape, const PictureNotes& pictures)
{
    ModelMaterial m;
    m.diffuse = {1, 1, 1};
    const SoNode* look = shape->appearance.getValue();
    if (look && look->isOfType(SoVRMLAppearance::getClassTypeId())) {
        const auto* appearance = static_cast<const SoVRMLAppearance*>(look);
        const SoNode* material = appearance->material.getValue();
        if (material && material->isOfType(SoVRMLMaterial::getClassTypeId())) {
            const auto* vm = static_cast<const SoVRMLMaterial*>(material);
            m.diffuse = colour(vm->diffuseColor.getValue());
            m.specular = colour(vm->specularColor.getValue());
            m.emissive = colour(vm->emissiveColor.getValue());
            m.shininess = std::clamp(vm->shininess.getValue(), 0.0f, 1.0f);
            m.transparency = std::clamp(vm->transparency.getValue(), 0.0f, 1.0f);
            m.ambient = std::clamp(vm->ambientIntensity.getValue(), 0.0f, 1.0f);
        }
        const SoNode* texture = appearance->texture.getValue();
        if (texture && texture->isOfType(SoVRMLPixelTexture::getClassTypeId())) {
            const auto* pixel = static_cast<const SoVRMLPixelTexture*>(texture);
            if (auto named = pictures.find(texture); named != pictures.end())
                m.picture = named->second;
            m.repeat_s = pixel->repeatS.getValue();
            m.repeat_t = pixel->repeatT.getValue();
        }
    }
    const SoNode* geometry = shape->geometry.getValue();
    if (geometry) {
        if (geometry->isOfType(SoVRMLIndexedFaceSet::getClassTypeId()))
            m.double_sided = !static_cast<const SoVRMLIndexedFaceSet*>(geometry)->solid.getValue();
        else if (geometry->isOfType(SoVRMLExtrusion::getClassTypeId()))
            m.double_sided = !static_cast<const SoVRMLExtrusion*>(geometry)->solid.getValue();
        else if (geometry->isOfType(SoVRMLElevationGrid::getClassTypeId()))
            m.double_sided = !static_cast<const SoVRMLElevationGrid*>(geometry)->solid.getValue();
    }
    return m;
}

struct Collector {
    VrmlTriangles* out;
    const PictureNotes* pictures;
    int current = -1;

    int mesh_for(const ModelMaterial& material)
    {
        for (size_t k = 0; k < out->meshes.size(); ++k)
            if (out->meshes[k].material == material)
                return int(k);
        out->meshes.push_back({material, {}});
        return int(out->meshes.size() - 1);
    }
};

SoCallbackAction::Response on_shape(void* data, SoCallbackAction*, const SoNode* node)
{
    auto* collector = static_cast<Collector*>(data);
    collector->current =
        collector->mesh_for(shape_material(static_cast<const SoVRMLShape*>(node), *collector->pictures));
    return SoCallbackAction::CONTINUE;
}

SoCallbackAction::Response on_light(void* data, SoCallbackAction* action, const SoNode* node)
{
    auto* collector = static_cast<Collector*>(data);
    const SbMatrix& model = action->getModelMatrix();
    ModelLight light;
    if (node->isOfType(SoVRMLPointLight::getClassTypeId())) {
        const auto* l = static_cast<const SoVRMLPointLight*>(node);
        if (!l->on.getValue())
            return SoCallbackAction::CONTINUE;
        light.point = true;
        light.colour = colour(l->color.getValue());
        light.intensity = std::clamp(l->intensity.getValue(), 0.0f, 1.0f);
        light.ambient = std::clamp(l->ambientIntensity.getValue(), 0.0f, 1.0f);
        SbVec3f p;
        model.multVecMatrix(l->location.getValue(), p);
        light.position = {p[0], p[1], p[2]};
        const SbVec3f a = l->attenuation.getValue();
        light.attenuation = {a[0], a[1], a[2]};
        light.radius = l->radius.getValue();
    } else {
        const auto* l = static_cast<const SoVRMLDirectionalLight*>(node);
        if (!l->on.getValue())
            return SoCallbackAction::CONTINUE;
        light.colour = colour(l->color.getValue());
        light.intensity = std::clamp(l->intensity.getValue(), 0.0f, 1.0f);
        light.ambient = std::clamp(l->ambientIntensity.getValue(), 0.0f, 1.0f);
        SbVec3f d;
        model.multDirMatrix(l->direction.getValue(), d);
        if (d.length() > 0)
            d.normalize();
        light.direction = {d[0], d[1], d[2]};
    }
    collector->out->lights.push_back(light);
    return SoCallbackAction::CONTINUE;
}

void on_triangle(void* data, SoCallbackAction* action, const SoPrimitiveVertex* a, const SoPrimitiveVertex* b,
                 const SoPrimitiveVertex* c)
{
    auto* collector = static_cast<Collector*>(data);
    if (collector->current < 0)
        collector->current = collector->mesh_for(ModelMaterial{});
    std::vector<ModelVertex>& vertices = collector->out->meshes[size_t(collector->current)].vertices;
    const SbMatrix& model = action->getModelMatrix();
    const SbMatrix normals = model.inverse().transpose();
    const SbMatrix& texture = action->getTextureMatrix();
    // A mirroring transform turns the faces inside out; the order of the corners turns them back.
    const bool mirrored = model.det3() < 0;
    for (const SoPrimitiveVertex* v : {a, mirrored ? c : b, mirrored ? b : c}) {
        SbVec3f p, n;
        model.multVecMatrix(v->getPoint(), p);
        normals.multDirMatrix(v->getNormal(), n);
        if (n.length() > 0)
            n.normalize();
        SbVec4f t;
        texture.multVecMatrix(v->getTextureCoords(), t);
        const float w = t[3] != 0 ? t[3] : 1.0f;
        vertices.push_back({{p[0], p[1], p[2]}, {n[0], n[1], n[2]}, {t[0] / w, t[1] / w}});
    }
    // A corner without a normal (a degenerate face) takes the plane's: viewers want unit normals.
    ModelVertex* corner = &vertices[vertices.size() - 3];
    for (int k = 0; k < 3; ++k) {
        const auto& n = corner[k].normal;
        if (n[0] * n[0] + n[1] * n[1] + n[2] * n[2] > 0.5f)
            continue;
        const SbVec3f p0(corner[0].position.data()), p1(corner[1].position.data()), p2(corner[2].position.data());
        SbVec3f face = (p1 - p0).cross(p2 - p0);
        if (face.length() > 0)
            face.normalize();
        else
            face.setValue(0, 1, 0);
        corner[k].normal = {face[0], face[1], face[2]};
    }
}

// The triangles need texture coordinates, which Coin makes only for a shape whose texture is on; a
// texture is on when it has an image. Every picture gives way to one white pixel: the files are
// the glTF writer's business, and decoding them here would cost more than the whole reading. The
// picture each pixel stands for is noted beside it.
void stand_in_pictures(SoNode* root, PictureNotes& notes)
{
    static const unsigned char white[3] = {255, 255, 255};
    SoSearchAction search;
    search.setType(SoVRMLShape::getClassTypeId());
    search.setInterest(SoSearchAction::ALL);
    search.setSearchingAll(TRUE);
    search.apply(root);
    const SoPathList& paths = search.getPaths();
    std::unordered_map<const SoNode*, SoVRMLPixelTexture*> made; // a texture used twice stays shared
    for (int i = 0; i < paths.getLength(); ++i) {
        SoNode* look = static_cast<SoVRMLShape*>(paths[i]->getTail())->appearance.getValue();
        if (!look || !look->isOfType(SoVRMLAppearance::getClassTypeId()))
            continue;
        auto* appearance = static_cast<SoVRMLAppearance*>(look);
        SoNode* node = appearance->texture.getValue();
        if (!node || !node->isOfType(SoVRMLImageTexture::getClassTypeId()))
            continue;
        auto [at, fresh] = made.emplace(node, nullptr);
        if (fresh) {
            const auto* image = static_cast<const SoVRMLImageTexture*>(node);
            auto* pixel = new SoVRMLPixelTexture;
            pixel->image.setValue(SbVec2s(1, 1), 3, white);
            pixel->repeatS = image->repeatS.getValue();
            pixel->repeatT = image->repeatT.getValue();
            notes[pixel] = image->url.getNum() > 0 ? std::string(image->url[0].getString()) : std::string();
            at->second = pixel;
        }
        appearance->texture.setValue(at->second);
    }
}

std::optional<RowMatrix> marker_matrix(SoNode* root, const char* marker)
{
    SoSearchAction search;
    search.setName(SbName(marker));
    search.setInterest(SoSearchAction::FIRST);
    search.setSearchingAll(TRUE);
    search.apply(root);
    SoPath* path = search.getPath();
    if (!path)
        return std::nullopt;
    SoGetMatrixAction action(SbViewportRegion(640, 480));
    action.apply(path);
    const SbMatrix& m = action.getMatrix();
    RowMatrix out{};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            out[size_t(r * 4 + c)] = m[r][c];
    return out;
}

} // namespace

VrmlTriangles read_vrml_triangles(std::string_view text, const char* marker)
{
    init_coin_database();
    VrmlTriangles out;
    std::lock_guard<std::recursive_mutex> hold(coin_lock());
    SoError::setHandlerCallback(collect, &out.messages);
    SoDebugError::setHandlerCallback(collect, &out.messages);
    SoReadError::setHandlerCallback(collect, &out.messages);
    // Nothing is fetched while reading; the 3D window's own readings fetch at once, as before.
    SoVRMLImageTexture::setDelayFetchURL(TRUE);
    SoInput input;
    input.setBuffer(text.data(), text.size());
    SoSeparator* root = SoDB::readAll(&input);
    SoVRMLImageTexture::setDelayFetchURL(FALSE);
    if (root) {
        root->ref();
        out.read = true;
        PictureNotes pictures;
        stand_in_pictures(root, pictures);
        if (marker)
            out.marker = marker_matrix(root, marker);
        Collector collector{&out, &pictures};
        SoCallbackAction action;
        action.addPreCallback(SoVRMLShape::getClassTypeId(), on_shape, &collector);
        action.addPreCallback(SoVRMLPointLight::getClassTypeId(), on_light, &collector);
        action.addPreCallback(SoVRMLDirectionalLight::getClassTypeId(), on_light, &collector);
        action.addTriangleCallback(SoShape::getClassTypeId(), on_triangle, &collector);
        action.apply(root);
        root->unref();
    } else if (out.messages.empty()) {
        out.messages.push_back("the scene could not be read");
    }
    SoError::setHandlerCallback(nullptr, nullptr);
    SoDebugError::setHandlerCallback(nullptr, nullptr);
    SoReadError::setHandlerCallback(nullptr, nullptr);
    out.meshes.erase(std::remove_if(out.meshes.begin(), out.meshes.end(),
                                    [](const LocalMesh& m) { return m.vertices.empty(); }),
                     out.meshes.end());
    return out;
}

VrmlTriangles read_vrml_fragment(std::string_view fragment)
{
    std::string text = "#VRML V2.0 utf8\r\nGroup { children [\r\n";
    text += fragment;
    text += "\r\n] }\r\n";
    return read_vrml_triangles(text);
}

} // namespace halvern
