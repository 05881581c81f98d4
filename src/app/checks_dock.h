#pragma once
// The "Checks" dock: every finding of the design checks, grouped by kind, with the count of those
// not hidden in its title. It follows every change of the design; a click selects the object and
// brings it into view; "Hide" keeps a finding out of the count for this design (saved with it, and
// one undo step like any edit).

#include <QDockWidget>
#include <QTimer>

#include <vector>

#include "plan/design_checks.h"
#include "plan/picture_probe.h"

class QCheckBox;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace halvern {

struct Session;
class DesignHistory;

class ChecksDock : public QDockWidget {
    Q_OBJECT
public:
    // `plan_view` is the plan's drawing area: a click centres the object in it.
    ChecksDock(Session& session, DesignHistory& history, QWidget* plan_view, QWidget* parent = nullptr);

    // Runs the checks again and rebuilds the list now (a change of the design does it on its own,
    // once the change is complete).
    void refresh();

    const std::vector<Finding>& findings() const { return findings_; }
    int shown_count() const;
    QTreeWidget* list() const { return list_; }
    // The finding of a row of the list; none for a heading.
    const Finding* finding_of(const QTreeWidgetItem* item) const;
    // The row of a finding, by kind, object and end; none when the list does not show it.
    QTreeWidgetItem* item_of(CheckKind kind, int object, int end) const;

    // Selects the finding's object and brings it into view.
    void show_finding(const Finding& finding);
    // Hides or shows again the current finding: one undo step.
    void set_current_hidden(bool hidden);

private:
    void fill_list();
    void current_changed();
    void retitle();

    Session& session_;
    DesignHistory& history_;
    QWidget* plan_view_;
    QTreeWidget* list_;
    QPushButton* hide_;
    QCheckBox* show_hidden_;
    QTimer pending_;
    FilePictureProbe pictures_;
    std::vector<Finding> findings_;
    bool sized_ = false;
};

} // namespace halvern
