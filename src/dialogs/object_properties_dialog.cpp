#include "dialogs/object_properties_dialog.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "base/colour_model.h"
#include "base/numbers.h"
#include "base/ui_text_ids.h"
#include "dialogs/colour_palette.h"
#include "dialogs/dialog_controls.h"
#include "dialogs/pickers.h"
#include "dialogs/texture_form.h"
#include "geometry/height_lists.h"
#include "plan/face_proportion.h"
#include "platform/prompts.h"

namespace halvern {

namespace {

// A colour slot's swatch as a style sheet.
QString swatch(const Rgb& c) { return QStringLiteral("background-color: rgb(%1, %2, %3);").arg(c.r).arg(c.g).arg(c.b); }

} // namespace

ObjectPropertiesDialog::ObjectPropertiesDialog(PropertyContext context, Prompts& prompts, int object,
                                               QWidget* parent)
    : QDialog(parent), ctx_(context), prompts_(prompts), object_(object),
      shown_(read_object_fields(context.plan, object))
{
    setObjectName(QStringLiteral("form_properties"));
    setWindowTitle(q(context.text(ui::prop_title)));
    const int n = context.plan.comp(object);
    face_type_ = ComponentTable::valid(n) ? int(context.components[n].panel) : 0;

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("tbs"));
    tabs_->addTab(general_page(), q(context.text(ui::prop_tab_general)));
    tabs_->addTab(size_page(), q(context.text(ui::prop_tab_size)));
    tabs_->addTab(colours_page(), q(context.text(ui::prop_tab_colours)));
    if (face_type_ == 1 || face_type_ == 3)
        tabs_->addTab(face_page(1), q(context.text(ui::prop_tab_recto)));
    if (face_type_ == 2 || face_type_ == 3)
        tabs_->addTab(face_page(2), q(context.text(ui::prop_tab_verso)));

    auto* ok = named_button(QStringLiteral("prop_ok"), context.text(ui::ok), this);
    connect(ok, &QPushButton::clicked, this, &ObjectPropertiesDialog::prop_ok_Click);
    QHBoxLayout* buttons =
        ok_cancel_row(this, ok, named_button(QStringLiteral("prop_annule"), context.text(ui::cancel), this));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_, 1);
    layout->addLayout(buttons);
    setMinimumWidth(460);
    text_->setFocus();
}

QWidget* ObjectPropertiesDialog::general_page()
{
    auto* page = new QWidget(tabs_);
    page->setObjectName(QStringLiteral("prop_general"));
    const PlanTable& plan = ctx_.plan;
    const int n = plan.comp(object_);
    const Component* c = ComponentTable::valid(n) ? &ctx_.components[n] : nullptr;
    const std::string library =
        c && LibraryTable::valid(c->library) ? ctx_.libraries.name[size_t(c->library)] : std::string();

    // What is most often changed comes first, in the order Tab goes through it; the boxes that only
    // show take the focus from a click alone.
    index_ = named_box(QStringLiteral("prop_index"), std::to_string(object_), page, true);
    auto* nom = named_box(QStringLiteral("prop_nom"), c ? c->name : "", page, true);
    auto* lib = named_box(QStringLiteral("prop_lib"), library, page, true);
    for (QLineEdit* shown : {index_, nom, lib})
        shown->setFocusPolicy(Qt::ClickFocus);
    text_ = named_box(QStringLiteral("prop_text"), shown_.texte, page);
    hauteur_ = named_box(QStringLiteral("prop_hauteur"), shown_.hauteur, page);
    auto* next = named_button(QStringLiteral("prop_hauteur_change"), ctx_.text(ui::prop_next_height), page);
    // Only the frames and the modular frames have standard heights to step through.
    next->setEnabled(c && height_list_of(*c) != HeightList::none);
    connect(next, &QPushButton::clicked, this, &ObjectPropertiesDialog::prop_hauteur_change_Click);
    elevation_ = named_box(QStringLiteral("prop_elevation"), shown_.elevation, page);
    rot_ = named_box(QStringLiteral("prop_r"), shown_.rot, page);

    auto* grid = new QGridLayout(page);
    const struct {
        const char* label;
        int text;
        QWidget* box;
    } rows[] = {
        {"prop1", ui::prop_object_number, index_}, {"prop1b", ui::prop_component, nom},
        {"prop1c", ui::prop_library, lib},         {"prop3c", ui::prop_label, text_},
        {"prop3", ui::prop_height, hauteur_},      {"prop2", ui::prop_elevation, elevation_},
        {"prop2b", ui::prop_rotation, rot_},
    };
    int row = 0;
    for (const auto& r : rows) {
        grid->addWidget(named_label(QString::fromLatin1(r.label), ctx_.text(r.text), page), row, 0);
        grid->addWidget(r.box, row, 1);
        if (r.box == hauteur_)
            grid->addWidget(next, row, 2);
        ++row;
    }
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(1, 1);
    return page;
}

