#include "platform/qt_canvas.h"

#include <QBuffer>
#include <QByteArray>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QRadialGradient>
#include <QStaticText>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <unordered_map>

#include <unistd.h>

#include "base/text_file.h"

namespace halvern {

namespace {

QColor qcolour(int colour) { return QColor(colour_red(colour), colour_green(colour), colour_blue(colour)); }

QPolygon qpolygon(std::span<const Pixel> points)
{
    QPolygon polygon;
    polygon.reserve(qsizetype(points.size()));
    for (const Pixel& p : points)
        polygon.append(QPoint(p.x, p.y));
    return polygon;
}

QRectF qrect(PixelRect r) { return QRectF(r.x, r.y, r.width, r.height); }

Qt::PenStyle pen_style(int style)
{
    switch (style) {
    case line_dash: return Qt::DashLine;
    case line_dot: return Qt::DotLine;
    case line_dash_dot: return Qt::DashDotLine;
    case line_dash_dot_dot: return Qt::DashDotDotLine;
    default: return Qt::SolidLine;
    }
}

// A closed cardinal spline of tension 0.5 as cubic Bezier pieces: between points i and i + 1 the
// controls lie a sixth of the chord from i - 1 to i + 1 (and from i to i + 2) away.
QPainterPath closed_cardinal_path(std::span<const Pixel> points)
{
    QPainterPath path;
    const size_t n = points.size();
    if (n == 0)
        return path;
    auto at = [&](size_t i) { return QPointF(points[i % n].x, points[i % n].y); };
    constexpr double k = 0.5 / 3.0;
    path.moveTo(at(0));
    for (size_t i = 0; i < n; ++i) {
        QPointF p0 = at(i + n - 1), p1 = at(i), p2 = at(i + 1), p3 = at(i + 2);
        path.cubicTo(p1 + (p2 - p0) * k, p2 - (p3 - p1) * k, p2);
    }
    path.closeSubpath();
    return path;
}

} // namespace

QtCanvas::QtCanvas(QPaintDevice& device) : device_(device), painter_(std::make_unique<QPainter>(&device)) {}

QtCanvas::~QtCanvas() { end(); }

void QtCanvas::end()
{
    if (painter_ && painter_->isActive())
        painter_->end();
}

bool QtCanvas::active() const { return painter_ && painter_->isActive(); }

void QtCanvas::scale(double factor)
{
    if (active())
        painter_->scale(factor, factor);
}

void QtCanvas::translate(double dx, double dy)
{
    if (active())
        painter_->translate(dx, dy);
}

namespace {

// Qt's own product of a colour channel pair and an 8-bit fraction, two channels at once: the
// shades below come out as the painter's blending gives them.
inline std::uint32_t byte_mul(std::uint32_t x, std::uint32_t a)
{
    std::uint32_t t = (x & 0xff00ff) * a;
    t = (t + ((t >> 8) & 0xff00ff) + 0x800080) >> 8;
    t &= 0xff00ff;
    x = ((x >> 8) & 0xff00ff) * a;
    x = (x + ((x >> 8) & 0xff00ff) + 0x800080);
    x &= 0xff00ff00;
    return x | t;
}

// Lays `colour` (opaque 0xffRRGGBB) over the box at `coverage` of 255, as an anti-aliased edge
// pixel is laid.
void shade_box(QImage& image, QRect box, std::uint32_t colour, std::uint32_t coverage)
{
    box = box.intersected(image.rect());
    if (box.isEmpty())
        return;
    // The very buffer the painter draws into, written as the painter writes it.
    auto* bits = const_cast<uchar*>(image.constBits());
    const qsizetype stride = image.bytesPerLine();
    const std::uint32_t over = byte_mul(colour, coverage), keep = 255 - (over >> 24);
    for (int y = box.top(); y <= box.bottom(); ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(bits + y * stride);
        for (int x = box.left(); x <= box.right(); ++x)
            row[x] = coverage == 255 ? colour : over + byte_mul(row[x], keep);
    }
}

} // namespace

QImage* QtCanvas::plain_target() const
{
    if (device_.devType() != QInternal::Image)
        return nullptr;
    auto* image = static_cast<QImage*>(&device_);
    const bool opaque_pixels = image->format() == QImage::Format_RGB32 || image->format() == QImage::Format_ARGB32_Premultiplied;
    if (!opaque_pixels || !painter_->deviceTransform().isIdentity() || painter_->hasClipping() || painter_->opacity() != 1.0 ||
        painter_->compositionMode() != QPainter::CompositionMode_SourceOver)
        return nullptr;
    return image;
}

bool QtCanvas::image(Pixel at, const QImage& picture)
{
    if (!painter_ || !painter_->isActive())
        return false;
    painter_->drawImage(QPoint(at.x, at.y), picture);
    return true;
}

void QtCanvas::outline_mode()
{
    painter_->setRenderHint(QPainter::Antialiasing, smooth());
    QPen pen(qcolour(colour()));
    pen.setStyle(pen_style(line_style()));
    int width = line_width();
    // Plain lines of width 0 or 1 are the thinnest line the surface has.
    pen.setWidth(smooth() ? std::max(1, width) : (width <= 1 ? 0 : width));
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    painter_->setPen(pen);
    painter_->setBrush(Qt::NoBrush);
}

void QtCanvas::fill_mode(bool with_edge)
{
    painter_->setRenderHint(QPainter::Antialiasing, smooth());
    // Plain fills include their edge pixels, as the window system's own fills do; smooth fills
    // have no edge line.
    if (with_edge && !smooth()) {
        QPen pen(qcolour(colour()));
        pen.setWidth(0);
        painter_->setPen(pen);
    } else {
        painter_->setPen(Qt::NoPen);
    }
    painter_->setBrush(qcolour(colour()));
}

void QtCanvas::shape_mode(bool filled)
{
    if (filled)
        fill_mode(true);
    else
        outline_mode();
}

void QtCanvas::line(Pixel from, Pixel to)
{
    if (!painter_->isActive())
        return;
    outline_mode();
    painter_->drawLine(QPoint(from.x, from.y), QPoint(to.x, to.y));
}


void QtCanvas::grid_line(Pixel from, Pixel to)
{
    if (!painter_->isActive())
        return;
    const bool straight = from.x == to.x || from.y == to.y;
    QImage* image = straight && smooth() && line_style() == line_solid ? plain_target() : nullptr;
    if (!image) {
        line(from, to);
        return;
    }
    // A smooth solid line of width w centred on a whole pixel covers w pixels across it, half of
    // each edge pixel when w is odd; Qt shades a half-covered pixel at 127 of 255. Putting those
    // shades down directly costs a fraction of the anti-aliased stroke (a plan's grid is hundreds
    // of lines across the window), and the painter's own fills of a shade are no quicker for
    // lines one pixel wide.
    const int width = std::max(1, line_width());
    const bool horizontal = from.y == to.y;
    const int along0 = horizontal ? std::min(from.x, to.x) : std::min(from.y, to.y);
    const int along1 = horizontal ? std::max(from.x, to.x) : std::max(from.y, to.y);
    const int centre = horizontal ? from.y : from.x;
    const std::uint32_t colour = 0xff000000u | (qcolour(this->colour()).rgb() & 0xffffffu);
    auto band = [&](int across, int thickness, std::uint32_t coverage) {
        if (thickness <= 0 || along1 <= along0)
            return;
        shade_box(*image,
                  horizontal ? QRect(along0, across, along1 - along0, thickness)
                             : QRect(across, along0, thickness, along1 - along0),
                  colour, coverage);
    };
    if (width % 2 == 0) {
        band(centre - width / 2, width, 255);
    } else {
        band(centre - (width + 1) / 2, 1, 127);
        band(centre - (width - 1) / 2, width - 1, 255);
        band(centre + (width - 1) / 2, 1, 127);
    }
}

void QtCanvas::polyline(std::span<const Pixel> points)
{
    if (!painter_->isActive() || points.size() < 2)
        return;
    outline_mode();
    painter_->drawPolyline(qpolygon(points));
}

void QtCanvas::box(PixelRect box, bool filled)
{
    if (!painter_->isActive())
        return;
    if (filled) {
        painter_->setRenderHint(QPainter::Antialiasing, smooth());
        painter_->fillRect(QRect(box.x, box.y, box.width, box.height), qcolour(colour()));
        return;
    }
    outline_mode();
    painter_->drawRect(qrect(box));
}

void QtCanvas::rounded_box(PixelRect box, int corner_radius, bool filled)
{
    if (!painter_->isActive())
        return;
    shape_mode(filled);
    painter_->drawRoundedRect(qrect(box), corner_radius, corner_radius);
}

void QtCanvas::polygon(std::span<const Pixel> points, bool filled)
{
    if (!painter_->isActive() || points.size() < 2)
        return;
    shape_mode(filled);
    painter_->drawPolygon(qpolygon(points));
}

void QtCanvas::closed_curve(std::span<const Pixel> points, bool filled)
{
    if (!painter_->isActive() || points.size() < 2)
        return;
    shape_mode(filled);
    painter_->drawPath(closed_cardinal_path(points));
}

void QtCanvas::gradient_fill(const GradientShape& shape, int centre_colour, int surround_colour, Pixel centre)
{
    if (!painter_->isActive())
        return;
    QPainterPath path;
    switch (shape.kind) {
    case GradientShape::Kind::rectangle: path.addRect(qrect(shape.bounds)); break;
    case GradientShape::Kind::ellipse: path.addEllipse(qrect(shape.bounds)); break;
    case GradientShape::Kind::closed_curve: path = closed_cardinal_path(shape.points); break;
    }
    QRectF bounds = path.boundingRect();
    if (bounds.width() <= 0 || bounds.height() <= 0)
        return;
    // The gradient reaches the surround colour at the farthest point of the outline from the
    // centre, measured in the box's own proportions so that an ellipse shades evenly to its edge.
    QPointF c((centre.x - bounds.left()) / bounds.width(), (centre.y - bounds.top()) / bounds.height());
    double reach = 0;
    for (QPointF corner : {QPointF(0, 0), QPointF(1, 0), QPointF(0, 1), QPointF(1, 1)})
        reach = std::max(reach, std::hypot(corner.x() - c.x(), corner.y() - c.y()));
    if (shape.kind == GradientShape::Kind::ellipse)
        reach = std::max(0.5, std::hypot(c.x() - 0.5, c.y() - 0.5) + 0.5);
    QRadialGradient gradient(c, reach);
    gradient.setCoordinateMode(QGradient::ObjectMode);
    gradient.setColorAt(0, qcolour(centre_colour));
    gradient.setColorAt(1, qcolour(surround_colour));
    painter_->setRenderHint(QPainter::Antialiasing, smooth());
    painter_->fillPath(path, QBrush(gradient));
}

void QtCanvas::arc(PixelRect bounds, double start_degrees, double sweep_degrees)
{
    if (!painter_->isActive())
        return;
    outline_mode();
    // Qt counts angles anticlockwise in sixteenths of a degree.
    painter_->drawArc(qrect(bounds), int(std::lround(-start_degrees * 16)), int(std::lround(-sweep_degrees * 16)));
}

void QtCanvas::ellipse(PixelRect bounds, bool filled)
{
    if (!painter_->isActive())
        return;
    shape_mode(filled);
    painter_->drawEllipse(qrect(bounds));
}

namespace {

// Laying out a label costs far more than painting its glyphs, and a plan repeats the same few
// labels (component names, heights) on every redraw: the laid-out texts are kept, per text, size
// and smoothing. The bound keeps a long session from growing it without end.
const QStaticText& laid_out_text(std::string_view utf8, double point_size, int dpi, bool smooth, const QFont& font)
{
    constexpr size_t max_entries = 4096;
    thread_local std::unordered_map<std::string, QStaticText> cache;
    std::string key(utf8);
    key += '\0';
    key += std::to_string(point_size) + '/' + std::to_string(dpi);
    key += smooth ? 's' : 'p';
    auto it = cache.find(key);
    if (it != cache.end())
        return it->second;
    if (cache.size() >= max_entries)
        cache.clear();
    // A label is one line: line breaks show as blanks.
    QString line = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
    line.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    QStaticText text(line);
    text.setTextFormat(Qt::PlainText);
    text.setPerformanceHint(QStaticText::AggressiveCaching);
    text.prepare(QTransform(), font);
    return cache.emplace(std::move(key), std::move(text)).first->second;
}

} // namespace

void QtCanvas::text(Pixel at, std::string_view utf8, double size_points)
{
    if (!painter_->isActive() || size_points <= 0)
        return;
    QFont font(QStringLiteral("Arial"));
    int dpi = device_.logicalDpiY() > 0 ? device_.logicalDpiY() : 96;
    const double point_size = text_pixels(size_points) * 72.0 / dpi;
    font.setPointSizeF(point_size);
    font.setStyleStrategy(smooth() ? QFont::PreferAntialias : QFont::NoAntialias);
    painter_->setFont(font);
    painter_->setRenderHint(QPainter::TextAntialiasing, smooth());
    painter_->setRenderHint(QPainter::Antialiasing, smooth());
    painter_->setPen(qcolour(colour()));
    painter_->drawStaticText(QPointF(at.x, at.y), laid_out_text(utf8, point_size, dpi, smooth(), font));
}

QtPicture::QtPicture(int width, int height)
    : image_(std::make_unique<QImage>(std::max(1, width), std::max(1, height), QImage::Format_RGB32))
{
    constexpr int dots_per_metre_96_dpi = 3780;
    image_->setDotsPerMeterX(dots_per_metre_96_dpi);
    image_->setDotsPerMeterY(dots_per_metre_96_dpi);
    image_->fill(Qt::white);
    canvas_ = std::make_unique<QtCanvas>(*image_);
}

QtPicture::~QtPicture() { canvas_.reset(); }

Canvas& QtPicture::canvas() { return *canvas_; }

const QImage& QtPicture::image()
{
    canvas_->end();
    return *image_;
}

Result<void> QtPicture::save_png(const std::filesystem::path& file)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image().save(&buffer, "PNG"))
        return make_error("the picture cannot be encoded as PNG", file);
    return write_file_safely(file, std::string_view(bytes.constData(), size_t(bytes.size())));
}

void ensure_gui_application()
{
    if (QCoreApplication::instance())
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Without a desktop session there is no runtime folder; give Qt the one it would pick itself
    // (a private folder in the temporary folder), so that it has nothing to warn about.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        std::error_code ec;
        auto dir = std::filesystem::temp_directory_path(ec) / ("runtime-" + std::to_string(getuid()));
        std::filesystem::create_directories(dir, ec);
        std::filesystem::permissions(dir, std::filesystem::perms::owner_all, ec);
        if (!ec)
            qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(dir.string()));
    }
    static int argc = 1;
    static char name[] = "halvern";
    static char* argv[] = {name, nullptr};
    // Lives until the process ends: fonts and the platform stay usable by every later picture.
    static QGuiApplication* application = new QGuiApplication(argc, argv);
    (void)application;
}

} // namespace halvern
