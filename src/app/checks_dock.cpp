#include "app/checks_dock.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMainWindow>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <optional>

#include "app/design_history.h"
#include "app/session.h"
#include "base/ui_text_ids.h"
#include "plan/hidden_findings.h"
#include "plan/plan_edit.h"
#include "plan/interaction.h"
#include "plan/view_focus.h"
#include "project/project_state.h"

namespace halvern {

namespace {

constexpr int finding_role = Qt::UserRole; // index into the findings, -1 for a heading
constexpr int kind_role = Qt::UserRole + 1;
constexpr int preferred_width = 440; // pixels: a finding's text and its object's name

QString q(const std::string& text) { return QString::fromStdString(text); }

} // namespace

ChecksDock::ChecksDock(Session& session, DesignHistory& history, QWidget* plan_view, QWidget* parent)
    : QDockWidget(parent), session_(session), history_(history), plan_view_(plan_view)
{
    setObjectName(QStringLiteral("checks_dock"));
    auto* body = new QWidget(this);
    list_ = new QTreeWidget(body);
    list_->setObjectName(QStringLiteral("checks_list"));
    list_->setColumnCount(3);
    list_->setHeaderHidden(true);
    list_->setRootIsDecorated(true);
    list_->setUniformRowHeights(true);
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    hide_ = new QPushButton(body);
    hide_->setObjectName(QStringLiteral("checks_hide"));
    hide_->setCheckable(true);
    hide_->setEnabled(false);
    show_hidden_ = new QCheckBox(body);
    show_hidden_->setObjectName(QStringLiteral("checks_show_hidden"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(hide_);
    buttons->addWidget(show_hidden_, 1);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);
    setWidget(body);

    // A change arrives in several signals (an edit, then the redraw's view): the checks run once,
    // after the change is complete.
    pending_.setSingleShot(true);
    pending_.setInterval(0);
    connect(&pending_, &QTimer::timeout, this, &ChecksDock::refresh);
    connect(&history_.notifier(), &DesignNotifier::changed, this, [this](Changes what) {
        if (what.has(Change::objects) || what.has(Change::renumbered) || what.has(Change::library)
            || what.has(Change::language) || what.has(Change::file))
            pending_.start();
    });
    connect(list_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        if (const Finding* f = finding_of(item))
            show_finding(*f);
    });
    connect(list_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        if (const Finding* f = finding_of(item))
            show_finding(*f);
    });
    connect(list_, &QTreeWidget::currentItemChanged, this, [this] { current_changed(); });
    connect(hide_, &QPushButton::clicked, this, [this](bool checked) { set_current_hidden(checked); });
    connect(show_hidden_, &QCheckBox::toggled, this, [this] { fill_list(); });
    // Shown for the first time, the dock takes room enough for its texts.
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        auto* window = qobject_cast<QMainWindow*>(parentWidget());
        if (!visible || sized_ || !window || isFloating())
            return;
        sized_ = true;
        window->resizeDocks({this}, {preferred_width}, Qt::Horizontal);
    });
    refresh();
}

int ChecksDock::shown_count() const
{
    int n = 0;
    for (const Finding& f : findings_)
        n += f.hidden ? 0 : 1;
    return n;
}

void ChecksDock::refresh()
{
    pending_.stop();
    const std::string& file = session_.project.file_name;
    pictures_.set_folder(file.empty() ? std::filesystem::path() : std::filesystem::path(folder_of(file)));
    CheckInput input{session_.plan, session_.components, session_.stand, session_.shell.ui_text, &pictures_};
    input.texture_folders = {session_.app_dir() / "lib" / "tex", session_.app_dir() / "extlib" / "tex"};
    findings_ = run_design_checks(input);
    hide_->setText(q(session_.text(ui::checks_hide)));
    show_hidden_->setText(q(session_.text(ui::checks_show_hidden)));
    fill_list();
    retitle();
}

void ChecksDock::retitle()
{
    setWindowTitle(q(session_.text(ui::checks_title)) + QStringLiteral(" (%1)").arg(shown_count()));
}

