#include "base/numbers.h"
#include "cli/commands.h"
#include "cli/plan_pictures.h"
#include "cli/project_input.h"
#include "outputs/plan_output.h"
#include "platform/qt_plan_surfaces.h"

namespace halvern {

namespace {

constexpr int window_side_min = 100;
constexpr int window_side_max = 16384;

} // namespace

int cmd_render(CliContext& context)
{
    const bool has_width = context.has_option("--width"), has_height = context.has_option("--height");
    if (has_width != has_height)
        return context.usage_error("render: --width and --height go together");
    if (has_width && context.has_option("--resolution"))
        return context.usage_error("render: --resolution draws the saved picture; --width and --height a window");

    int resolution = 1000;
    if (auto text = context.option("--resolution")) {
        auto value = parse_strict_int(*text, 1, jpeg_side_max);
        if (!value)
            return context.usage_error("render: --resolution must be a whole number of pixels per metre from 1 to "
                                       + std::to_string(jpeg_side_max) + ", not '" + *text + "'");
        resolution = *value;
    }
    int width = 0, height = 0;
    if (has_width) {
        const std::string w = *context.option("--width"), h = *context.option("--height");
        auto wv = parse_strict_int(w, window_side_min, window_side_max);
        auto hv = parse_strict_int(h, window_side_min, window_side_max);
        if (!wv || !hv)
            return context.usage_error("render: --width and --height must be whole numbers of pixels from "
                                       + std::to_string(window_side_min) + " to " + std::to_string(window_side_max)
                                       + ", not '" + w + "' and '" + h + "'");
        width = *wv, height = *hv;
    }

    auto design = read_design(context, context.args[0]);
    if (!design || design->read.failure)
        return exit_bad_input;
    PlanScene scene{design->components, design->libraries, design->plan, design->stand};
    const ViewState view = view_from_switches(context);
    const std::filesystem::path out = context.args[1];

    if (!has_width) {
        SilentOutputHost host;
        if (auto saved = ScreenPictureOutput(qt_surface_maker(), resolution).write(out, scene, view, host); !saved)
            return context.fail(saved.error());
        return exit_ok;
    }

    PictureJob job;
    job.width = width;
    job.height = height;
    job.view = view;
    job.palette_column = true;
    job.selection_marks = true; // the window as seen
    job.tile = whole_picture_tile(width, height);
    QtOutlineCache outlines;
    job.outlines = &outlines;
    QtLabelCache labels;
    job.labels = &labels;
    auto bitmap = draw_plan_picture(scene, job, qt_surface_maker());
    if (!bitmap)
        return context.fail(make_error("echec: " + bitmap.error().message, with_jpg_extension(out)));
    if (auto saved = save_jpeg(*bitmap, with_jpg_extension(out)); !saved)
        return context.fail(saved.error());
    return exit_ok;
}

} // namespace halvern
