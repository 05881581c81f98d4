#pragma once
// The whole print pack as the editor's menu command and the command line write it: the faces'
// JPEGs, "manifest.csv" and "manifest.pdf" (a cover page with the stand's title, client and
// totals, then a page per face with its thumbnail, sizes, crop marks and place on the plan).

#include <filesystem>

#include "base/result.h"
#include "base/ui_text.h"
#include "outputs/plan_output.h"
#include "outputs/print_pack.h"

namespace halvern {

struct PrintPackFiles {
    PrintPack pack;
    std::filesystem::path csv, pdf;
};

// Writes the pack into `folder` (made when missing). The faces come from the scene's plan; a
// picture named without a folder is looked for in `design_folder`. Faces that could not be written
// are listed in the pack and the manifests; an error means the folder or a manifest could not be
// written.
Result<PrintPackFiles> export_print_pack(const std::filesystem::path& folder, PlanScene& scene, const ViewState& view,
                                         const PrintPackSettings& settings, const UiText& texts,
                                         const std::filesystem::path& design_folder, OutputHost& host);

// The same as one output of the plan, for the editor's menu command: `file` is the folder, and
// what was written is left in `*written` for the window to report.
class PrintPackOutput : public PlanOutput {
public:
    PrintPackOutput(PrintPackSettings settings, const UiText& texts, std::filesystem::path design_folder,
                    PrintPackFiles* written)
        : settings_(settings), texts_(texts), design_folder_(std::move(design_folder)), written_(written)
    {
    }
    Result<void> write(const std::filesystem::path& folder, PlanScene& scene, const ViewState& view,
                       OutputHost& host) const override;

private:
    PrintPackSettings settings_;
    const UiText& texts_;
    std::filesystem::path design_folder_;
    PrintPackFiles* written_;
};

} // namespace halvern
