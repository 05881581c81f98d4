#pragma once
// Everything the editor asks of the user or tells the user in a modal window: file choosers,
// messages and the question about unsaved changes. The window talks to this interface only, so
// that tests answer the questions themselves. It sits below the windows and the dialogs, which both
// ask through it.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "outputs/plan_sheet.h"
#include "platform/sheet_choice_texts.h"
#include "project/project_commands.h"

class QPrinter;
class QWidget;

namespace halvern {

enum class UnsavedChoice { save, discard, cancel };
// What to do with a design an editor left unsaved when it did not end: `later` keeps it for the
// next start.
enum class RestoreChoice { restore, discard, later };

class Prompts : public ProjectDialogs, public ProjectMessages {
public:
    // The design has changes that are in no file: what to do with them before they go.
    virtual UnsavedChoice ask_unsaved(const std::string& design_name) = 0;
    // A copy of an unsaved design (of this file, or of none: empty) written at `time` was left by
    // an editor that did not end.
    virtual RestoreChoice ask_restore(const std::string& file_name, const std::string& time) = 0;
    // The design is open in another editor (`host`, `pid`): true opens it read-only.
    virtual bool ask_read_only(const std::string& file_name, const std::string& host, long long pid) = 0;
    // A question whose "yes" replaces something of the user's: true for yes; the default is no.
    virtual bool confirm(const std::string& title, const std::string& question) = 0;
    // A plain message with an OK button.
    virtual void inform(const std::string& title, const std::string& text) = 0;
    virtual void warn(const std::string& title, const std::string& text) = 0;
    // A warning over a list of any length, which the window lets the user scroll through.
    virtual void warn_list(const std::string& title, const std::string& text, const std::vector<std::string>& lines)
    {
        std::string all = text;
        for (const std::string& l : lines)
            all += "\n" + l;
        warn(title, all);
    }
    // The print dialog: false when the user cancels.
    virtual bool choose_printer(QPrinter& printer) = 0;
    // The print dialog with the sheet's own choices (scale, bill page) as a tab of it. Prompts that
    // show no windows answer as the plain print dialog does and leave the options as they come.
    virtual bool choose_printer(QPrinter& printer, const SheetChoiceTexts&, SheetOptions&)
    {
        return choose_printer(printer);
    }
    // The sheet's choices before a plan is exported: false when the user cancels.
    virtual bool choose_sheet(const SheetChoiceTexts&, SheetOptions&) { return true; }
    // Shows a web page in the desktop's browser: false when none could be started.
    virtual bool open_page(const std::string& url) = 0;
};

} // namespace halvern
