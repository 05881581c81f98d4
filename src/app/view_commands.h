#pragma once
// The View menu: the plan's display switches and zooms, and the three 3D views, shown in the
// program's own 3D window or handed to the desktop's viewer; and the preferences that say which.

#include <QPointF>
#include <QPointer>
#include <QString>

#include <filesystem>
#include <functional>

#include "app/command_group.h"
#include "app/view3d_window.h"

namespace halvern {

class ViewCommands : public CommandGroup {
public:
    explicit ViewCommands(EditorServices& services) : CommandGroup(services) {}

    // Commands 30..38: a display switch on or off; the debug display also shows the object table
    // through `debug_window`.
    void toggle(int command);
    bool shown(int command) const;
    void set_debug_window(std::function<void(bool)> show) { debug_window_ = std::move(show); }
    // Commands 40..47: a preset factor or "auto".
    void zoom(int command);
    bool zoomed(int command) const;
    // Zoom by `factor` keeping the plan point under pixel `at` of the plan in place.
    void zoom_at(double factor, QPointF at);
    // Zoom by `factor` about the middle of the plan.
    void zoom_centred(double factor);
    // The zoom box's text: a percentage ("150", "150 %", "37,5%") or "auto".
    bool zoom_typed(const QString& text);

    // A 3D view (0 the stand, 1 its structure, 2 coloured).
    void show_scene(int variant);
    // The program's own 3D window, once a 3D view opened it.
    View3dWindow* view3d_window() const { return view3d_; }
    // How the 3D views hand their scene to a viewer: the desktop's program for ".wrl" unless another
    // is set (tests); false when no program could take it.
    using SceneOpener = std::function<bool(const std::filesystem::path&)>;
    void set_scene_opener(SceneOpener opener) { scene_opener_ = std::move(opener); }
    static SceneOpener desktop_scene_opener();

    void preferences();

private:
    void show_view3d_window(int variant);

    std::function<void(bool)> debug_window_;
    QPointer<View3dWindow> view3d_;
    SceneOpener scene_opener_;
};

} // namespace halvern
