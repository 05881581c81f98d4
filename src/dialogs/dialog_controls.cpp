#include "dialogs/dialog_controls.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace halvern {

QLabel* named_label(const QString& name, const std::string& text, QWidget* parent)
{
    auto* label = new QLabel(q(text), parent);
    label->setObjectName(name);
    return label;
}

QLineEdit* named_box(const QString& name, const std::string& text, QWidget* parent, bool read_only)
{
    auto* box = new QLineEdit(q(text), parent);
    box->setObjectName(name);
    box->setReadOnly(read_only);
    return box;
}

QPushButton* named_button(const QString& name, const std::string& text, QWidget* parent)
{
    auto* button = new QPushButton(q(text), parent);
    button->setObjectName(name);
    return button;
}

QHBoxLayout* ok_cancel_row(QDialog* dialog, QPushButton* ok, QPushButton* cancel)
{
    ok->setDefault(true);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

} // namespace halvern
