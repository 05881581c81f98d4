// The property dialogs, the stand form and the pickers of the Object menu, as the main window opens
// them. Each OK or choice is one undo step; a cancelled dialog or a dismissed picker changes nothing.

#include "app/main_window.h"
#include "app/session.h"
#include "base/ui_text_ids.h"
#include "dialogs/group_properties_dialog.h"
#include "dialogs/object_properties_dialog.h"
#include "dialogs/pickers.h"
#include "dialogs/stand_form.h"
#include "geometry/height_lists.h"
#include "app/plan_widget.h"
#include "plan/carried_objects.h"
#include "plan/face_proportion.h"
#include "plan/dialog_fields.h"
#include "plan/plan_edit.h"
#include "plan/plan_ends.h"
#include "platform/prompts.h"

namespace halvern {

namespace {

// The focused object when it is one the pickers can act on.
int focused_object(const Session& session)
{
    const PlanTable& plan = session.plan;
    const int i = plan.index_focus;
    return plan.valid(i) && has_geometry(plan, i) ? i : 0;
}

} // namespace

void MainWindow::store_settings_if_changed(const std::string& import_path_before)
{
    if (session_.settings().import_path == import_path_before)
        return;
    if (auto stored = session_.store_current_settings(); !stored)
        prompts_.note(stored.error());
}

bool MainWindow::run_dialog_step(const QString& step, const std::function<bool()>& run)
{
    const std::string import_path = session_.settings().import_path;
    bool applied = false;
    {
        // Its end records the step and announces it, once, when the dialog changed something.
        UndoStep guard(history_, step);
        applied = run();
    }
    // A picture chosen inside the dialog moves the import folder.
    store_settings_if_changed(import_path);
    return applied;
}

bool MainWindow::show_object_properties(int object)
{
    if (!session_.plan.valid(object) || !has_geometry(session_.plan, object))
        return false;
    const CarriedLoad load(session_.plan, session_.components, {object}, plan_ && plan_->state().carry);
    ObjectPropertiesDialog dialog(session_.property_context(), prompts_, object, this);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    load.settle(session_.plan);
    return true;
}

bool MainWindow::show_group_properties(const std::vector<int>& members)
{
    if (members.empty())
        return false;
    const CarriedLoad load(session_.plan, session_.components, members, plan_ && plan_->state().carry);
    GroupPropertiesDialog dialog(session_.property_context(), prompts_, members, this);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    load.settle(session_.plan);
    return true;
}

bool MainWindow::open_object_properties(int object)
{
    return run_dialog_step(QString::fromStdString(session_.text(ui::step_properties)), [&] { return show_object_properties(object); });
}

bool MainWindow::open_group_properties(const std::vector<int>& members)
{
    return run_dialog_step(QString::fromStdString(session_.text(ui::step_group_properties)), [&] { return show_group_properties(members); });
}

bool MainWindow::open_stand_form()
{
    return run_dialog_step(QString::fromStdString(session_.text(ui::step_stand)), [&] {
        StandForm form(session_.stand, session_.shell.ui_text, session_.app_dir(), prompts_, this);
        return form.exec() == QDialog::Accepted;
    });
}

void MainWindow::open_properties()
{
    if (const int i = focused_object(session_))
        open_object_properties(i);
    else if (session_.plan.nb_selection > 0)
        open_group_properties(selected_objects(session_.plan));
}

void MainWindow::change_height()
{
    const int i = focused_object(session_);
    if (!i)
        return;
    PlanTable& plan = session_.plan;
    const Component& c = session_.components[plan.comp(i)];
    const std::string word = session_.text(ui::module_word);
    std::optional<double> height;
    switch (height_list_of(c)) {
    case HeightList::frames:
        height = pick_height(*pickers_, frame_height_choices(word, session_.components));
        break;
    case HeightList::modules:
        height = pick_height(*pickers_, module_height_choices(word));
        break;
    case HeightList::none:
        if (auto typed = ask_number(*pickers_, session_.text(ui::prop_height), plan.obj_hauteur[size_t(i)]))
            height = *typed;
        break;
    }
    if (!height)
        return;
    const CarriedLoad load(plan, session_.components, {i}, plan_ && plan_->state().carry);
    plan.obj_hauteur[size_t(i)] = float(*height);
    load.settle(plan);
    plan.hauteur_defaut = float(*height);
    design_changed(QString::fromStdString(session_.text(ui::step_height)));
}

void MainWindow::change_faces()
{
    const int i = focused_object(session_);
    if (!i)
        return;
    const std::optional<int> faces = pick_faces(*pickers_, session_.shell.ui_text);
    if (!faces)
        return;
    session_.plan.obj_faces[size_t(i)] = *faces;
    session_.plan.faces_defaut = *faces;
    design_changed(QString::fromStdString(session_.text(ui::step_pictures)));
}

void MainWindow::raise_from_ground()
{
    const int i = focused_object(session_);
    if (!i)
        return;
    if (auto elevation = ask_elevation(*pickers_, session_.shell.ui_text, session_.plan.obj_elevation[size_t(i)])) {
        const CarriedLoad load(session_.plan, session_.components, {i}, plan_ && plan_->state().carry);
        session_.plan.obj_elevation[size_t(i)] = *elevation;
        load.settle(session_.plan);
        design_changed(QString::fromStdString(session_.text(ui::step_elevation)));
    }
}

void MainWindow::add_face_picture()
{
    PlanTable& plan = session_.plan;
    std::vector<int> targets;
    if (const int i = focused_object(session_))
        targets.push_back(i);
    else
        for (int i : selected_objects(plan))
            if (plan.valid(i) && has_geometry(plan, i))
                targets.push_back(i);
    if (targets.empty())
        return;
    // An object whose only picture is on the verso gets it there.
    auto face_of = [&plan](int i) { return plan.obj_faces[size_t(i)] == 2 ? 2 : 1; };
    // The picture goes on every target's face: it is checked against each of them.
    std::vector<std::optional<double>> normals;
    for (int i : targets)
        normals.push_back(face_picture_size(plan, session_.components, i, face_of(i)).proportion());
    const std::string import_path = session_.settings().import_path;
    auto file = choose_face_picture(prompts_, session_.shell.ui_text, session_.settings(), normals);
    store_settings_if_changed(import_path);
    if (!file)
        return;
    for (int i : targets)
        (face_of(i) == 2 ? plan.obj_visuel_verso : plan.obj_visuel_recto)[size_t(i)] = file->string();
    design_changed(QString::fromStdString(session_.text(ui::step_picture)));
}

} // namespace halvern
