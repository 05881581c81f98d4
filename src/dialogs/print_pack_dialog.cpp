#include "dialogs/print_pack_dialog.h"

#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

#include <cmath>
#include <optional>

#include "base/numbers.h"
#include "base/ui_text_ids.h"
#include "dialogs/dialog_controls.h"
#include "platform/prompts.h"
#include "platform/qt_settings_store.h"

namespace halvern {

namespace {

QSettings remembered()
{
    return QSettings(settings_file_format(), QSettings::UserScope, QStringLiteral("Quilma Editor"),
                     QStringLiteral("Quilma Editor"));
}

// A typed number, "," read as "."; nothing for a text that is not one number.
std::optional<double> typed_number(const QLineEdit* box)
{
    std::string text = box->text().trimmed().toStdString();
    for (char& c : text)
        if (c == ',')
            c = '.';
    return parse_strict_real(text);
}

} // namespace

PrintPackDialog::PrintPackDialog(const UiText& texts, const std::filesystem::path& folder, Prompts& prompts,
                                 QWidget* parent)
    : QDialog(parent), prompts_(prompts), texts_(texts)
{
    setObjectName("form_print_pack");
    setWindowTitle(q(texts.get(ui::pack_dialog_title)));
    QSettings settings = remembered();
    settings.beginGroup("PrintPack");
    const PrintPackSettings defaults;
    auto stored = [&](const char* key, double fallback) {
        return format_number(settings.value(key, fallback).toDouble());
    };

    folder_ = named_box("pack_folder", folder.string(), this);
    folder_->setMinimumWidth(360);
    auto* choose = named_button("pack_folder_change", "...", this);
    connect(choose, &QPushButton::clicked, this, [this] {
        const QString chosen = QFileDialog::getExistingDirectory(this, windowTitle(), folder_->text());
        if (!chosen.isEmpty())
            folder_->setText(chosen);
    });
    dpi_ = named_box("pack_dpi", stored("dpi", defaults.dpi), this);
    bleed_ = named_box("pack_bleed", stored("bleed_mm", defaults.bleed_mm), this);
    roll_ = named_box("pack_roll", stored("roll_mm", defaults.roll_mm), this);

    auto* folder_row = new QHBoxLayout;
    folder_row->addWidget(folder_, 1);
    folder_row->addWidget(choose);
    auto* form = new QFormLayout;
    form->addRow(q(texts.get(ui::pack_folder)), folder_row);
    form->addRow(q(texts.get(ui::pack_dpi_label)), dpi_);
    form->addRow(q(texts.get(ui::pack_bleed_label)), bleed_);
    form->addRow(q(texts.get(ui::pack_roll)), roll_);
    auto* ok = named_button("pack_ok", texts.get(ui::ok), this);
    auto* cancel = named_button("pack_cancel", texts.get(2), this);
    connect(ok, &QPushButton::clicked, this, &PrintPackDialog::pack_ok_Click);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(ok_cancel_row(this, ok, cancel));
}

std::filesystem::path PrintPackDialog::folder() const { return folder_->text().trimmed().toStdString(); }

void PrintPackDialog::pack_ok_Click()
{
    const auto dpi = typed_number(dpi_), bleed = typed_number(bleed_), roll = typed_number(roll_);
    PrintPackSettings chosen;
    std::string problem;
    if (!dpi || *dpi != std::floor(*dpi) || *dpi < 10 || *dpi > 1200)
        problem = "the resolution is a whole number of dots per inch from 10 to 1200";
    else if (!bleed || !roll)
        problem = "the bleed and the roll width are numbers of millimetres";
    else {
        chosen.dpi = int(*dpi);
        chosen.bleed_mm = *bleed;
        chosen.roll_mm = *roll;
        if (auto checked = check_print_pack_settings(chosen); !checked)
            problem = checked.error().message;
    }
    if (problem.empty() && folder().empty())
        problem = "choose the folder the pack is written into";
    if (!problem.empty()) {
        prompts_.warn(texts_.get(ui::pack_dialog_title), problem);
        return;
    }
    settings_ = chosen;
    QSettings settings = remembered();
    settings.beginGroup("PrintPack");
    settings.setValue("dpi", chosen.dpi);
    settings.setValue("bleed_mm", chosen.bleed_mm);
    settings.setValue("roll_mm", chosen.roll_mm);
    accept();
}

} // namespace halvern
