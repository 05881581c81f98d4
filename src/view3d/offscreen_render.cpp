#include "view3d/offscreen_render.h"

#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions>

#include "view3d/draw_batches.h"
#include "view3d/model_renderer.h"

namespace halvern {

QSurfaceFormat view3d_surface_format()
{
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setVersion(2, 1);
    format.setDepthBufferSize(24);
    format.setStencilBufferSize(8);
    format.setSamples(4);
    return format;
}

struct OffscreenRenderer::Parts {
    QOffscreenSurface surface;
    QOpenGLContext context;
    std::unique_ptr<ModelRenderer> viewport;
    std::unique_ptr<QOpenGLFramebufferObject> fbo; // kept while pictures keep their size
    std::string problem;
    int samples = 4;
};

OffscreenRenderer::OffscreenRenderer(int samples) : parts_(std::make_unique<Parts>())
{
    parts_->samples = samples;
    if (!QGuiApplication::instance()) {
        parts_->problem = "no graphical application is running";
        return;
    }
    const QSurfaceFormat format = view3d_surface_format();
    parts_->context.setFormat(format);
    if (!parts_->context.create()) {
        parts_->problem = "no OpenGL context could be made on the platform \"" +
                          QGuiApplication::platformName().toStdString() + "\"";
        return;
    }
    parts_->surface.setFormat(parts_->context.format());
    parts_->surface.create();
    if (!parts_->surface.isValid() || !parts_->context.makeCurrent(&parts_->surface)) {
        parts_->problem = "the OpenGL context could not be made current";
        return;
    }
    parts_->viewport = std::make_unique<ModelRenderer>();
    if (!parts_->viewport->ready()) {
        parts_->problem = parts_->viewport->problem();
        parts_->viewport.reset();
    }
}

OffscreenRenderer::~OffscreenRenderer()
{
    // Buffers and textures are freed in the context they were made in.
    if (parts_->viewport && parts_->context.makeCurrent(&parts_->surface)) {
        parts_->viewport.reset();
        parts_->fbo.reset();
        parts_->context.doneCurrent();
    }
}

bool OffscreenRenderer::ready() const { return parts_->viewport != nullptr; }

const std::string& OffscreenRenderer::problem() const { return parts_->problem; }

const ModelRenderer* OffscreenRenderer::renderer() const { return parts_->viewport.get(); }

Result<void> OffscreenRenderer::draw(const DrawBatches& stand, const OrbitCamera& camera, QSize size)
{
    if (!ready())
        return make_error(parts_->problem);
    if (size.width() < 1 || size.height() < 1 || size.width() > 8192 || size.height() > 8192)
        return make_error("a picture of the 3D view is 1 to 8192 pixels wide and tall");
    if (!parts_->context.makeCurrent(&parts_->surface))
        return make_error("the OpenGL context could not be made current");
    if (!parts_->fbo || parts_->fbo->size() != size) {
        QOpenGLFramebufferObjectFormat format;
        format.setAttachment(QOpenGLFramebufferObject::CombinedDepthStencil);
        format.setSamples(parts_->samples);
        parts_->fbo = std::make_unique<QOpenGLFramebufferObject>(size, format);
    }
    if (!parts_->fbo->isValid() || !parts_->fbo->bind())
        return make_error("no drawing buffer of " + std::to_string(size.width()) + " x " +
                          std::to_string(size.height()) + " pixels could be made");
    parts_->viewport->render(stand, camera, size.width(), size.height());
    parts_->context.functions()->glFinish();
    parts_->fbo->release();
    return {};
}

Result<QImage> OffscreenRenderer::render(const DrawBatches& stand, const OrbitCamera& camera, QSize size)
{
    if (Result<void> drawn = draw(stand, camera, size); !drawn)
        return drawn.error();
    QImage picture = parts_->fbo->toImage(true).convertToFormat(QImage::Format_RGB32);
    if (picture.isNull())
        return make_error("the 3D view could not be read back");
    return picture;
}

} // namespace halvern
