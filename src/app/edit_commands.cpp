// The Edit menu and the standard keys of the plan: copy, cut, paste at the pointer, duplicate,
// select all, and the arrow keys that nudge. Each is one undo step; the plan's own keys
// (Ctrl+V turns the verso picture, Alt+drag copies) stay as they are.

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QStatusBar>

#include "app/main_window.h"
#include "app/plan_widget.h"
#include "app/session.h"
#include "base/ui_text_ids.h"
#include "plan/carried_objects.h"
#include "plan/groups.h"
#include "plan/plan_edit.h"
#include "plan/select_many.h"
#include "plan/snapping.h"
#include "platform/prompts.h"
#include "project/object_clipboard.h"

namespace halvern {

namespace {

QString mime_type() { return QString::fromLatin1(copied_objects_mime.data(), qsizetype(copied_objects_mime.size())); }

} // namespace

bool MainWindow::edit_allowed() const { return plan_ && !plan_->gesture_held(); }

std::vector<int> MainWindow::chosen_with_carried() const
{
    std::vector<int> chosen = focused_or_selected(session_.plan);
    const std::vector<int> carried = carried_along(plan_->state(), session_.plan, session_.components);
    chosen.insert(chosen.end(), carried.begin(), carried.end());
    return chosen;
}

void MainWindow::copy_objects(bool cut)
{
    if (!edit_allowed())
        return;
    const std::vector<int> chosen = chosen_with_carried();
    if (chosen.empty()) {
        tell(ui::status_nothing_chosen);
        return;
    }
    const std::string text = format_copied_objects(halvern::copy_objects(session_.plan, chosen));
    auto* data = new QMimeData;
    data->setData(mime_type(), QByteArray::fromStdString(text));
    data->setText(QString::fromStdString(text));
    QApplication::clipboard()->setMimeData(data);
    if (cut) {
        UndoStep step(history_, QString::fromStdString(session_.text(ui::step_cut)));
        plan_->delete_pressed();
    }
    tell(ui::status_objects_copied, std::to_string(chosen.size()));
}

void MainWindow::place_copies(const std::vector<CopiedObject>& objects, double dx, double dy, const QString& step)
{
    std::string problem;
    Result<std::vector<int>> added = halvern::paste_objects(session_.plan, session_.components, objects, dx, dy, problem);
    if (!added) {
        prompts_.warn("Halvern Visual Design", added.error().message);
        return;
    }
    settle_copies(session_.plan, session_.components, *added);
    const bool all_selected = select_objects(session_.plan, *added);
    history_.commit(step);
    if (!problem.empty())
        prompts_.warn("Halvern Visual Design", problem);
    else if (!all_selected)
        prompts_.warn("Halvern Visual Design", session_.text(ui::message_selection_capped));
    tell(ui::status_objects_pasted, std::to_string(added->size()));
}

void MainWindow::paste_objects()
{
    if (!edit_allowed())
        return;
    const QMimeData* data = QApplication::clipboard()->mimeData();
    std::string text;
    if (data && data->hasFormat(mime_type()))
        text = data->data(mime_type()).toStdString();
    else if (data && data->hasText())
        text = data->text().toStdString();
    Result<std::vector<CopiedObject>> objects = parse_copied_objects(text);
    if (!objects || objects->empty()) {
        tell(ui::status_nothing_to_paste);
        return;
    }
    // At the pointer when it was last over the plan; otherwise a little beside the originals.
    double dx = paste_offset_cm, dy = paste_offset_cm;
    if (std::optional<PlanPoint> at = plan_->pointer_on_plan()) {
        const PlanPoint centre = copied_centre(*objects);
        dx = at->x - centre.x;
        dy = at->y - centre.y;
    }
    place_copies(*objects, dx, dy, QString::fromStdString(session_.text(ui::step_paste)));
}

void MainWindow::duplicate_objects()
{
    if (!edit_allowed())
        return;
    const std::vector<int> chosen = chosen_with_carried();
    if (chosen.empty()) {
        tell(ui::status_nothing_chosen);
        return;
    }
    // Right beside the originals, so that a single wall joins the end of the one it copies.
    std::optional<PlanBox> box;
    for (int i : chosen)
        include_footprint(box, session_.plan, session_.components, i);
    const double dx = box && box->right > box->left ? box->right - box->left : paste_offset_cm;
    place_copies(halvern::copy_objects(session_.plan, chosen), dx, 0, QString::fromStdString(session_.text(ui::step_duplicate)));
}

void MainWindow::select_everything()
{
    if (!edit_allowed())
        return;
    const bool all = select_all(session_.plan);
    history_.notify(Change::objects);
    if (!all)
        prompts_.warn("Halvern Visual Design", session_.text(ui::message_selection_capped));
}

bool MainWindow::nudge(int key, Qt::KeyboardModifiers modifiers)
{
    float dx = 0, dy = 0;
    switch (key) {
    case Qt::Key_Left: dx = -1; break;
    case Qt::Key_Right: dx = 1; break;
    case Qt::Key_Up: dy = -1; break;
    case Qt::Key_Down: dy = 1; break;
    default: return false;
    }
    if (!edit_allowed())
        return true;
    const float step = (modifiers & Qt::ShiftModifier) ? nudge_large_cm : nudge_cm;
    if (nudge_objects(session_.plan, dx * step, dy * step, carried_along(plan_->state(), session_.plan, session_.components)))
        history_.commit(QString::fromStdString(session_.text(ui::step_nudge)));
    return true;
}

void MainWindow::drop_component(int component, QPointF at)
{
    if (!edit_allowed() || !ComponentTable::valid(component) || session_.components[component].is_free())
        return;
    const PixelPoint point = session_.view.to_plan(at.x(), at.y());
    Result<int> created = create_object(session_.plan, session_.components, component, float(point.x), float(point.y));
    if (!created) {
        prompts_.warn("Halvern Visual Design", created.error().message);
        return;
    }
    // As a palette pick dropped at the same place: unturned, then pulled into place.
    drop_object(session_.plan, session_.components, *created, point.x, point.y, 0, session_.view.zoom);
    plan_->state().selected_component = component;
    history_.commit(QString::fromStdString(session_.text(ui::step_place)));
    activateWindow();
    plan_->setFocus(Qt::OtherFocusReason);
}

void MainWindow::arm_component(int component)
{
    if (!plan_ || !ComponentTable::valid(component) || session_.components[component].is_free())
        return;
    InteractionState& state = plan_->state();
    state.selected_component = component;
    state.depot_palette = true;
    session_.shell.plan_focus = true;
    plan_->redraw();
    activateWindow();
    plan_->setFocus(Qt::OtherFocusReason);
}

} // namespace halvern
