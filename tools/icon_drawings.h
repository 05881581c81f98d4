#pragma once
// The drawings of the toolbar icons and the plan's cursors, as vector shapes that the generator
// paints at every size it writes.

#include <QPainter>
#include <QPoint>

#include <string>
#include <vector>

namespace halvern::tools {

struct Drawing {
    std::string file_name; // "zoom+16.ico", "std.cur"
    int design_size;       // the size of the grid the shapes are laid out on
    QPoint hot_spot;       // on that grid; cursors only
    // Paints on the design grid; `pixel` is the width of one output pixel in grid units, so that
    // outlines stay one pixel wide at every size.
    void (*paint)(QPainter& painter, double pixel);
    // For cursors, a hand-set 16-pixel picture, one text row a pixel row: "." clear, "B" black,
    // "W" white, "G" glass (white, mostly see-through), "K" black with a white rim added around
    // it. A cursor shrunk from its 32-pixel drawing is a grey smudge; this is drawn pixel by pixel.
    std::vector<std::string> small = {};
    QPoint small_hot_spot = {}; // on the hand-set picture
};

std::vector<Drawing> toolbar_icons();
std::vector<Drawing> plan_cursors();

} // namespace halvern::tools
