// The plan as a document: the print and the vector exports, each a sheet with its title block and,
// when asked, the bill pages.

#include <QDate>
#include <QPrinter>

#include "app/main_window.h"
#include "app/session.h"
#include "base/text_file.h"
#include "base/ui_text_ids.h"
#include "outputs/dxf_plan.h"
#include "outputs/sheet_texts.h"
#include "platform/plan_document.h"
#include "platform/plan_printer.h"
#include "platform/prompts.h"

namespace halvern {

namespace {

SheetOptions sheet_options(const Session& session)
{
    SheetOptions options;
    options.texts = sheet_texts(session.shell.ui_text, session.stand,
                                QDate::currentDate().toString(Qt::ISODate).toStdString());
    options.bill_texts = bill_page_texts(session.shell.ui_text, session.stand);
    options.quote = design_quote(session.plan, session.components);
    return options;
}

SheetChoiceTexts choice_texts(const Session& session, const std::string& title)
{
    return {title,
            session.text(ui::sheet_scale_choice),
            session.text(ui::sheet_fitted),
            session.text(ui::sheet_paper),
            session.text(ui::sheet_orientation),
            session.text(ui::sheet_orientation_auto),
            session.text(ui::sheet_orientation_portrait),
            session.text(ui::sheet_orientation_landscape),
            session.text(ui::sheet_bill_page)};
}

} // namespace

void MainWindow::print_plan()
{
    QPrinter printer(QPrinter::HighResolution);
    SheetOptions options = sheet_options(session_);
    if (!prompts_.choose_printer(printer, choice_texts(session_, session_.text(ui::sheet_scale_choice)), options))
        return;
    PlanScene scene{session_.components, session_.libraries, session_.plan, session_.stand};
    // The page has its own view; the window's zoom, offsets and quality stay as they are.
    SilentOutputHost host; // the page is drawn in one go
    if (auto printed = PrintOutput(printer, options).write({}, scene, session_.view, host); !printed)
        prompts_.warn("Halvern Visual Design", printed.error().text());
    else
        tell(ui::status_printed, (printer.outputFileName().isEmpty() ? printer.printerName()
                                                                      : printer.outputFileName()).toStdString());
}

void MainWindow::export_plan(bool svg)
{
    const std::string title = session_.text(svg ? ui::menu_export_plan_svg : ui::menu_export_plan_pdf);
    const std::string extension = svg ? "svg" : "pdf";
    auto answer = prompts_.choose_save({title, session_.settings().doc_path, extension,
                                        svg ? "SVG|*.svg" : "PDF|*.pdf", {}});
    if (!answer || answer->empty())
        return;
    std::filesystem::path file = *answer;
    if (file.extension() != "." + extension)
        file += "." + extension;
    SheetOptions options = sheet_options(session_);
    if (!prompts_.choose_sheet(choice_texts(session_, title), options))
        return;
    PlanScene scene{session_.components, session_.libraries, session_.plan, session_.stand};
    auto written = svg ? write_plan_svg(file, scene, session_.view, options)
                       : write_plan_pdf(file, scene, session_.view, options);
    if (!written)
        prompts_.warn("Halvern Visual Design", written.error().text());
    else
        tell(ui::status_saved, file.string());
}

void MainWindow::export_plan_dxf()
{
    auto answer = prompts_.choose_save({session_.text(ui::menu_export_plan_dxf), session_.settings().doc_path, "dxf",
                                        "DXF|*.dxf", {}});
    if (!answer || answer->empty())
        return;
    std::filesystem::path file = *answer;
    if (file.extension() != ".dxf")
        file += ".dxf";
    PlanScene scene{session_.components, session_.libraries, session_.plan, session_.stand};
    if (auto written = write_plan_dxf(file, scene); !written)
        prompts_.warn("Halvern Visual Design", written.error().text());
    else
        tell(ui::status_saved, file.string());
}

void MainWindow::export_quote_csv()
{
    auto answer = prompts_.choose_save(
        {session_.text(ui::list_export_csv), session_.settings().doc_path, "csv", "CSV|*.csv", {}});
    if (!answer || answer->empty())
        return;
    std::filesystem::path file = *answer;
    if (file.extension() != ".csv")
        file += ".csv";
    const Quote quote = design_quote(session_.plan, session_.components);
    if (auto written = write_file_safely(file, quote_csv(quote, csv_labels(session_.shell.ui_text))); !written)
        prompts_.warn("Halvern Visual Design", written.error().text());
    else
        tell(ui::status_saved, file.string());
}

void MainWindow::export_quote_xlsx()
{
    auto answer = prompts_.choose_save(
        {session_.text(ui::list_export_xlsx), session_.settings().doc_path, "xlsx", "Excel|*.xlsx", {}});
    if (!answer || answer->empty())
        return;
    std::filesystem::path file = *answer;
    if (file.extension() != ".xlsx")
        file += ".xlsx";
    const Quote quote = design_quote(session_.plan, session_.components);
    const auto texts = quote_workbook_texts(session_.shell.ui_text, session_.stand,
                                            QDate::currentDate().toString(Qt::ISODate).toStdString());
    if (auto written = write_quote_workbook(file, quote, session_.components, texts); !written)
        prompts_.warn("Halvern Visual Design", written.error().text());
    else
        tell(ui::status_saved, file.string());
}

} // namespace halvern
