// "Print build sheets…": the crew's PDF, the same output the command line writes.

#include <QDate>

#include "app/main_window.h"
#include "app/session.h"
#include "base/ui_text_ids.h"
#include "platform/build_sheets_document.h"
#include "platform/prompts.h"

namespace halvern {

void MainWindow::print_build_sheets()
{
    const std::string title = session_.text(ui::menu_build_sheets);
    auto answer = prompts_.choose_save({title, session_.settings().doc_path, "pdf", "PDF|*.pdf", {}});
    if (!answer || answer->empty())
        return;
    std::filesystem::path file = *answer;
    if (file.extension() != ".pdf")
        file += ".pdf";
    PlanScene scene{session_.components, session_.libraries, session_.plan, session_.stand};
    SilentOutputHost host; // the pages are drawn in one go
    const BuildSheetsOutput output(session_.shell.ui_text, QDate::currentDate().toString(Qt::ISODate).toStdString());
    if (auto written = output.write(file, scene, session_.view, host); !written)
        prompts_.warn("Halvern Visual Design", written.error().text());
    else
        tell(ui::status_saved, file.string());
}

} // namespace halvern
