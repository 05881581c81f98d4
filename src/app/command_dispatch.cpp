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
#include "app/prompts.h"
#include "app/qt_translations.h"
#include "app/session.h"
#include "app/splash_window.h"
#include "base/ui_text_ids.h"
#include "dialogs/preferences_dialog.h"
#include "dialogs/tiling_dialog.h"
#include "library/price_table.h"
#include "outputs/plan_picture.h"
#include "platform/plan_printer.h"
#include "platform/qt_plan_surfaces.h"
#include "plan/groups.h"
#include "plan/move_to_corner.h"
#include "plan/plan_edit.h"
#include "project/project_reader.h"

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
    case 40: case 41: case 42: case 43: case 44: case 45: case 46: case command::zoom_auto:
        zoom_command(id);
        break;
    case command::component_list:
        if (aux_window_open(2))
            close_aux_window(2);
        else
            open_aux_window(2);
        break;
    case command::library_window:
        if (aux_window_open(4))
            close_aux_window(4);
        else
            open_aux_window(4);
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
    case command::import_project:
        import_project();
        break;
    case command::new_project:
        new_project();
        break;
    case command::save_as:
        save(true);
        break;
    case command::quit:
        session_.shell.quit_requested = true;
        close();
        break;
    case command::save:
        save(false);
        break;
    case command::load:
        load_project();
        break;
    case command::ungroup_all:
        ungroup_everything();
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
        break;
    }
    update_menu_checks();
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
            open_aux_window(3);
        else
            close_aux_window(3);
    }
    redraw_plan();
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
    zoom_changed();
    redraw_plan();
    update_menu_checks();
}

void MainWindow::new_project()
{
    if (!offer_to_save())
        return;
    const ProjectState before = session_.project;
    PlanTable& plan = session_.plan;
    plan.nb_objets = 0;
    plan.index_focus = 0;
    plan.focus = plan.focus_groupe = false;
    clear_selection(plan);
    session_.project.forget();
    session_.view.view_valid = false;
    plan_replaced();
    history_.record_with_file(tr("New"), before);
    // An empty design has nothing a file could lose.
    history_.mark_saved();
    refresh_title();
    redraw_plan();
}

void MainWindow::save(bool ask_name)
{
    ProjectContext context = session_.project_context(prompts_, prompts_);
    CommandOutcome outcome = ask_name ? save_project_as(context) : save_project(context);
    if (outcome == CommandOutcome::done) {
        history_.mark_saved();
        tell(ui::status_saved, session_.project.file_name);
    }
    refresh_title();
    redraw_plan();
}

void MainWindow::load_project()
{
    if (!offer_to_save())
        return;
    const DesignState before = capture_design(session_.plan, session_.stand);
    ProjectContext context = session_.project_context(prompts_, prompts_);
    const CommandOutcome outcome = load_project_command(context);
    plan_replaced();
    // A load is no step back: the design is now the file (or what could be read of it).
    if (outcome == CommandOutcome::done
        || (outcome == CommandOutcome::failed && DesignSwap::between(before, capture_design(session_.plan, session_.stand))))
        history_.reset();
    session_.view.view_valid = false;
    refresh_title();
    redraw_plan();
}

void MainWindow::open_file(const std::filesystem::path& file)
{
    ProjectContext context = session_.project_context(prompts_, prompts_);
    auto bytes = read_project_bytes(file);
    const ProjectFormat format = bytes ? detect_project_format(*bytes) : ProjectFormat::v11;
    const CommandOutcome outcome = format == ProjectFormat::v11 ? read_project_v11(context, file, ReadMode::load)
                                                                : read_project_old(context, file, ReadMode::load);
    plan_replaced();
    if (outcome != CommandOutcome::cancelled)
        history_.reset();
    session_.view.view_valid = false;
    refresh_title();
    redraw_plan();
}

void MainWindow::import_project()
{
    ProjectContext context = session_.project_context(prompts_, prompts_);
    import_project_command(context);
    plan_replaced();
    session_.view.view_valid = false;
    design_changed(tr("Import"));
    refresh_title();
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
    auto imported = import_price_table(*answer, session_.app_dir(), session_.components);
    if (!imported) {
        prompts_.warn("Halvern Visual Design", imported.error().text());
        return;
    }
    for (const Error& note : *imported)
        prompts_.note(note);
    if (library_window_)
        library_window_->refresh();
    redraw_plan();
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
    if (component_list_)
        component_list_->setWindowTitle(QString::fromStdString(session_.text(ui::component_list_title)));
    if (library_window_) {
        library_window_->setWindowTitle(QString::fromStdString(session_.text(ui::library_window_title)));
        library_window_->refresh();
    }
    if (component_list_)
        component_list_->retranslate();
    session_.view.view_valid = false;
    refresh_status();
    redraw_plan();
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
    if (dialog.exec() == QDialog::Accepted)
        if (auto stored = session_.store_current_settings(); !stored)
            prompts_.note(stored.error());
    redraw_plan();
}

