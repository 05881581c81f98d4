// "Share as web page…": the customer's page, the same output the command line writes.

#include <QDate>

#include "app/main_window.h"
#include "app/session.h"
#include "base/ui_text_ids.h"
#include "model3d/web_page_export.h"
#include "platform/prompts.h"

namespace halvern {

void MainWindow::share_web_page()
{
    const std::string title = session_.text(ui::web_dialog_title);
    auto answer = prompts_.choose_save({title, session_.settings().doc_path, "html", "HTML|*.html;*.htm", {}});
    if (!answer || answer->empty())
        return;
    std::filesystem::path file = *answer;
    if (file.extension() != ".html" && file.extension() != ".htm")
        file += ".html";
    WebPageOptions options;
    options.with_quote = prompts_.confirm(title, session_.text(ui::web_quote_question));
    options.lang = session_.lang();
    options.date = QDate::currentDate().toString(Qt::ISODate).toStdString();
    const VrmlInputs inputs{session_.components, session_.plan, session_.stand, session_.app_dir(),
                            session_.settings().config_player, {}};
    const Result<WebPageReport> written = export_web_page(file, inputs, session_.shell.ui_text, options);
    if (!written) {
        prompts_.warn("Halvern Visual Design", written.error().text());
        return;
    }
    if (!written->missing.empty())
        prompts_.warn_list(title, session_.text(ui::web_missing), written->missing);
    tell(ui::web_written, file.string());
}

} // namespace halvern
