// How long a change of the design takes to show in an open 3D window: from the editor's change
// signal to the first frame drawn with the new scene (text built and read by Coin on the worker,
// swapped in, drawn), for the island example and a 2,550-object design, the window at 1280 × 720.
// Needs a display with OpenGL (run under xvfb-run); without one every benchmark is skipped.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QOpenGLContext>

#include <filesystem>

#include "app/design_notifier.h"
#include "app/qt_prompts.h"
#include "app/session.h"
#include "app/startup.h"
#include "app/view3d_widget.h"
#include "app/view3d_window.h"
#include "base/settings.h"
#include "large_design.h"
#include "project/project_reader.h"

using namespace halvern;
namespace fs = std::filesystem;

namespace {

const fs::path stage = HALVERN_STAGE_DIR;

QApplication& application()
{
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

// Turns the event loop until `done`, at most a minute; false when it never came.
template <class Done> bool turn_until(Done done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > 60000)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

void change_to_frame(benchmark::State& state, bool large)
{
    application();
    if (QOpenGLContext probe; !probe.create()) {
        state.SkipWithError("no OpenGL on this display (run under xvfb-run)");
        return;
    }
    Session session(stage, std::make_unique<MemorySettingsStore>());
    (void)load_session(session, nullptr);
    if (large) {
        session.stand = {20, 12, 0xFFF, "", "Client", "Salon"};
        bench::fill_large_design(session.components, stage, session.plan);
    } else {
        const fs::path file = stage / "examples" / "island_stand_8x6.qlm";
        Result<ProjectBytes> bytes = read_project_bytes(file);
        if (!bytes) {
            state.SkipWithError(bytes.error().text().c_str());
            return;
        }
        (void)read_project_text(bytes->bytes, file, bytes->format, ReadMode::load, session.components, session.plan,
                                session.stand);
    }
    DesignNotifier notifier;
    QtPrompts prompts(nullptr, [] { return std::string("en"); });
    View3dWindow window(session, notifier, prompts);
    window.resize(1280, 760);
    window.show();
    View3dWidget* picture = window.picture();
    if (!turn_until([&] { return window.scenes_shown() > 0 && !window.building() && picture->frames_drawn() > 0; })) {
        state.SkipWithError("the first scene never showed");
        return;
    }
    // The frames drawn when the new scene is swapped in (inside the swap, before any paint).
    bool swapped = false;
    int at_swap = 0;
    QObject::connect(&window, &View3dWindow::scene_shown, [&] {
        swapped = true;
        at_swap = picture->frames_drawn();
    });
    for (auto _ : state) {
        session.plan.obj_x[1] += 1; // the first object moves by a centimetre
        swapped = false;
        QElapsedTimer clock;
        clock.start();
        notifier.notify(Change::objects);
        const bool drawn = turn_until([&] { return swapped && picture->frames_drawn() > at_swap; });
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        if (!drawn) {
            state.SkipWithError("the change never showed");
            return;
        }
    }
}

void BM_IslandChangeToFrame(benchmark::State& state) { change_to_frame(state, false); }
void BM_LargeChangeToFrame(benchmark::State& state) { change_to_frame(state, true); }

} // namespace

BENCHMARK(BM_IslandChangeToFrame)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);
BENCHMARK(BM_LargeChangeToFrame)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);
