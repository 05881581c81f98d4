#pragma once
// Printing the plan through QPrinter: on the printer the print dialog chose, or into a PDF file
// without any printer.

#include <filesystem>

#include "base/result.h"
#include "plan/render.h"

class QPrinter;

namespace halvern {

// Draws the plan on one page of `printer` (already set up) and ends the document. The caller's
// view is left as it was. A PDF printed into a file replaces that file in one step, only once it
// is complete and on the disk: a failure names the file and leaves an earlier one untouched.
Result<void> print_plan(QPrinter& printer, PlanScene& scene, const ViewState& view);

// One A4 page as a PDF file, turned whichever way gives the stand the larger zoom. The file is
// replaced in one step: a failure leaves an earlier file of that name untouched.
Result<void> print_plan_to_pdf(const std::filesystem::path& file, PlanScene& scene, const ViewState& view);

} // namespace halvern
