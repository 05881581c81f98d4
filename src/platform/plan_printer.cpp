#include "platform/plan_printer.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QString>

#include <algorithm>
#include <fstream>

#include "base/file_replacement.h"
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

// The page drawn on whatever device the printer stands for.
Result<void> draw_page(QPrinter& printer, PlanScene& scene, const ViewState& view)
{
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

// Qt's PDF writer does not report failed writes (a full disk, a file-size limit): a document that
// was cut off lacks its end-of-file marker, which the writer puts last.
bool pdf_is_complete(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in.seekg(0, std::ios::end))
        return false;
    const std::streamoff size = in.tellg();
    const std::streamoff tail = std::min<std::streamoff>(size, 64);
    std::string end(size_t(tail), '\0');
    in.seekg(size - tail);
    if (!in.read(end.data(), tail))
        return false;
    return end.find("%%EOF") != std::string::npos;
}

} // namespace

Result<void> print_plan(QPrinter& printer, PlanScene& scene, const ViewState& view)
{
    ensure_gui_application();
    const QString chosen = printer.outputFileName();
    if (printer.outputFormat() != QPrinter::PdfFormat || chosen.isEmpty())
        return draw_page(printer, scene, view);

    // Into a file: through a temporary file that replaces the old one only once it is complete.
    const std::filesystem::path file = chosen.toStdString();
    auto replacement = FileReplacement::begin(file);
    if (!replacement)
        return replacement.error();
    replacement->close_descriptor(); // the printer opens it by name
    printer.setOutputFileName(QString::fromStdString(replacement->temporary().string()));
    Result<void> drawn = draw_page(printer, scene, view);
    printer.setOutputFileName(chosen);
    if (!drawn)
        return make_error(drawn.error().message, file);
    if (!pdf_is_complete(replacement->temporary()))
        return make_error("the PDF file cannot be written completely (is the disk full?)", file);
    return replacement->commit();
}

Result<void> print_plan_to_pdf(const std::filesystem::path& file, PlanScene& scene, const ViewState& view)
{
    ensure_gui_application();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(file.string()));
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    const QSizeF portrait = page_in_dots(printer);
    if (landscape_is_larger(scene.stand, portrait.width(), portrait.height()))
        printer.setPageOrientation(QPageLayout::Landscape);
    return print_plan(printer, scene, view);
}

} // namespace halvern
