#pragma once
// Undo and redo of every change to the design, over QUndoStack. Each step holds the part of the
// design that the change replaced and swaps it back in; one gesture or one command is one step.
// Edits happen first, through the plain operations of the plan; `record` then compares the design
// with the state after the previous step and keeps the difference. Every step, undo, redo and
// reset is announced through the notifier, which the windows follow.

#include <QObject>
#include <QString>
#include <QUndoStack>

#include "app/design_notifier.h"
#include "project/design_state.h"

namespace halvern {

struct Session;
struct ProjectState;

class DesignHistory : public QObject {
    Q_OBJECT
public:
    explicit DesignHistory(Session& session, QObject* parent = nullptr);

    QUndoStack& stack() { return stack_; }
    DesignNotifier& notifier() { return notifier_; }

    // After an edit: one step for what changed (none when nothing did), then every window is told
    // of `what`.
    bool commit(const QString& text, Changes what = Change::objects);
    // A change that is no step (the view, the tables of the library, a file saved): the windows follow.
    void notify(Changes what) { notifier_.notify(what); }

    // One step for what changed since the previous step; false (and no step) when nothing did.
    // Tells no window: for an edit that reached the table without a step of its own.
    bool record(const QString& text);
    // The same, for a change that also made the design another file (New): the step brings the
    // file name and the title back with the objects.
    bool record_with_file(const QString& text, const ProjectState& file_before);
    // The design was replaced by a file: no step leads back past it, and it is saved as it is.
    // Every window follows.
    void reset();
    // The design now matches its file.
    void mark_saved();
    // The design is in no file as it stands (a restored copy), whatever the steps say.
    void mark_unsaved();
    bool modified() const { return !stack_.isClean(); }

    // True while an UndoStep is open: steps recorded meanwhile join it.
    bool step_open() const { return open_steps_ > 0; }

    // How many steps are kept; older ones are forgotten.
    static constexpr int step_limit = 200;

private:
    friend class DesignSwapCommand;
    friend class UndoStep;
    void after_swap();

    Session& session_;
    QUndoStack stack_;
    DesignNotifier notifier_;
    DesignState committed_; // the design as the last step left it
    int open_steps_ = 0;    // UndoStep guards alive
};

// One undo step around an edit made of several parts, such as a dialog's OK: whatever changes
// while the guard lives, including edits that record steps of their own, becomes the single step
// the outermost guard records when it ends (none when nothing changed). Guards opened inside an
// open one join it.
class UndoStep {
public:
    UndoStep(DesignHistory& history, QString text);
    ~UndoStep();
    UndoStep(const UndoStep&) = delete;
    UndoStep& operator=(const UndoStep&) = delete;

private:
    DesignHistory& history_;
    QString text_;
};

} // namespace halvern
