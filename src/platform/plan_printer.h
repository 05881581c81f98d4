#pragma once
// Printing the plan through QPrinter, as one more output of the plan: on the printer the print
// dialog chose, or into a PDF file without any printer.

#include <filesystem>

#include "base/result.h"
#include "outputs/plan_output.h"
#include "outputs/plan_sheet.h"
#include "plan/render.h"

class QPrinter;

namespace halvern {

// Draws the plan sheet (the plan and its title block, then the bill pages when asked) on `printer`
// (already set up) and ends the document. The caller's view is left as it was. A PDF printed into
// a file replaces that file in one step, only once it is complete and on the disk: a failure names
// the file and leaves an earlier one untouched.
Result<void> print_plan(QPrinter& printer, PlanScene& scene, const ViewState& view, const SheetOptions& options);

// The sheet as a PDF file on the options' paper. The file is replaced in one step: a failure
// leaves an earlier file of that name untouched.
Result<void> print_plan_to_pdf(const std::filesystem::path& file, PlanScene& scene, const ViewState& view,
                               const SheetOptions& options);

// "Print" as one output of the plan, for the menu command and the command line alike.
class PrintOutput : public PlanOutput {
public:
    // A PDF file on the options' paper.
    explicit PrintOutput(SheetOptions options = {}) : options_(std::move(options)) {}
    // The printer the print dialog set up; it must outlive the output. `file`, when not empty,
    // is the PDF file it prints into.
    PrintOutput(QPrinter& printer, SheetOptions options) : printer_(&printer), options_(std::move(options)) {}

    Result<void> write(const std::filesystem::path& file, PlanScene& scene, const ViewState& view,
                       OutputHost& host) const override;

private:
    QPrinter* printer_ = nullptr;
    SheetOptions options_;
};

} // namespace halvern