QWidget* ObjectPropertiesDialog::size_page()
{
    auto* page = new QWidget(tabs_);
    page->setObjectName(QStringLiteral("prop_size"));
    largeur_ = named_box(QStringLiteral("prop_largeur"), shown_.largeur, page);
    profondeur_ = named_box(QStringLiteral("prop_profondeur"), shown_.profondeur, page);
    peri_ = named_box(QStringLiteral("prop_peri"), "", page, true);
    peri_->setFocusPolicy(Qt::ClickFocus);

    auto* grid = new QGridLayout(page);
    grid->addWidget(named_label(QStringLiteral("prop3a"), ctx_.text(ui::prop_width), page), 0, 0);
    grid->addWidget(largeur_, 0, 1);
    grid->addWidget(named_label(QStringLiteral("prop3b"), ctx_.text(ui::prop_depth), page), 1, 0);
    grid->addWidget(profondeur_, 1, 1);
    grid->addWidget(named_label(QStringLiteral("prop3a2"), ctx_.text(ui::prop_perimeter), page), 2, 0);
    grid->addWidget(peri_, 2, 1);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(1, 1);
    connect(largeur_, &QLineEdit::textChanged, this, &ObjectPropertiesDialog::update_perimeter);
    connect(profondeur_, &QLineEdit::textChanged, this, &ObjectPropertiesDialog::update_perimeter);
    update_perimeter();
    return page;
}

QWidget* ObjectPropertiesDialog::colours_page()
{
    auto* page = new QWidget(tabs_);
    page->setObjectName(QStringLiteral("prop_colours"));
    auto* layout = new QGridLayout(page);
    layout->addWidget(named_label(QStringLiteral("prop1d"), ctx_.text(ui::prop_colour_slots), page), 0, 0, 1, 2);
    const int n = ctx_.plan.comp(object_);
    colour_box_ = new QFrame(page);
    colour_box_->setObjectName(QStringLiteral("color_box"));
    colour_box_->setFrameShape(QFrame::Box);
    colour_box_->setFixedSize(48, 48);
    int first = -1;
    int row = 1;
    for (int k = 0; k < colour_slots && ComponentTable::valid(n); ++k) {
        const Component& c = ctx_.components[n];
        if (c.color_src[size_t(k)].empty())
            continue;
        const std::string name = c.color_name[size_t(k)].empty() ? std::to_string(k) : c.color_name[size_t(k)];
        auto* button = named_button(QStringLiteral("color_change_%1").arg(k),
                                    ctx_.text(ui::prop_colour) + " " + name, page);
        connect(button, &QPushButton::clicked, this, [this, k] { color_change_Click(k); });
        auto* sample = new QFrame(page);
        sample->setObjectName(QStringLiteral("color_sample_%1").arg(k));
        sample->setFixedSize(24, 24);
        colour_buttons_[size_t(k)] = button;
        colour_samples_[size_t(k)] = sample;
        layout->addWidget(button, row, 0);
        layout->addWidget(sample, row++, 1);
        show_slot_colour(k);
        if (first < 0)
            first = k;
    }
    if (first >= 0)
        colour_box_->setStyleSheet(swatch(slot_shown(first).couleur));
    colour_box_->setVisible(first >= 0);
    layout->addWidget(colour_box_, 1, 2, std::max(1, row - 1), 1, Qt::AlignTop);
    layout->setRowStretch(row, 1);
    layout->setColumnStretch(3, 1);
    return page;
}

ColourSlot ObjectPropertiesDialog::slot_shown(int slot) const
{
    const auto& pending = shown_.colours[size_t(slot)];
    return pending ? *pending : ctx_.plan.colours[size_t(object_)][size_t(slot)];
}

