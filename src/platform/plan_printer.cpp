#include "platform/plan_printer.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QString>

#include <algorithm>
#include <fstream>

#include "base/file_replacement.h"
#include "platform/plan_document.h"
#include "platform/qt_canvas.h"

namespace halvern {

namespace {

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

Result<void> print_plan(QPrinter& printer, PlanScene& scene, const ViewState& view, const SheetOptions& options)
{
    ensure_gui_application();
    const QString chosen = printer.outputFileName();
    if (printer.outputFormat() != QPrinter::PdfFormat || chosen.isEmpty())
        return draw_plan_document(printer, scene, view, options);

    // Into a file: through a temporary file that replaces the old one only once it is complete.
    const std::filesystem::path file = chosen.toStdString();
    auto replacement = FileReplacement::begin(file);
    if (!replacement)
        return replacement.error();
    replacement->close_descriptor(); // the printer opens it by name
    printer.setOutputFileName(QString::fromStdString(replacement->temporary().string()));
    Result<void> drawn = draw_plan_document(printer, scene, view, options);
    printer.setOutputFileName(chosen);
    if (!drawn)
        return make_error(drawn.error().message, file);
    if (!pdf_is_complete(replacement->temporary()))
        return make_error("the PDF file cannot be written completely (is the disk full?)", file);
    return replacement->commit();
}

Result<void> print_plan_to_pdf(const std::filesystem::path& file, PlanScene& scene, const ViewState& view,
                               const SheetOptions& options)
{
    return write_plan_pdf(file, scene, view, options);
}

// The page is drawn in one go: there is no progress to report.
Result<void> PrintOutput::write(const std::filesystem::path& file, PlanScene& scene, const ViewState& view,
                                OutputHost&) const
{
    if (!printer_)
        return print_plan_to_pdf(file, scene, view, options_);
    if (!file.empty())
        printer_->setOutputFileName(QString::fromStdString(file.string()));
    return print_plan(*printer_, scene, view, options_);
}

} // namespace halvern
