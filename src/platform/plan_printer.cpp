#include "platform/plan_printer.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QString>

#include "outputs/output_range.h"
#include "platform/pdf_file.h"
#include "platform/plan_document.h"
#include "platform/qt_canvas.h"

namespace halvern {

Result<void> print_plan(QPrinter& printer, PlanScene& scene, const ViewState& view, const SheetOptions& options)
{
    ensure_gui_application();
    const QString chosen = printer.outputFileName();
    // Before the printer starts a document: a plan beyond the range would print without end.
    if (auto in_range = check_output_range(scene.plan, scene.stand); !in_range)
        return make_error(in_range.error().message, chosen.toStdString());
    if (printer.outputFormat() != QPrinter::PdfFormat || chosen.isEmpty())
        return draw_plan_document(printer, scene, view, options);

    // Into a file: through a temporary file that replaces the old one only once it is complete.
    Result<void> written = write_pdf_safely(chosen.toStdString(), [&](const QString& temporary) {
        printer.setOutputFileName(temporary);
        return draw_plan_document(printer, scene, view, options);
    });
    printer.setOutputFileName(chosen);
    return written;
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
