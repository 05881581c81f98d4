#pragma once
// The printed plan: one page holding the stand and its one-metre margins, drawn plain. The page is
// drawn on a grid four times finer than the screen's 96 dots per inch, with texts and marks four
// times larger, so that the paper shows the screen's proportions with finer lines.

#include "plan/render.h"

namespace halvern {

inline constexpr double paper_dots_per_pixel = 4;
inline constexpr double paper_dots_per_inch = 96 * paper_dots_per_pixel;

// The page's view: zoom auto off, the zoom that fits the stand and its margins on a page of that
// many dots, and no scroll (a print that kept the window's scroll would push the stand off the
// page); the display switches stay those of the window.
ViewState print_view(const ViewState& view, const StandSettings& stand, double page_width, double page_height);

// How the page is drawn: no palette column, plain, texts and marks at the paper's scale.
RenderOptions print_options(int page_width, int page_height);

// True when a page turned sideways (width and height swapped) gives the stand a larger zoom.
bool landscape_is_larger(const StandSettings& stand, double portrait_width, double portrait_height);

} // namespace halvern
