#include "app/design_history.h"

#include <QUndoCommand>

#include "app/session.h"
#include "plan/plan_edit.h"

namespace halvern {

class DesignSwapCommand : public QUndoCommand {
public:
    DesignSwapCommand(DesignHistory& history, const QString& text, DesignSwap swap,
                      std::optional<ProjectState> file)
        : QUndoCommand(text), history_(history), swap_(std::move(swap)), file_(std::move(file))
    {
    }

    // The change is already in the design when the step is pushed.
    void redo() override
    {
        if (first_redo_) {
            first_redo_ = false;
            return;
        }
        swap();
    }
    void undo() override { swap(); }

private:
    void swap()
    {
        Session& session = history_.session_;
        swap_.swap_into(session.plan, session.stand);
        if (file_)
            std::swap(session.project, *file_);
        history_.after_swap();
    }

    DesignHistory& history_;
    DesignSwap swap_;
    std::optional<ProjectState> file_;
    bool first_redo_ = true;
};

DesignHistory::DesignHistory(Session& session, QObject* parent)
    : QObject(parent), session_(session), committed_(capture_design(session.plan, session.stand))
{
    stack_.setUndoLimit(step_limit);
}

bool DesignHistory::record(const QString& text)
{
    if (step_open())
        return false;
    DesignState now = capture_design(session_.plan, session_.stand);
    std::optional<DesignSwap> swap = DesignSwap::between(committed_, now);
    if (!swap)
        return false;
    committed_ = std::move(now);
    stack_.push(new DesignSwapCommand(*this, text, std::move(*swap), std::nullopt));
    return true;
}

bool DesignHistory::record_with_file(const QString& text, const ProjectState& file_before)
{
    if (step_open())
        return false;
    DesignState now = capture_design(session_.plan, session_.stand);
    std::optional<DesignSwap> swap = DesignSwap::between(committed_, now);
    if (!swap)
        return false;
    committed_ = std::move(now);
    stack_.push(new DesignSwapCommand(*this, text, std::move(*swap), file_before));
    return true;
}

bool DesignHistory::commit(const QString& text, Changes what)
{
    const bool recorded = record(text);
    notify(what);
    return recorded;
}

void DesignHistory::reset()
{
    stack_.clear();
    committed_ = capture_design(session_.plan, session_.stand);
    notify(Changes::all());
}

void DesignHistory::mark_saved()
{
    stack_.setClean();
    notify(Change::file);
}

void DesignHistory::mark_unsaved()
{
    stack_.resetClean();
    notify(Change::file);
}

UndoStep::UndoStep(DesignHistory& history, QString text) : history_(history), text_(std::move(text))
{
    ++history_.open_steps_;
}

UndoStep::~UndoStep()
{
    // A dialog may add or remove objects: held numbers are void afterwards. A dialog that changed
    // nothing (Cancel) leaves no step and asks for no redraw.
    if (--history_.open_steps_ == 0 && history_.record(text_))
        history_.notify(Change::objects | Change::renumbered);
}

void DesignHistory::after_swap()
{
    // Object numbers held from before the swap may now name other objects.
    PlanTable& plan = session_.plan;
    plan.index_focus = 0;
    plan.focus = false;
    plan.focus_groupe = false;
    clear_selection(plan);
    committed_ = capture_design(plan, session_.stand);
    // A step of New also brings the file name and the title back.
    notify(Change::objects | Change::renumbered | Change::file);
}

} // namespace halvern
