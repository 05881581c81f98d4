#pragma once
// The pieces of the redraw, shared by its files; not for use outside the renderer.

#include <cstdint>
#include <map>
#include <string>
#include <utility>

#include "geometry/component_drawing.h"
#include "geometry/label_cache.h"
#include "plan/render.h"

namespace halvern::render_detail {

// Texts that labels repeat from object to object (heights, panel sizes), formatted once a redraw.
struct LabelTexts {
    std::map<std::uint32_t, std::string> heights;                               // by the float's bits
    std::map<std::pair<std::uint64_t, std::uint64_t>, std::string> panel_sizes; // by the doubles' bits
    std::vector<LabelLine> lines; // the label being drawn: its strings keep their room from object to object
};

struct Context {
    Canvas* canvas;
    PlanScene& scene;
    const ViewState& view;
    const RenderOptions& options;
    const PlanFacts& facts;
    PlanView plan_view;
    PixelRect window; // the part of the area being drawn
    LabelTexts* texts = nullptr;

    Canvas& c() const { return *canvas; }
    bool column() const { return options.palette_column; }
    double scale() const { return options.pixel_scale; }
    // A plan point in whole pixels of the area.
    Pixel pixel(double x, double y) const;
};

Context make_context(Canvas& canvas, PlanScene& scene, const ViewState& view, const RenderOptions& options,
                     const PlanFacts& facts);

bool is_faded(const PlanTable& plan, int i);
// Objects the redraw draws: neither group objects nor objects marked for deletion.
bool is_drawn(const PlanTable& plan, int i);

// The still layer: white area, floor, fine and coarse grids, walls.
void draw_background(const Context& ctx);

void draw_object(const Context& ctx, int i);
void draw_selection_mark(const Context& ctx, int i);
void draw_object_helpers(const Context& ctx, int i);
void draw_group_box(const Context& ctx, int group);
void draw_duplicate_mark(const Context& ctx, int i);

void draw_front_view(const Context& ctx);
void draw_palette(const Context& ctx);
// The column from its kept picture while nothing it is drawn from changed.
void draw_kept_palette(const Context& ctx, KeptDrawing& kept);
void draw_status(const Context& ctx);

} // namespace halvern::render_detail
