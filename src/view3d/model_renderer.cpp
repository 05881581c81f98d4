#include "view3d/model_renderer.h"

#include <QMatrix4x4>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>
#include <unordered_map>

#include "view3d/draw_batches.h"

namespace halvern {

namespace {

static_assert(sizeof(ModelVertex) == 32 && offsetof(ModelVertex, normal) == 12 && offsetof(ModelVertex, uv) == 24,
              "the vertex buffers take the model's vertices as they are");

// Lit per vertex, as the fixed-function viewers of the scene light it: the scene's own lights, a
// white headlight of 0.8 along the view (the scene asks for one), faces of open geometry lit on the
// side the viewer sees. The picture, when there is one, takes the place of the diffuse colour.
const char* const vertex_source = R"(
#version 120
attribute vec3 position;
attribute vec3 normal;
attribute vec2 uv;
uniform mat4 view_projection;
uniform vec3 eye;
uniform vec3 towards_headlight;
uniform int light_count;
uniform vec4 light_place[4];   // xyz: a point light's position, or towards a directional light (w 0)
uniform vec3 light_colour[4];  // colour times intensity
uniform vec4 light_falloff[4]; // attenuation, radius
uniform vec3 ambient_light;
uniform vec3 diffuse;
uniform vec3 specular;
uniform vec3 emissive;
uniform float ambient;
uniform float exponent;
uniform float two_sided;
varying vec3 lit;
varying vec3 shine;
varying vec2 at;
void main()
{
    gl_Position = view_projection * vec4(position, 1.0);
    vec3 n = normal;
    if (two_sided > 0.5 && dot(n, eye - position) < 0.0)
        n = -n;
    float head = max(dot(n, towards_headlight), 0.0);
    vec3 light = ambient_light * ambient + vec3(0.8 * head);
    for (int k = 0; k < 4; ++k) {
        if (k >= light_count)
            break;
        vec3 towards = light_place[k].xyz;
        float strength = 1.0;
        if (light_place[k].w > 0.5) {
            towards = light_place[k].xyz - position;
            float d = length(towards);
            towards /= max(d, 1e-6);
            strength = d > light_falloff[k].w ? 0.0
                       : 1.0 / max(light_falloff[k].x + light_falloff[k].y * d + light_falloff[k].z * d * d, 1.0);
        }
        light += light_colour[k] * (strength * max(dot(n, towards), 0.0));
    }
    lit = min(diffuse * light, 1.0); // clamped before the picture, as fixed-function lighting is
    shine = emissive + specular * (0.8 * pow(max(head, 1e-6), exponent));
    at = uv;
}
)";

const char* const plain_fragment = R"(
#version 120
uniform float opacity;
varying vec3 lit;
varying vec3 shine;
varying vec2 at;
void main() { gl_FragColor = vec4(lit + shine, opacity); }
)";

const char* const textured_fragment = R"(
#version 120
uniform float opacity;
uniform sampler2D picture;
varying vec3 lit;
varying vec3 shine;
varying vec2 at;
void main()
{
    vec4 texel = texture2D(picture, at);
    gl_FragColor = vec4(texel.rgb * lit + shine, opacity * texel.a);
}
)";

enum Attribute : GLuint { attribute_position = 0, attribute_normal = 1, attribute_uv = 2 };

struct Program {
    QOpenGLShaderProgram program;
    int view_projection = -1, eye = -1, towards_headlight = -1, light_count = -1, light_place = -1,
        light_colour = -1, light_falloff = -1, ambient_light = -1, diffuse = -1, specular = -1, emissive = -1,
        ambient = -1, exponent = -1, two_sided = -1, opacity = -1, picture = -1;

