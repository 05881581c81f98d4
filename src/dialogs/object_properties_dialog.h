#pragma once
// `form_properties`: one object's number, component and library, elevation, rotation, height,
// width, depth, label and perimeter, its colour slots, and the pictures of its recto and verso
// faces with their end-code overrides. OK writes everything in one go (the caller makes it one undo
// step); Cancel and the close box change nothing.

#include <QDialog>

#include <array>

#include "plan/dialog_fields.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace halvern {

struct Session;
class Prompts;

class ObjectPropertiesDialog : public QDialog {
    Q_OBJECT
public:
    // Precondition: `object` is an object of the plan.
    ObjectPropertiesDialog(Session& session, Prompts& prompts, int object,
                           QWidget* parent = nullptr);

    void prop_ok_Click();
    void prop_hauteur_change_Click();
    void prop_recto_change_Click();
    void prop_verso_change_Click();
    void prop_recto_tex_change_Click();

    // The fields as they stand in the dialog.
    ObjectFields fields() const;

private:
    QWidget* general_page();
    QWidget* size_page();
    QWidget* colours_page();
    QWidget* face_page(int face);
    void face_picture_change(int face);
    void update_perimeter();

    Session& session_;
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
};

} // namespace halvern
