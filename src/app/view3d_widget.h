#pragma once
// The 3D picture of the stand: Coin draws the scene into this OpenGL widget. Left drag orbits
// around the stand, middle drag or Shift + left drag pans, the wheel zooms towards the pointer.
// The camera stays where the user left it when a new scene arrives.

#include <QOpenGLWidget>
#include <QPoint>

#include <memory>

#include "base/result.h"
#include "view3d/orbit_camera.h"

namespace halvern {

class CoinScene;
class CoinViewport;

class View3dWidget : public QOpenGLWidget {
    Q_OBJECT
public:
    explicit View3dWidget(QWidget* parent = nullptr);
    ~View3dWidget() override;

    // Shows this scene; the first scene is seen whole from the isometric view.
    void set_scene(std::shared_ptr<const CoinScene> scene);
    const CoinScene* scene() const { return scene_.get(); }
    const Bounds& scene_bounds() const { return bounds_; }

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
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void release_gl();
    double aspect() const;

    std::shared_ptr<const CoinScene> scene_;
    Bounds bounds_;
    OrbitCamera camera_;
    std::unique_ptr<CoinViewport> viewport_;
    QSize drawn_size_; // of the last frame drawn
    enum class Drag { none, orbit, pan } drag_ = Drag::none;
    QPoint last_;
    int frames_ = 0;
};

} // namespace halvern
