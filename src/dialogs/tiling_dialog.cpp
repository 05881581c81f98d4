#include "dialogs/tiling_dialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "base/ui_text_ids.h"
#include "dialogs/dialog_controls.h"
#include "outputs/picture_tiling.h"
#include "platform/prompts.h"

namespace halvern {

namespace {

constexpr int default_count = 3;
constexpr int row_top = 34;
constexpr int row_step = 20;

// Busy while the strips are cut: the window keeps being drawn between strips, but a second click
// on Cut or Cancel must not start another cut, nor Escape or the close box close the dialog under
// the one running.
class BusyGuard {
public:
    BusyGuard(bool& busy, std::initializer_list<QWidget*> controls) : busy_(busy), controls_(controls)
    {
        busy_ = true;
        for (QWidget* w : controls_)
            w->setEnabled(false);
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~BusyGuard()
    {
        QApplication::restoreOverrideCursor();
        for (QWidget* w : controls_)
            w->setEnabled(true);
        busy_ = false;
    }

private:
    bool& busy_;
    std::vector<QWidget*> controls_;
};

} // namespace

TilingDialog::TilingDialog(const UiText& texts, std::string import_folder, int selected, Prompts& prompts,
                           QWidget* parent)
    : QDialog(parent), texts_(texts), import_folder_(std::move(import_folder)), selected_(selected), prompts_(prompts)
{
    setObjectName(QStringLiteral("form_tools_tiling"));
    setWindowTitle(q(texts.get(ui::tiling_title)));
    setFixedSize(490, 355);

    auto* caption = new QLabel(q(texts.get(ui::tiling_count)), this);
    caption->setObjectName(QStringLiteral("l_tools_tiling"));
    caption->setGeometry(10, 8, 150, 20);
    count_ = new QLineEdit(QString::number(default_count), this);
    count_->setObjectName(QStringLiteral("l_tools_tiling_nb"));
    count_->setGeometry(165, 8, 50, 20);
    change_ = new QPushButton(q(texts.get(ui::tiling_show_rows)), this);
    change_->setObjectName(QStringLiteral("tools_tiling_change"));
    change_->setGeometry(225, 5, 110, 26);

    for (int i = 0; i < strips_max; ++i) {
        const int y = row_top + i * row_step;
        const QString number = QString::number(i + 1);
        captions_[size_t(i)] = new QLabel(q(texts.get(ui::tiling_row)) + QLatin1Char(' ') + number, this);
        captions_[size_t(i)]->setObjectName(QStringLiteral("l_tools_tiling_") + number);
        captions_[size_t(i)]->setGeometry(10, y, 150, row_step - 1);
        values_[size_t(i)] = new QLineEdit(QStringLiteral("836"), this);
        values_[size_t(i)]->setObjectName(QStringLiteral("l_tools_tiling_value_") + number);
        values_[size_t(i)]->setGeometry(165, y, 90, row_step - 1);
    }

    ok_ = new QPushButton(q(texts.get(ui::tiling_cut)), this);
    ok_->setObjectName(QStringLiteral("tools_tiling_ok"));
    ok_->setGeometry(370, row_top, 110, 28);
    cancel_ = new QPushButton(q(texts.get(ui::cancel)), this);
    cancel_->setObjectName(QStringLiteral("tools_tiling_cancel"));
    cancel_->setGeometry(370, row_top + 36, 110, 28);
    // Enter in the count shows its rows; it never starts a cut.
    for (QPushButton* b : {change_, ok_, cancel_})
        b->setAutoDefault(false);

    connect(count_, &QLineEdit::returnPressed, this, &TilingDialog::tools_tiling_change_Click);
    connect(change_, &QPushButton::clicked, this, &TilingDialog::tools_tiling_change_Click);
    connect(ok_, &QPushButton::clicked, this, &TilingDialog::tools_tiling_ok_Click);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    show_rows(default_count);
}

void TilingDialog::show_rows(int count)
{
    rows_shown_ = count;
    for (int i = 0; i < strips_max; ++i) {
        captions_[size_t(i)]->setVisible(i < count);
        values_[size_t(i)]->setVisible(i < count);
    }
}

void TilingDialog::tools_tiling_change_Click()
{
    const auto count = read_strip_count(count_->text().toStdString());
    if (!count) {
        prompts_.warn(texts_.get(ui::tiling_title), texts_.get(ui::message_tiling_count));
        count_->setFocus();
        count_->selectAll();
        return;
    }
    show_rows(*count);
}

void TilingDialog::tools_tiling_ok_Click()
{
    const auto count = read_strip_count(count_->text().toStdString());
    if (!count) {
        tools_tiling_change_Click(); // says why
        return;
    }
    show_rows(*count); // what is cut is what is shown
    std::vector<std::string> texts;
    for (int i = 0; i < *count; ++i) {
        texts.push_back(values_[size_t(i)]->text().toStdString());
        if (!read_strip_width(texts.back())) {
            prompts_.warn(texts_.get(ui::tiling_title), texts_.get(ui::message_tiling_width));
            values_[size_t(i)]->setFocus();
            values_[size_t(i)]->selectAll();
            return;
        }
    }
    const auto widths = read_strip_widths(texts);
    if (!widths)
        return; // every text was checked above

    const auto picture = prompts_.choose_open({texts_.get(ui::tiling_picture_dialog_title), import_folder_, "jpg",
                                               "Jpeg-Files|*.jpg;*.jpeg;*.JPG;*.JPEG", {}});
    if (!picture || picture->empty())
        return; // back to the rows, nothing cut

    Result<CutReport> report = [&] {
        BusyGuard busy(cutting_, {count_, change_, ok_, cancel_});
        return tile_picture(*picture, *widths, selected_, [](int, int) { QApplication::processEvents(); });
    }();
    if (!report) {
        prompts_.warn(texts_.get(ui::tiling_title), report.error().text());
        return;
    }
    if (!report->failures.empty()) {
        std::string text;
        for (const Error& failure : report->failures)
            text += (text.empty() ? "" : "\n") + failure.text();
        prompts_.warn(texts_.get(ui::tiling_title), text);
    }
    strips_made_ = int(report->written.size());
    prompts_.inform(texts_.get(ui::tiling_title), std::to_string(strips_made_) + " " + texts_.get(ui::tiling_done));
    accept();
}

void TilingDialog::reject()
{
    if (!cutting_)
        QDialog::reject();
}

void TilingDialog::closeEvent(QCloseEvent* event)
{
    if (cutting_) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void open_tiling_dialog(const UiText& texts, const std::string& import_folder, int selected, Prompts& prompts,
                        QWidget* parent)
{
    TilingDialog dialog(texts, import_folder, selected, prompts, parent);
    dialog.exec();
}

} // namespace halvern
