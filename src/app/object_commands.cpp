// The Object menu's gestures of the plan: what the right drag, the "+" and "m" keys and Ctrl+G/U
// do, for a hand that does not know them yet.

#include "app/object_commands.h"

#include "app/design_history.h"
#include "app/plan_widget.h"
#include "app/session.h"
#include "base/ui_text_ids.h"
#include "dialogs/pickers.h"
#include "plan/dialog_fields.h"
#include "base/settings.h"
#include "plan/carried_objects.h"
#include "plan/groups.h"
#include "plan/move_to_corner.h"
#include "plan/plan_edit.h"
#include "platform/prompts.h"

namespace halvern {

namespace {

QString text_of(const Session& session, int entry) { return QString::fromStdString(session.text(entry)); }

} // namespace

void ObjectCommands::rotate_chosen(double degrees)
{
    if (!edit_allowed())
        return;
    PlanTable& plan = session_.plan;
    const bool selection = !(plan.valid(plan.index_focus)) && plan.nb_selection > 0;
    if (!plan.valid(plan.index_focus) && plan.nb_selection <= 0) {
        tell(ui::status_nothing_chosen);
        return;
    }
    if (turn_chosen(plan, session_.components, degrees, carried_along(services_.plan->state(), plan, session_.components)))
        history_.commit(text_of(session_, selection ? ui::step_turn_selection : ui::step_turn));
}

void ObjectCommands::rotate_by_typed()
{
    if (!edit_allowed())
        return;
    const PlanTable& plan = session_.plan;
    if (!plan.valid(plan.index_focus) && plan.nb_selection <= 0) {
        tell(ui::status_nothing_chosen);
        return;
    }
    std::optional<std::string> typed = pickers().input_box(session_.text(ui::turn_prompt), "90");
    if (!typed)
        return;
    const std::optional<double> angle = typed_turn(*typed);
    if (!angle) {
        prompts_.warn("Halvern Visual Design", session_.text(ui::turn_refused) + " " + *typed);
        return;
    }
    rotate_chosen(*angle);
}

void ObjectCommands::append_at_end(int p)
{
    if (!edit_allowed())
        return;
    if (!session_.plan.valid(session_.plan.index_focus)) {
        tell(ui::status_nothing_chosen);
        return;
    }
    // Through the interaction, which hands the step to the undo history as the keys do.
    InteractionContext context = plan()->context();
    append_at_focus(plan()->state(), context, p);
}

void ObjectCommands::group_chosen(bool group)
{
    if (!edit_allowed())
        return;
    // Exactly the plan's Ctrl+G and Ctrl+U.
    plan()->key_typed(group ? "g" : "u", kk_ctrl);
}

void ObjectCommands::delete_chosen()
{
    if (!edit_allowed())
        return;
    if (!plan()->delete_pressed())
        tell(ui::status_nothing_chosen);
}

void ObjectCommands::switch_carrying()
{
    if (!edit_allowed())
        return;
    const bool carry = !plan()->state().carry;
    plan()->state().carry = carry;
    set_carried_objects_follow(*session_.store, carry);
    if (auto stored = session_.store->flush(); !stored)
        prompts_.note(stored.error());
}

bool ObjectCommands::carrying() const { return plan() && plan()->state().carry; }

void ObjectCommands::move_to_corner()
{
    if (halvern::move_to_corner(session_.plan, session_.components))
        history_.commit(QString::fromStdString(session_.text(ui::step_move_to_corner)), Change::objects | Change::renumbered);
}

void ObjectCommands::ungroup_everything()
{
    ungroup_all(session_.plan);
    history_.commit(QString::fromStdString(session_.text(ui::step_ungroup_all)), Change::objects | Change::renumbered);
}

} // namespace halvern
