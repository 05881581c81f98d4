// The 3D commands: the three views shown in the program's own 3D window, or written to the
// temporary scene and handed to the desktop's viewer when the preferences say so, and the export to
// a file of the user's choice with its pictures.

#include <QScreen>
#include <QStandardPaths>

#include <algorithm>

#include "app/main_window.h"
#include "app/scene_progress_window.h"
#include "app/session.h"
#include "app/view3d_window.h"
#include "base/ui_text_ids.h"
#include "model3d/gltf_export.h"
#include "model3d/object_names.h"
#include "model3d/stand_model.h"
#include "outputs/vrml_export.h"
#include "platform/desktop_open.h"
#include "platform/prompts.h"

namespace halvern {

namespace {

VrmlScene build_scene(Session& session, VrmlVariant variant, SceneProgressWindow& progress)
{
    const VrmlInputs inputs{session.components, session.plan, session.stand, session.app_dir(),
                            session.settings().config_player, {}};
    return build_vrml_scene(inputs, variant, &progress);
}

} // namespace

MainWindow::SceneOpener MainWindow::desktop_scene_opener()
{
    return [](const std::filesystem::path& file) { return open_with_desktop_program(file); };
}

View3dWindow* MainWindow::view3d_window() const { return view3d_; }

void MainWindow::show_view3d_window(int variant)
{
    if (!view3d_) {
        view3d_ = new View3dWindow(session_, history_.notifier(), prompts_, this);
        view3d_->setAttribute(Qt::WA_DeleteOnClose, false);
        // The first time beside the plan, in the lower right corner of the screen.
        if (!view3d_->place_restored() && screen()) {
            const QRect free = screen()->availableGeometry();
            view3d_->resize(std::min(800, free.width() / 2), std::min(600, free.height() * 2 / 3));
            view3d_->move(free.right() - view3d_->width(), free.bottom() - view3d_->height() - 30);
        }
    }
    view3d_->show_variant(VrmlVariant(variant));
    view3d_->show();
    view3d_->raise();
    view3d_->activateWindow();
}

void MainWindow::view_scene(int variant)
{
    if (views_open_in_program(*session_.store)) {
        show_view3d_window(variant);
        return;
    }
    SceneProgressWindow progress(QString::fromStdString(session_.text(ui::export_3d_progress_title)),
                                 QString::fromStdString(session_.text(ui::export_3d_progress_caption)), this);
    progress.show();
    VrmlScene scene = build_scene(session_, VrmlVariant(variant), progress);
    progress.close();
    for (const std::string& message : scene.messages)
        prompts_.warn("Halvern Visual Design", message);
    if (scene.refused)
        return;
    // The installation's temp/ folder, or the user's cache folder where the installation cannot be
    // written.
    std::filesystem::path file = session_.app_dir() / "temp" / "temp.wrl";
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    Result<void> written = write_vrml_file(file, scene.text);
    if (!written) {
        const std::filesystem::path cache =
            QStandardPaths::writableLocation(QStandardPaths::CacheLocation).toStdString();
        std::filesystem::create_directories(cache, ec);
        file = cache / "temp.wrl";
        written = write_vrml_file(file, scene.text);
    }
    if (!written) {
        prompts_.warn("Halvern Visual Design", session_.text(ui::message_write_failed) + " " + written.error().text());
        return;
    }
    const SceneOpener& open = scene_opener_ ? scene_opener_ : desktop_scene_opener();
    if (!open(file))
        prompts_.warn("Halvern Visual Design", session_.text(ui::message_no_3d_viewer) + "\n" + file.string());
}

void MainWindow::export_scene()
{
    auto answer = prompts_.choose_save({session_.text(ui::export_3d_dialog_title), session_.settings().doc_path, "wrl",
                                        "VRML|*.wrl;", {}});
    if (!answer || answer->empty())
        return;
    const std::filesystem::path file = with_wrl_extension(*answer);
    session_.settings().export_path = file.parent_path().string();
    if (Result<void> stored = session_.store_current_settings(); !stored)
        prompts_.warn("Halvern Visual Design", stored.error().text());

    SceneProgressWindow progress(QString::fromStdString(session_.text(ui::export_3d_progress_title)),
                                 QString::fromStdString(session_.text(ui::export_3d_progress_caption)), this);
    progress.show();
    VrmlScene scene = build_scene(session_, VrmlVariant::full, progress);
    if (scene.refused) {
        progress.close();
        prompts_.warn("Halvern Visual Design", *scene.refused);
        return;
    }
    const std::vector<std::string> messages = std::move(scene.messages);
    // Pictures named without a folder are the design's, as for the checks and the print pack.
    std::filesystem::path design_folder = folder_of(session_.project.file_name);
    if (design_folder.empty())
        design_folder = session_.settings().doc_path;
    Result<TextureCopy> written = export_vrml_file(file, std::move(scene), true, &progress, design_folder);
    progress.close();
    for (const std::string& message : messages)
        prompts_.warn("Halvern Visual Design", message);
    if (!written) {
        prompts_.warn("Halvern Visual Design", session_.text(ui::message_write_failed) + " " + written.error().text());
        return;
    }
    // Pictures missing, files that are no pictures (a key, a text) and copies under another name:
    // the scene is written, and the user hears which.
    if (const std::vector<std::string> lines = written->report_lines(); !lines.empty())
        prompts_.warn_list(session_.text(ui::export_3d_progress_title), file.string(), lines);
}

// The same stand for the viewers that read no VRML: read into triangles, written as one .glb with
// its pictures inside (or a .gltf with them beside it).
void MainWindow::export_gltf()
{
    auto answer = prompts_.choose_save({session_.text(ui::export_3d_dialog_title), session_.settings().doc_path, "glb",
                                        "glTF|*.glb;*.gltf", {}});
    if (!answer || answer->empty())
        return;
    const std::filesystem::path file = with_gltf_extension(*answer);
    session_.settings().export_path = file.parent_path().string();
    if (Result<void> stored = session_.store_current_settings(); !stored)
        prompts_.warn("Halvern Visual Design", stored.error().text());

    SceneProgressWindow progress(QString::fromStdString(session_.text(ui::export_3d_progress_title)),
                                 QString::fromStdString(session_.text(ui::export_3d_progress_caption)), this);
    progress.show();
    const VrmlScene scene = build_scene(session_, VrmlVariant::full, progress);
    if (scene.refused) {
        progress.close();
        prompts_.warn("Halvern Visual Design", *scene.refused);
        return;
    }
    StandModel model;
    model.read(scene, plan_namer(session_.plan, session_.components));
    Result<GltfReport> written = export_gltf_file(file, model);
    progress.close();
    std::string said;
    for (const std::string& message : model.messages())
        said += message + "\n";
    if (written)
        for (const std::string& message : written->messages)
            said += message + "\n";
    else
        said += session_.text(ui::message_write_failed) + " " + written.error().text();
    if (!said.empty())
        prompts_.warn("Halvern Visual Design", said);
}

} // namespace halvern
