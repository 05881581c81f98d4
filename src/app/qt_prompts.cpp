#include "app/qt_prompts.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

#include "base/load_error.h"
#include "base/strings.h"
#include "base/ui_text_ids.h"
#include "dialogs/sheet_options_panel.h"
#include "platform/desktop_open.h"

namespace halvern {

namespace {

QString q(const std::string& text) { return QString::fromStdString(text); }

std::optional<std::filesystem::path> run_file_dialog(QWidget* parent, const FileDialogRequest& request, bool save)
{
    QFileDialog dialog(parent, q(request.title), q(request.folder));
    dialog.setObjectName(save ? QStringLiteral("save_dialog") : QStringLiteral("open_dialog"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // Qt's own dialog looks and behaves the same on every desktop, and scripts can drive it.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters(q(qt_file_filter(request.filter)).split(QStringLiteral(";;")));
    dialog.setDefaultSuffix(q(request.default_extension));
    if (!request.suggested_name.empty())
        dialog.selectFile(q(request.suggested_name));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return std::filesystem::path(dialog.selectedFiles().first().toStdString());
}

} // namespace

std::string qt_file_filter(const std::string& filter)
{
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= filter.size()) {
        size_t bar = filter.find('|', start);
        if (bar == std::string::npos)
            bar = filter.size();
        parts.push_back(filter.substr(start, bar - start));
        start = bar + 1;
    }
    std::string out;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        std::string patterns = parts[i + 1];
        for (char& c : patterns)
            if (c == ';')
                c = ' ';
        patterns = std::string(trim(patterns));
        if (!out.empty())
            out += ";;";
        out += parts[i] + " (" + patterns + ")";
    }
    return out;
}

QtPrompts::QtPrompts(QWidget* parent, std::function<std::string()> lang) : parent_(parent), lang_(std::move(lang)) {}

std::optional<std::filesystem::path> QtPrompts::choose_open(const FileDialogRequest& request)
{
    return run_file_dialog(parent_, request, false);
}

std::optional<std::filesystem::path> QtPrompts::choose_save(const FileDialogRequest& request)
{
    return run_file_dialog(parent_, request, true);
}

void QtPrompts::load_error(LoadError code, const Error& detail)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Halvern Visual Design"),
                    q(load_error_text(code, lang_ ? lang_() : "en")), QMessageBox::Ok, parent_);
    box.setInformativeText(q(detail.text()));
    box.exec();
}

void QtPrompts::note(const Error& note) { warn("Halvern Visual Design", note.text()); }

void QtPrompts::write_failed(const Error& error) { warn("Halvern Visual Design", error.text()); }

UnsavedChoice QtPrompts::ask_unsaved(const std::string& design_name)
{
    auto text = [this](int entry) { return text_ ? q(text_(entry)) : QString(); };
    QMessageBox box(QMessageBox::Question, QStringLiteral("Halvern Visual Design"),
                    text(ui::unsaved_changed).arg(q(design_name)),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent_);
    box.setObjectName(QStringLiteral("unsaved_question"));
    box.setInformativeText(text(ui::unsaved_save_question));
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        return UnsavedChoice::save;
    case QMessageBox::Discard:
        return UnsavedChoice::discard;
    default:
        return UnsavedChoice::cancel;
    }
}

RestoreChoice QtPrompts::ask_restore(const std::string& file_name, const std::string& time)
{
    auto text = [this](int entry) { return text_ ? q(text_(entry)) : QString(); };
    const QString name = file_name.empty() ? text(ui::recovery_no_name) : q(file_name);
    QMessageBox box(QMessageBox::Question, QStringLiteral("Halvern Visual Design"),
                    text(ui::recovery_question).arg(name, q(time)), QMessageBox::NoButton, parent_);
    box.setObjectName(QStringLiteral("restore_question"));
    QPushButton* restore = box.addButton(text(ui::recovery_restore), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(text(ui::recovery_discard), QMessageBox::DestructiveRole);
    QPushButton* later = box.addButton(text(ui::recovery_later), QMessageBox::RejectRole);
    restore->setObjectName(QStringLiteral("restore"));
    discard->setObjectName(QStringLiteral("discard"));
    later->setObjectName(QStringLiteral("later"));
    box.setDefaultButton(restore);
    box.setEscapeButton(later);
    box.exec();
    if (box.clickedButton() == restore)
        return RestoreChoice::restore;
    if (box.clickedButton() == discard)
        return RestoreChoice::discard;
    return RestoreChoice::later;
}

bool QtPrompts::ask_read_only(const std::string& file_name, const std::string& host, long long pid)
{
    const QString question = text_ ? q(text_(ui::lock_question)) : QString();
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Halvern Visual Design"),
                    question.arg(q(file_name), q(host), QString::number(pid)), QMessageBox::Open | QMessageBox::Cancel,
                    parent_);
    box.setObjectName(QStringLiteral("read_only_question"));
    box.setDefaultButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Open;
}

bool QtPrompts::confirm(const std::string& title, const std::string& question)
{
    QMessageBox box(QMessageBox::Question, q(title), q(question), QMessageBox::Yes | QMessageBox::No, parent_);
    box.setObjectName(QStringLiteral("confirm_question"));
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

bool QtPrompts::open_page(const std::string& url)
{
    return open_web_page(url);
}

void QtPrompts::inform(const std::string& title, const std::string& text)
{
    QMessageBox::information(parent_, q(title), q(text));
}

void QtPrompts::warn(const std::string& title, const std::string& text)
{
    QMessageBox::warning(parent_, q(title), q(text));
}

void QtPrompts::warn_list(const std::string& title, const std::string& text, const std::vector<std::string>& lines)
{
    // However long the list, the window keeps its size and its OK button on the screen.
    QDialog dialog(parent_);
    dialog.setObjectName(QStringLiteral("warning_list"));
    dialog.setWindowTitle(q(title));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(q(text), &dialog));
    auto* list = new QListWidget(&dialog);
    list->setObjectName(QStringLiteral("warning_lines"));
    for (const std::string& line : lines)
        list->addItem(q(line));
    layout->addWidget(list, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    layout->addWidget(buttons);
    dialog.resize(520, 320);
    dialog.exec();
}

} // namespace halvern

namespace halvern {

bool QtPrompts::choose_printer(QPrinter& printer)
{
    QPrintDialog dialog(&printer, parent_);
    return dialog.exec() == QDialog::Accepted;
}

bool QtPrompts::choose_printer(QPrinter& printer, const SheetChoiceTexts& texts, SheetOptions& options)
{
    QPrintDialog dialog(&printer, parent_);
    auto* panel = new SheetOptionsPanel(texts, options, false);
    dialog.setOptionTabs({panel});
    if (dialog.exec() != QDialog::Accepted)
        return false;
    panel->apply(options);
    return true;
}

bool QtPrompts::choose_sheet(const SheetChoiceTexts& texts, SheetOptions& options)
{
    return ask_sheet_options(parent_, texts, options);
}

} // namespace halvern
