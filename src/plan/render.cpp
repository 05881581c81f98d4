#include "plan/render.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "geometry/canvas_adapters.h"
#include "plan/duplicates.h"
#include "plan/end_grid.h"
#include "plan/groups.h"
#include "plan/render_parts.h"

namespace halvern {

using namespace render_detail;

namespace {

// Every group's box in one walk over the table, corner for corner as group_box finds one group's.
void add_group_boxes(const PlanTable& plan, const ComponentTable& components,
                     std::vector<std::optional<PlanBox>>& boxes)
{
    for (int i = 1; i <= plan.nb_objets; ++i) {
        const int g = plan.obj_groupe[size_t(i)];
        if (plan.valid(g) && plan.is_group(g))
            include_footprint(boxes[size_t(g)], plan, components, i);
    }
}

} // namespace

PlanFacts find_plan_facts(PlanScene& scene)
{
    PlanTable& plan = scene.plan;
    compute_chains(plan, scene.components);

    PlanFacts facts;
    const size_t size = size_t(plan.nb_objets) + 1;
    facts.joint_angles.assign(size, {-1, -1});
    facts.end_codes.assign(size, {});
    facts.duplicate.assign(size, 0);
    facts.group_boxes.assign(size, std::nullopt);

    const EndTable ends = make_end_table(plan, scene.components);
    const EndGrid grid(ends, plan.nb_objets);
    for (int i = 1; i <= plan.nb_objets; ++i) {
        for (int e = 1; e <= 2; ++e) {
            const int angle = joint_angle(plan, i, e, grid.find_neighbour(plan, i, e, NeighbourFilter::any));
            facts.joint_angles[size_t(i)][size_t(e - 1)] = angle;
            facts.end_codes[size_t(i)] += end_letter(angle);
        }
    }
    add_group_boxes(plan, scene.components, facts.group_boxes);
    for (int i : find_duplicates(plan, scene.components))
        facts.duplicate[size_t(i)] = 1;
    return facts;
}

namespace render_detail {

Pixel Context::pixel(double x, double y) const
{
    PixelPoint p = view.to_pixel(x, y, column());
    return {to_pixel(p.x), to_pixel(p.y)};
}

Context make_context(Canvas& canvas, PlanScene& scene, const ViewState& view, const RenderOptions& options,
                     const PlanFacts& facts)
{
    Context ctx{&canvas, scene, view, options, facts, {}, {}, nullptr};
    ctx.plan_view = {view.zoom, view.decal_x, view.decal_y, options.palette_column};
    ctx.window = options.window.value_or(PixelRect{0, 0, options.width, options.height});
    return ctx;
}

bool is_faded(const PlanTable& plan, int i) { return plan.obj_estompe[size_t(i)] == 0; }

bool is_drawn(const PlanTable& plan, int i) { return !plan.is_group(i) && !plan.is_marked(i); }

} // namespace render_detail

namespace {

void apply_zoom_auto(ViewState& view, const StandSettings& stand, const RenderOptions& options, RenderOutcome& outcome)
{
    if (!view.zoom_auto)
        return;
    const double fitted = fitted_zoom(options.width, options.height, stand.stand_largeur, stand.stand_profondeur);
    if (fitted != view.zoom) {
        view.zoom = fitted;
        view.view_valid = false;
        outcome.zoom_changed = true;
    }
}

BackgroundKey key_of(const ViewState& view, const StandSettings& stand, const RenderOptions& options)
{
    return {options.width,        options.height,          view.zoom,        view.decal_x,
            view.decal_y,         stand.stand_largeur,     stand.stand_profondeur,
            stand.stand_murs,     options.palette_column,  options.smooth};
}

// The still layer from the cache when it was drawn for this very view, otherwise drawn again (into
// the cache first when there is one).
bool put_background(const Context& ctx, ViewState& view)
{
    BackgroundCache* cache = ctx.options.window ? nullptr : ctx.options.cache;
    const BackgroundKey key = key_of(view, ctx.scene.stand, ctx.options);
    if (cache && view.view_valid && cache->key() == key && cache->copy_to(ctx.c()))
        return true;
    view.view_valid = true;
    if (cache) {
        cache->set_key(std::nullopt);
        if (Canvas* layer = cache->begin(ctx.options.width, ctx.options.height)) {
            layer->set_smooth(ctx.options.smooth);
            Context on_layer = ctx;
            on_layer.canvas = layer;
            draw_background(on_layer);
            cache->end();
            cache->set_key(key);
            if (cache->copy_to(ctx.c()))
                return false;
            cache->set_key(std::nullopt);
        }
    }
    draw_background(ctx);
    return false;
}

} // namespace

struct PlanRedraw::State {
    Canvas& canvas;
    PlanScene scene;
    ViewState view;
    RenderOptions options;
    PlanFacts own_facts;
    const PlanFacts* facts = nullptr;
    std::optional<Context> ctx;
    LabelTexts texts;
    std::vector<int> shown;
    int pass = 0;
    size_t next = 0;
};

namespace {

enum Pass { outlines_pass, marks_pass, helpers_pass, groups_pass, duplicates_pass, column_pass, finished };

} // namespace

PlanRedraw::PlanRedraw(Canvas& canvas, PlanScene& scene, ViewState& view, const RenderOptions& options)
    : state_(std::make_unique<State>(State{canvas, scene, view, options, {}, nullptr, std::nullopt, {}, {}, finished, 0}))
{
    State& s = *state_;
    if (options.width <= 0 || options.height <= 0)
        return;
    canvas.set_smooth(options.smooth);

    // Facts found for another state of the table (it grew or shrank since) are found again.
    const size_t size = size_t(scene.plan.nb_objets) + 1;
    const bool given = options.facts && options.facts->joint_angles.size() == size
        && options.facts->end_codes.size() == size && options.facts->duplicate.size() == size
        && options.facts->group_boxes.size() == size;
    if (!given)
        s.own_facts = find_plan_facts(scene);
    s.facts = given ? options.facts : &s.own_facts;

    if (view.front_view) {
        s.view = view;
        draw_front_view(make_context(canvas, s.scene, s.view, s.options, *s.facts));
        outcome_.zoom_text = zoom_text(view);
        return;
    }

    apply_zoom_auto(view, scene.stand, options, outcome_);
    outcome_.zoom_text = zoom_text(view);
    outcome_.background_reused = put_background(make_context(canvas, scene, view, options, *s.facts), view);
    // The pieces that follow read the view as it stands now, whatever the caller does with its own.
    s.view = view;
    s.ctx.emplace(make_context(canvas, s.scene, s.view, s.options, *s.facts));
    s.ctx->texts = &s.texts;
    if (options.outlines)
        options.outlines->begin_redraw();
    if (options.labels)
        options.labels->begin_redraw();

    const PlanTable& plan = scene.plan;
    const PixelRect window = s.ctx->window;
    auto reaches_window = [&](int i) {
        return !options.extents || !options.window || size_t(i) >= options.extents->size()
            || (*options.extents)[size_t(i)].meets(window);
    };
    s.shown.reserve(size_t(plan.nb_objets));
    for (int i = 1; i <= plan.nb_objets; ++i)
        if (reaches_window(i))
            s.shown.push_back(i);
    s.pass = outlines_pass;
}

PlanRedraw::~PlanRedraw() = default;

bool PlanRedraw::done() const { return state_->pass == finished; }

bool PlanRedraw::step(int work)
{
    State& s = *state_;
    const PlanTable& plan = s.scene.plan;
    while (s.pass != finished && work > 0) {
        const Context& ctx = *s.ctx;
        if (s.pass == column_pass) {
            if (s.options.palette_column) {
                if (s.options.column)
                    draw_kept_palette(ctx, *s.options.column);
                else
                    draw_palette(ctx);
                if (s.options.status_texts)
                    draw_status(ctx);
            }
            s.pass = finished;
            break;
        }
        if (s.next >= s.shown.size()) {
            s.next = 0;
            ++s.pass;
            continue;
        }
        const int i = s.shown[s.next++];
        --work;
        switch (s.pass) {
        case outlines_pass:
            if (is_drawn(plan, i)) {
                draw_object(ctx, i);
                ++outcome_.objects_drawn;
            }
            break;
        case marks_pass:
            if (is_drawn(plan, i))
                draw_selection_mark(ctx, i);
            break;
        case helpers_pass:
            if (is_drawn(plan, i))
                draw_object_helpers(ctx, i);
            break;
        case groups_pass:
            if (plan.is_group(i))
                draw_group_box(ctx, i);
            break;
        default:
            if (s.facts->duplicate[size_t(i)])
                draw_duplicate_mark(ctx, i);
            break;
        }
    }
    return s.pass == finished;
}

RenderOutcome render_plan(Canvas& canvas, PlanScene& scene, ViewState& view, const RenderOptions& options)
{
    PlanRedraw redraw(canvas, scene, view, options);
    redraw.step(std::numeric_limits<int>::max());
    return redraw.outcome();
}

RenderOutcome render_still_layer(Canvas& canvas, PlanScene& scene, ViewState& view, const RenderOptions& options)
{
    RenderOutcome outcome;
    if (options.width <= 0 || options.height <= 0 || view.front_view)
        return outcome;
    canvas.set_smooth(options.smooth);
    apply_zoom_auto(view, scene.stand, options, outcome);
    outcome.zoom_text = zoom_text(view);
    const PlanFacts none;
    outcome.background_reused = put_background(make_context(canvas, scene, view, options, none), view);
    return outcome;
}

std::vector<PixelExtent> object_extents(PlanScene& scene, const ViewState& view, const RenderOptions& options,
                                        const PlanFacts& facts)
{
    ViewState settled = view;
    RenderOutcome ignored;
    apply_zoom_auto(settled, scene.stand, options, ignored);

    if (facts.duplicate.size() != size_t(scene.plan.nb_objets) + 1)
        return {}; // facts of another table: nothing can be skipped
    BoundsCanvas bounds;
    bounds.set_smooth(options.smooth);
    RenderOptions measuring = options;
    measuring.outlines = nullptr; // the bounds are measured on the outlines themselves
    measuring.labels = nullptr;
    const Context ctx = make_context(bounds, scene, settled, measuring, facts);
    const PlanTable& plan = scene.plan;
    std::vector<PixelExtent> extents(size_t(plan.nb_objets) + 1);
    for (int i = 1; i <= plan.nb_objets; ++i) {
        bounds.reset();
        if (is_drawn(plan, i)) {
            draw_object(ctx, i);
            draw_selection_mark(ctx, i);
            draw_object_helpers(ctx, i);
        }
        if (plan.is_group(i))
            draw_group_box(ctx, i);
        if (facts.duplicate[size_t(i)])
            draw_duplicate_mark(ctx, i);
        if (!bounds.empty())
            extents[size_t(i)] = {bounds.left(), bounds.top(), bounds.right(), bounds.bottom()};
    }
    return extents;
}

} // namespace halvern
