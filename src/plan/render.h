#pragma once
// The full redraw of the plan window: the still layer (white area, floor, grids, walls), every
// object's outline, the helpers the View menu switches on, group boxes, duplicate marks, the
// palette column and the status texts, drawn in that order onto a canvas. The same redraw, without
// the column, draws the picture saves (a tile at a time) and the printed page.

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "geometry/canvas.h"
#include "geometry/label_cache.h"
#include "geometry/outline_cache.h"
#include "library/component_table.h"
#include "plan/background_cache.h"
#include "plan/groups.h"
#include "geometry/kept_drawing.h"
#include "plan/palette.h"
#include "plan/plan_ends.h"
#include "plan/plan_table.h"
#include "plan/view_state.h"
#include "plan/stand_settings.h"

namespace halvern {

// What a redraw reads. The plan is not const: every redraw renumbers the chains.
struct PlanScene {
    const ComponentTable& components;
    const LibraryTable& libraries;
    PlanTable& plan;
    const StandSettings& stand;
};

// Facts about the objects that the drawing of each one needs, found once per redraw (or once for
// all the tiles of a picture), each by a search that looks at nearby objects only.
struct PlanFacts {
    std::vector<std::array<int, 2>> joint_angles; // by object: end 1 and end 2, -1 for a free end
    std::vector<std::string> end_codes;           // by object: computed, overrides not applied
    std::vector<char> duplicate;                  // by object: gets a "DOUBLON" mark
    std::vector<std::optional<PlanBox>> group_boxes; // by group object: its members' box
};

// Renumbers the chains, then finds the facts.
PlanFacts find_plan_facts(PlanScene& scene);

// A box of whole pixels, all four sides inclusive.
struct PixelExtent {
    int left = 0, top = 0, right = -1, bottom = -1;
    bool empty() const { return right < left || bottom < top; }
    bool meets(const PixelRect& r) const
    {
        return !empty() && left < r.x + r.width && right >= r.x && top < r.y + r.height && bottom >= r.y;
    }
};

struct RenderOptions {
    int width = 0, height = 0;  // the drawing area in pixels: the whole window or picture
    bool palette_column = true; // the window: the column at the left and the status texts
    // The window draws the status texts itself over the picture, since they follow every pointer move.
    bool status_texts = true;
    bool smooth = true;         // anti-aliased; the printed page is drawn plain
    // The focus and selection marks: only the window (and a save of the window as seen) shows
    // them; what is handed to a customer or a printer never carries the editing state.
    bool selection_marks = false;
    // Only this part of the area is drawn (a tile of a picture); the canvas still takes the
    // area's own pixel coordinates.
    std::optional<PixelRect> window;
    std::optional<PlanPoint> pointer; // shown in the status texts
    const PaletteState* palette = nullptr;
    BackgroundCache* cache = nullptr;
    // Sizes given in pixels (texts, marks) are multiplied by this: on paper the page is drawn at
    // several dots to the screen's one.
    double pixel_scale = 1;
    const PlanFacts* facts = nullptr;                // found by the redraw when absent
    const std::vector<PixelExtent>* extents = nullptr; // by object: skip objects outside the window
    // Outlines kept as pictures, for the window and its picture only: a kept picture's edges are
    // shaded a level or two apart from the drawn outline's, which saved pictures, blueprints and
    // the printed page must not be.
    OutlineCache* outlines = nullptr;
    // Object labels kept as pictures, on the same terms as the outlines.
    LabelCache* labels = nullptr;
    // The palette column kept as a picture, on the same terms.
    KeptDrawing* column = nullptr;
};

struct RenderOutcome {
    bool zoom_changed = false;      // zoom auto found another zoom
    bool background_reused = false; // the still layer came from the cache
    int objects_drawn = 0;
    std::string zoom_text;          // for the toolbar's zoom box
};

RenderOutcome render_plan(Canvas& canvas, PlanScene& scene, ViewState& view, const RenderOptions& options);

// The same redraw in pieces, so that a window can take its events between them: the facts, the
// still layer and the zoom at construction, then `step` draws a number of object parts (an
// outline, a mark, a label) at a time, and the column last. Drawn to the end it is render_plan's
// picture exactly (render_plan is this drawn in one piece). The scene, the canvas and what the
// options point to must stay as they are until the end; the caller's view may change meanwhile.
class PlanRedraw {
public:
    PlanRedraw(Canvas& canvas, PlanScene& scene, ViewState& view, const RenderOptions& options);
    ~PlanRedraw();
    PlanRedraw(const PlanRedraw&) = delete;
    PlanRedraw& operator=(const PlanRedraw&) = delete;

    // Draws up to `parts` more parts; true once the redraw is complete.
    bool step(int parts);
    bool done() const;
    const RenderOutcome& outcome() const { return outcome_; }

private:
    struct State;
    std::unique_ptr<State> state_;
    RenderOutcome outcome_;
};

// The still layer alone (white area, floor, grids, walls) for the view, zoom auto applied, through
// the cache as render_plan puts it: what a frame shown before the objects are ready stands on.
RenderOutcome render_still_layer(Canvas& canvas, PlanScene& scene, ViewState& view, const RenderOptions& options);

// Where everything drawn for each object (outline, marks, labels; for a group object its box and
// label) lies in the area's pixels, for a view and options that stay the same over many tiles.
std::vector<PixelExtent> object_extents(PlanScene& scene, const ViewState& view, const RenderOptions& options,
                                        const PlanFacts& facts);

// Label texts and mark sizes.
inline constexpr double label_points = 8;
inline constexpr double big_label_factor = 1.5;
inline constexpr double palette_text_points = 8;

} // namespace halvern
