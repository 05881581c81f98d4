#pragma once
// The plan as a document: the sheet with its title block, and the bill pages when asked, drawn as
// vectors on a printer, into a PDF file or into an SVG file.

#include <filesystem>

#include "base/result.h"
#include "outputs/plan_sheet.h"

class QPrinter;

namespace halvern {

// Sets the printer's paper and turn from the options (an automatic turn picks whichever shows the
// stand larger).
void set_up_paper(QPrinter& printer, const SheetOptions& options, const StandSettings& stand);

// Draws the sheet, and the bill pages when asked, on the printer (already set up); the document is
// ended. The printer's own paper and turn are used as they are.
Result<void> draw_plan_document(QPrinter& printer, PlanScene& scene, const ViewState& view,
                                const SheetOptions& options);

// The sheet as a PDF file of the chosen paper, written through the print's safe write: a failure
// names the file and leaves an earlier one untouched.
Result<void> write_plan_pdf(const std::filesystem::path& file, PlanScene& scene, const ViewState& view,
                            const SheetOptions& options);

// The sheet as one SVG picture of the chosen paper (the bill pages are for PDF and print), its
// size in millimetres so that the scale holds; replaced in one step like every file we write.
Result<void> write_plan_svg(const std::filesystem::path& file, PlanScene& scene, const ViewState& view,
                            const SheetOptions& options);

} // namespace halvern