void ObjectPropertiesDialog::show_slot_colour(int slot)
{
    QPushButton* button = colour_buttons_[size_t(slot)];
    if (!button)
        return;
    const Rgb c = slot_shown(slot).couleur;
    // The button wears the slot's colour, its caption kept readable on it.
    const QString text = rgb_to_hsl(c.r, c.g, c.b).l > 0.5 ? QStringLiteral("black") : QStringLiteral("white");
    button->setStyleSheet(swatch(c) + QStringLiteral(" color: %1; padding: 4px 10px;").arg(text));
    colour_samples_[size_t(slot)]->setStyleSheet(swatch(c));
}

void ObjectPropertiesDialog::color_change_Click(int slot)
{
    if (slot < 0 || slot >= colour_slots || !colour_buttons_[size_t(slot)])
        return;
    ColourPalette palette(ctx_.app_dir / "lib" / "color", ctx_.texts, object_, slot,
                          slot_shown(slot), this);
    if (palette.exec() != QDialog::Accepted || !palette.chosen())
        return;
    shown_.colours[size_t(slot)] = *palette.chosen();
    show_slot_colour(slot);
    colour_box_->setStyleSheet(swatch(palette.chosen()->couleur));
}

QWidget* ObjectPropertiesDialog::face_page(int face)
{
    const bool recto = face == 1;
    auto* page = new QWidget(tabs_);
    page->setObjectName(recto ? QStringLiteral("prop_recto_page") : QStringLiteral("prop_verso_page"));
    const QString suffix = recto ? QString() : QStringLiteral("_2");
    tex_[size_t(face)] = new QCheckBox(q(ctx_.text(recto ? ui::prop_has_recto : ui::prop_has_verso)), page);
    tex_[size_t(face)]->setObjectName(recto ? QStringLiteral("prop_tex1") : QStringLiteral("prop_tex2"));
    tex_[size_t(face)]->setChecked(recto ? shown_.tex1 : shown_.tex2);
    picture_[size_t(face)] = named_box(recto ? QStringLiteral("prop_recto") : QStringLiteral("prop_verso"),
                                       recto ? shown_.visuel_recto : shown_.visuel_verso, page);
    force_[size_t(face)] = named_box(recto ? QStringLiteral("prop_force1") : QStringLiteral("prop_force2"),
                                     recto ? shown_.force_recto : shown_.force_verso, page);
    auto* choose = named_button(recto ? QStringLiteral("prop_recto_change") : QStringLiteral("prop_verso_change"),
                                ctx_.text(ui::prop_choose_picture), page);
    connect(choose, &QPushButton::clicked, this, [this, face] { face_picture_change(face); });

    auto* grid = new QGridLayout(page);
    grid->addWidget(tex_[size_t(face)], 0, 0, 1, 3);
    grid->addWidget(named_label(recto ? QStringLiteral("prop4") : QStringLiteral("prop5"),
                                ctx_.text(recto ? ui::prop_recto_picture : ui::prop_verso_picture), page),
                    1, 0);
    grid->addWidget(picture_[size_t(face)], 1, 1);
    auto* picture_buttons = new QHBoxLayout;
    picture_buttons->addWidget(choose);
    if (recto) {
        auto* textures = named_button(QStringLiteral("prop_recto_tex_change"), ctx_.text(ui::texture_title) + "...",
                                      page);
        connect(textures, &QPushButton::clicked, this, &ObjectPropertiesDialog::prop_recto_tex_change_Click);
        picture_buttons->addWidget(textures);
    }
    picture_buttons->addStretch(1);
    grid->addLayout(picture_buttons, 2, 1);
    grid->addWidget(named_label(recto ? QStringLiteral("prop4a") : QStringLiteral("prop4a_2"),
                                ctx_.text(ui::prop_picture_size), page),
                    3, 0);
    grid->addWidget(named_label(QStringLiteral("prop_v1") + suffix, ctx_.text(ui::prop_picture_width), page), 4, 0);
    size_width_[size_t(face)] = named_box(QStringLiteral("prop_visuel_larg") + suffix, "", page, true);
    grid->addWidget(size_width_[size_t(face)], 4, 1);
    grid->addWidget(named_label(QStringLiteral("prop_v2") + suffix, ctx_.text(ui::prop_picture_height), page), 5, 0);
    size_height_[size_t(face)] = named_box(QStringLiteral("prop_visuel_haut") + suffix, "", page, true);
    grid->addWidget(size_height_[size_t(face)], 5, 1);
    grid->addWidget(named_label(recto ? QStringLiteral("prop3fv1") : QStringLiteral("prop3fv2"),
                                ctx_.text(recto ? ui::prop_recto_end_code : ui::prop_verso_end_code), page),
                    6, 0);
    grid->addWidget(force_[size_t(face)], 6, 1);
    grid->setRowStretch(7, 1);
    grid->setColumnStretch(1, 1);
    // The picture's size follows what is typed, before OK stores it.
    for (QLineEdit* box : {hauteur_, largeur_, force_[size_t(face)]})
        if (box)
            connect(box, &QLineEdit::textChanged, this, [this, face] { show_face_size(face); });
    show_face_size(face);
    return page;
}

