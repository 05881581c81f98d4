#pragma once
// `form_properties`: one object's number, component and library, elevation, rotation, height,
// width, depth, label and perimeter, its colour slots, and the pictures of its recto and verso
// faces with their end-code overrides. OK writes everything in one go (the caller makes it one undo
// step); Cancel and the close box change nothing.

#include <QDialog>

#include <array>

#include "dialogs/property_context.h"
#include "plan/dialog_fields.h"
#include "plan/face_proportion.h"

class QCheckBox;
class QFrame;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace halvern {

class Prompts;

class ObjectPropertiesDialog : public QDialog {
    Q_OBJECT
public:
    // Precondition: `object` is an object of the plan.
    ObjectPropertiesDialog(PropertyContext context, Prompts& prompts, int object,
                           QWidget* parent = nullptr);

    void prop_ok_Click();
    void prop_hauteur_change_Click();
    void prop_recto_change_Click();
    void prop_verso_change_Click();
    void prop_recto_tex_change_Click();
    // `color_change_0_Click` .. `color_change_5_click`: the palette on that slot; the colour it
    // gives stays pending (the button shows it) until OK.
    void color_change_Click(int slot);

    // The fields as they stand in the dialog.
    ObjectFields fields() const;

private:
    QWidget* general_page();
    QWidget* size_page();
    QWidget* colours_page();
    QWidget* face_page(int face);
    void face_picture_change(int face);
    // The face's picture size from the height, width and end code as they stand in the dialog.
    FaceSize typed_face_size(int face) const;
    void show_face_size(int face);
    void update_perimeter();
    ColourSlot slot_shown(int slot) const;
    void show_slot_colour(int slot);

    PropertyContext ctx_;
    Prompts& prompts_;
    int object_;
    int face_type_;
    ObjectFields shown_;

    QTabWidget* tabs_ = nullptr;
    QLineEdit* index_ = nullptr;
    QLineEdit* elevation_ = nullptr;
    QLineEdit* rot_ = nullptr;
    QLineEdit* hauteur_ = nullptr;
    QLineEdit* largeur_ = nullptr;
    QLineEdit* profondeur_ = nullptr;
    QLineEdit* text_ = nullptr;
    QLineEdit* peri_ = nullptr;
    std::array<QCheckBox*, 3> tex_{};     // by face 1, 2
    std::array<QLineEdit*, 3> picture_{}; // prop_recto, prop_verso
    std::array<QLineEdit*, 3> force_{};   // prop_force1, prop_force2
    std::array<QLineEdit*, 3> size_width_{}, size_height_{}; // prop_visuel_larg, prop_visuel_haut
    std::array<QPushButton*, colour_slots> colour_buttons_{};
    std::array<QFrame*, colour_slots> colour_samples_{};
    QFrame* colour_box_ = nullptr;
};

} // namespace halvern
