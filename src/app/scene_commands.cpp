// The 3D commands: the three views written to the temporary scene and handed to the viewer, and
// the export to a file of the user's choice with its pictures.

#include <QStandardPaths>

#include "app/main_window.h"
#include "app/prompts.h"
#include "app/scene_progress_window.h"
#include "app/session.h"
#include "base/ui_text_ids.h"
#include "outputs/vrml_export.h"
#include "platform/desktop_open.h"

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

void MainWindow::view_scene(int variant)
{
    SceneProgressWindow progress(QString::fromStdString(session_.text(ui::export_3d_progress_title)),
                                 QString::fromStdString(session_.text(ui::export_3d_progress_caption)), this);
    progress.show();
    VrmlScene scene = build_scene(session_, VrmlVariant(variant), progress);
    progress.close();
    for (const std::string& message : scene.messages)
        prompts_.warn("Halvern Visual Design", message);
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
    Result<TextureCopy> written = export_vrml_file(file, std::move(scene.text), true, &progress);
    progress.close();
    for (const std::string& message : scene.messages)
        prompts_.warn("Halvern Visual Design", message);
    if (!written)
        prompts_.warn("Halvern Visual Design", session_.text(ui::message_write_failed) + " " + written.error().text());
}

} // namespace halvern
