#pragma once
// Turtle paths: a component outline written as drawing commands ("PU", "PD", "TT", "LT", "RT",
// "FD", "BK"), run by a small interpreter of our own from the footprint's top-right corner.

#include <string>
#include <string_view>

#include "geometry/canvas.h"

namespace halvern {

// The stored path with every "FD" distance multiplied by zoom, rounded to one decimal. Only
// upper-case "FD" is scaled; its whole argument, up to the next blank, is replaced (a missing
// argument or one set apart by a blank reads as 0). Runs of blanks come out as single blanks.
std::string scale_fd_path(std::string_view path, double zoom);

// Headings are degrees: 0 points up the screen and headings grow clockwise.
struct TurtleState {
    double x = 0, y = 0; // pixels
    double heading = 0;
    bool pen_down = true;
};

// Runs command strings on a canvas. Commands are letters (any case) with an optional number,
// written right after them or after blanks: "FD25", "TT 90". "PU"/"PD" lift and lower the pen,
// "TT" sets the heading, "LT"/"RT" turn anticlockwise/clockwise, "FD"/"BK" move forward/back,
// drawing a line in the current colour and width while the pen is down. Anything else is
// skipped. Every command moves the reading on, so a path of any text ends; the turtle draws at
// most one line per command and keeps nothing else.
class Turtle {
public:
    explicit Turtle(Canvas& canvas) : canvas_(canvas) {}

    void place(double x, double y, double heading);
    void run(std::string_view commands);
    const TurtleState& state() const { return state_; }

private:
    void command(std::string_view name, double argument);
    void move(double distance);

    Canvas& canvas_;
    TurtleState state_;
};

// Draws a turtle path for a component of the given footprint centred on (cx, cy) in plan
// centimetres and turned by `rotation` degrees: the turtle starts at the corner that is top
// right for an unrotated component, heading up along its right edge, pen down, and the stored
// path runs with its distances scaled to the zoom. Turtle lines are always plain.
void draw_turtle_path(Canvas& canvas, double zoom, std::string_view path, double cx, double cy, double width,
                      double depth, double rotation);

} // namespace halvern
