// The full redraw of the plan window: 2,550 objects (built-in frames, profile pieces, library
// components; names, heights and panel sizes on) on a 1920 x 1080 smooth surface, with the still
// layer kept and rebuilt; and the parts of the cost: finding the facts, computing the outlines,
// and painting them. The last benchmark paints one small picture per object instead of its
// outline: what keeping each component's picture per zoom and turn would cost.

#include <benchmark/benchmark.h>

#include "counting_canvas.h"

#include <QImage>
#include <QPainter>

#include "plan/kept_facts.h"
#include "platform/qt_canvas.h"
#include "platform/qt_plan_surfaces.h"
#include "render_scenes.h"

using namespace halvern;
using namespace halvern::bench;

namespace {

constexpr int window_w = 1920, window_h = 1080;

Scene& big_scene()
{
    static Scene* scene = [] {
        auto* s = new Scene;
        fill(*s, max_objects, 25, 15);
        return s;
    }();
    return *scene;
}

using NullCanvas = halvern::bench::CountingCanvas;

RenderOptions window_options(BackgroundCache* cache)
{
    RenderOptions options;
    options.width = window_w;
    options.height = window_h;
    options.cache = cache;
    return options;
}

void full_redraw(benchmark::State& state, bool keep_layer, bool labels = true)
{
    ensure_gui_application();
    Scene& s = big_scene();
    PlanScene scene = s.scene();
    ViewState view = labels ? labelled_view() : ViewState{};
    QtBackgroundCache cache;
    QtPicture picture(window_w, window_h);
    const RenderOptions options = window_options(&cache);
    render_plan(picture.canvas(), scene, view, options);
    int objects = 0;
    for (auto _ : state) {
        if (!keep_layer)
            view.view_valid = false;
        objects = render_plan(picture.canvas(), scene, view, options).objects_drawn;
    }
    state.counters["objects"] = objects;
    state.counters["zoom"] = view.zoom;
}

void redraw_with_kept_layer(benchmark::State& state) { full_redraw(state, true); }

// The window's redraw with outlines kept as pictures: range 0 the first redraw of a zoom (every
// picture drawn), range 1 the redraws after it, range 2 those without the labels, range 3 those
// with labels after an edit (the facts found again, which ranges 1 and 2 keep as the window does
// while the plan has not changed). Labels are kept as pictures too.
void redraw_with_cache(benchmark::State& state)
{
    ensure_gui_application();
    Scene& s = big_scene();
    PlanScene scene = s.scene();
    ViewState view = state.range(0) == 2 ? ViewState{} : labelled_view();
    QtBackgroundCache cache;
    QtOutlineCache outlines;
    QtLabelCache labels;
    QtPicture picture(window_w, window_h);
    RenderOptions options = window_options(&cache);
    options.outlines = &outlines;
    options.labels = &labels;
    KeptDrawing column(std::make_unique<QtPictureStore>());
    options.column = &column;
    render_plan(picture.canvas(), scene, view, options);
    const bool warm = state.range(0) != 0;
    KeptFacts kept;
    for (auto _ : state) {
        if (!warm) {
            state.PauseTiming();
            outlines.clear();
            labels.clear();
            state.ResumeTiming();
        }
        if (state.range(0) == 1 || state.range(0) == 2)
            options.facts = &kept.facts(scene);
        render_plan(picture.canvas(), scene, view, options);
    }
    state.counters["fact_searches"] = kept.searches();
    state.counters["pictures"] = outlines.entries();
    state.counters["labels"] = labels.entries();
    state.counters["MB"] = double(outlines.bytes()) / (1 << 20);
}
void redraw_rebuilding_layer(benchmark::State& state) { full_redraw(state, false); }
void redraw_without_labels(benchmark::State& state) { full_redraw(state, true, false); }

// The check that the kept facts still hold for an unchanged plan.
void facts_kept(benchmark::State& state)
{
    PlanScene scene = big_scene().scene();
    KeptFacts kept;
    for (auto _ : state)
        benchmark::DoNotOptimize(&kept.facts(scene));
    state.counters["searches"] = kept.searches();
}

// The facts alone: chains, joint angles, end codes, duplicates, group boxes.
void facts_only(benchmark::State& state)
{
    PlanScene scene = big_scene().scene();
    for (auto _ : state)
        benchmark::DoNotOptimize(find_plan_facts(scene));
}

// The whole redraw into a canvas that paints nothing: what the geometry costs.
void redraw_geometry_only(benchmark::State& state)
{
    PlanScene scene = big_scene().scene();
    ViewState view = state.range(0) ? labelled_view() : ViewState{};
    NullCanvas canvas;
    const RenderOptions options = window_options(nullptr);
    for (auto _ : state)
        render_plan(canvas, scene, view, options);
    state.counters["points"] = double(canvas.points) / double(state.iterations());
}

// Painting a kept picture of each object (a 64 x 24 sprite with transparency) where the outline
// would be drawn, over the kept layer.
void sprites_estimate(benchmark::State& state)
{
    ensure_gui_application();
    Scene& s = big_scene();
    PlanScene scene = s.scene();
    ViewState view = labelled_view();
    QtBackgroundCache cache;
    QtPicture picture(window_w, window_h);
    RenderOptions options = window_options(&cache);
    render_plan(picture.canvas(), scene, view, options);
    QImage sprite(64, 24, QImage::Format_ARGB32_Premultiplied);
    sprite.fill(Qt::transparent);
    {
        QPainter p(&sprite);
        p.setRenderHint(QPainter::Antialiasing);
        p.drawRoundedRect(2, 2, 60, 20, 4, 4);
    }
    QImage target(window_w, window_h, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&target);
        p.fillRect(0, 0, window_w, window_h, Qt::white);
        for (int i = 1; i <= s.plan.nb_objets; ++i) {
            const PixelPoint at = view.to_pixel(s.plan.obj_x[size_t(i)], s.plan.obj_y[size_t(i)]);
            p.drawImage(QPointF(at.x - 32, at.y - 12), sprite);
        }
    }
}