void MainWindow::move_objects_to_corner()
{
    if (move_to_corner(session_.plan, session_.components)) {
        plan_replaced();
        design_changed(tr("Move objects to the corner"));
    }
}

void MainWindow::ungroup_everything()
{
    if (diagnostic_)
        diagnostic_->refresh();
    ungroup_all(session_.plan);
    plan_replaced();
    if (diagnostic_)
        diagnostic_->refresh();
    design_changed(tr("Ungroup all"));
}

void MainWindow::undo_redo(bool undo)
{
    // A held gesture keeps object numbers that the swap could change under it.
    if (plan_ && plan_->gesture_held())
        return;
    // A step swaps against the design as the steps left it: an edit that reached the table without
    // a step of its own becomes one first, so that undo takes it back instead of mixing the two.
    history_.record(tr("Edit"));
    if (undo)
        history_.stack().undo();
    else
        history_.stack().redo();
    refresh_title();
}

} // namespace halvern

namespace halvern {

namespace {

// Tiles done out of their count: the window keeps answering while a large picture is drawn.
std::function<void(int, int)> progress_of(QProgressDialog& dialog)
{
    return [&dialog](int done, int total) {
        dialog.setMaximum(std::max(1, total));
        dialog.setValue(std::min(done, total));
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
}

} // namespace

void MainWindow::save_blueprint()
{
    auto answer = prompts_.choose_save({"Select file", session_.app_dir().string(), "jpg", "JPEG|*.jpg", {}});
    if (!answer || answer->empty())
        return;
    QProgressDialog progress(QString::fromStdString(answer->filename().string()), QString(), 0, 1, this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    PlanScene scene{session_.components, session_.libraries, session_.plan, session_.stand};
    auto saved = save_blueprint_to(*answer, scene, session_.view, qt_surface_maker(),
                                   session_.shell.settings.view_qualite == 1, progress_of(progress));
    progress.close();
    if (!saved)
        prompts_.warn("Halvern Visual Design", saved.error().text());
    else
        tell(ui::status_picture_saved, with_jpg_extension(*answer).string());
    redraw_plan();
}

void MainWindow::save_screen()
{
    auto answer = prompts_.choose_save({session_.text(ui::save_screen_dialog_title), session_.settings().doc_path, "jpg",
                                        "Image Jpeg|*.jpg", {}});
    if (!answer || answer->empty())
        return;
    QProgressDialog progress(QString::fromStdString(session_.text(ui::save_screen_stage_first + 4)), QString(), 0, 1,
                             this);
    progress.setWindowTitle(QString::fromStdString(session_.text(ui::save_screen_progress_title)));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    PlanScene scene{session_.components, session_.libraries, session_.plan, session_.stand};
    auto drawing = progress_of(progress);
    auto saved = halvern::save_screen(*answer, scene, session_.view, screen_resolution, qt_surface_maker(), true,
                                      [&](int done, int total) {
                                          // The last stage once the drawing is done: the file is written.
                                          if (done >= total)
                                              progress.setLabelText(QString::fromStdString(
                                                  session_.text(ui::save_screen_stage_first + 8)));
                                          drawing(done, total);
                                      });
    progress.close();
    if (!saved)
        prompts_.warn("Halvern Visual Design", saved.error().text());
    else
        tell(ui::status_picture_saved, with_jpg_extension(*answer).string());
    redraw_plan();
}

void MainWindow::print_plan()
{
    QPrinter printer(QPrinter::HighResolution);
    if (!prompts_.choose_printer(printer))
        return;
    PlanScene scene{session_.components, session_.libraries, session_.plan, session_.stand};
    // The page has its own view; the window's zoom, offsets and quality stay as they are.
    if (auto printed = halvern::print_plan(printer, scene, session_.view); !printed)
        prompts_.warn("Halvern Visual Design", printed.error().text());
    else
        tell(ui::status_printed, (printer.outputFileName().isEmpty() ? printer.printerName()
                                                                      : printer.outputFileName()).toStdString());
    session_.view.view_valid = false;
    redraw_plan();
}

} // namespace halvern
