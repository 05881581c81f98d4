#include "dialogs/stand_form.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/numbers.h"
#include "base/ui_text_ids.h"
#include "dialogs/dialog_controls.h"
#include "dialogs/texture_form.h"
#include "plan/dialog_fields.h"
#include "platform/prompts.h"

namespace halvern {

StandForm::StandForm(StandSettings& stand, const UiText& texts, const std::filesystem::path& app_dir,
                     Prompts& prompts, QWidget* parent)
    : QDialog(parent), stand_(stand), texts_(texts), app_dir_(app_dir), prompts_(prompts)
{
    setObjectName(QStringLiteral("projet"));
    setWindowTitle(q(texts.get(ui::stand_title)));

    width_ = named_box("projet_largeur", {}, this);
    depth_ = named_box("projet_profondeur", {}, this);
    client_ = named_box("projet_client", {}, this);
    title_ = named_box("projet_titre", {}, this);
    floor_ = named_box("projet_sol", {}, this);

    auto* fields = new QGridLayout;
    const struct {
        int text;
        QLineEdit* box;
        const char* label;
    } rows[] = {{ui::stand_width, width_, "projet_l1"},
                {ui::stand_depth, depth_, "projet_l2"},
                {ui::stand_client, client_, "projet_l3"},
                {ui::stand_project_title, title_, "projet_l4"}};
    int row = 0;
    for (const auto& r : rows) {
        auto* label = new QLabel(q(texts.get(r.text)), this);
        label->setObjectName(QString::fromLatin1(r.label));
        fields->addWidget(label, row, 0);
        fields->addWidget(r.box, row, 1, 1, 2);
        ++row;
    }

    auto* walls = new QGroupBox(this);
    walls->setObjectName(QStringLiteral("projet_murs"));
    auto* grid = new QGridLayout(walls);
    const int sides[] = {ui::stand_left, ui::stand_right, ui::stand_back, ui::stand_front};
    const int row_texts[] = {ui::stand_walls, ui::stand_open_frames, ui::stand_header_bands};
    for (int side = 0; side < wall_sides; ++side) {
        auto* heading = new QLabel(q(texts.get(sides[side])), walls);
        heading->setObjectName(QStringLiteral("projet_side_%1").arg(side));
        grid->addWidget(heading, 0, side + 1, Qt::AlignCenter);
    }
    for (int r = 0; r < wall_rows; ++r) {
        auto* heading = new QLabel(q(texts.get(row_texts[r])), walls);
        heading->setObjectName(QStringLiteral("projet_row_%1").arg(r));
        grid->addWidget(heading, r + 1, 0);
        for (int side = 0; side < wall_sides; ++side) {
            auto* box = new QCheckBox(walls);
            box->setObjectName(QStringLiteral("projet_mur_%1").arg(wall_bit(r, side)));
            walls_[size_t(r * wall_sides + side)] = box;
            grid->addWidget(box, r + 1, side + 1, Qt::AlignCenter);
        }
    }

    auto* floor_label = new QLabel(q(texts.get(ui::stand_floor_texture)), this);
    floor_label->setObjectName(QStringLiteral("projet_l5"));
    auto* change = new QPushButton(q(texts.get(ui::stand_choose_texture)), this);
    change->setObjectName(QStringLiteral("projet_change"));
    connect(change, &QPushButton::clicked, this, &StandForm::projet_change_Click);
    fields->addWidget(floor_label, row, 0);
    fields->addWidget(floor_, row, 1);
    fields->addWidget(change, row, 2);
    fields->setColumnStretch(1, 1);

    auto* ok = named_button(QStringLiteral("projetok"), texts.get(ui::ok), this);
    connect(ok, &QPushButton::clicked, this, &StandForm::projetok_Click);
    QHBoxLayout* buttons =
        ok_cancel_row(this, ok, named_button(QStringLiteral("projetannule"), texts.get(ui::cancel), this));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(walls);
    layout->addLayout(buttons);
    setMinimumWidth(520);
    projet_Load();
    width_->setFocus();
}

void StandForm::projet_Load()
{
    client_->setText(q(stand_.client));
    title_->setText(q(stand_.title));
    width_->setText(q(format_number(stand_.stand_largeur)));
    depth_->setText(q(format_number(stand_.stand_profondeur)));
    floor_->setText(q(stand_.floor_texture));
    for (int r = 0; r < wall_rows; ++r)
        for (int side = 0; side < wall_sides; ++side)
            wall_box(r, side)->setChecked(wall_set(stand_.stand_murs, r, side));
}

void StandForm::projet_change_Click()
{
    TextureForm form(app_dir_, texts_, TextureTarget::sol, *floor_, this);
    form.exec();
}

void StandForm::projetok_Click()
{
    const float width = dialog_number(width_->text().toStdString());
    const float depth = dialog_number(depth_->text().toStdString());
    // A size typed outside what pictures and the 3D scene can hold is refused and the form stays
    // open to mend it; a size the design already had (a file may hold one) is kept as it is, so
    // that changing the client does not ask to shrink the stand.
    auto acceptable = [](QLineEdit* box, float typed, float stored) {
        return stand_size_valid(typed) || box->text() == q(format_number(stored));
    };
    const bool width_ok = acceptable(width_, width, stand_.stand_largeur);
    if (!width_ok || !acceptable(depth_, depth, stand_.stand_profondeur)) {
        prompts_.warn(texts_.get(ui::stand_title), texts_.get(ui::message_stand_size));
        (width_ok ? depth_ : width_)->setFocus();
        return;
    }
    stand_.stand_largeur = width;
    stand_.stand_profondeur = depth;
    stand_.client = client_->text().toStdString();
    stand_.title = title_->text().toStdString();
    int mask = stand_.stand_murs;
    for (int r = 0; r < wall_rows; ++r)
        for (int side = 0; side < wall_sides; ++side)
            mask = with_wall(mask, r, side, wall_box(r, side)->isChecked());
    stand_.stand_murs = mask;
    stand_.floor_texture = floor_->text().toStdString();
    accept();
}

} // namespace halvern
