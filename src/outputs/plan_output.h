#pragma once
// One output of the plan as the menu command and the command line both run it: its options are
// set on the object, the file goes in, and how far it got goes out through a host (a progress
// dialog in the editor, nothing on the command line). A new output (the 3D scene, tiles, PDF) is
// one more class, and each front end calls it in the same two lines.

#include <filesystem>
#include <string>

#include "base/result.h"
#include "outputs/plan_picture.h"

namespace halvern {

class OutputHost {
public:
    virtual ~OutputHost() = default;
    // Parts done out of the total.
    virtual void progress(int done, int total) = 0;
    // The stage the work has reached, for the user to read.
    virtual void stage(const std::string& text) = 0;
};

// A host that reports nothing, for scripts.
class SilentOutputHost : public OutputHost {
public:
    void progress(int, int) override {}
    void stage(const std::string&) override {}
};

class PlanOutput {
public:
    virtual ~PlanOutput() = default;
    // Writes the output of `scene` as `view` shows it; a failure leaves no half-written file.
    virtual Result<void> write(const std::filesystem::path& file, PlanScene& scene, const ViewState& view,
                               OutputHost& host) const = 0;
};

// "Save Screen": the stand and its margins at `resolution` pixels per metre, as JPEG.
class ScreenPictureOutput : public PlanOutput {
public:
    ScreenPictureOutput(SurfaceMaker surfaces, int resolution, bool smooth = true)
        : surfaces_(std::move(surfaces)), resolution_(resolution), smooth_(smooth)
    {
    }
    // What the host is told once the drawing is done and the file is being written.
    std::string writing_stage;

    Result<void> write(const std::filesystem::path& file, PlanScene& scene, const ViewState& view,
                       OutputHost& host) const override;

private:
    SurfaceMaker surfaces_;
    int resolution_;
    bool smooth_;
};

// "Save 2D Blueprint": ten pixels per centimetre, as JPEG.
class BlueprintOutput : public PlanOutput {
public:
    explicit BlueprintOutput(SurfaceMaker surfaces, bool smooth = true)
        : surfaces_(std::move(surfaces)), smooth_(smooth)
    {
    }

    Result<void> write(const std::filesystem::path& file, PlanScene& scene, const ViewState& view,
                       OutputHost& host) const override;

private:
    SurfaceMaker surfaces_;
    bool smooth_;
};

} // namespace halvern