    bool make(const char* fragment, std::string& problem)
    {
        if (!program.addShaderFromSourceCode(QOpenGLShader::Vertex, vertex_source) ||
            !program.addShaderFromSourceCode(QOpenGLShader::Fragment, fragment)) {
            problem = "the 3D view's shaders could not be compiled: " + program.log().toStdString();
            return false;
        }
        program.bindAttributeLocation("position", attribute_position);
        program.bindAttributeLocation("normal", attribute_normal);
        program.bindAttributeLocation("uv", attribute_uv);
        if (!program.link()) {
            problem = "the 3D view's shaders could not be linked: " + program.log().toStdString();
            return false;
        }
        view_projection = program.uniformLocation("view_projection");
        eye = program.uniformLocation("eye");
        towards_headlight = program.uniformLocation("towards_headlight");
        light_count = program.uniformLocation("light_count");
        light_place = program.uniformLocation("light_place");
        light_colour = program.uniformLocation("light_colour");
        light_falloff = program.uniformLocation("light_falloff");
        ambient_light = program.uniformLocation("ambient_light");
        ambient = program.uniformLocation("ambient");
        diffuse = program.uniformLocation("diffuse");
        specular = program.uniformLocation("specular");
        emissive = program.uniformLocation("emissive");
        exponent = program.uniformLocation("exponent");
        two_sided = program.uniformLocation("two_sided");
        opacity = program.uniformLocation("opacity");
        picture = program.uniformLocation("picture");
        return true;
    }
};

struct Buffer {
    GLuint name = 0;
    GLuint indices = 0;
    size_t vertices = 0;      // room in the buffers
    size_t index_room = 0;
    unsigned uploaded = 0;    // the batches' reading it holds
    bool seen = false;        // still a batch at the last frame
};

struct Texture {
    GLuint name = 0;
    const DecodedPicture* from = nullptr; // the decoded picture it was made of
    bool alpha = false;
    bool seen = false;
};

GLenum format_of(const DecodedPicture& p) { return p.components == 4 ? GL_RGBA : GL_RGB; }

} // namespace

struct ModelRenderer::Parts {
    QOpenGLFunctions gl;
    Program plain, textured;
    std::unordered_map<unsigned, Buffer> buffers;      // by batch id
    std::unordered_map<std::string, Texture> textures; // by picture and its repeats
    RenderStats stats;
    std::string problem;
    bool ready = false;

    std::vector<std::uint32_t> placed; // a part's indices moved to where its corners are in the run

    void upload(const DrawBatches::Batch& batch, Buffer& buffer)
    {
        gl.glBindBuffer(GL_ARRAY_BUFFER, buffer.name);
        gl.glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffer.indices);
        const bool whole = batch.laid_out > buffer.uploaded || batch.vertex_count > buffer.vertices ||
                           batch.index_count > buffer.index_room;
        if (whole) {
            // Sized anew with no content, then filled part by part: the vertices are never gathered
            // into one block first.
            buffer.vertices = batch.vertex_count;
            buffer.index_room = batch.index_count;
            gl.glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(buffer.vertices * sizeof(ModelVertex)), nullptr, GL_STATIC_DRAW);
            gl.glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(buffer.index_room * sizeof(std::uint32_t)), nullptr,
                            GL_STATIC_DRAW);
        }
        for (const DrawBatches::Part& part : batch.parts)
            if (whole || part.stamp > buffer.uploaded) {
                const DrawMesh& mesh = part.data();
                gl.glBufferSubData(GL_ARRAY_BUFFER, GLintptr(part.first * sizeof(ModelVertex)),
                                   GLsizeiptr(part.count * sizeof(ModelVertex)), mesh.vertices.data());
                placed.resize(mesh.indices.size());
                for (size_t k = 0; k < placed.size(); ++k)
                    placed[k] = mesh.indices[k] + std::uint32_t(part.first);
                gl.glBufferSubData(GL_ELEMENT_ARRAY_BUFFER, GLintptr(part.first_index * sizeof(std::uint32_t)),
                                   GLsizeiptr(placed.size() * sizeof(std::uint32_t)), placed.data());
                stats.bytes_uploaded += part.count * sizeof(ModelVertex) + placed.size() * sizeof(std::uint32_t);
            }
    }

    // The texture of a material's picture, made or remade when the picture is new; null: no picture.
    Texture* texture(const ModelMaterial& material, const DrawBatches& batches)
    {
        if (material.picture.empty())
            return nullptr;
        auto decoded = batches.pictures().find(material.picture);
        if (decoded == batches.pictures().end() || !decoded->second)
            return nullptr;
        const DecodedPicture& picture = *decoded->second;
        Texture& t = textures[material.picture + (material.repeat_s ? "\n1" : "\n0") + (material.repeat_t ? "1" : "0")];
        t.seen = true;
        if (t.from == &picture)
            return &t;
        if (!t.name)
            gl.glGenTextures(1, &t.name);
        gl.glBindTexture(GL_TEXTURE_2D, t.name);
        gl.glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        const DecodedPicture* level = &picture;
        for (GLint k = 0; level; ++k) {
            gl.glTexImage2D(GL_TEXTURE_2D, k, GLint(format_of(*level)), level->width, level->height, 0,
                            format_of(*level), GL_UNSIGNED_BYTE, level->bytes.data());
            stats.bytes_uploaded += level->bytes.size();
            level = size_t(k) < picture.smaller.size() ? &picture.smaller[size_t(k)] : nullptr;
        }
        const bool levels = !picture.smaller.empty() || (picture.width == 1 && picture.height == 1);
        gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, levels ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR);
        gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, material.repeat_s ? GL_REPEAT : GL_CLAMP_TO_EDGE);
        gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, material.repeat_t ? GL_REPEAT : GL_CLAMP_TO_EDGE);
        t.from = &picture;
        t.alpha = picture.components == 4;
        return &t;
    }
};

