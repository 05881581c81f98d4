#pragma once
// Printing the plan through QPrinter, as one more output of the plan: on the printer the print
// dialog chose, or into a PDF file without any printer.

#include <filesystem>

#include "base/result.h"
#include "outputs/plan_output.h"

class QPrinter;

namespace halvern {

// "Print": the plan on one page. The caller's view is left as it was. A PDF printed into a file
// replaces that file in one step, only once it is complete and on the disk: a failure names the
// file and leaves an earlier one untouched.
class PrintOutput : public PlanOutput {
public:
    // One A4 page as a PDF file, turned whichever way gives the stand the larger zoom.
    PrintOutput() = default;
    // The printer the print dialog set up; it must outlive the output. `file`, when not empty,
    // is the PDF file it prints into.
    explicit PrintOutput(QPrinter& printer) : printer_(&printer) {}

    Result<void> write(const std::filesystem::path& file, PlanScene& scene, const ViewState& view,
                       OutputHost& host) const override;

private:
    QPrinter* printer_ = nullptr;
};

} // namespace halvern
