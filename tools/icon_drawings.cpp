#include "icon_drawings.h"

#include <QPainterPath>
#include <QPolygonF>

#include <cmath>

namespace halvern::tools {

namespace {

// One palette for the whole set, so the toolbar reads as one family.
const QColor ink(0x2B, 0x2F, 0x36);
const QColor paper(0xFF, 0xFF, 0xFF);
const QColor blue(0x2F, 0x6F, 0xD0);
const QColor light_blue(0xBF, 0xDD, 0xF7);
const QColor purple(0x5B, 0x3A, 0x8C);
const QColor lavender(0xD4, 0xC4, 0xEE);
const QColor orange(0xF0, 0x8A, 0x24);
const QColor yellow(0xF6, 0xC6, 0x3A);
const QColor pale_yellow(0xFF, 0xEE, 0x9A, 0xD0);
const QColor green(0x3C, 0xA0, 0x4A);
const QColor red(0xD9, 0x3A, 0x2E);
const QColor grey(0x8A, 0x90, 0x98);
const QColor light_grey(0xDD, 0xE1, 0xE6);

QPen outline(const QColor& colour, double width)
{
    QPen pen(colour, width);
    pen.setJoinStyle(Qt::MiterJoin);
    pen.setCapStyle(Qt::SquareCap);
    return pen;
}

// --- shared parts --------------------------------------------------------------------------

// A magnifying glass whose lens is centred at (cx, cy); the handle runs down to the right.
void magnifier(QPainter& p, double cx, double cy, double radius, double pixel)
{
    QPen handle(QColor(0x6B, 0x4A, 0x2B), 2.6);
    handle.setCapStyle(Qt::RoundCap);
    p.setPen(handle);
    const double d = radius * 0.72;
    p.drawLine(QPointF(cx + d + 1, cy + d + 1), QPointF(cx + d + 4.2, cy + d + 4.2));
    p.setPen(outline(ink, std::max(1.4, 2 * pixel)));
    p.setBrush(light_blue);
    p.drawEllipse(QPointF(cx, cy), radius, radius);
    // A glint, so the lens reads as glass rather than a ring.
    p.setPen(QPen(paper, std::max(0.9, pixel), Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(cx - radius * 0.6, cy - radius * 0.6, radius * 1.2, radius * 1.2), 100 * 16, 60 * 16);
}

void lens_sign(QPainter& p, double cx, double cy, bool plus, double pixel)
{
    p.setPen(outline(ink, std::max(1.5, 2 * pixel)));
    p.setPen(QPen(ink, 1.5, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(cx - 2.5, cy), QPointF(cx + 2.5, cy));
    if (plus)
        p.drawLine(QPointF(cx, cy - 2.5), QPointF(cx, cy + 2.5));
}

// The plain pointer arrow of the cursors, tip at (0, 0) of a 32 grid.
QPolygonF arrow_shape()
{
    return QPolygonF({{0.5, 0.5}, {0.5, 22.5}, {5.5, 17.5}, {9.5, 26.0}, {13.0, 24.5}, {9.2, 16.2}, {16.5, 16.2}});
}

void arrow(QPainter& p, double pixel)
{
    p.setPen(outline(Qt::black, 1.5 * pixel));
    p.setBrush(paper);
    p.drawPolygon(arrow_shape());
}

// The little sign that tells a move, a copy or a turn from the plain pointer: a white disc with a
// dark rim at the lower right, clear of the arrow.
void badge(QPainter& p, double pixel)
{
    p.setPen(outline(Qt::black, 1.5 * pixel));
    p.setBrush(paper);
    p.drawEllipse(QPointF(23.5, 23.5), 8, 8);
}

// --- toolbar icons (16 grid) ---------------------------------------------------------------

void paint_vek(QPainter& p, double)
{
    // A stacked wall module: two posts, three frame bars, fabric between.
    p.setPen(Qt::NoPen);
    p.fillRect(QRectF(3, 2, 10, 12), lavender);
    p.fillRect(QRectF(1, 1, 3, 14), purple);
    p.fillRect(QRectF(12, 1, 3, 14), purple);
    p.fillRect(QRectF(1, 1, 14, 2), purple);
    p.fillRect(QRectF(1, 7, 14, 2), purple);
    p.fillRect(QRectF(1, 13, 14, 2), purple);
    p.fillRect(QRectF(4, 3, 8, 1), QColor(0xE9, 0xE0, 0xF8));
    p.fillRect(QRectF(4, 9, 8, 1), QColor(0xE9, 0xE0, 0xF8));
}

void paint_acc(QPainter& p, double pixel)
{
    // A spotlight on its rail, throwing light down to the right.
    p.setPen(Qt::NoPen);
    p.setBrush(pale_yellow);
    p.drawPolygon(QPolygonF({{6.5, 8.0}, {9.0, 5.5}, {15.5, 12.0}, {12.0, 15.5}}));
    p.fillRect(QRectF(0, 1, 9, 2), grey);
    p.setPen(outline(ink, std::max(1.0, pixel)));
    p.drawLine(QPointF(3.5, 3), QPointF(3.5, 4.5));
    p.save();
    p.translate(5.5, 6.0);
    p.rotate(-45);
    p.setBrush(ink);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(-2.5, -2.0, 5.0, 6.5), 1.2, 1.2);
    p.setBrush(yellow);
    p.drawRect(QRectF(-2.5, 3.5, 5.0, 1.2));
    p.restore();
}

void paint_alt(QPainter& p, double pixel)
{
    // A box lifted off the ground, with the arrow that lifts it.
    p.setPen(Qt::NoPen);
    p.fillRect(QRectF(0, 14, 16, 2), grey);
    p.setPen(outline(ink, std::max(1.0, pixel)));
    p.setBrush(orange);
    p.drawRect(QRectF(1.5, 3.5, 7, 5));
    p.setPen(QPen(grey, std::max(1.0, pixel), Qt::DotLine));
    p.drawLine(QPointF(5, 9.5), QPointF(5, 13.5));
    p.setPen(Qt::NoPen);
    p.setBrush(green);
    p.drawPolygon(QPolygonF({{12.5, 1.0}, {16.0, 5.5}, {14.0, 5.5}, {14.0, 13.0}, {11.0, 13.0}, {11.0, 5.5}, {9.0, 5.5}}));
}

void paint_stand(QPainter& p, double pixel)
{
    // A reception counter with a printed front.
    p.setPen(outline(ink, std::max(1.0, pixel)));
    p.setBrush(light_grey);
    p.drawRect(QRectF(2.5, 5.5, 11, 9));
    p.setPen(Qt::NoPen);
    p.fillRect(QRectF(3, 8, 10, 4), blue);
    p.setBrush(ink);
    p.drawRect(QRectF(0.5, 2.5, 15, 3));
}

void paint_loupe(QPainter& p, double pixel) { magnifier(p, 6.5, 6.5, 4.8, pixel); }

void paint_zoom_in(QPainter& p, double pixel)
{
    magnifier(p, 6.5, 6.5, 4.8, pixel);
    lens_sign(p, 6.5, 6.5, true, pixel);
}

void paint_zoom_out(QPainter& p, double pixel)
{
    magnifier(p, 6.5, 6.5, 4.8, pixel);
    lens_sign(p, 6.5, 6.5, false, pixel);
}

void paint_loupe_all(QPainter& p, double pixel)
{
    // The glass inside four corners: "show everything".
    p.setPen(outline(blue, 1.5));
    p.setBrush(Qt::NoBrush);
    const double a = 1.0, b = 15.0, l = 4.0;
    p.drawPolyline(QPolygonF({{a, a + l}, {a, a}, {a + l, a}}));
    p.drawPolyline(QPolygonF({{b - l, a}, {b, a}, {b, a + l}}));
    p.drawPolyline(QPolygonF({{a, b - l}, {a, b}, {a + l, b}}));
    p.drawPolyline(QPolygonF({{b - l, b}, {b, b}, {b, b - l}}));
    p.save();
    p.translate(1.5, 1.5);
    p.scale(0.75, 0.75);
    magnifier(p, 6.5, 6.5, 4.8, pixel / 0.75);
    p.restore();
}

void paint_projet(QPainter& p, double pixel)
{
    // A sheet with the stand's floor on it, back wall drawn thick.
    const double w = std::max(1.0, pixel);
    p.setPen(outline(ink, w));
    p.setBrush(paper);
    p.drawPolygon(QPolygonF({{2.5, 0.5}, {10.5, 0.5}, {13.5, 3.5}, {13.5, 15.5}, {2.5, 15.5}}));
    p.drawPolyline(QPolygonF({{10.5, 0.5}, {10.5, 3.5}, {13.5, 3.5}}));
    p.setPen(Qt::NoPen);
    p.fillRect(QRectF(4, 6, 8, 7), light_blue);
    p.fillRect(QRectF(4, 5, 8, 2), blue);
    p.fillRect(QRectF(4, 5, 2, 8), blue);
    p.fillRect(QRectF(8, 10, 3, 2), orange);
}

void paint_prop(QPainter& p, double pixel)
{
    // A small form with three sliders.
    const double w = std::max(1.0, pixel);
    p.setPen(outline(ink, w));
    p.setBrush(paper);
    p.drawRect(QRectF(0.5, 1.5, 15, 13));
    p.setPen(Qt::NoPen);
    p.fillRect(QRectF(1, 2, 14, 2), blue);
    const double knob[3] = {5, 10, 7};
    for (int i = 0; i < 3; ++i) {
        const double y = 6.5 + 3 * i;
        p.fillRect(QRectF(3, y - 0.5, 10, 1), grey);
        p.setBrush(orange);
        p.setPen(outline(ink, w));
        p.drawRect(QRectF(knob[i] - 1, y - 1.5, 2, 3));
        p.setPen(Qt::NoPen);
    }
}

void paint_previous(QPainter& p, double pixel)
{
    p.setPen(outline(ink, std::max(1.0, pixel)));
    p.setBrush(blue);
    p.drawPolygon(QPolygonF({{11.5, 1.5}, {11.5, 14.5}, {3.5, 8.0}}));
}

void paint_next(QPainter& p, double pixel)
{
    p.setPen(outline(ink, std::max(1.0, pixel)));
    p.setBrush(blue);
    p.drawPolygon(QPolygonF({{4.5, 1.5}, {4.5, 14.5}, {12.5, 8.0}}));
}

void paint_mesure(QPainter& p, double pixel)
{
    // A yellow rule laid across, with its marks.
    const double w = std::max(1.0, pixel);
    p.save();
    p.translate(8, 8);
    p.rotate(-45);
    p.setPen(outline(ink, w));
    p.setBrush(yellow);
    p.drawRect(QRectF(-9.5, -3.0, 19, 6));
    p.setPen(QPen(ink, w, Qt::SolidLine, Qt::FlatCap));
    for (int i = -3; i <= 3; ++i) {
        const double x = i * 2.5;
        p.drawLine(QPointF(x, -3.0), QPointF(x, i % 2 == 0 ? 0.5 : -1.0));
    }
    p.restore();
}

void paint_color(QPainter& p, double pixel)
{
    const double w = std::max(1.0, pixel);
    const QColor swatches[4] = {red, yellow, green, blue};
    for (int i = 0; i < 4; ++i) {
        p.setPen(outline(ink, w));
        p.setBrush(swatches[i]);
        p.drawRect(QRectF(1.5 + 7 * (i % 2), 1.5 + 7 * (i / 2), 6, 6));
    }
}

// --- cursors (32 grid) ---------------------------------------------------------------------

void paint_std(QPainter& p, double pixel) { arrow(p, pixel); }

void paint_zoom(QPainter& p, double pixel)
{
    // Pointing is done with the centre of the glass, marked by a cross.
    const double c = 12.5;
    QPen handle(Qt::black, 5.5);
    handle.setCapStyle(Qt::RoundCap);
    p.setPen(handle);
    p.drawLine(QPointF(c + 7.5, c + 7.5), QPointF(c + 15.0, c + 15.0));
    p.setPen(QPen(paper, 3.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(c + 8.0, c + 8.0), QPointF(c + 14.5, c + 14.5));
    p.setPen(outline(Qt::black, 3.0 * std::max(1.0, pixel / 1.5)));
    p.setBrush(QColor(0xFF, 0xFF, 0xFF, 0x60));
    p.drawEllipse(QPointF(c, c), 9.5, 9.5);
    p.setPen(outline(paper, 1.0 * pixel));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(c, c), 11.0, 11.0);
    p.setPen(QPen(Qt::black, 1.5 * pixel, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(c - 4, c), QPointF(c + 4, c));
    p.drawLine(QPointF(c, c - 4), QPointF(c, c + 4));
}

void paint_move(QPainter& p, double pixel)
{
    arrow(p, pixel);
    badge(p, pixel);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    const double c = 23.5;
    for (int k = 0; k < 4; ++k) {
        p.save();
        p.translate(c, c);
        p.rotate(90 * k);
        p.drawPolygon(QPolygonF({{0, -6.5}, {3.2, -3.0}, {-3.2, -3.0}}));
        p.fillRect(QRectF(-0.9, -3.5, 1.8, 3.5), Qt::black);
        p.restore();
    }
}

void paint_copy(QPainter& p, double pixel)
{
    arrow(p, pixel);
    badge(p, pixel);
    p.setPen(Qt::NoPen);
    p.fillRect(QRectF(18.5, 22.0, 10, 3), Qt::black);
    p.fillRect(QRectF(22.0, 18.5, 3, 10), Qt::black);
}

void paint_rotate(QPainter& p, double pixel)
{
    arrow(p, pixel);
    badge(p, pixel);
    const double c = 23.5;
    p.setPen(QPen(Qt::black, 2.2, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(c - 4.5, c - 4.5, 9, 9), 90 * 16, 270 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPolygon(QPolygonF({{c + 1.0, c - 7.8}, {c + 5.0, c - 4.5}, {c + 1.0, c - 1.2}}));
}

// --- 16-pixel cursors, pixel by pixel ------------------------------------------------------

const std::vector<std::string> small_arrow = {
    "B...............", "BB..............", "BWB.............", "BWWB............",
    "BWWWB...........", "BWWWWB..........", "BWWWWWB.........", "BWWWWWWB........",
    "BWWWWWWWB.......", "BWWWWWBBBB......", "BWWBWWB.........", "BWB.BWWB........",
    "BB..BWWB........", "B....BWWB.......", ".....BWWB.......", "......BB........",
};

// The shorter arrow of the cursors that carry a sign, leaving the lower right corner free.
const std::vector<std::string> short_arrow = {
    "B...............", "BB..............", "BWB.............", "BWWB............",
    "BWWWB...........", "BWWWWB..........", "BWWBBBB.........", "BWB.............",
    "BB..............", "B...............", "................", "................",
    "................", "................", "................", "................",
};

std::vector<std::string> with_sign(const std::vector<std::string>& sign)
{
    std::vector<std::string> art = short_arrow;
    const size_t at = 16 - sign.size() - 1;
    for (size_t r = 0; r < sign.size(); ++r)
        for (size_t c = 0; c < sign[r].size(); ++c)
            if (sign[r][c] != '.')
                art[at + r][at + c] = sign[r][c];
    return art;
}

const std::vector<std::string> small_zoom = {
    "..WWWWWWW.......", ".WWBBBBBWW......", "WWBBGGGBBWW.....", "WBBGGBGGBBW.....",
    "WBGGGBGGGBW.....", "WBGBBBBBGBW.....", "WBGGGBGGGBW.....", "WBBGGBGGBBW.....",
    "WWBBGGGBBBWW....", ".WWBBBBBBBBWW...", "..WWWWWWWBBBWW..", "........WWBBBWW.",
    ".........WWBBBWW", "..........WWBBBW", "...........WWBBB", "............WWBW",
};

} // namespace

std::vector<Drawing> toolbar_icons()
{
    return {
        {"vek16.ico", 16, {}, paint_vek},
        {"acc16.ico", 16, {}, paint_acc},
        {"alt16.ico", 16, {}, paint_alt},
        {"stand16.ico", 16, {}, paint_stand},
        {"loupe16.ico", 16, {}, paint_loupe},
        {"loupeall16.ico", 16, {}, paint_loupe_all},
        {"zoom-16.ico", 16, {}, paint_zoom_out},
        {"zoom+16.ico", 16, {}, paint_zoom_in},
        {"projet16.ico", 16, {}, paint_projet},
        {"prop16.ico", 16, {}, paint_prop},
        {"fg16.ico", 16, {}, paint_previous},
        {"fd16.ico", 16, {}, paint_next},
        {"mesure16.ico", 16, {}, paint_mesure},
        {"color16.ico", 16, {}, paint_color},
    };
}

std::vector<Drawing> plan_cursors()
{
    return {
        {"std.cur", 32, {0, 0}, paint_std, small_arrow, {0, 0}},
        {"zoom.cur", 32, {12, 12}, paint_zoom, small_zoom, {5, 5}},
        {"move.cur", 32, {0, 0}, paint_move,
         with_sign({"...K...", "..KKK..", ".K.K.K.", "KKKKKKK", ".K.K.K.", "..KKK..", "...K..."}), {0, 0}},
        {"copy.cur", 32, {0, 0}, paint_copy, with_sign({"..K..", "..K..", "KKKKK", "..K..", "..K.."}), {0, 0}},
        {"rotate.cur", 32, {0, 0}, paint_rotate,
         with_sign({"..KKK.K", ".K...KK", "K...KKK", "K......", "K.....K", ".K...K.", "..KKK.."}), {0, 0}},
    };
}

} // namespace halvern::tools
