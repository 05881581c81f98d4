// How long the outlines take: a full plan redraw draws every object again, so a design of 2,550
// objects must draw in a small part of a second.

#include <benchmark/benchmark.h>

#include "counting_canvas.h"

#include <string>

#include "geometry/component_drawing.h"
#include "library/builtin_catalogue.h"

namespace {

using namespace halvern;

using CountingCanvas = halvern::bench::CountingCanvas;

ComponentTable table_with_paths()
{
    ComponentTable t;
    fill_builtin_catalogue(t, "en");
    Component& list = t[150];
    list.name = "long point list";
    list.library = 1;
    list.shape = shape_point_list;
    list.width = 100;
    list.depth = 100;
    list.draw = "|";
    for (int i = 0; i < 1000; ++i)
        list.draw += std::to_string(i % 100) + "|" + std::to_string((i * 7) % 100) + "|";
    Component& turtle = t[151];
    turtle = list;
    turtle.name = "turtle path";
    turtle.shape = shape_turtle_path;
    turtle.draw.clear();
    for (int i = 0; i < 100; ++i)
        turtle.draw += "FD10 RT36 ";
    return t;
}

void draw_many(benchmark::State& state, int component)
{
    ComponentTable t = table_with_paths();
    ComponentLook look;
    look.component = component;
    look.x = 300;
    look.y = 200;
    look.end_code = "CO";
    look.detail = 3;
    look.object_width = t[component].width;
    look.object_depth = t[component].depth;
    PlanView view{2, 0, 0, true};
    CountingCanvas canvas;
    for (auto _ : state) {
        look.angle += 1;
        draw_component(canvas, t, view, look);
    }
    benchmark::DoNotOptimize(canvas.points);
    state.SetItemsProcessed(state.iterations());
}

void BM_straight_frame(benchmark::State& state) { draw_many(state, 4); }
void BM_curved_frame(benchmark::State& state) { draw_many(state, 0); }
void BM_bend(benchmark::State& state) { draw_many(state, 2304); }
void BM_point_list_1000(benchmark::State& state) { draw_many(state, 150); }
void BM_turtle_100_moves(benchmark::State& state) { draw_many(state, 151); }

// A plan of 2,550 frames and bends, drawn once per iteration.
void BM_plan_of_2550(benchmark::State& state)
{
    ComponentTable t = table_with_paths();
    const int kinds[] = {3, 4, 5, 0, 2, 2302, 2306, 2300};
    PlanView view{1, 0, 0, true};
    CountingCanvas canvas;
    for (auto _ : state)
        for (int i = 0; i < 2550; ++i) {
            ComponentLook look;
            look.component = kinds[i % 8];
            look.x = 100 + (i % 50) * 80;
            look.y = 100 + (i / 50) * 40;
            look.angle = i % 360;
            draw_component(canvas, t, view, look);
        }
    benchmark::DoNotOptimize(canvas.points);
}

BENCHMARK(BM_straight_frame);
BENCHMARK(BM_curved_frame);
BENCHMARK(BM_bend);
BENCHMARK(BM_point_list_1000);
BENCHMARK(BM_turtle_100_moves);
BENCHMARK(BM_plan_of_2550)->Unit(benchmark::kMillisecond);

} // namespace
