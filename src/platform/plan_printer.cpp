#include "platform/plan_printer.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QString>

#include <system_error>

#include <unistd.h>

#include "outputs/plan_print.h"
#include "platform/qt_canvas.h"

namespace halvern {

namespace {

// The printable area in the page's drawing dots (96 x 4 to the inch).
QSizeF page_in_dots(const QPrinter& printer)
{
    const QRectF inches = printer.pageLayout().paintRect(QPageLayout::Inch);
    return {inches.width() * paper_dots_per_inch, inches.height() * paper_dots_per_inch};
}

} // namespace

Result<void> print_plan(QPrinter& printer, PlanScene& scene, const ViewState& view)
{
    ensure_gui_application();
    const QSizeF page = page_in_dots(printer);
    const int width = int(page.width()), height = int(page.height());
    if (width < 1 || height < 1)
        return make_error("the printer's page has no room to print on");
    const double device_dpi = printer.resolution() > 0 ? printer.resolution() : paper_dots_per_inch;

    QtCanvas canvas(printer);
    if (!canvas.active())
        return make_error("the printer cannot be used");
    canvas.scale(device_dpi / paper_dots_per_inch);
    ViewState page_view = print_view(view, scene.stand, width, height);
    render_plan(canvas, scene, page_view, print_options(width, height));
    canvas.end();
    return {};
}

Result<void> print_plan_to_pdf(const std::filesystem::path& file, PlanScene& scene, const ViewState& view)
{
    ensure_gui_application();
    std::filesystem::path folder = file.parent_path();
    if (folder.empty())
        folder = ".";
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec))
        return make_error("the folder does not exist", file);
    const std::filesystem::path temporary =
        folder / ("." + file.filename().string() + ".tmp" + std::to_string(getpid()));

    Result<void> outcome;
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(temporary.string()));
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(QPageLayout::Portrait);
        const QSizeF portrait = page_in_dots(printer);
        if (landscape_is_larger(scene.stand, portrait.width(), portrait.height()))
            printer.setPageOrientation(QPageLayout::Landscape);
        outcome = print_plan(printer, scene, view);
    }
    if (outcome && (!std::filesystem::is_regular_file(temporary, ec) || std::filesystem::file_size(temporary, ec) == 0))
        outcome = make_error("the PDF file cannot be written", file);
    if (outcome) {
        std::filesystem::rename(temporary, file, ec);
        if (ec)
            outcome = make_error("cannot replace the file: " + ec.message(), file);
    }
    if (!outcome) {
        std::filesystem::remove(temporary, ec);
        return make_error(outcome.error().message, file);
    }
    return {};
}

} // namespace halvern
