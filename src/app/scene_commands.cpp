// The View menu: the display switches, the zooms, and the three 3D views shown in the program's own
// 3D window, or written to the temporary scene and handed to the desktop's viewer when the
// preferences say so.

#include <QScreen>
#include <QStandardPaths>

#include <algorithm>

#include "app/view_commands.h"

#include "app/design_history.h"
#include "app/menu_tables.h"
#include "app/plan_widget.h"
#include "app/scene_progress_window.h"
#include "app/session.h"
#include "app/view3d_window.h"
#include "base/ui_text_ids.h"
#include "outputs/vrml_export.h"
#include "dialogs/preferences_dialog.h"
#include "platform/desktop_open.h"
#include "base/numbers.h"
#include "plan/view_state.h"
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

ViewCommands::SceneOpener ViewCommands::desktop_scene_opener()
{
    return [](const std::filesystem::path& file) { return open_with_desktop_program(file); };
}

void ViewCommands::show_view3d_window(int variant)
{
    if (!view3d_) {
        view3d_ = new View3dWindow(session_, history_.notifier(), prompts_, parent());
        view3d_->setAttribute(Qt::WA_DeleteOnClose, false);
        // The first time beside the plan, in the lower right corner of the screen.
        if (!view3d_->place_restored() && parent()->screen()) {
            const QRect free = parent()->screen()->availableGeometry();
            view3d_->resize(std::min(800, free.width() / 2), std::min(600, free.height() * 2 / 3));
            view3d_->move(free.right() - view3d_->width(), free.bottom() - view3d_->height() - 30);
        }
    }
    view3d_->show_variant(VrmlVariant(variant));
    view3d_->show();
    view3d_->raise();
    view3d_->activateWindow();
}

void ViewCommands::show_scene(int variant)
{
    if (views_open_in_program(*session_.store)) {
        show_view3d_window(variant);
        return;
    }
    SceneProgressWindow progress(QString::fromStdString(session_.text(ui::export_3d_progress_title)),
                                 QString::fromStdString(session_.text(ui::export_3d_progress_caption)), parent());
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

void ViewCommands::toggle(int id)
{
    ViewState& v = session_.view;
    bool* flag = id == command::angle_markers    ? &v.aff_marqueur_angle
                 : id == command::debug_display  ? &v.aff_debug
                 : id == command::angle_errors   ? &v.aff_erreur_angle
                 : id == command::object_names   ? &v.aff_noms
                 : id == command::panel_sizes    ? &v.aff_largeur_panneaux
                 : id == command::object_heights ? &v.aff_hauteurs
                                                 : &v.aff_grande_etiquette;
    *flag = !*flag;
    // The object table of window 3 is a debugging aid: it comes and goes with the debug display.
    if (id == command::debug_display && debug_window_)
        debug_window_(v.aff_debug);
    history_.notify(Change::view);
}

bool ViewCommands::shown(int id) const
{
    const ViewState& v = session_.view;
    switch (id) {
    case command::angle_markers: return v.aff_marqueur_angle;
    case command::debug_display: return v.aff_debug;
    case command::angle_errors: return v.aff_erreur_angle;
    case command::object_names: return v.aff_noms;
    case command::panel_sizes: return v.aff_largeur_panneaux;
    case command::object_heights: return v.aff_hauteurs;
    case command::big_labels: return v.aff_grande_etiquette;
    default: return false;
    }
}

void ViewCommands::zoom(int id)
{
    if (id == command::zoom_auto) {
        halvern::zoom_auto(session_.view);
        session_.shell.plan_focus = true;
    } else {
        zoom_preset(session_.view, zoom_presets[id - command::zoom_first]);
    }
    history_.notify(Change::view);
}

bool ViewCommands::zoomed(int id) const
{
    const ViewState& v = session_.view;
    if (id == command::zoom_auto)
        return v.zoom_auto;
    return !v.zoom_auto && v.zoom == zoom_presets[id - command::zoom_first];
}

void ViewCommands::zoom_at(double factor, QPointF at)
{
    if (zoom_about(session_.view, factor, at.x(), at.y()))
        history_.notify(Change::view);
}

void ViewCommands::zoom_centred(double factor)
{
    if (!plan())
        return;
    const double middle_x = palette_width + (plan()->width() - palette_width) / 2.0;
    zoom_at(factor, QPointF(middle_x, plan()->height() / 2.0));
}

bool ViewCommands::zoom_typed(const QString& text)
{
    QString typed = text.trimmed();
    if (typed.compare(QStringLiteral("auto"), Qt::CaseInsensitive) == 0) {
        zoom(command::zoom_auto);
        return true;
    }
    if (typed.endsWith(QLatin1Char('%')))
        typed.chop(1);
    typed = typed.trimmed().replace(QLatin1Char(','), QLatin1Char('.'));
    const std::optional<double> percent = parse_strict_real(typed.toStdString());
    if (!percent || !(*percent > 0) || !(session_.view.zoom > 0)) {
        history_.notify(Change::view); // the box shows the zoom as it is
        return false;
    }
    zoom_centred(*percent / 100 / session_.view.zoom);
    history_.notify(Change::view);
    return true;
}

void ViewCommands::preferences()
{
    PreferencesDialog dialog(session_.shell.settings, session_.shell.ui_text, parent());
    dialog.set_views_in_program(views_open_in_program(*session_.store));
    if (dialog.exec() == QDialog::Accepted) {
        set_views_open_in_program(*session_.store, dialog.views_in_program());
        if (auto stored = session_.store_current_settings(); !stored)
            prompts_.note(stored.error());
    }
    // The drawing quality may have changed.
    history_.notify(Change::view);
}

} // namespace halvern
