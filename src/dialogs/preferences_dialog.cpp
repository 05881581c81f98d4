#include "dialogs/preferences_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "base/ui_text_ids.h"
#include "dialogs/dialog_controls.h"

namespace halvern {

namespace {

QLabel* named_label(const char* name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

} // namespace

PreferencesDialog::PreferencesDialog(Settings& settings, const UiText& texts, QWidget* parent)
    : QDialog(parent), settings_(settings)
{
    setObjectName(QStringLiteral("pref"));
    setWindowTitle(q(texts.get(ui::preferences_title)));
    resize(560, 355);

    auto* tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("pref_tabs"));

    auto* page_3d = new QWidget(tabs);
    page_3d->setObjectName(QStringLiteral("pref_pr1"));
    auto* layout_3d = new QVBoxLayout(page_3d);
    layout_3d->addWidget(named_label("pref_pr1_a", q(texts.get(ui::pref_viewer_label)), page_3d));
    player_ = new QComboBox(page_3d);
    player_->setObjectName(QStringLiteral("pref_pr1_b"));
    player_->addItems({QStringLiteral("Octaga Player"), QStringLiteral("Cortona Player/Bs contact")});
    // A stored choice outside the list selects nothing and stays as it is unless the user picks one.
    player_->setCurrentIndex(settings.config_player >= 0 && settings.config_player < player_->count()
                                 ? settings.config_player
                                 : -1);
    layout_3d->addWidget(player_);
    layout_3d->addStretch(1);
    tabs->addTab(page_3d, QStringLiteral("3D"));

    auto* page_folders = new QWidget(tabs);
    page_folders->setObjectName(QStringLiteral("pref_pr2"));
    auto* grid = new QGridLayout(page_folders);
    const struct {
        const char* label;
        const char* box;
        int text;
        const std::string& value;
    } folders[] = {
        {"pref_pr2_a", "pref_pr2_b", ui::pref_doc_path_label, settings.doc_path},
        {"pref_pr2_c", "pref_pr2_d", ui::pref_import_path_label, settings.import_path},
        {"pref_pr2_e", "pref_pr2_f", ui::pref_export_path_label, settings.export_path},
    };
    int row = 0;
    for (const auto& f : folders) {
        grid->addWidget(named_label(f.label, q(texts.get(f.text)), page_folders), row, 0);
        auto* box = new QLineEdit(q(f.value), page_folders);
        box->setObjectName(QString::fromLatin1(f.box));
        box->setReadOnly(true);
        grid->addWidget(box, row, 1);
        ++row;
    }
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(1, 1);
    tabs->addTab(page_folders, q(texts.get(ui::pref_folders_tab)));

    auto* page_display = new QWidget(tabs);
    page_display->setObjectName(QStringLiteral("pref_pr3"));
    auto* layout_display = new QVBoxLayout(page_display);
    layout_display->addWidget(named_label("pref_pr3_a", q(texts.get(ui::pref_quality_label)), page_display));
    smooth_ = new QCheckBox(q(texts.get(ui::pref_smooth_redraw)), page_display);
    smooth_->setObjectName(QStringLiteral("pref_pr3_b"));
    smooth_->setChecked(settings.view_qualite == 1);
    smooth_moving_ = new QCheckBox(q(texts.get(ui::pref_smooth_drag)), page_display);
    smooth_moving_->setObjectName(QStringLiteral("pref_pr3_c"));
    smooth_moving_->setChecked(settings.view_qualite_tr == 1);
    layout_display->addWidget(smooth_);
    layout_display->addWidget(smooth_moving_);
    layout_display->addStretch(1);
    tabs->addTab(page_display, q(texts.get(ui::pref_display_tab)));

    auto* ok = named_button(QStringLiteral("pref_ok"), "OK", this);
    connect(ok, &QPushButton::clicked, this, &PreferencesDialog::pref_ok_Click);
    QHBoxLayout* buttons =
        ok_cancel_row(this, ok, named_button(QStringLiteral("pref_annule"), texts.get(ui::cancel), this));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs, 1);
    layout->addLayout(buttons);
}

void PreferencesDialog::pref_ok_Click()
{
    if (player_->currentIndex() >= 0)
        settings_.config_player = player_->currentIndex();
    settings_.view_qualite = smooth_->isChecked() ? 1 : 0;
    settings_.view_qualite_tr = smooth_moving_->isChecked() ? 1 : 0;
    accept();
}

} // namespace halvern