const Finding* ChecksDock::finding_of(const QTreeWidgetItem* item) const
{
    if (!item)
        return nullptr;
    const int n = item->data(0, finding_role).toInt();
    return n >= 0 && size_t(n) < findings_.size() ? &findings_[size_t(n)] : nullptr;
}

QTreeWidgetItem* ChecksDock::item_of(CheckKind kind, int object, int end) const
{
    for (int k = 0; k < list_->topLevelItemCount(); ++k) {
        QTreeWidgetItem* heading = list_->topLevelItem(k);
        for (int c = 0; c < heading->childCount(); ++c) {
            const Finding* f = finding_of(heading->child(c));
            if (f && f->kind == kind && f->object == object && f->end == end)
                return heading->child(c);
        }
    }
    return nullptr;
}

void ChecksDock::fill_list()
{
    // The row the user was on stays current when the list is rebuilt.
    std::optional<Finding> current;
    if (const Finding* f = finding_of(list_->currentItem()))
        current = *f;
    const QSignalBlocker quiet(list_);
    list_->clear();

    const bool with_hidden = show_hidden_->isChecked();
    const QIcon error = style()->standardIcon(QStyle::SP_MessageBoxCritical);
    const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    const QBrush grey = palette().brush(QPalette::Disabled, QPalette::Text);
    for (int k = 0; k < check_kind_count; ++k) {
        QTreeWidgetItem* heading = nullptr;
        int shown = 0;
        for (size_t n = 0; n < findings_.size(); ++n) {
            const Finding& f = findings_[n];
            if (int(f.kind) != k || (f.hidden && !with_hidden))
                continue;
            if (!heading) {
                heading = new QTreeWidgetItem(list_);
                heading->setData(0, finding_role, -1);
                heading->setData(0, kind_role, k);
                heading->setFirstColumnSpanned(true);
            }
            const int comp = session_.plan.comp(f.object);
            const std::string name = ComponentTable::valid(comp) ? session_.components[comp].name : std::string();
            // The problem before the component's name: in a narrow dock it is what must show.
            auto* row = new QTreeWidgetItem(heading, {QString::number(f.object), q(f.text), q(name)});
            row->setData(0, finding_role, int(n));
            for (int c = 0; c < 3; ++c)
                row->setToolTip(c, q(name + ": " + f.text));
            row->setIcon(0, f.severity == Severity::error ? error : warning);
            if (f.hidden)
                for (int c = 0; c < 3; ++c)
                    row->setForeground(c, grey);
            shown += f.hidden ? 0 : 1;
        }
        if (heading) {
            heading->setText(0, q(check_kind_title(CheckKind(k), session_.shell.ui_text)) + QStringLiteral(" (%1)").arg(shown));
            heading->setExpanded(true);
        }
    }
    if (current)
        if (QTreeWidgetItem* again = item_of(current->kind, current->object, current->end))
            list_->setCurrentItem(again);
    current_changed();
}

void ChecksDock::current_changed()
{
    const Finding* f = finding_of(list_->currentItem());
    hide_->setEnabled(f != nullptr);
    hide_->setChecked(f && f->hidden);
}

void ChecksDock::show_finding(const Finding& finding)
{
    PlanTable& plan = session_.plan;
    if (!plan.valid(finding.object))
        return;
    // Picked as a press on it picks it: the object alone, or its whole group. A faded object is
    // still focused here: the user asked for this one, and the mark shows where it is.
    (void)take_pick(plan, finding.object); // a group never holds more than the selection takes
    focus_on_object(session_.view, plan, session_.components, finding.object, plan_view_->width(),
                    plan_view_->height());
    history_.notify(Change::view);
}

void ChecksDock::set_current_hidden(bool hidden)
{
    const Finding* f = finding_of(list_->currentItem());
    if (!f || f->hidden == hidden) {
        current_changed();
        return;
    }
    set_hidden(session_.plan, *f, hidden);
    history_.commit(q(session_.text(ui::checks_hide)));
    refresh(); // at once, so that the row and the button agree before the next event
}

} // namespace halvern
