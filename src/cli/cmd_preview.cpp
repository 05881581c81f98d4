#include "base/folder_listing.h"
#include "base/numbers.h"
#include "cli/commands.h"
#include "cli/library_loading.h"
#include "geometry/component_preview.h"
#include "geometry/point_path.h"
#include "platform/qt_canvas.h"

namespace halvern {

int cmd_preview(CliContext& context)
{
    auto number = parse_strict_int(context.args[0], 0, max_component);
    if (!number)
        return context.usage_error("preview: N must be a component number from 0 to 5000, not '" + context.args[0]
                                   + "'");
    // As render adds ".jpg": a name without ".png" (a design's own, say) is never written over.
    const std::filesystem::path out = with_extension(context.args[1], ".png");

    int size = 400;
    if (auto text = context.option("--size")) {
        auto value = parse_strict_int(*text, 8, 8192);
        if (!value)
            return context.usage_error("preview: --size must be a whole number of pixels from 8 to 8192, not '" + *text
                                       + "'");
        size = *value;
    }
    double rotation = 0;
    if (auto text = context.option("--rotation")) {
        auto value = parse_strict_real(*text);
        if (!value || std::abs(*value) > 1e6)
            return context.usage_error("preview: --rotation must be a number of degrees, not '" + *text + "'");
        rotation = *value;
    }
    int detail = 0;
    if (auto text = context.option("--detail")) {
        auto value = parse_strict_int(*text, 0, 3);
        if (!value)
            return context.usage_error("preview: --detail must be 0, 1, 2 or 3, not '" + *text + "'");
        detail = *value;
    }

    ComponentTable components;
    LibraryTable libraries;
    load_tables(context, components, libraries);
    if (components[*number].is_free())
        return context.fail(make_error("component " + std::to_string(*number) + " does not exist"));

    ensure_gui_application();
    QtPicture picture(size, size);
    picture.canvas().set_smooth(!context.has_option("--plain"));
    ComponentPreview preview = fit_preview(components, *number, size, size, rotation, detail);
    draw_component(picture.canvas(), components, preview.view, preview.look);
    if (auto saved = picture.save_png(out); !saved)
        return context.fail(saved.error());
    return 0;
}

} // namespace halvern
