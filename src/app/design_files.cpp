#include "app/design_files.h"

#include "app/design_history.h"
#include "app/prompts.h"
#include "app/session.h"
#include "base/ui_text_ids.h"
#include "plan/select_many.h"
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
    history_.record(tr("Edit"));
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
    history_.record_with_file(tr("New"), before);
    // An empty design has nothing a file could lose.
    history_.mark_saved();
    history_.notify(Change::objects | Change::renumbered | Change::file);
    return true;
}

void DesignFiles::save(bool ask_name)
{
    ProjectContext context = session_.project_context(prompts_, prompts_);
    const CommandOutcome outcome = ask_name ? save_project_as(context) : save_project(context);
    if (outcome == CommandOutcome::done) {
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
    after_read(session_, history_, load_project_command(context));
}

void DesignFiles::open(const std::filesystem::path& file)
{
    ProjectContext context = session_.project_context(prompts_, prompts_);
    after_read(session_, history_, open_project(context, file));
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
    history_.commit(tr("Import"), Change::objects | Change::renumbered);
    if (!all_chosen)
        prompts_.warn("Halvern Visual Design", session_.text(ui::message_selection_capped));
}

} // namespace halvern
