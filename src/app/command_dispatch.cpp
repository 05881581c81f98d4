// The menu commands of the main window.

#include <QAction>
#include <QApplication>
#include <QPrinter>
#include <QProgressDialog>
#include <QScrollBar>

#include "app/about_window.h"
#include "app/component_list_window.h"
#include "app/diagnostic_window.h"
#include "app/plan_widget.h"
#include "app/library_window.h"
#include "app/main_window.h"
#include "app/qt_translations.h"
#include "app/session.h"
#include "app/splash_window.h"
#include "base/ui_text_ids.h"
#include "dialogs/preferences_dialog.h"
#include "dialogs/print_pack_dialog.h"
#include "dialogs/tiling_dialog.h"
#include "library/price_table.h"
#include "outputs/plan_output.h"
#include "platform/plan_printer.h"
#include "platform/print_pack_output.h"
#include "project/project_state.h"
#include "platform/qt_plan_surfaces.h"
#include "plan/groups.h"
#include "plan/move_to_corner.h"
#include "plan/plan_edit.h"
#include "platform/prompts.h"

namespace halvern {

const char* MainWindow::octaga_page = "https://www.octaga.com/download-octaga-player/";
const char* MainWindow::capture_page = "https://www.screencapture.com/";

// "Save Screen" draws 1000 pixels per metre of stand.
constexpr int screen_resolution = 1000;

void MainWindow::menu_event(int id)
{
    session_.shell.plan_focus = false;
    // A greyed-out command does nothing, whichever way it arrives.
    if (QAction* a = command_action(id); a && !a->isEnabled())
        return;
    switch (id) {
    case command::about:
        show_about();
        break;
    case command::octaga_download:
    case command::capture_download: {
        const char* page = id == command::octaga_download ? octaga_page : capture_page;
        if (!prompts_.open_page(page))
            tell(ui::status_no_browser, page);
        break;
    }
    case command::project_form:
        open_stand_form();
        break;
    case command::change_height:
        change_height();
        break;
    case command::change_visual:
        change_faces();
        break;
    case command::raise_from_ground:
        raise_from_ground();
        break;
    case command::add_visual:
        add_face_picture();
        break;
    case command::move_to_corner:
        move_objects_to_corner();
        break;
    case command::export_price_table:
        export_prices();
        break;
    case command::import_price_table:
        import_prices();
        break;
    case command::picture_tiling:
        open_tiling_dialog(session_.shell.ui_text, session_.settings().import_path, session_.plan.nb_selection,
                           prompts_, this);
        break;
    case command::angle_markers:
    case command::debug_display:
    case command::angle_errors:
    case command::object_names:
    case command::panel_sizes:
    case command::object_heights:
    case command::big_labels:
        toggle_view(id);
        break;
    case command::zoom_auto:
        zoom_command(id);
        break;
    case command::copy:
    case command::cut:
        copy_objects(id == command::cut);
        break;
    case command::paste:
        paste_objects();
        break;
    case command::duplicate:
        duplicate_objects();
        break;
    case command::select_all:
        select_everything();
        break;
    case command::component_list:
        if (aux_window_open(AuxWindow::component_list))
            close_aux_window(AuxWindow::component_list);
        else
            open_aux_window(AuxWindow::component_list);
        break;
    case command::library_window:
        if (aux_window_open(AuxWindow::library))
            close_aux_window(AuxWindow::library);
        else
            open_aux_window(AuxWindow::library);
        break;
    case command::preferences:
        show_preferences();
        break;
    case command::save_blueprint:
        save_blueprint();
        break;
    case command::save_screen:
        save_screen();
        break;
    case command::print:
        print_plan();
        break;
    case command::export_plan_pdf:
    case command::export_plan_svg:
        export_plan(id == command::export_plan_svg);
        break;
    case command::export_plan_dxf:
        export_plan_dxf();
        break;
    case command::print_pack:
        export_print_pack();
        break;
    case command::build_sheets:
        print_build_sheets();
        break;
    case command::view_3d:
    case command::structure_3d:
    case command::coloured_3d:
        view_scene(id == command::view_3d ? 0 : id == command::structure_3d ? 1 : 2);
        break;
    case command::export_3d:
        export_scene();
        break;
    case command::export_gltf:
        export_gltf();
        break;
    case command::share_web_page:
        share_web_page();
        break;
    case command::import_project:
        files_.import();
        break;
    case command::new_project:
        // A new design starts with its stand: the form is its own step, and its Cancel keeps the
        // emptied design with the stand as it was.
        if (files_.new_design())
            open_stand_form();
        break;
    case command::save_as:
        files_.save(true);
        break;
    case command::quit:
        session_.shell.quit_requested = true;
        close();
        break;
    case command::save:
        files_.save(false);
        break;
    case command::load:
        files_.load();
        break;
    case command::ungroup_all:
        ungroup_everything();
        break;
    case command::properties:
        open_properties();
        break;
    case command::rotate_left:
    case command::rotate_right:
        rotate_chosen(id == command::rotate_left ? -90 : 90);
        break;
    case command::rotate_by:
        rotate_by_typed();
        break;
    case command::append_joined:
    case command::append_turned:
        append_at_end(id == command::append_joined ? 0 : 1);
        break;
    case command::group:
    case command::ungroup:
        group_chosen(id == command::group);
        break;
    case command::delete_chosen:
        delete_chosen();
        break;
    case command::carry_objects:
        switch_carrying();
        break;
    case command::undo:
        undo_redo(true);
        break;
    case command::redo:
        undo_redo(false);
        break;
    case command::french:
        change_language("fr");
        break;
    case command::english:
        change_language("en");
        break;
    default:
        if (id >= command::zoom_first && id <= command::zoom_last)
            zoom_command(id);
        break;
    }
}

void MainWindow::toggle_view(int id)
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
    if (id == command::debug_display) {
        if (v.aff_debug)
            open_aux_window(AuxWindow::diagnostic);
        else
            close_aux_window(AuxWindow::diagnostic);
    }
    history_.notify(Change::view);
}

