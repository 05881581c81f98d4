#include "dialogs/sheet_options_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QVBoxLayout>

namespace halvern {

namespace {

QString q(const std::string& text) { return QString::fromStdString(text); }

QComboBox* combo(const char* name, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

void select_data(QComboBox* box, int value)
{
    const int index = box->findData(value);
    box->setCurrentIndex(index < 0 ? 0 : index);
}

} // namespace

SheetOptionsPanel::SheetOptionsPanel(const SheetChoiceTexts& texts, const SheetOptions& options, bool with_paper,
                                     QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("sheet_options"));
    setWindowTitle(q(texts.title));
    auto* form = new QFormLayout(this);
    scale_ = combo("sheet_scale", this);
    scale_->addItem(q(texts.fitted), fitted_scale);
    scale_->addItem(QStringLiteral("1:50"), 50);
    scale_->addItem(QStringLiteral("1:100"), 100);
    select_data(scale_, options.scale);
    form->addRow(q(texts.scale), scale_);
    if (with_paper) {
        paper_ = combo("sheet_paper", this);
        paper_->addItem(QStringLiteral("A4"), int(Paper::a4));
        paper_->addItem(QStringLiteral("A3"), int(Paper::a3));
        select_data(paper_, int(options.paper));
        form->addRow(q(texts.paper), paper_);
        turn_ = combo("sheet_orientation", this);
        turn_->addItem(q(texts.automatic), int(PageTurn::automatic));
        turn_->addItem(q(texts.portrait), int(PageTurn::portrait));
        turn_->addItem(q(texts.landscape), int(PageTurn::landscape));
        select_data(turn_, int(options.turn));
        form->addRow(q(texts.orientation), turn_);
    }
    bill_ = new QCheckBox(q(texts.bill_page), this);
    bill_->setObjectName(QStringLiteral("sheet_bill_page"));
    bill_->setChecked(options.bill_page);
    form->addRow(bill_);
}

void SheetOptionsPanel::apply(SheetOptions& options) const
{
    options.scale = scale_->currentData().toInt();
    if (paper_)
        options.paper = Paper(paper_->currentData().toInt());
    if (turn_)
        options.turn = PageTurn(turn_->currentData().toInt());
    options.bill_page = bill_->isChecked();
}

bool ask_sheet_options(QWidget* parent, const SheetChoiceTexts& texts, SheetOptions& options)
{
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("sheet_dialog"));
    dialog.setWindowTitle(q(texts.title));
    auto* panel = new SheetOptionsPanel(texts, options, true, &dialog);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(panel);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    panel->apply(options);
    return true;
}

} // namespace halvern
