#include "app/view3d_widget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLExtraFunctions>
#include <QOpenGLFunctions>
#include <QResizeEvent>
#include <QWheelEvent>

#include <cmath>

#include "view3d/model_renderer.h"
#include "view3d/offscreen_render.h"
#include "view3d/scene_snapshot.h"

namespace halvern {

bool View3dWidget::Framing::operator==(const Framing& o) const
{
    return yaw == o.yaw && pitch == o.pitch && distance == o.distance && target.x == o.target.x &&
           target.y == o.target.y && target.z == o.target.z;
}

View3dWidget::View3dWidget(QWidget* parent) : QOpenGLWidget(parent)
{
    setObjectName("view3d_picture");
    // Smoothing is the widget's own (a buffer of several samples a pixel, used only at rest), so
    // the frames drawn while the camera moves take one sample a pixel.
    QSurfaceFormat format = view3d_surface_format();
    format.setSamples(0);
    setFormat(format);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(160, 120);
    rest_.setSingleShot(true);
    rest_.setInterval(250);
    connect(&rest_, &QTimer::timeout, this, [this] {
        moving_ = false;
        update();
    });
}

void View3dWidget::camera_moved()
{
    moving_ = true;
    rest_.start();
    update();
}

View3dWidget::~View3dWidget() { release_gl(); }

void View3dWidget::release_gl()
{
    // Buffers and textures are freed in the context that made them.
    if ((renderer_ || smooth_buffer_ || half_buffer_) && context()) {
        makeCurrent();
        renderer_.reset();
        smooth_buffer_.reset();
        half_buffer_.reset();
        doneCurrent();
    }
    renderer_.reset();
    smooth_buffer_.reset();
    half_buffer_.reset();
}

double View3dWidget::aspect() const { return height() > 0 ? double(width()) / height() : 1.0; }

View3dWidget::Framing View3dWidget::framing() const
{
    return {camera_.yaw(), camera_.pitch(), camera_.distance(), camera_.target()};
}

void View3dWidget::set_model(const BuiltModel& model)
{
    stand_.apply(model);
    if (!camera_.placed() && !stand_.bounds().empty) {
        camera_.set_view(StandardView::iso, stand_.bounds(), aspect());
        framed_ = framing();
    }
    // Shown rough at once, smoothed a moment later.
    camera_moved();
}

void View3dWidget::view_all()
{
    camera_.view_all(stand_.bounds(), aspect());
    update();
}

void View3dWidget::set_view(StandardView view)
{
    camera_.set_view(view, stand_.bounds(), aspect());
    update();
}

void View3dWidget::resizeEvent(QResizeEvent* event)
{
    // The first framing was made for the size the widget had then (often before its window was laid
    // out): until the user moves the camera, the stand is framed for the size it has now.
    if (camera_.placed() && framing() == framed_ && !stand_.bounds().empty && event->size().height() > 0) {
        camera_.view_all(stand_.bounds(), double(event->size().width()) / event->size().height());
        framed_ = framing();
    }
    QOpenGLWidget::resizeEvent(event);
}

void View3dWidget::initializeGL()
{
    if (!context() || !context()->isValid())
        return;
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &View3dWidget::release_gl, Qt::DirectConnection);
}

bool View3dWidget::make_renderer()
{
    if (!renderer_)
        renderer_ = std::make_unique<ModelRenderer>();
    return renderer_->ready();
}

void View3dWidget::paintGL()
{
    if (!context() || !context()->isValid())
        return;
    if (!make_renderer()) {
        QOpenGLFunctions* gl = context()->functions();
        gl->glClearColor(sky_colour[0], sky_colour[1], sky_colour[2], 1.0f);
        gl->glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        return;
    }
    const qreal ratio = devicePixelRatioF();
    const QSize pixels(int(std::lround(width() * ratio)), int(std::lround(height() * ratio)));
    // Beyond this many triangles a frame at full resolution takes longer than a hand waits for, and a
    // smoothed one three times as long: such a stand turns at half the resolution and rests unsmoothed,
    // so that an edit never waits behind a slow frame.
    constexpr size_t many_triangles = 200000;
    const bool many = stand_.triangle_count() > many_triangles;
    const bool drawn = (!moving_ && !many && draw_through(smooth_buffer_, pixels, 4, pixels)) ||
                       (moving_ && many && pixels.width() >= 320 && draw_through(half_buffer_, pixels / 2, 0, pixels));
    if (!drawn)
        renderer_->render(stand_, camera_, pixels.width(), pixels.height());
    ++frames_;
    emit frame_drawn();
}

