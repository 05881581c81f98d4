#pragma once
// The build sheets as one PDF for the crew: a cover with the totals, the build order and the plan
// with every object numbered; the packing list with a box to tick; a page per wall run drawn
// straightened out as seen from the front; the free objects. Written through the safe PDF write.

#include <filesystem>
#include <string>

#include "base/result.h"
#include "base/ui_text.h"
#include "outputs/build_sheets.h"
#include "outputs/plan_output.h"

namespace halvern {

// `date` as the cover shows it.
Result<void> write_build_sheets_pdf(const std::filesystem::path& file, PlanScene& scene, const BuildSheets& sheets,
                                    const UiText& texts, const std::string& date);

// The same as one output of the plan, for the menu command and the command line.
class BuildSheetsOutput : public PlanOutput {
public:
    BuildSheetsOutput(const UiText& texts, std::string date) : texts_(texts), date_(std::move(date)) {}
    Result<void> write(const std::filesystem::path& file, PlanScene& scene, const ViewState& view,
                       OutputHost& host) const override;

private:
    const UiText& texts_;
    std::string date_;
};

} // namespace halvern
