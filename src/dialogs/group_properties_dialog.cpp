#include "dialogs/group_properties_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

#include "base/numbers.h"
#include "base/ui_text_ids.h"
#include "dialogs/dialog_controls.h"
#include "dialogs/pickers.h"
#include "geometry/height_lists.h"
#include "platform/prompts.h"

namespace halvern {

GroupPropertiesDialog::GroupPropertiesDialog(PropertyContext context, Prompts& prompts, std::vector<int> members,
                                             QWidget* parent)
    : QDialog(parent), ctx_(context), prompts_(prompts), members_(std::move(members)),
      group_(common_group(context.plan, members_))
{
    setObjectName(QStringLiteral("prop_grp"));
    setWindowTitle(q(context.text(ui::group_title)));
    auto* tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("tbs"));
    tabs->addTab(group_page(), q(context.text(ui::group_tab_group)));
    tabs->addTab(objects_page(), q(context.text(ui::group_tab_objects)));

    auto* ok = named_button("prop_grp_ok", context.text(ui::ok), this);
    connect(ok, &QPushButton::clicked, this, &GroupPropertiesDialog::prop_grp_ok_Click);
    QHBoxLayout* buttons = ok_cancel_row(this, ok, named_button("prop_grp_annule", context.text(ui::cancel), this));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs, 1);
    layout->addLayout(buttons);
    setMinimumWidth(480);
}

QWidget* GroupPropertiesDialog::group_page()
{
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("prop_grp_page"));
    const PlanTable& plan = ctx_.plan;
    const std::string name = group_ > 0 ? plan.obj_texte[size_t(group_)] : std::string();

    indx_ = named_box("prop_grp_indx", std::to_string(group_), page, true);
    indx_->hide();
    n2_ = named_box("prop_grp_n2", "", page);
    // Only a group has a name to change.
    n2_->setEnabled(group_ > 0);
    shown_ = read_group_fields(plan, members_);
    elevation_ = named_box("prop_elevation", shown_.elevation, page);
    rot_ = named_box("prop_r", shown_.rot, page);
    hauteur_ = named_box("prop_grp_hauteur", "", page);
    recto_box_ = named_box("prop_grp_recto", "", page, true);
    verso_box_ = named_box("prop_grp_verso", "", page, true);
    auto* frames = named_button("prop_grp_hauteur_change", ctx_.text(ui::group_change), page);
    auto* modules = named_button("prop_grp_hauteur_change_iso", ctx_.text(ui::group_change), page);
    connect(frames, &QPushButton::clicked, this, &GroupPropertiesDialog::prop_grp_hauteur_change_Click);
    connect(modules, &QPushButton::clicked, this, &GroupPropertiesDialog::prop_grp_hauteur_change_iso_Click);
    auto* recto = named_button("prop_grp_recto_change", ctx_.text(ui::group_recto_picture), page);
    auto* verso = named_button("prop_grp_verso_change", ctx_.text(ui::group_verso_picture), page);
    connect(recto, &QPushButton::clicked, this, &GroupPropertiesDialog::prop_grp_recto_change_Click);
    connect(verso, &QPushButton::clicked, this, &GroupPropertiesDialog::prop_grp_verso_change_Click);

    auto* grid = new QGridLayout(page);
    grid->addWidget(named_label("prop_grp_n_label", ctx_.text(ui::group_name), page), 0, 0);
    grid->addWidget(named_box("prop_grp_n", name, page, true), 0, 1, 1, 2);
    grid->addWidget(named_label("prop_grp_n2_label", ctx_.text(ui::group_new_name), page), 1, 0);
    grid->addWidget(n2_, 1, 1, 1, 2);
    grid->addWidget(named_label("prop2", ctx_.text(ui::prop_elevation), page), 2, 0);
    grid->addWidget(elevation_, 2, 1, 1, 2);
    grid->addWidget(named_label("prop2b", ctx_.text(ui::prop_rotation), page), 3, 0);
    grid->addWidget(rot_, 3, 1, 1, 2);
    grid->addWidget(named_label("prop3", ctx_.text(ui::prop_height), page), 4, 0);
    grid->addWidget(hauteur_, 4, 1);
    auto* change = new QHBoxLayout;
    change->addWidget(frames);
    change->addWidget(modules);
    grid->addLayout(change, 4, 2);
    grid->addWidget(recto, 5, 0);
    grid->addWidget(recto_box_, 5, 1, 1, 2);
    grid->addWidget(verso, 6, 0);
    grid->addWidget(verso_box_, 6, 1, 1, 2);
    grid->addWidget(indx_, 7, 0);
    grid->setRowStretch(7, 1);
    grid->setColumnStretch(1, 1);
    return page;
}

QWidget* GroupPropertiesDialog::objects_page()
{
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("prop_grp_objects"));
    scroll->setWidgetResizable(true);
    auto* list = new QWidget(scroll);
    auto* grid = new QGridLayout(list);
    const PlanTable& plan = ctx_.plan;
    int row = 0;
    for (int i : members_) {
        if (!plan.valid(i))
            continue;
        const int n = plan.comp(i);
        const std::string name = ComponentTable::valid(n) ? ctx_.components[n].name : std::string();
        grid->addWidget(named_box("prop_grp_index", std::to_string(i), list, true), row, 0);
        grid->addWidget(named_label("prop_grp_1", plan.obj_texte[size_t(i)].empty() ? name : plan.obj_texte[size_t(i)],
                                    list),
                        row++, 1);
    }
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(1, 1);
    scroll->setWidget(list);
    return scroll;
}

GroupFields GroupPropertiesDialog::fields() const
{
    GroupFields f = shown_;
    f.hauteur = hauteur_->text().trimmed().toStdString();
    f.elevation = elevation_->text().trimmed().toStdString();
    f.rot = rot_->text().trimmed().toStdString();
    f.nouveau_nom = n2_->text().toStdString();
    f.visuel_recto = recto_;
    f.visuel_verso = verso_;
    return f;
}

void GroupPropertiesDialog::prop_grp_ok_Click()
{
    if (!numbers_in_range({{hauteur_, ctx_.text(ui::prop_height)},
                           {elevation_, ctx_.text(ui::prop_elevation)},
                           {rot_, ctx_.text(ui::prop_rotation)}},
                          ctx_.texts, prompts_, windowTitle().toStdString()))
        return;
    apply_group_fields(ctx_.plan, ctx_.components, members_, group_, fields());
    accept();
}

void GroupPropertiesDialog::prop_grp_hauteur_change_Click()
{
    const auto choices = frame_height_choices(ctx_.text(ui::module_word), ctx_.components);
    hauteur_->setText(q(format_number(next_height(choices, dialog_number(hauteur_->text().toStdString())))));
}

void GroupPropertiesDialog::prop_grp_hauteur_change_iso_Click()
{
    const auto choices = module_height_choices(ctx_.text(ui::module_word));
    hauteur_->setText(q(format_number(next_height(choices, dialog_number(hauteur_->text().toStdString())))));
}

void GroupPropertiesDialog::prop_grp_change(int face)
{
    // One picture for objects of every size: there is no one proportion to hold it against.
    auto file = choose_face_picture(prompts_, ctx_.texts, ctx_.settings, std::nullopt);
    if (!file)
        return;
    (face == 1 ? recto_ : verso_) = file->string();
    (face == 1 ? recto_box_ : verso_box_)->setText(q(file->string()));
}

} // namespace halvern
