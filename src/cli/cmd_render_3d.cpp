// Pictures of the stand in 3D from the command line: the model the 3D window shows, drawn by the
// same renderer through an OpenGL context of the display.

#include <QGuiApplication>

#include <cstdlib>

#include "base/error_words.h"
#include "base/numbers.h"
#include "cli/commands.h"
#include "cli/project_input.h"
#include "outputs/output_range.h"
#include "view3d/draw_batches.h"
#include "view3d/offscreen_render.h"
#include "view3d/scene_snapshot.h"
#include "view3d/view_picture.h"

namespace halvern {

namespace {

const char* const needs_display =
    "render-3d draws with OpenGL and needs a display; without one, run it under a private X server "
    "(xvfb-run -a halvern render-3d ...)";

bool variable_set(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value;
}

// The platforms that have no OpenGL at all.
bool platform_without_opengl(const QString& name) { return name == "offscreen" || name == "minimal"; }

// A graphical application on the display, made once; none when there is no display.
bool ensure_display_application()
{
    if (QCoreApplication::instance())
        return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) &&
               !platform_without_opengl(QGuiApplication::platformName());
    const QString asked = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (platform_without_opengl(asked) || (asked.isEmpty() && !variable_set("DISPLAY") && !variable_set("WAYLAND_DISPLAY")))
        return false;
    static int argc = 1;
    static char name[] = "halvern";
    static char* argv[] = {name, nullptr};
    // Lives until the process ends, as the plan pictures' application does.
    static QGuiApplication* application = new QGuiApplication(argc, argv);
    return !platform_without_opengl(QGuiApplication::platformName()) && application;
}

} // namespace

int cmd_render_3d(CliContext& context)
{
    VrmlVariant variant = VrmlVariant::full;
    if (auto given = context.option("--variant")) {
        const std::optional<int> v = parse_strict_int(*given, 0, 2);
        if (!v)
            return context.usage_error("--variant takes 0, 1 or 2, not \"" + *given + "\"");
        variant = VrmlVariant(*v);
    }
    std::pair<int, int> size{1280, 720};
    if (auto given = context.option("--size")) {
        const auto parsed = parse_picture_size(*given);
        if (!parsed)
            return context.usage_error("--size takes WIDTHxHEIGHT, each 1 to 8192 pixels, not \"" + *given + "\"");
        size = *parsed;
    }
    StandardView view = StandardView::iso;
    if (auto given = context.option("--view")) {
        const auto parsed = parse_standard_view(*given);
        if (!parsed)
            return context.usage_error("--view takes iso, front, top, left or right, not \"" + *given + "\"");
        view = *parsed;
    }
    const std::filesystem::path out = context.args[1];
    if (!view_picture_format(out))
        return context.usage_error("the picture's name must end in .png, .jpg or .jpeg: " + out.string());

    auto design = read_design(context, context.args[0]);
    if (!design || design->read.failure)
        return exit_bad_input;
    if (auto in_range = check_output_range(design->plan, design->stand); !in_range)
        return context.fail(make_error(in_range.error().message, out));
    if (!ensure_display_application()) {
        context.err << "halvern: " << needs_display << '\n';
        return exit_bad_input;
    }
    OffscreenRenderer renderer;
    if (!renderer.ready()) {
        context.err << "halvern: " << renderer.problem() << "; " << needs_display << '\n';
        return exit_bad_input;
    }

    SceneSnapshot snapshot{std::make_shared<const ComponentTable>(std::move(design->components)), design->plan,
                           design->stand, context.app_dir, context.settings.config_player, variant};
    StandModel model;
    const BuiltModel built = build_model(snapshot, model);
    for (const std::string& message : built.messages)
        context.err << "halvern: " << error_words_in(message, context.lang) << '\n';
    DrawBatches stand;
    stand.apply(built);
    OrbitCamera camera;
    camera.set_view(view, stand.bounds(), double(size.first) / size.second);
    Result<QImage> picture = renderer.render(stand, camera, QSize(size.first, size.second));
    if (!picture)
        return context.fail(picture.error());
    if (Result<void> saved = save_view_picture(*picture, out); !saved)
        return context.fail(saved.error());
    return exit_ok;
}

} // namespace halvern
