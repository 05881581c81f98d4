#pragma once
// Undo and redo of every change to the design, over QUndoStack. Each step holds the part of the
// design that the change replaced and swaps it back in; one gesture or one command is one step.
// Edits happen first, through the plain operations of the plan; `record` then compares the design
// with the state after the previous step and keeps the difference.

#include <QObject>
#include <QString>
#include <QUndoStack>

#include "app/design_state.h"

namespace halvern {

struct Session;
struct ProjectState;

class DesignHistory : public QObject {
    Q_OBJECT
public:
    explicit DesignHistory(Session& session, QObject* parent = nullptr);

    QUndoStack& stack() { return stack_; }

    // One step for what changed since the previous step; false (and no step) when nothing did.
    bool record(const QString& text);
    // The same, for a change that also made the design another file (New): the step brings the
    // file name and the title back with the objects.
    bool record_with_file(const QString& text, const ProjectState& file_before);
    // The design was replaced by a file: no step leads back past it, and it is saved as it is.
    void reset();
    // The design now matches its file.
    void mark_saved() { stack_.setClean(); }
    bool modified() const { return !stack_.isClean(); }

    // How many steps are kept; older ones are forgotten.
    static constexpr int step_limit = 200;

signals:
    // Undo or redo changed the design: the plan and the lists must follow.
    void design_restored();

private:
    friend class DesignSwapCommand;
    void after_swap();

    Session& session_;
    QUndoStack stack_;
    DesignState committed_; // the design as the last step left it
};

} // namespace halvern