bool View3dWidget::draw_through(std::unique_ptr<QOpenGLFramebufferObject>& buffer, QSize size, int samples,
                                QSize pixels)
{
    if (!buffer || buffer->size() != size) {
        QOpenGLFramebufferObjectFormat format;
        format.setAttachment(QOpenGLFramebufferObject::CombinedDepthStencil);
        format.setSamples(samples);
        buffer = std::make_unique<QOpenGLFramebufferObject>(size, format);
    }
    if (!buffer->isValid() || !buffer->bind()) {
        context()->functions()->glBindFramebuffer(GL_FRAMEBUFFER, defaultFramebufferObject());
        return false;
    }
    renderer_->render(stand_, camera_, size.width(), size.height());
    QOpenGLExtraFunctions* gl = context()->extraFunctions();
    gl->glBindFramebuffer(GL_READ_FRAMEBUFFER, buffer->handle());
    gl->glBindFramebuffer(GL_DRAW_FRAMEBUFFER, defaultFramebufferObject());
    gl->glBlitFramebuffer(0, 0, size.width(), size.height(), 0, 0, pixels.width(), pixels.height(),
                          GL_COLOR_BUFFER_BIT, size == pixels ? GL_NEAREST : GL_LINEAR);
    gl->glBindFramebuffer(GL_FRAMEBUFFER, defaultFramebufferObject());
    return true;
}

Result<QImage> View3dWidget::picture(QSize size)
{
    if (!isValid())
        return make_error("this display offers no OpenGL for the 3D view");
    if (size.width() < 1 || size.height() < 1 || size.width() > 8192 || size.height() > 8192)
        return make_error("a picture of the 3D view is 1 to 8192 pixels wide and tall");
    makeCurrent();
    if (!make_renderer()) {
        const std::string problem = renderer_->problem();
        doneCurrent();
        return make_error(problem);
    }
    QOpenGLFramebufferObjectFormat format;
    format.setAttachment(QOpenGLFramebufferObject::CombinedDepthStencil);
    format.setSamples(4);
    QImage image;
    {
        QOpenGLFramebufferObject fbo(size, format);
        if (fbo.isValid() && fbo.bind()) {
            // The picture's own proportions: the camera keeps its height angle, so a wider picture
            // shows more at the sides, as a wider window would.
            renderer_->render(stand_, camera_, size.width(), size.height());
            fbo.release();
            image = fbo.toImage(true).convertToFormat(QImage::Format_RGB32);
        }
    }
    doneCurrent();
    if (image.isNull())
        return make_error("no drawing buffer of " + std::to_string(size.width()) + " x " +
                          std::to_string(size.height()) + " pixels could be made");
    return image;
}

void View3dWidget::mousePressEvent(QMouseEvent* event)
{
    last_ = event->position().toPoint();
    if (event->button() == Qt::MiddleButton ||
        (event->button() == Qt::LeftButton && (event->modifiers() & Qt::ShiftModifier)))
        drag_ = Drag::pan;
    else if (event->button() == Qt::LeftButton)
        drag_ = Drag::orbit;
    event->accept();
}

void View3dWidget::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint now = event->position().toPoint();
    const QPoint delta = now - last_;
    last_ = now;
    if (drag_ == Drag::orbit)
        camera_.orbit(delta.x(), delta.y());
    else if (drag_ == Drag::pan)
        camera_.pan(delta.x(), delta.y(), height());
    else
        return;
    camera_moved();
}

void View3dWidget::mouseReleaseEvent(QMouseEvent* event)
{
    drag_ = Drag::none;
    event->accept();
}

void View3dWidget::wheelEvent(QWheelEvent* event)
{
    const double notches = event->angleDelta().y() / 120.0;
    if (notches == 0)
        return;
    const QPointF at = event->position();
    camera_.zoom_at(at.x(), at.y(), width(), height(), std::pow(0.85, notches));
    camera_moved();
    event->accept();
}

void View3dWidget::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Home:
    case Qt::Key_A: view_all(); break;
    case Qt::Key_F: set_view(StandardView::front); break;
    case Qt::Key_T: set_view(StandardView::top); break;
    case Qt::Key_L: set_view(StandardView::left); break;
    case Qt::Key_R: set_view(StandardView::right); break;
    case Qt::Key_I: set_view(StandardView::iso); break;
    case Qt::Key_Plus: camera_.zoom_at(width() / 2.0, height() / 2.0, width(), height(), 0.85); camera_moved(); break;
    case Qt::Key_Minus: camera_.zoom_at(width() / 2.0, height() / 2.0, width(), height(), 1 / 0.85); camera_moved(); break;
    default: QOpenGLWidget::keyPressEvent(event); return;
    }
}

} // namespace halvern
