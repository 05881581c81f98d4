#pragma once
// The controls every dialog builds the same way: each carries the object name that tests and
// users' habits find it by, and every dialog ends with the same row of buttons.

#include <QString>

#include <string>

class QDialog;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace halvern {

inline QString q(const std::string& text) { return QString::fromStdString(text); }

QLabel* named_label(const QString& name, const std::string& text, QWidget* parent);
QLineEdit* named_box(const QString& name, const std::string& text, QWidget* parent, bool read_only = false);
QPushButton* named_button(const QString& name, const std::string& text, QWidget* parent);

// The dialog's last row, on the right: its default button, then Cancel, which rejects the dialog.
// The caller connects the default button to its own OK.
QHBoxLayout* ok_cancel_row(QDialog* dialog, QPushButton* ok, QPushButton* cancel);

} // namespace halvern
