#include "app/view3d_widget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions>
#include <QWheelEvent>

#include <cmath>
#include <mutex>

#include "view3d/coin_scene.h"
#include "view3d/coin_viewport.h"
#include "view3d/offscreen_render.h"

namespace halvern {

View3dWidget::View3dWidget(QWidget* parent) : QOpenGLWidget(parent)
{
    setObjectName("view3d_picture");
    setFormat(view3d_surface_format());
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(160, 120);
    // A paint that finds Coin busy reading the next scene draws nothing: the last frame must then
    // still be in the buffer, not a discarded one.
    setUpdateBehavior(QOpenGLWidget::PartialUpdate);
    init_coin();
}

View3dWidget::~View3dWidget() { release_gl(); }

void View3dWidget::release_gl()
{
    // Coin frees its display lists and textures in the context that made them.
    if (viewport_ && context()) {
        makeCurrent();
        viewport_.reset();
        doneCurrent();
    }
    viewport_.reset();
}

double View3dWidget::aspect() const { return height() > 0 ? double(width()) / height() : 1.0; }

void View3dWidget::set_scene(std::shared_ptr<const CoinScene> scene)
{
    scene_ = std::move(scene);
    bounds_ = scene_ ? scene_->bounds() : Bounds{};
    if (!camera_.placed() && !bounds_.empty)
        camera_.set_view(StandardView::iso, bounds_, aspect());
    if (viewport_) {
        makeCurrent();
        if (scene_)
            viewport_->set_scene(*scene_);
        else
            viewport_->set_scene(CoinScene{});
        doneCurrent();
    }
    update();
}

void View3dWidget::view_all()
{
    camera_.view_all(bounds_, aspect());
    update();
}

void View3dWidget::set_view(StandardView view)
{
    camera_.set_view(view, bounds_, aspect());
    update();
}

void View3dWidget::initializeGL()
{
    if (!context() || !context()->isValid())
        return;
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &View3dWidget::release_gl, Qt::DirectConnection);
}

void View3dWidget::paintGL()
{
    if (!context() || !context()->isValid())
        return;
    // While a scene is being read on the worker, Coin is busy: the last frame stays on screen and the
    // swap of the new scene asks for the next one.
    std::unique_lock<std::recursive_mutex> hold(coin_lock(), std::try_to_lock);
    if (!hold.owns_lock()) {
        // Nothing drawn yet at this size (a new buffer): the sky rather than an undefined one.
        if (!viewport_ || drawn_size_ != size()) {
            QOpenGLFunctions* gl = context()->functions();
            gl->glClearColor(0.78f, 0.84f, 0.9f, 1.0f);
            gl->glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        }
        return;
    }
    if (!viewport_) {
        viewport_ = std::make_unique<CoinViewport>();
        if (scene_)
            viewport_->set_scene(*scene_);
    }
    viewport_->set_camera(camera_.pose(bounds_));
    const qreal ratio = devicePixelRatioF();
    viewport_->render(int(std::lround(width() * ratio)), int(std::lround(height() * ratio)));
    drawn_size_ = size();
    ++frames_;
    emit frame_drawn();
}

Result<QImage> View3dWidget::picture(QSize size)
{
    if (!viewport_ && isValid()) {
        makeCurrent();
        viewport_ = std::make_unique<CoinViewport>();
        if (scene_)
            viewport_->set_scene(*scene_);
        doneCurrent();
    }
    if (!viewport_)
        return make_error("this display offers no OpenGL for the 3D view");
    if (size.width() < 1 || size.height() < 1 || size.width() > 8192 || size.height() > 8192)
        return make_error("a picture of the 3D view is 1 to 8192 pixels wide and tall");
    makeCurrent();
    QOpenGLFramebufferObjectFormat format;
    format.setAttachment(QOpenGLFramebufferObject::CombinedDepthStencil);
    format.setSamples(4);
    QImage image;
    {
        QOpenGLFramebufferObject fbo(size, format);
        if (fbo.isValid() && fbo.bind()) {
            // The picture's own proportions: the camera keeps its height angle, so a wider picture
            // shows more at the sides, as a wider window would.
            viewport_->set_camera(camera_.pose(bounds_));
            viewport_->render(size.width(), size.height());
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
    update();
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
    update();
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
    case Qt::Key_Plus: camera_.zoom_at(width() / 2.0, height() / 2.0, width(), height(), 0.85); update(); break;
    case Qt::Key_Minus: camera_.zoom_at(width() / 2.0, height() / 2.0, width(), height(), 1 / 0.85); update(); break;
    default: QOpenGLWidget::keyPressEvent(event); return;
    }
}

} // namespace halvern
