#include "dialogs/texture_form.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <system_error>

#include "base/ui_text_ids.h"
#include "dialogs/dialog_controls.h"
#include "outputs/texture_library.h"

namespace halvern {

namespace {

constexpr int preview_side = 160;

} // namespace

TextureForm::TextureForm(const std::filesystem::path& app_dir, const UiText& texts, TextureTarget target,
                         QLineEdit& field, QWidget* parent)
    : QDialog(parent), app_dir_(app_dir), field_(field)
{
    setObjectName(QStringLiteral("form_tex"));
    setWindowTitle(q(texts.get(ui::texture_title)));

    auto* target_label = new QLabel(
        q(texts.get(target == TextureTarget::sol ? ui::texture_target_floor : ui::texture_target_recto)), this);
    target_label->setObjectName(QStringLiteral("tex_target"));
    QFont bold = target_label->font();
    bold.setBold(true);
    target_label->setFont(bold);

    auto* families_label = new QLabel(q(texts.get(ui::texture_families)), this);
    families_label->setObjectName(QStringLiteral("tex_type_label"));
    families_ = new QListWidget(this);
    families_->setObjectName(QStringLiteral("tex_type"));
    for (const std::string& family : texture_families(app_dir_))
        families_->addItem(q(family));
    auto* files_label = new QLabel(q(texts.get(ui::texture_pictures)), this);
    files_label->setObjectName(QStringLiteral("tex_file_label"));
    files_ = new QListWidget(this);
    files_->setObjectName(QStringLiteral("tex_file"));
    preview_ = new QLabel(this);
    preview_->setObjectName(QStringLiteral("tex_preview"));
    preview_->setFixedSize(preview_side, preview_side);
    preview_->setAlignment(Qt::AlignCenter);
    preview_->setFrameShape(QFrame::StyledPanel);

    connect(families_, &QListWidget::currentRowChanged, this, [this] { tex_type_Click(); });
    connect(files_, &QListWidget::currentRowChanged, this, [this] { tex_file_Click(); });
    connect(files_, &QListWidget::itemDoubleClicked, this, [this] { tex_choisir_Click(); });

    auto* choose = named_button(QStringLiteral("tex_choisir"), texts.get(ui::texture_choose), this);
    connect(choose, &QPushButton::clicked, this, &TextureForm::tex_choisir_Click);

    auto* grid = new QGridLayout(this);
    grid->addWidget(target_label, 0, 0, 1, 3);
    grid->addWidget(families_label, 1, 0);
    grid->addWidget(files_label, 1, 1);
    grid->addWidget(families_, 2, 0);
    grid->addWidget(files_, 2, 1);
    grid->addWidget(preview_, 2, 2, Qt::AlignTop);
    grid->addLayout(ok_cancel_row(this, choose, named_button(QStringLiteral("tex_annule"), texts.get(ui::cancel), this)),
                    3, 0, 1, 3);

    // The picture the field holds now, when there is one.
    show_preview(std::filesystem::path(field_.text().toStdString()));
}

void TextureForm::tex_type_Click()
{
    files_->clear();
    if (QListWidgetItem* family = families_->currentItem())
        for (const std::string& file : texture_files(app_dir_, family->text().toStdString()))
            files_->addItem(q(file));
}

std::filesystem::path TextureForm::chosen_path() const
{
    const QListWidgetItem* family = families_->currentItem();
    const QListWidgetItem* file = files_->currentItem();
    if (!family || !file)
        return {};
    return texture_path(app_dir_, family->text().toStdString(), file->text().toStdString());
}

void TextureForm::tex_file_Click() { show_preview(chosen_path()); }

void TextureForm::show_preview(const std::filesystem::path& file)
{
    std::error_code ec;
    if (file.empty() || !std::filesystem::is_regular_file(file, ec)) {
        preview_->clear();
        return;
    }
    QImageReader reader(QString::fromStdString(file.string()));
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull()) {
        preview_->clear();
        return;
    }
    preview_->setPixmap(QPixmap::fromImage(
        image.scaled(preview_side - 4, preview_side - 4, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void TextureForm::tex_choisir_Click()
{
    const std::filesystem::path path = chosen_path();
    if (path.empty())
        return;
    field_.setText(QString::fromStdString(path.string()));
    accept();
}

} // namespace halvern
