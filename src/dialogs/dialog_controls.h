#pragma once
// The controls every dialog builds the same way: each carries the object name that tests and
// users' habits find it by, and every dialog ends with the same row of buttons.

#include <QString>

#include <initializer_list>
#include <string>

#include "plan/dialog_fields.h"

class QDialog;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace halvern {

class Prompts;
class UiText;

inline QString q(const std::string& text) { return QString::fromStdString(text); }

QLabel* named_label(const QString& name, const std::string& text, QWidget* parent);
QLineEdit* named_box(const QString& name, const std::string& text, QWidget* parent, bool read_only = false);
QPushButton* named_button(const QString& name, const std::string& text, QWidget* parent);

// The dialog's last row, on the right: its default button, then Cancel, which rejects the dialog.
// The caller connects the default button to its own OK.
QHBoxLayout* ok_cancel_row(QDialog* dialog, QPushButton* ok, QPushButton* cancel);

// A number box of a dialog, the name of its field as the dialog shows it, and the field's range.
struct NumberBox {
    QLineEdit* box;
    std::string field;
    NumberRange range{};
};

// Before OK stores anything: the first box whose number lies outside its field's range is named to
// the user with the range, and shown with the focus in it; gives whether every number is in range.
bool numbers_in_range(std::initializer_list<NumberBox> boxes, const UiText& texts, Prompts& prompts,
                      const std::string& title);

} // namespace halvern
