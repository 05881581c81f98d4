#include "app/design_files.h"

#include "app/design_history.h"
#include "app/session.h"
#include "base/ui_text_ids.h"
#include "plan/select_many.h"
#include "platform/prompts.h"
#include "project/empty_design.h"

namespace halvern {

namespace {

// The view's cached background shows the stand of the design that was replaced.
void after_read(Session& session, DesignHistory& history, const LoadOutcome& loaded)
{
    session.view.view_valid = false;
    // A load is no step back: the design is now the file, or what could be read of it.
    if (loaded.replaced())
        history.reset();
}

} // namespace

bool DesignFiles::offer_to_save()
{
    // An edit without a step of its own still counts as unsaved.
    history_.record(QString::fromStdString(session_.text(ui::step_edit)));
    if (!history_.modified())
        return true;
    const std::string& file = session_.project.file_name;
    const std::string name = file.empty() ? session_.text(ui::untitled_design) : file_part(file);
    switch (prompts_.ask_unsaved(name)) {
    case UnsavedChoice::cancel:
        return false;
    case UnsavedChoice::discard:
        return true;
    case UnsavedChoice::save:
        save(false);
        return !history_.modified();
    }
    return false;
}

bool DesignFiles::new_design()
{
    if (!offer_to_save())
        return false;
    const ProjectState before = session_.project;
    start_empty_design(session_.plan, session_.project);
    session_.view.view_valid = false;
    history_.record_with_file(QString::fromStdString(session_.text(ui::step_new)), before);
    // An empty design has nothing a file could lose.
    history_.mark_saved();
    follow_file();
    history_.notify(Change::objects | Change::renumbered | Change::file);
    return true;
}

void DesignFiles::save(bool ask_name)
{
    ProjectContext context = session_.project_context(prompts_, prompts_);
    const CommandOutcome outcome = ask_name ? save_project_as(context) : save_project(context);
    if (outcome == CommandOutcome::done) {
        read_only_ = false;
        follow_file();
        history_.mark_saved();
        if (tell_)
            tell_(ui::status_saved, session_.project.file_name);
    }
}

void DesignFiles::load()
{
    if (!offer_to_save())
        return;
    ProjectContext context = session_.project_context(prompts_, prompts_);
    if (auto file = ask_design_to_load(context))
        open_checked(*file);
}

void DesignFiles::open(const std::filesystem::path& file) { open_checked(file); }

void DesignFiles::open_recent(const std::filesystem::path& file)
{
    if (offer_to_save())
        open_checked(file);
}

void DesignFiles::open_checked(const std::filesystem::path& file)
{
    const std::optional<LockHolder> holder = lock_.holder(file);
    if (holder && !prompts_.ask_read_only(file.string(), holder->host, holder->pid))
        return;
    ProjectContext context = session_.project_context(prompts_, prompts_);
    const LoadOutcome loaded = open_project(context, file);
    if (loaded.replaced() && holder && !session_.project.file_name.empty()) {
        // Someone else's file: never written from here.
        session_.project.forget(session_.project.file_name);
        session_.project.window_title += " - " + file.string() + " " + session_.text(ui::title_read_only);
        read_only_ = true;
    } else if (loaded.replaced()) {
        read_only_ = false;
    }
    if (loaded.replaced() && loaded.read->complete())
        recent_.add(file.string());
    follow_file();
    after_read(session_, history_, loaded);
}

bool DesignFiles::restore(const std::filesystem::path& copy, const std::string& file_name)
{
    ProjectContext context = session_.project_context(prompts_, prompts_);
    const LoadOutcome loaded = recover_project(context, copy, file_name);
    read_only_ = false;
    if (!session_.project.file_name.empty()) {
        if (auto holder = lock_.hold(session_.project.file_name)) {
            // Its file was opened meanwhile by another editor: the copy is kept under no name.
            session_.project.forget(session_.project.file_name);
            lock_.release();
        }
    }
    follow_file();
    after_read(session_, history_, loaded);
    // What was restored is in no file yet.
    history_.mark_unsaved();
    return loaded.replaced() && loaded.read->complete();
}

void DesignFiles::follow_file()
{
    const std::string& name = session_.project.file_name;
    if (name.empty()) {
        lock_.release();
        return;
    }
    recent_.add(name);
    lock_.hold(name);
}

void DesignFiles::import()
{
    ProjectContext context = session_.project_context(prompts_, prompts_);
    const int before = session_.plan.nb_objets;
    import_project_command(context);
    // What came in arrives chosen, in its own places, ready to be moved together.
    bool all_chosen = true;
    if (session_.plan.nb_objets > before) {
        std::vector<int> imported;
        for (int i = before + 1; i <= session_.plan.nb_objets; ++i)
            imported.push_back(i);
        all_chosen = select_objects(session_.plan, imported);
    }
    session_.view.view_valid = false;
    history_.commit(QString::fromStdString(session_.text(ui::step_import)), Change::objects | Change::renumbered);
    if (!all_chosen)
        prompts_.warn("Halvern Visual Design", session_.text(ui::message_selection_capped));
}

} // namespace halvern
