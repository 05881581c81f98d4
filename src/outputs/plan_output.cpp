#include "outputs/plan_output.h"

namespace halvern {

Result<void> ScreenPictureOutput::write(const std::filesystem::path& file, PlanScene& scene, const ViewState& view,
                                        OutputHost& host) const
{
    return save_screen(file, scene, view, resolution_, surfaces_, smooth_, [this, &host](int done, int total) {
        // The last stage once the drawing is done: the file is written.
        if (done >= total && !writing_stage.empty())
            host.stage(writing_stage);
        host.progress(done, total);
    });
}

Result<void> BlueprintOutput::write(const std::filesystem::path& file, PlanScene& scene, const ViewState& view,
                                    OutputHost& host) const
{
    return save_blueprint_to(file, scene, view, surfaces_, smooth_,
                             [&host](int done, int total) { host.progress(done, total); });
}

} // namespace halvern
