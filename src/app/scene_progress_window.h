#pragma once
// The small window shown while the 3D scene is built: two bars (the objects, then the pictures)
// and a caption.

#include <QDialog>

#include "outputs/vrml_scene.h"

class QLabel;
class QProgressBar;

namespace halvern {

class SceneProgressWindow : public QDialog, public VrmlProgress {
    Q_OBJECT
public:
    SceneProgressWindow(const QString& title, const QString& compiling, QWidget* parent);

    void objects(int done, int total) override;
    void pictures(int done, int total) override;
    void caption(const std::string& text) override;

private:
    QString compiling_;
    QLabel* caption_;
    QProgressBar* objects_;
    QProgressBar* pictures_;
};

} // namespace halvern
