// The editor's start-up with the shipped library, up to the first frame of the plan drawn: the
// tables, settings and texts, the library load, the main window with its helper windows, and the
// first redraw. The phases are counters, to say what bounds the whole. Settings are kept in memory
// and recovery copies in a scratch folder, so that nothing of the user's shapes the figure. The
// start of the process itself (loading Qt's libraries, making the QApplication) comes before this:
// time `halvern --version` for the libraries' share.

#include <benchmark/benchmark.h>

#include <QApplication>

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "app/main_window.h"
#include "app/plan_widget.h"
#include "app/qt_prompts.h"
#include "app/session.h"
#include "app/startup.h"
#include "base/settings.h"

using namespace halvern;
namespace fs = std::filesystem;

namespace {

QApplication& application()
{
    static const fs::path scratch = fs::temp_directory_path() / "halvern-bench-startup";
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        fs::create_directories(scratch);
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        setenv("XDG_DATA_HOME", scratch.c_str(), 1);
        setenv("XDG_CONFIG_HOME", scratch.c_str(), 1);
        setenv("XDG_CACHE_HOME", scratch.c_str(), 1);
        auto* made = new QApplication(argc, argv);
        QApplication::setApplicationName(QStringLiteral("Halvern Visual Design"));
        return made;
    }();
    return *app;
}

double ms_since(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void editor_startup_to_first_frame(benchmark::State& state)
{
    application();
    double load = 0, window = 0, frame = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        auto session = std::make_unique<Session>(HALVERN_STAGE_DIR, std::make_unique<MemorySettingsStore>());
        const std::vector<Error> notes = load_session(*session, nullptr);
        const double loaded = ms_since(start);
        QtPrompts prompts(nullptr, [&session] { return session->lang(); });
        std::unique_ptr<MainWindow> editor = open_editor(*session, prompts, notes);
        const double opened = ms_since(start);
        const auto give_up = start + std::chrono::seconds(20);
        while (editor->plan_widget()->full_redraws() == 0 && std::chrono::steady_clock::now() < give_up)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        if (editor->plan_widget()->full_redraws() == 0) {
            state.SkipWithError("the plan was never drawn");
            break;
        }
        const double drawn = ms_since(start);
        // The first start in the process also fills Qt's font and style caches, as a real start does.
        static const double first_start = drawn;
        state.counters["first_start_ms"] = first_start;
        load += loaded;
        window += opened - loaded;
        frame += drawn - opened;
        state.PauseTiming();
        editor.reset();
        session.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    const double n = double(state.iterations());
    state.counters["load_ms"] = load / n;
    state.counters["windows_ms"] = window / n;
    state.counters["first_frame_ms"] = frame / n;
}

} // namespace

BENCHMARK(editor_startup_to_first_frame)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(3)->ReportAggregatesOnly(true);