FaceSize ObjectPropertiesDialog::typed_face_size(int face) const
{
    TypedFace typed;
    typed.height_cm = dialog_number(hauteur_->text().toStdString());
    typed.width_cm = dialog_number(largeur_->text().toStdString());
    if (force_[size_t(face)])
        typed.end_code = force_[size_t(face)]->text().toStdString();
    return face_picture_size(ctx_.plan, ctx_.components, object_, face, typed);
}

void ObjectPropertiesDialog::show_face_size(int face)
{
    if (!size_width_[size_t(face)])
        return;
    const FaceSize size = typed_face_size(face);
    size_width_[size_t(face)]->setText(q(format_number(size.width)));
    size_height_[size_t(face)]->setText(q(format_number(size.height)));
}

void ObjectPropertiesDialog::update_perimeter()
{
    const double p = ellipse_perimeter(dialog_number(largeur_->text().toStdString()),
                                       dialog_number(profondeur_->text().toStdString()));
    peri_->setText(q(format_number(round_half_away(p * 100) / 100)));
}

ObjectFields ObjectPropertiesDialog::fields() const
{
    ObjectFields f = shown_;
    f.texte = text_->text().toStdString();
    f.elevation = elevation_->text().toStdString();
    f.hauteur = hauteur_->text().toStdString();
    f.profondeur = profondeur_->text().toStdString();
    f.largeur = largeur_->text().toStdString();
    f.rot = rot_->text().toStdString();
    if (tex_[1]) {
        f.tex1 = tex_[1]->isChecked();
        f.visuel_recto = picture_[1]->text().toStdString();
        f.force_recto = force_[1]->text().toStdString();
    }
    if (tex_[2]) {
        f.tex2 = tex_[2]->isChecked();
        f.visuel_verso = picture_[2]->text().toStdString();
        f.force_verso = force_[2]->text().toStdString();
    }
    return f;
}

void ObjectPropertiesDialog::prop_ok_Click()
{
    if (!numbers_in_range({{hauteur_, ctx_.text(ui::prop_height)},
                           {elevation_, ctx_.text(ui::prop_elevation)},
                           {rot_, ctx_.text(ui::prop_rotation)},
                           {largeur_, ctx_.text(ui::prop_width)},
                           {profondeur_, ctx_.text(ui::prop_depth)}},
                          ctx_.texts, prompts_, windowTitle().toStdString()))
        return;
    apply_object_fields(ctx_.plan, object_, face_type_, fields());
    accept();
}

void ObjectPropertiesDialog::prop_hauteur_change_Click()
{
    const int n = ctx_.plan.comp(object_);
    if (!ComponentTable::valid(n))
        return;
    const std::string word = ctx_.text(ui::module_word);
    const double current = dialog_number(hauteur_->text().toStdString());
    double next = current;
    switch (height_list_of(ctx_.components[n])) {
    case HeightList::frames:
        next = next_height(frame_height_choices(word, ctx_.components), current);
        break;
    case HeightList::modules:
        next = next_height(module_height_choices(word), current);
        break;
    case HeightList::none:
        return;
    }
    hauteur_->setText(q(format_number(next)));
}

void ObjectPropertiesDialog::face_picture_change(int face)
{
    if (!picture_[size_t(face)])
        return;
    const FaceSize size = typed_face_size(face);
    if (auto file = choose_face_picture(prompts_, ctx_.texts, ctx_.settings, size.proportion()))
        picture_[size_t(face)]->setText(q(file->string()));
}

void ObjectPropertiesDialog::prop_recto_change_Click() { face_picture_change(1); }

void ObjectPropertiesDialog::prop_verso_change_Click() { face_picture_change(2); }

void ObjectPropertiesDialog::prop_recto_tex_change_Click()
{
    if (!picture_[1])
        return;
    TextureForm form(ctx_.app_dir, ctx_.texts, TextureTarget::recto, *picture_[1], this);
    form.exec();
}

} // namespace halvern
