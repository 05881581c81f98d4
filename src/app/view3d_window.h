#pragma once
// The stand in 3D inside the program: a window of its own beside the plan (it remembers its
// place), the 3D picture, buttons for the standard views and "Save 3D view". While it is open,
// every change of the design builds the scene again away from the window's thread and reads into
// the stand's model only the objects whose text changed; the picture swaps in those objects when
// ready, the camera staying where the user left it.

#include <QSize>
#include <QWidget>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "base/result.h"
#include "model3d/stand_model.h"
#include "outputs/vrml_fragments.h"
#include "view3d/rebuild_schedule.h"
#include "view3d/scene_snapshot.h"

class QLabel;

namespace halvern {

struct Session;
class Changes;
class DesignNotifier;
class Prompts;
class View3dWidget;

class View3dWindow : public QWidget {
    Q_OBJECT
public:
    View3dWindow(Session& session, DesignNotifier& notifier, Prompts& prompts, QWidget* parent = nullptr);
    ~View3dWindow() override;

    // Which of the three scenes is shown (full, structure, coloured); a new one is built.
    void show_variant(VrmlVariant variant);
    VrmlVariant variant() const { return variant_; }
    View3dWidget* picture() const { return picture_; }
    // Builds done since the window was made (tests wait for the next one).
    int scenes_shown() const { return scenes_shown_; }
    bool building() const { return schedule_.building(); }
    // The picture of the view at `size`, saved as PNG or JPEG by the file's extension.
    Result<void> save_picture(const std::filesystem::path& file, QSize size);
    void apply_texts();
    // The window came back where the user left it last time.
    bool place_restored() const { return place_restored_; }
    // What reads a scene into the model on the worker thread (tests hold it back to see the window
    // stay free).
    using SceneBuilder = std::function<BuiltModel(const SceneSnapshot&, StandModel&)>;
    void set_builder(SceneBuilder builder) { builder_ = std::move(builder); }

signals:
    void scene_shown();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void follow(Changes what);
    void start_build();
    void built(BuiltModel model);
    void ask_and_save();
    void remember_place();

    Session& session_;
    Prompts& prompts_;
    VrmlVariant variant_ = VrmlVariant::full;
    RebuildSchedule schedule_;
    SceneBuilder builder_ = build_model;
    // Only the worker touches it, one build at a time (each waits for the one before).
    StandModel model_;
    std::shared_ptr<const ComponentTable> components_;
    std::thread worker_;
    View3dWidget* picture_;
    QLabel* status_;
    int scenes_shown_ = 0;
    bool place_restored_ = false;
};

} // namespace halvern
