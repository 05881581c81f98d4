#include "app/startup.h"

#include <QApplication>
#include <QDateTime>
#include <QMessageBox>
#include <QScreen>

#include "app/main_window.h"
#include "app/qt_prompts.h"
#include "app/qt_translations.h"
#include "app/recovery_files.h"
#include "app/session.h"
#include "app/splash_window.h"
#include "base/app_dir.h"
#include "base/file_replacement.h"
#include "base/ui_text_ids.h"
#include "platform/qt_settings_store.h"
#include "project/project_state.h"
#include "platform/user_folder.h"

namespace halvern {

namespace {

// Many notes would make a message no one reads: the first ones, and how many more there are.
std::string summary_of(const std::vector<Error>& notes)
{
    constexpr size_t shown = 12;
    std::string text;
    for (size_t i = 0; i < notes.size() && i < shown; ++i)
        text += notes[i].text() + "\n";
    if (notes.size() > shown)
        text += "(" + std::to_string(notes.size() - shown) + " more)\n";
    return text;
}

void place_main_window(MainWindow& window)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 1024);
    // The component list and the library browser are docked inside it, on the right. The layout
    // the user left, when there is one, replaces this.
    const int width = area.width() * 19 / 20;
    const int height = std::max(480, area.height() * 9 / 10);
    // resize() sets the client area and move() the frame's corner, so that a window manager's title
    // bar stays on the screen where the user can take it.
    window.resize(width, std::min(height, area.height()));
    window.move(area.topLeft());
}

} // namespace

// What start-up could not read before the library: the stored settings and the interface texts.
static std::vector<Error> settings_and_text_notes(const Session& session)
{
    std::vector<Error> notes;
    if (auto problem = session.store->unreadable())
        notes.push_back(*problem);
    notes.insert(notes.end(), session.shell.ui_text.notes().begin(), session.shell.ui_text.notes().end());
    return notes;
}

std::vector<Error> load_session(Session& session, LoadProgress* progress)
{
    session.initialise();
    std::vector<Error> notes = settings_and_text_notes(session);
    std::vector<Error> library_notes = session.load_library(progress);
    notes.insert(notes.end(), library_notes.begin(), library_notes.end());
    return notes;
}

std::unique_ptr<MainWindow> open_editor(Session& session, Prompts& prompts, const std::vector<Error>& notes,
                                        const std::optional<std::filesystem::path>& design)
{
    auto window = std::make_unique<MainWindow>(session, prompts);
    window->build_main_window();
    use_qt_translations(session.lang());
    place_main_window(*window);
    window->show();

    CursorLoad cursors = load_cursor_table(session.app_dir());
    if (!cursors.missing.empty()) {
        Error first = cursors.missing.front();
        if (cursors.missing.size() > 1)
            first.message = summary_of(cursors.missing);
        prompts.load_error(LoadError::file_not_found, first);
    }
    window->set_cursors(std::move(cursors.table));
    window->set_cursor(0);
    if (!notes.empty())
        prompts.warn("Halvern Visual Design", summary_of(notes));

    window->open_aux_window(AuxWindow::component_list);
    window->history().notify(Changes::all());
    window->open_aux_window(AuxWindow::library);
    window->restore_layout();
    offer_recovery_then_open(*window, prompts, design);
    return window;
}

std::optional<std::string> offer_recovery(MainWindow& window, Prompts& prompts)
{
    std::optional<std::string> restored;
    for (const LeftDesign& left : window.autosave().files().left_behind()) {
        // One design per editor: the others wait for the next start.
        if (restored)
            break;
        const std::string time = left.written.toString(QStringLiteral("yyyy-MM-dd HH:mm")).toStdString();
        switch (prompts.ask_restore(left.file_name, time)) {
        case RestoreChoice::restore:
            if (window.files().restore(left.copy, left.file_name)) {
                // Kept aside again under this editor before the old copy goes: a crash right now
                // loses nothing either.
                window.autosave().write_if_due();
                RecoveryFiles::forget(left);
            } else {
                // What could be read is on screen, the rest only in the copy: never removed.
                const std::filesystem::path kept = RecoveryFiles::keep_aside(left);
                prompts.warn(std::string(program_window_title),
                             QString::fromStdString(window.session().text(ui::recovery_kept_aside))
                                 .arg(QString::fromStdString(kept.string()))
                                 .toStdString());
            }
            restored = left.file_name;
            break;
        case RestoreChoice::discard:
            RecoveryFiles::forget(left);
            break;
        case RestoreChoice::later:
            break;
        }
    }
    return restored;
}

void offer_recovery_then_open(MainWindow& window, Prompts& prompts, const std::optional<std::filesystem::path>& design)
{
    const std::optional<std::string> restored = offer_recovery(window, prompts);
    if (!design)
        return;
    if (restored && !restored->empty()) {
        std::error_code ec;
        const std::filesystem::path file(*restored);
        const std::filesystem::path a = std::filesystem::weakly_canonical(file, ec);
        const std::filesystem::path b = std::filesystem::weakly_canonical(*design, ec);
        if (std::filesystem::equivalent(file, *design, ec) || (!a.empty() && a == b))
            return;
    }
    // Another design was restored: its unsaved work is offered for saving before this one opens.
    window.files().open_recent(*design);
}

// The language files live in the very folder that is missing, so this one message carries both
// languages itself; it follows --lang, else the stored language.
static std::string missing_app_dir_text(const EditorLaunch& launch, const std::filesystem::path& app_dir)
{
    std::string lang = launch.lang_option.value_or(QtSettingsStore().read("lang"));
    if (lang == "fr")
        return "Le dossier d'installation n'existe pas : " + app_dir.string();
    return "The installation folder does not exist: " + app_dir.string();
}

int run_editor(int argc, char** argv, const EditorLaunch& launch)
{
    ignore_file_size_signal();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Halvern Visual Design"));

    const std::filesystem::path app_dir =
        find_app_dir(launch.app_dir_option, launch.app_dir_variable, launch.executable_dir);
    std::error_code ec;
    if (app_dir.empty() || !std::filesystem::is_directory(app_dir, ec)) {
        QMessageBox::critical(nullptr, QStringLiteral("Halvern Visual Design"),
                              QString::fromStdString(missing_app_dir_text(launch, app_dir)));
        return 1;
    }

    auto session = std::make_unique<Session>(app_dir, std::make_unique<QtSettingsStore>());
    session->lang_option = launch.lang_option;
    // Where saves go that a read-only installation cannot take; read over the installation.
    session->user_dir = user_data_folder();
    QtPrompts prompts(nullptr, [&session] { return session->lang(); });

    std::vector<Error> notes;
    {
        SplashWindow splash(SplashWindow::Kind::startup);
        const QScreen* screen = QGuiApplication::primaryScreen();
        if (screen)
            splash.move(screen->availableGeometry().center() - splash.rect().center());
        splash.show();
        QApplication::processEvents();
        session->initialise();
        splash.set_caption(QString::fromStdString(session->text(ui::message_loading_library)));
        notes = settings_and_text_notes(*session);
        std::vector<Error> library_notes = session->load_library(&splash);
        notes.insert(notes.end(), library_notes.begin(), library_notes.end());
    }
    prompts.set_texts([&session](int entry) { return session->text(entry); });
    std::unique_ptr<MainWindow> window = open_editor(*session, prompts, notes, launch.design);
    prompts.set_parent(window.get());
    window->raise();
    window->activateWindow();
    if (launch.autosave_interval)
        window->autosave().set_interval(*launch.autosave_interval);

    return application.exec();
}

} // namespace halvern
