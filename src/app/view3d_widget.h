#pragma once
// The 3D picture of the stand: the stand's model drawn into this OpenGL widget. Left drag orbits
// around the stand, middle drag or Shift + left drag pans, the wheel zooms towards the pointer.
// The camera stays where the user left it when a new reading of the model arrives; until the user
// moves it, the whole stand is framed for the widget's proportions, whatever size it takes. While
// the camera moves, frames are drawn without smoothing their edges (half the work); once it rests,
// the frame is drawn again smoothed. A new reading of the model shows at once the same way, rough
// first. A stand of very many triangles turns at half the resolution, enlarged, and rests unsmoothed.

#include <QOpenGLWidget>
#include <QPoint>
#include <QTimer>

#include <memory>

class QOpenGLFramebufferObject;

#include "base/result.h"
#include "view3d/draw_batches.h"
#include "view3d/orbit_camera.h"

namespace halvern {

struct BuiltModel;
class ModelRenderer;

class View3dWidget : public QOpenGLWidget {
    Q_OBJECT
public:
    explicit View3dWidget(QWidget* parent = nullptr);
    ~View3dWidget() override;

    // Takes a reading of the model: only the objects it read are swapped in. The first is seen whole
    // from the isometric view.
    void set_model(const BuiltModel& model);
    // What the widget draws: the meshes by material.
    const DrawBatches& stand() const { return stand_; }
    const Bounds& scene_bounds() const { return stand_.bounds(); }

    void view_all();
    void set_view(StandardView view);
    OrbitCamera& camera() { return camera_; }

    // A picture of what the widget shows, drawn again at `size` pixels; an error when this display
    // has no OpenGL.
    Result<QImage> picture(QSize size);
    // Shown, but OpenGL could not be started on this display.
    bool without_opengl() const { return isVisible() && !isValid(); }
    int frames_drawn() const { return frames_; }

signals:
    void frame_drawn();

protected:
    void initializeGL() override;
    void paintGL() override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void release_gl();
    bool make_renderer();
    // The camera moved by the user's hand: rough frames until it rests.
    void camera_moved();
    // Draws into `buffer` (made at `size` with `samples` when it has another size) and copies it onto
    // the widget's own; false when the buffer cannot be had.
    bool draw_through(std::unique_ptr<QOpenGLFramebufferObject>& buffer, QSize size, int samples, QSize pixels);
    double aspect() const;

    DrawBatches stand_;
    OrbitCamera camera_;
    // The camera as the last automatic framing left it: a camera still there was not moved by the
    // user, and is framed again when the widget changes its size.
    struct Framing {
        double yaw = 0, pitch = 0, distance = 0;
        Vec3 target;
        bool operator==(const Framing&) const;
    };
    Framing framed_;
    Framing framing() const;
    std::unique_ptr<ModelRenderer> renderer_;
    std::unique_ptr<QOpenGLFramebufferObject> smooth_buffer_, half_buffer_;
    QTimer rest_;
    bool moving_ = false;
    enum class Drag { none, orbit, pan } drag_ = Drag::none;
    QPoint last_;
    int frames_ = 0;
};

} // namespace halvern
