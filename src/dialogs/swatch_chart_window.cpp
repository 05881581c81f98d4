#include "dialogs/swatch_chart_window.h"

#include <QPainter>

#include <cmath>

#include "base/colour_model.h"
#include "base/numbers.h"

namespace halvern {

namespace {

QString axis_label(double value, const char* unit)
{
    return QString::fromStdString(format_number(round_half_away(value))) + QString::fromUtf8(unit);
}

// One chart: x along `across`, y along the lightness (light at the top).
void draw_chart(QPainter& painter, const QRect& area, const ColourLibrary& library, const SwatchChart& chart,
                bool hue_across)
{
    const ChartAxis& across = hue_across ? chart.hue : chart.saturation;
    const ChartAxis& up = chart.lightness;
    const int swatch = 14;
    const QRect plot = area.adjusted(48, 10, -12, -36);
    painter.setPen(QColor(200, 200, 200));
    painter.setBrush(QColor(250, 250, 250));
    painter.drawRect(plot);
    const QRect inner = plot.adjusted(swatch / 2 + 2, swatch / 2 + 2, -swatch / 2 - 2, -swatch / 2 - 2);

    painter.setPen(QColor(110, 110, 110));
    QFont small = painter.font();
    small.setPointSize(7);
    painter.setFont(small);
    const auto x_marks = across.graduations();
    const auto y_marks = up.graduations();
    for (size_t k = 0; k < x_marks.size(); ++k) {
        const int x = inner.left() + int(std::lround(across.position(x_marks[k]) * inner.width()));
        painter.drawLine(x, plot.bottom(), x, plot.bottom() + 4);
        painter.drawText(QRect(x - 22, plot.bottom() + 5, 44, 14), Qt::AlignHCenter,
                         axis_label(x_marks[k], hue_across ? "\u00b0" : "%"));
    }
    for (size_t k = 0; k < y_marks.size(); ++k) {
        const int y = inner.bottom() - int(std::lround(up.position(y_marks[k]) * inner.height()));
        painter.drawLine(plot.left() - 4, y, plot.left(), y);
        painter.drawText(QRect(area.left(), y - 7, 42, 14), Qt::AlignRight | Qt::AlignVCenter,
                         axis_label(y_marks[k], "%"));
    }
    painter.drawText(QRect(plot.left(), plot.bottom() + 20, plot.width(), 14), Qt::AlignHCenter,
                     hue_across ? QStringLiteral("Teinte") : QStringLiteral("Saturation"));
    painter.drawText(QRect(plot.left() + 4, plot.top() + 2, 120, 14), Qt::AlignLeft,
                     QStringLiteral("Luminosit\u00e9"));

    painter.setPen(QColor(60, 60, 60));
    for (int record : chart.order) {
        const Rgb c = library.colours[size_t(record)];
        const Hsl hsl = rgb_to_hsl(c.r, c.g, c.b);
        const double a = hue_across ? hsl.h : hsl.s * 100;
        const int x = inner.left() + int(std::lround(across.position(a) * inner.width()));
        const int y = inner.bottom() - int(std::lround(up.position(hsl.l * 100) * inner.height()));
        painter.setBrush(QColor(c.r, c.g, c.b));
        painter.drawRect(x - swatch / 2, y - swatch / 2, swatch, swatch);
    }
}

} // namespace

SwatchChartWindow::SwatchChartWindow(const ColourLibrary& library, QWidget* parent)
    : QDialog(parent), library_(library), chart_(swatch_chart(library))
{
    setObjectName(QStringLiteral("f_nuancier"));
    setWindowTitle(QStringLiteral("Palette de couleur"));
    resize(980, 520);
}

void SwatchChartWindow::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (chart_.order.empty())
        return;
    const int half = width() / 2;
    draw_chart(painter, QRect(0, 0, half, height()), library_, chart_, true);
    draw_chart(painter, QRect(half, 0, width() - half, height()), library_, chart_, false);
}

} // namespace halvern