void MainWindow::switch_carrying()
{
    if (!plan_ || plan_->gesture_held()) {
        update_menu_checks(); // the menu's own check mark went over already
        return;
    }
    const bool carry = !plan_->state().carry;
    plan_->state().carry = carry;
    set_carried_objects_follow(*session_.store, carry);
    if (auto stored = session_.store->flush(); !stored)
        prompts_.note(stored.error());
    update_menu_checks();
}

void MainWindow::zoom_command(int id)
{
    if (id == command::zoom_auto) {
        halvern::zoom_auto(session_.view);
        session_.shell.plan_focus = true;
    } else {
        zoom_preset(session_.view, zoom_presets[id - command::zoom_first]);
    }
    history_.notify(Change::view);
}

void MainWindow::export_prices()
{
    auto answer = prompts_.choose_save({session_.text(ui::price_export_dialog_title), session_.settings().doc_path, "txt",
                                        "Text file|*.txt", {}});
    if (!answer || answer->empty())
        return;
    if (auto written = write_price_table(with_txt_extension(*answer), session_.components); !written)
        prompts_.write_failed(written.error());
}

void MainWindow::import_prices()
{
    auto answer = prompts_.choose_open({session_.text(ui::price_import_dialog_title), session_.settings().doc_path, "txt",
                                        "Text file|*.txt", {}});
    if (!answer || answer->empty())
        return;
    std::filesystem::path written;
    auto imported = import_price_table(*answer, session_.library_folders(), session_.components, &written);
    if (!imported) {
        prompts_.warn("Halvern Visual Design", imported.error().text());
        return;
    }
    // Not where the user would look for it: say where it went.
    if (written != installed_price_table(session_.app_dir()))
        prompts_.inform("Halvern Visual Design", session_.text(ui::prices_saved_in_user_folder) + "\n" + written.string());
    for (const Error& note : *imported)
        prompts_.note(note);
    history_.notify(Change::library);
}

void MainWindow::change_language(const std::string& lang)
{
    SplashWindow splash(SplashWindow::Kind::reload);
    splash.show();
    splash.set_caption(QString::fromStdString(session_.text(ui::message_loading_library)));
    std::vector<Error> notes = session_.change_language(lang, &splash);
    splash.close();
    use_qt_translations(session_.lang());
    install_menus();
    apply_texts_to_toolbar();
    if (auto stored = session_.store_current_settings(); !stored)
        prompts_.note(stored.error());
    for (const Error& note : notes)
        prompts_.note(note);
    session_.view.view_valid = false;
    history_.notify(Change::language | Change::library);
}

void MainWindow::show_about()
{
    auto* about = new AboutWindow(this);
    about->setAttribute(Qt::WA_DeleteOnClose);
    about->open();
}

void MainWindow::show_preferences()
{
    PreferencesDialog dialog(session_.shell.settings, session_.shell.ui_text, this);
    dialog.set_views_in_program(views_open_in_program(*session_.store));
    if (dialog.exec() == QDialog::Accepted) {
        set_views_open_in_program(*session_.store, dialog.views_in_program());
        if (auto stored = session_.store_current_settings(); !stored)
            prompts_.note(stored.error());
    }
    // The drawing quality may have changed.
    history_.notify(Change::view);
}

