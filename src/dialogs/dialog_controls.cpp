#include "dialogs/dialog_controls.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>

#include "base/numbers.h"
#include "base/ui_text.h"
#include "base/ui_text_ids.h"
#include "platform/prompts.h"

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

bool numbers_in_range(std::initializer_list<NumberBox> boxes, const UiText& texts, Prompts& prompts,
                      const std::string& title)
{
    for (const NumberBox& number : boxes) {
        const std::string typed = number.box->text().toStdString();
        if (dialog_number_in(typed, number.range))
            continue;
        prompts.warn(title, texts.get(ui::message_number_range) + "\n" + number.field + ": " + typed + "\n"
                                + format_number(number.range.min) + " .. " + format_number(number.range.max));
        // The box may be on a tab that is not shown.
        for (QWidget* w = number.box; w && w->parentWidget(); w = w->parentWidget())
            if (qobject_cast<QStackedWidget*>(w->parentWidget()))
                if (auto* tabs = qobject_cast<QTabWidget*>(w->parentWidget()->parentWidget()))
                    tabs->setCurrentWidget(w);
        number.box->setFocus();
        number.box->selectAll();
        return false;
    }
    return true;
}

} // namespace halvern
