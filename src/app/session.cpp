#include "app/session.h"

#include "dialogs/property_context.h"
#include "geometry/outline_limits.h"
#include "library/builtin_catalogue.h"

namespace halvern {

Session::Session(std::filesystem::path app_dir, std::unique_ptr<SettingsStore> settings_store)
    : shell(std::move(app_dir)), store(std::move(settings_store))
{
    if (!store)
        store = std::make_unique<MemorySettingsStore>();
    libraries.name[0] = "VEK";
}

void Session::read_stored_settings()
{
    // The store's own language first: one it does not hold (a first run) would otherwise leave
    // the run's language standing, taken for the stored one the second time the store is read.
    if (shell.settings.stored_lang)
        shell.settings.lang = *shell.settings.stored_lang;
    shell.settings.stored_lang.reset();
    read_settings(*store, shell.settings);
    if (lang_option) {
        shell.settings.stored_lang = shell.settings.lang;
        shell.settings.lang = *lang_option;
    }
}

Result<void> Session::store_current_settings() { return store_settings(*store, shell.settings); }

void Session::load_interface_texts() { shell.ui_text.load(shell.app_dir, lang()); }

void Session::initialise()
{
    project.file_name = "projet.vek";
    shell.settings = Settings::defaults(shell.app_dir);
    read_stored_settings();
    load_interface_texts();
    fill_builtin_catalogue(components, lang());
    read_stored_settings();
}

std::vector<Error> Session::load_library(LoadProgress* progress)
{
    std::vector<Error> notes = halvern::load_library(shell.app_dir, lang(), components, libraries, progress, user_dir);
    std::vector<Error> outlines = long_outline_notes(components, shell.app_dir);
    notes.insert(notes.end(), outlines.begin(), outlines.end());
    return notes;
}

std::vector<Error> Session::change_language(const std::string& new_lang, LoadProgress* progress)
{
    const int shown = libraries.current_library;
    lang_option.reset();
    shell.settings.stored_lang.reset();
    shell.settings.lang = new_lang;
    fill_builtin_catalogue(components, lang());
    std::vector<Error> notes = load_library(progress);
    for (int position = 0; position < library_count_max; ++position)
        if (libraries.order[size_t(position)] == shown && (position == 0 || shown != 0)) {
            libraries.current_position = position;
            libraries.current_library = shown;
            break;
        }
    load_interface_texts();
    notes.insert(notes.end(), shell.ui_text.notes().begin(), shell.ui_text.notes().end());
    return notes;
}

ProjectContext Session::project_context(ProjectDialogs& dialogs, ProjectMessages& messages)
{
    return ProjectContext{plan, stand, project, shell.settings, *store, components, shell.ui_text, shell.app_dir,
                          dialogs, messages};
}

PropertyContext Session::property_context()
{
    return PropertyContext{plan, components, libraries, shell.ui_text, shell.settings, shell.app_dir};
}

} // namespace halvern