ModelRenderer::ModelRenderer() : parts_(std::make_unique<Parts>())
{
    if (!QOpenGLContext::currentContext()) {
        parts_->problem = "no OpenGL context is current";
        return;
    }
    parts_->gl.initializeOpenGLFunctions();
    parts_->ready = parts_->plain.make(plain_fragment, parts_->problem) &&
                    parts_->textured.make(textured_fragment, parts_->problem);
}

ModelRenderer::~ModelRenderer()
{
    if (!QOpenGLContext::currentContext())
        return; // the context went first, and its buffers with it
    for (auto& [id, buffer] : parts_->buffers) {
        parts_->gl.glDeleteBuffers(1, &buffer.name);
        parts_->gl.glDeleteBuffers(1, &buffer.indices);
    }
    for (auto& [key, texture] : parts_->textures)
        parts_->gl.glDeleteTextures(1, &texture.name);
}

bool ModelRenderer::ready() const { return parts_->ready; }

const std::string& ModelRenderer::problem() const { return parts_->problem; }

const RenderStats& ModelRenderer::stats() const { return parts_->stats; }

void ModelRenderer::render(const DrawBatches& batches, const OrbitCamera& camera, int width, int height)
{
    Parts& p = *parts_;
    QOpenGLFunctions& gl = p.gl;
    p.stats = RenderStats{};
    gl.glViewport(0, 0, width, height);
    gl.glClearColor(sky_colour[0], sky_colour[1], sky_colour[2], 1.0f);
    gl.glDepthMask(GL_TRUE);
    gl.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (!p.ready || width < 1 || height < 1)
        return;

    // Buffers and textures up to date; those of batches gone are dropped.
    for (auto& [id, buffer] : p.buffers)
        buffer.seen = false;
    for (auto& [key, texture] : p.textures)
        texture.seen = false;
    struct Draw {
        const DrawBatches::Batch* batch;
        const Buffer* buffer;
        Texture* texture;
        double depth; // of the batch's centre along the view, for the transparent ones
    };
    std::vector<Draw> opaque, transparent;
    const CameraPose pose = camera.pose(batches.bounds());
    for (const DrawBatches::Batch& batch : batches.batches()) {
        if (batch.vertex_count == 0)
            continue;
        Buffer& buffer = p.buffers[batch.id];
        buffer.seen = true;
        if (!buffer.name) {
            gl.glGenBuffers(1, &buffer.name);
            gl.glGenBuffers(1, &buffer.indices);
        }
        if (buffer.uploaded < batches.stamp()) {
            p.upload(batch, buffer);
            buffer.uploaded = batches.stamp();
        }
        Texture* texture = p.texture(batch.material, batches);
        const Draw draw{&batch, &buffer, texture, dot(batch.bounds.centre() - pose.position, pose.view)};
        const bool see_through = batch.material.transparency > 0.001f || (texture && texture->alpha);
        (see_through ? transparent : opaque).push_back(draw);
    }
    for (auto it = p.buffers.begin(); it != p.buffers.end();)
        if (!it->second.seen) {
            gl.glDeleteBuffers(1, &it->second.name);
            gl.glDeleteBuffers(1, &it->second.indices);
            it = p.buffers.erase(it);
        } else
            ++it;
    for (auto it = p.textures.begin(); it != p.textures.end();)
        if (!it->second.seen) {
            gl.glDeleteTextures(1, &it->second.name);
            it = p.textures.erase(it);
        } else
            ++it;
    p.stats.textures = int(p.textures.size());

    // The camera: the height angle spans the height of a wide picture and the width of a tall one.
    const double aspect = double(width) / height;
    const auto [half_w, half_h] = camera.half_extents(aspect);
    QMatrix4x4 projection;
    projection.frustum(float(-half_w * pose.near), float(half_w * pose.near), float(-half_h * pose.near),
                       float(half_h * pose.near), float(pose.near), float(pose.far));
    QMatrix4x4 view;
    const QVector3D eye(float(pose.position.x), float(pose.position.y), float(pose.position.z));
    const QVector3D along(float(pose.view.x), float(pose.view.y), float(pose.view.z));
    view.lookAt(eye, eye + along, QVector3D(float(pose.up.x), float(pose.up.y), float(pose.up.z)));
    const QMatrix4x4 view_projection = projection * view;
    const QVector3D towards_headlight = -along;
    // The scene's lights (four at most, as they come), and the ambient light they give together
    // over the dim white ambient light fixed-function viewers start from.
    QVector4D light_place[4];
    QVector3D light_colour[4], ambient_light(0.2f, 0.2f, 0.2f);
    QVector4D light_falloff[4];
    int light_count = 0;
    for (const ModelLight& l : batches.lights()) {
        const QVector3D c(l.colour[0], l.colour[1], l.colour[2]);
        ambient_light += c * l.ambient;
        if (light_count == 4)
            continue;
        light_place[light_count] = l.point ? QVector4D(l.position[0], l.position[1], l.position[2], 1)
                                           : QVector4D(-l.direction[0], -l.direction[1], -l.direction[2], 0);
        light_colour[light_count] = c * l.intensity;
        light_falloff[light_count] = QVector4D(l.attenuation[0], l.attenuation[1], l.attenuation[2], l.radius);
        ++light_count;
    }

    gl.glEnable(GL_DEPTH_TEST);
    gl.glDepthFunc(GL_LEQUAL);
    gl.glFrontFace(GL_CCW);
    gl.glCullFace(GL_BACK);
    gl.glDisable(GL_BLEND);
    gl.glEnableVertexAttribArray(attribute_position);
    gl.glEnableVertexAttribArray(attribute_normal);
    Program* bound = nullptr;
    const auto draw = [&](const Draw& d) {
        const ModelMaterial& m = d.batch->material;
        Program& program = d.texture ? p.textured : p.plain;
        if (bound != &program) {
            program.program.bind();
            program.program.setUniformValue(program.view_projection, view_projection);
            program.program.setUniformValue(program.eye, eye);
            program.program.setUniformValue(program.towards_headlight, towards_headlight);
            program.program.setUniformValue(program.light_count, light_count);
            program.program.setUniformValueArray(program.light_place, light_place, 4);
            program.program.setUniformValueArray(program.light_colour, light_colour, 4);
            program.program.setUniformValueArray(program.light_falloff, light_falloff, 4);
            program.program.setUniformValue(program.ambient_light, ambient_light);
            if (d.texture) {
                program.program.setUniformValue(program.picture, 0);
                gl.glEnableVertexAttribArray(attribute_uv);
            } else
                gl.glDisableVertexAttribArray(attribute_uv);
            bound = &program;
        }
        if (d.texture)
            gl.glBindTexture(GL_TEXTURE_2D, d.texture->name);
        const auto colour = [](const std::array<float, 3>& c) { return QVector3D(c[0], c[1], c[2]); };
        // A picture shows in place of the diffuse colour.
        program.program.setUniformValue(program.diffuse, d.texture ? QVector3D(1, 1, 1) : colour(m.diffuse));
        program.program.setUniformValue(program.specular, colour(m.specular));
        program.program.setUniformValue(program.emissive, colour(m.emissive));
        program.program.setUniformValue(program.ambient, m.ambient);
        program.program.setUniformValue(program.exponent, std::max(1.0f, m.shininess * 128.0f));
        program.program.setUniformValue(program.two_sided, m.double_sided ? 1.0f : 0.0f);
        program.program.setUniformValue(program.opacity, 1.0f - std::clamp(m.transparency, 0.0f, 1.0f));
        if (m.double_sided)
            gl.glDisable(GL_CULL_FACE);
        else
            gl.glEnable(GL_CULL_FACE);
        gl.glBindBuffer(GL_ARRAY_BUFFER, d.buffer->name);
        gl.glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, d.buffer->indices);
        gl.glVertexAttribPointer(attribute_position, 3, GL_FLOAT, GL_FALSE, sizeof(ModelVertex),
                                 reinterpret_cast<const void*>(offsetof(ModelVertex, position)));
        gl.glVertexAttribPointer(attribute_normal, 3, GL_FLOAT, GL_FALSE, sizeof(ModelVertex),
                                 reinterpret_cast<const void*>(offsetof(ModelVertex, normal)));
        if (d.texture)
            gl.glVertexAttribPointer(attribute_uv, 2, GL_FLOAT, GL_FALSE, sizeof(ModelVertex),
                                     reinterpret_cast<const void*>(offsetof(ModelVertex, uv)));
        gl.glDrawElements(GL_TRIANGLES, GLsizei(d.batch->index_count), GL_UNSIGNED_INT, nullptr);
        ++p.stats.draw_calls;
        p.stats.vertices_drawn += d.batch->vertex_count;
    };
    // Opaque batches grouped by program and picture, to change as little state as possible.
    std::sort(opaque.begin(), opaque.end(), [](const Draw& a, const Draw& b) {
        return std::make_pair(a.texture != nullptr, a.texture ? a.texture->name : 0u) <
               std::make_pair(b.texture != nullptr, b.texture ? b.texture->name : 0u);
    });
    for (const Draw& d : opaque)
        draw(d);
    if (!transparent.empty()) {
        std::sort(transparent.begin(), transparent.end(), [](const Draw& a, const Draw& b) { return a.depth > b.depth; });
        gl.glEnable(GL_BLEND);
        gl.glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        gl.glDepthMask(GL_FALSE);
        for (const Draw& d : transparent)
            draw(d);
        gl.glDepthMask(GL_TRUE);
        gl.glDisable(GL_BLEND);
    }
    gl.glDisableVertexAttribArray(attribute_position);
    gl.glDisableVertexAttribArray(attribute_normal);
    gl.glDisableVertexAttribArray(attribute_uv);
    gl.glBindBuffer(GL_ARRAY_BUFFER, 0);
    gl.glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    gl.glBindTexture(GL_TEXTURE_2D, 0);
    gl.glDisable(GL_CULL_FACE);
    gl.glDisable(GL_DEPTH_TEST);
    if (bound)
        bound->program.release();
}

} // namespace halvern