void MainWindow::move_objects_to_corner()
{
    if (move_to_corner(session_.plan, session_.components))
        history_.commit(QString::fromStdString(session_.text(ui::step_move_to_corner)), Change::objects | Change::renumbered);
}

void MainWindow::ungroup_everything()
{
    ungroup_all(session_.plan);
    history_.commit(QString::fromStdString(session_.text(ui::step_ungroup_all)), Change::objects | Change::renumbered);
}

void MainWindow::undo_redo(bool undo)
{
    // A held gesture keeps object numbers that the swap could change under it.
    if (plan_ && plan_->gesture_held())
        return;
    // A step swaps against the design as the steps left it: an edit that reached the table without
    // a step of its own becomes one first, so that undo takes it back instead of mixing the two.
    history_.record(QString::fromStdString(session_.text(ui::step_edit)));
    if (undo)
        history_.stack().undo();
    else
        history_.stack().redo();
}

} // namespace halvern

namespace halvern {

namespace {

// The progress dialog of an output: the window keeps answering while a large picture is drawn.
class ProgressDialogHost : public OutputHost {
public:
    explicit ProgressDialogHost(QProgressDialog& dialog) : dialog_(dialog) {}
    void progress(int done, int total) override
    {
        dialog_.setMaximum(std::max(1, total));
        dialog_.setValue(std::min(done, total));
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    void stage(const std::string& text) override { dialog_.setLabelText(QString::fromStdString(text)); }

private:
    QProgressDialog& dialog_;
};

// An output of the plan, run as every menu command runs one: a progress dialog while it works, a
// warning when it fails.
// True when the file was written.
bool run_output(QWidget* window, Session& session, Prompts& prompts, const PlanOutput& output,
                const std::filesystem::path& file, const std::string& label, const std::string& title = {})
{
    QProgressDialog progress(QString::fromStdString(label), QString(), 0, 1, window);
    if (!title.empty())
        progress.setWindowTitle(QString::fromStdString(title));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    ProgressDialogHost host(progress);
    PlanScene scene{session.components, session.libraries, session.plan, session.stand};
    auto saved = output.write(file, scene, session.view, host);
    progress.close();
    if (!saved)
        prompts.warn("Halvern Visual Design", saved.error().text());
    return bool(saved);
}

} // namespace

void MainWindow::save_blueprint()
{
    auto answer = prompts_.choose_save({"Select file", session_.app_dir().string(), "jpg", "JPEG|*.jpg", {}});
    if (!answer || answer->empty())
        return;
    const BlueprintOutput output(qt_surface_maker(), session_.shell.settings.view_qualite == 1);
    if (run_output(this, session_, prompts_, output, *answer, answer->filename().string()))
        tell(ui::status_picture_saved, with_jpg_extension(*answer).string());
}

void MainWindow::save_screen()
{
    auto answer = prompts_.choose_save({session_.text(ui::save_screen_dialog_title), session_.settings().doc_path, "jpg",
                                        "Image Jpeg|*.jpg", {}});
    if (!answer || answer->empty())
        return;
    ScreenPictureOutput output(qt_surface_maker(), screen_resolution);
    output.writing_stage = session_.text(ui::save_screen_stage_first + 8);
    if (run_output(this, session_, prompts_, output, *answer, session_.text(ui::save_screen_stage_first + 4),
                   session_.text(ui::save_screen_progress_title)))
        tell(ui::status_picture_saved, with_jpg_extension(*answer).string());
}

void MainWindow::export_print_pack()
{
    const std::string design = session_.project.file_name;
    std::filesystem::path design_folder = folder_of(design);
    if (design_folder.empty())
        design_folder = session_.settings().doc_path;
    std::string name = std::filesystem::path(file_part(design)).stem().string();
    PrintPackDialog dialog(session_.shell.ui_text, design_folder / ((name.empty() ? "stand" : name) + "_print"),
                           prompts_, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    PrintPackFiles written;
    const PrintPackOutput output(dialog.settings(), session_.shell.ui_text, design_folder, &written);
    const std::string title = session_.text(ui::pack_dialog_title);
    if (!run_output(this, session_, prompts_, output, dialog.folder(), session_.text(ui::pack_title), title))
        return;
    std::vector<std::string> missing;
    for (const PrintEntry* entry : written.pack.not_printed())
        missing.push_back(std::to_string(entry->face.object) + (entry->face.face == 1 ? " recto: " : " verso: ")
                          + entry->problem);
    if (!missing.empty())
        prompts_.warn_list(title, session_.text(ui::pack_not_printed) + " " + std::to_string(missing.size()),
                           missing);
    tell(ui::pack_written, dialog.folder().string());
}

} // namespace halvern