// The frame a zoom step shows at once in the window: the still layer of the new zoom, and the last
// picture scaled over it, to the nearest pixel (the window's quick frame does the same, with the
// palette column kept). Range 0 the quick frame, range 1 the exact first redraw after a zoom step
// from nothing, range 2 the exact picture as the window draws it after its quick frame (the still
// layer already kept by the quick frame, the facts kept): how long the quick frame stays. Range 3
// the quick frame of a zoom in about a point of the window, where the scaled picture covers the
// plan and the window leaves the still layer to the exact picture.
void frame_after_zoom(benchmark::State& state)
{
    ensure_gui_application();
    PlanScene scene = big_scene().scene();
    ViewState view = labelled_view();
    view.zoom_auto = false;
    QtBackgroundCache cache;
    QtOutlineCache outlines;
    QtLabelCache labels;
    QtPicture picture(window_w, window_h);
    RenderOptions options = window_options(&cache);
    options.outlines = &outlines;
    options.labels = &labels;
    KeptDrawing column(std::make_unique<QtPictureStore>());
    options.column = &column;
    view.zoom = 0.6;
    // The last exact picture, from a picture of its own: taking a picture's image ends its drawing,
    // and the timed redraws must paint.
    QImage last;
    {
        QtPicture first(window_w, window_h);
        render_plan(first.canvas(), scene, view, options);
        last = first.image().copy();
    }
    int step = 0;
    KeptFacts kept;
    for (auto _ : state) {
        const double before = view.zoom;
        view.zoom = (++step % 2) ? 0.75 : 0.6;
        if (state.range(0) == 2) {
            state.PauseTiming();
            {
                QImage frame(window_w, window_h, QImage::Format_RGB32);
                QtCanvas canvas(frame);
                render_still_layer(canvas, scene, view, options);
            }
            state.ResumeTiming();
            RenderOptions settled = options;
            settled.facts = &kept.facts(scene);
            render_plan(picture.canvas(), scene, view, settled);
        } else if (state.range(0) == 0 || state.range(0) == 3) {
            QImage frame(window_w, window_h, QImage::Format_RGB32);
            if (state.range(0) == 0) {
                QtCanvas canvas(frame);
                render_still_layer(canvas, scene, view, options);
            }
            QPainter painter(&frame);
            painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
            painter.translate(palette_width, 0);
            painter.scale(view.zoom / before, view.zoom / before);
            painter.drawImage(QPointF(0, 0), last, QRectF(palette_width, 0, window_w - palette_width, window_h));
        } else {
            render_plan(picture.canvas(), scene, view, options);
        }
    }
    if (state.range(0) == 0 || state.range(0) == 3)
        return;
    // Per redraw at the last zoom: pictures made, and outlines drawn directly (not kept).
    const int made = outlines.pictures_made(), put = outlines.pictures_put();
    outlines.begin_redraw();
    const int drawn = render_plan(picture.canvas(), scene, view, options).objects_drawn;
    state.counters["made"] = outlines.pictures_made() - made;
    state.counters["direct"] = drawn - (outlines.pictures_put() - put);

}

} // namespace

BENCHMARK(frame_after_zoom)->Arg(0)->Arg(3)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(redraw_with_kept_layer)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(redraw_with_cache)->Arg(0)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(redraw_rebuilding_layer)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(redraw_without_labels)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(facts_kept)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(facts_only)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(redraw_geometry_only)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(sprites_estimate)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);
