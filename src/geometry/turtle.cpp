#include "geometry/turtle.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numbers>

#include "base/numbers.h"
#include "base/strings.h"

namespace halvern {

namespace {

constexpr double degrees = std::numbers::pi / 180.0;
constexpr double position_limit = 1e9; // pixels; keeps a run-away path finite

bool is_letter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The end of a number starting at `i` (sign, digits, decimals, exponent), or `i` when none does.
std::size_t scan_number(std::string_view s, std::size_t i)
{
    std::size_t j = i;
    if (j < s.size() && (s[j] == '+' || s[j] == '-'))
        ++j;
    std::size_t digits = 0;
    while (j < s.size() && is_digit(s[j]))
        ++j, ++digits;
    if (j < s.size() && s[j] == '.') {
        ++j;
        while (j < s.size() && is_digit(s[j]))
            ++j, ++digits;
    }
    if (digits == 0)
        return i;
    if (j < s.size() && (s[j] == 'e' || s[j] == 'E')) {
        std::size_t k = j + 1;
        if (k < s.size() && (s[k] == '+' || s[k] == '-'))
            ++k;
        if (k < s.size() && is_digit(s[k])) {
            while (k < s.size() && is_digit(s[k]))
                ++k;
            j = k;
        }
    }
    return j;
}

std::string scaled_distance(double value, double zoom)
{
    double tenths = round_half_away(value * zoom * 10.0);
    return format_number(tenths / 10.0);
}

} // namespace

std::string scale_fd_path(std::string_view path, double zoom)
{
    std::string spaced = replace_all(std::string(path) + " ", " ", "    ");
    std::string out;
    out.reserve(spaced.size());
    std::size_t at = 0;
    for (;;) {
        std::size_t fd = spaced.find("FD", at);
        if (fd == std::string::npos) {
            out.append(spaced, at);
            break;
        }
        std::size_t argument = fd + 2;
        std::size_t end = spaced.find(' ', argument); // the text always ends with blanks
        out.append(spaced, at, argument - at);
        out += scaled_distance(parse_number(std::string_view(spaced).substr(argument, end - argument)), zoom);
        at = end;
    }
    for (int pass = 0; pass < 4; ++pass)
        out = replace_all(out, "  ", " ");
    return out;
}

void Turtle::place(double x, double y, double heading)
{
    state_.x = x;
    state_.y = y;
    state_.heading = heading;
}

void Turtle::run(std::string_view commands)
{
    std::size_t i = 0;
    while (i < commands.size()) {
        if (is_blank(commands[i])) {
            ++i;
            continue;
        }
        if (!is_letter(commands[i])) {
            // A stray number or sign: skip the whole word.
            while (i < commands.size() && !is_blank(commands[i]))
                ++i;
            continue;
        }
        std::size_t start = i;
        while (i < commands.size() && is_letter(commands[i]))
            ++i;
        std::string name = to_lower_ascii(commands.substr(start, i - start));
        std::size_t j = i;
        while (j < commands.size() && (commands[j] == ' ' || commands[j] == '\t'))
            ++j;
        double argument = 0;
        if (std::size_t end = scan_number(commands, j); end > j) {
            argument = parse_number(commands.substr(j, end - j));
            i = end;
        }
        command(name, argument);
    }
}

void Turtle::command(std::string_view name, double argument)
{
    if (name == "pu")
        state_.pen_down = false;
    else if (name == "pd")
        state_.pen_down = true;
    else if (name == "tt")
        state_.heading = normalize_degrees(argument);
    else if (name == "lt")
        state_.heading = normalize_degrees(state_.heading - argument);
    else if (name == "rt")
        state_.heading = normalize_degrees(state_.heading + argument);
    else if (name == "fd")
        move(argument);
    else if (name == "bk")
        move(-argument);
}

void Turtle::move(double distance)
{
    double h = state_.heading * degrees;
    double x = std::clamp(state_.x + distance * std::sin(h), -position_limit, position_limit);
    double y = std::clamp(state_.y - distance * std::cos(h), -position_limit, position_limit);
    if (state_.pen_down)
        canvas_.line({to_pixel(state_.x), to_pixel(state_.y)}, {to_pixel(x), to_pixel(y)});
    state_.x = x;
    state_.y = y;
}

void draw_turtle_path(Canvas& canvas, double zoom, std::string_view path, double cx, double cy, double width,
                      double depth, double rotation)
{
    bool smooth = canvas.smooth();
    canvas.set_smooth(false);
    Turtle turtle(canvas);
    turtle.place(cx * zoom, cy * zoom, 0);
    turtle.run("PU TT " + format_number(rotation));
    turtle.run("LT180 LT90 FD" + format_number(width / 2 * zoom));
    turtle.run("LT90 FD" + format_number(depth / 2 * zoom));
    turtle.run("PD " + scale_fd_path(path, zoom));
    canvas.set_smooth(smooth);
}

} // namespace halvern
