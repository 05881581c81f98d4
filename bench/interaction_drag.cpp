// One pointer move of the interaction on a full plan of 2,550 objects, with the outline drawing it
// asks for: a dragged object, a hover, a held selection of 100 objects and a turn of it. The
// window calls the interaction at every pointer move, so each must stay far below a frame.

#include <benchmark/benchmark.h>

#include "counting_canvas.h"

#include "library/builtin_catalogue.h"
#include "plan/interaction.h"
#include "plan/plan_edit.h"

namespace {

using namespace halvern;

using CountingCanvas = halvern::bench::CountingCanvas;

// A host that paints the live overlay the way the editor does (over its cached picture, here over
// nothing) and ignores everything else.
struct DrawingHost : InteractionHost {
    CountingCanvas canvas;
    const PlanTable* plan = nullptr;
    const ComponentTable* components = nullptr;
    const ViewState* view = nullptr;
    bool draw = true;
    size_t ghosts = 0;

    void redraw() override {}
    void redraw_live(const LiveOverlay& overlay) override
    {
        ghosts += overlay.objects.size();
        if (draw)
            draw_live_overlay(canvas, *plan, *components, *view, overlay);
    }
    void palette_scrolled(int, int) override {}
    void view_changed() override {}
    void set_cursor(int) override {}
    void show_status(const std::string&) override {}
    void show_readout(const Readout& r) override { benchmark::DoNotOptimize(r.position.data()); }
    void show_message(const std::string&) override {}
    void change_complete(PlanChange) override {}
};

// The first built-in frame of the catalogue: a drawing with its end pieces.
int frame_component(const ComponentTable& t)
{
    for (int n = 0; n < 99; ++n)
        if (!t[n].is_free() && t[n].library == 0 && t[n].width > 0 && t[n].style == 0)
            return n;
    return 0;
}

struct Bench {
    PlanTable plan;
    ComponentTable components;
    LibraryTable libraries;
    ViewState view;
    DrawingHost host;
    InteractionState state;
    InteractionContext context{plan, components, libraries, view, host};

    Bench()
    {
        fill_builtin_catalogue(components, "en");
        const int frame = frame_component(components);
        const float w = float(components[frame].width);
        // 51 rows of 50 frames joined end to end.
        for (int row = 0; row < 51; ++row)
            for (int k = 0; k < 50; ++k) {
                const int i = *create_object(plan, components, frame, 100 + w / 2 + w * float(k), 100 + 60.0f * float(row));
                (void)i;
            }
        plan.index_focus = 0;
        view.zoom_auto = false;
        view.zoom = 0.5;
        host.plan = &plan;
        host.components = &components;
        host.view = &view;
    }

    void call(double x, double y, int buttons, int kk = kk_none)
    {
        PointerInput in;
        const PixelPoint p = view.to_pixel(x, y);
        in.pixel_x = p.x;
        in.pixel_y = p.y;
        in.buttons = buttons;
        in.kk = kk;
        in.area_width = 1600;
        in.area_height = 1000;
        interact(state, context, in);
    }
};

// The argument 0 leaves the ghost undrawn, to tell the interaction's own share from the drawing's.
void BM_DragMove(benchmark::State& st)
{
    Bench b;
    b.host.draw = st.range(0) != 0;
    const int held = 1275;
    const double x = b.plan.obj_x[held], y = b.plan.obj_y[held];
    b.call(x, y, button_none);
    b.call(x, y, button_left);
    double step = 0;
    for (auto _ : st) {
        step = step > 300 ? 0 : step + 1;
        b.call(x + step, y + step / 2, button_left);
    }
    benchmark::DoNotOptimize(b.host.canvas.points);
    st.counters["objects"] = b.plan.nb_objets;
}
BENCHMARK(BM_DragMove)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

void BM_HoverMove(benchmark::State& st)
{
    Bench b;
    double step = 0;
    for (auto _ : st) {
        step = step > 300 ? 0 : step + 1;
        b.call(1000 + step, 1000 + step / 3, button_none);
    }
    benchmark::DoNotOptimize(b.state.survol);
}
BENCHMARK(BM_HoverMove)->Unit(benchmark::kMicrosecond);

// 100 objects selected by a lasso, then held and dragged (or turned) together.
void select_hundred(Bench& b)
{
    b.call(100, 100 + 60 * 20 - 10, button_none);
    b.call(100, 100 + 60 * 20 - 10, button_left);
    b.call(100 + 50 * 200, 100 + 60 * 21 + 10, button_left);
    b.call(100 + 50 * 200, 100 + 60 * 21 + 10, button_none);
}

void BM_SelectionDragMove(benchmark::State& st)
{
    Bench b;
    b.host.draw = st.range(0) != 0;
    select_hundred(b);
    const double x = b.plan.obj_x[size_t(b.plan.selection[1])] + 20, y = b.plan.obj_y[size_t(b.plan.selection[1])];
    b.call(x, y, button_none);
    b.call(x, y, button_left);
    double step = 0;
    for (auto _ : st) {
        step = step > 300 ? 0 : step + 1;
        b.call(x + step, y + step, button_left);
    }
    st.counters["held"] = double(b.state.held.size());
}
BENCHMARK(BM_SelectionDragMove)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

void BM_SelectionTurnMove(benchmark::State& st)
{
    Bench b;
    select_hundred(b);
    b.call(500, 500, button_none);
    b.call(500, 500, button_right);
    double step = 0;
    for (auto _ : st) {
        step = step > 300 ? 0 : step + 1;
        b.call(500 + step, 500, button_right);
    }
    st.counters["held"] = double(b.state.held.size());
}
BENCHMARK(BM_SelectionTurnMove)->Unit(benchmark::kMicrosecond);

} // namespace
