#pragma once
// The prompts as the user sees them: Qt's file dialogs and message boxes over the main window.

#include <functional>
#include <string>

#include "platform/prompts.h"

namespace halvern {

class QtPrompts : public Prompts {
public:
    // `lang` tells the language of the messages of load_error at the moment they are shown.
    QtPrompts(QWidget* parent, std::function<std::string()> lang);

    std::optional<std::filesystem::path> choose_open(const FileDialogRequest& request) override;
    std::optional<std::filesystem::path> choose_save(const FileDialogRequest& request) override;
    void load_error(LoadError code, const Error& detail) override;
    void note(const Error& note) override;
    void write_failed(const Error& error) override;
    UnsavedChoice ask_unsaved(const std::string& design_name) override;
    void inform(const std::string& title, const std::string& text) override;
    void warn(const std::string& title, const std::string& text) override;
    void warn_list(const std::string& title, const std::string& text, const std::vector<std::string>& lines) override;
    bool choose_printer(QPrinter& printer) override;
    bool choose_printer(QPrinter& printer, const SheetChoiceTexts& texts, SheetOptions& options) override;
    bool choose_sheet(const SheetChoiceTexts& texts, SheetOptions& options) override;
    RestoreChoice ask_restore(const std::string& file_name, const std::string& time) override;
    bool ask_read_only(const std::string& file_name, const std::string& host, long long pid) override;
    bool open_page(const std::string& url) override;
    bool confirm(const std::string& title, const std::string& question) override;

    void set_parent(QWidget* parent) { parent_ = parent; }
    // The interface texts of the current language, by entry.
    void set_texts(std::function<std::string(int)> text) { text_ = std::move(text); }

private:
    QWidget* parent_;
    std::function<std::string()> lang_;
    std::function<std::string(int)> text_;
};

// "Quilma File|*.qlm" -> "Quilma File (*.qlm)"; pairs of label and pattern separated by "|".
std::string qt_file_filter(const std::string& filter);

} // namespace halvern
