#pragma once
// The drawing surface over QPainter: smooth drawing is anti-aliased, plain drawing is not (text
// included). Qt has no closed cardinal curve and no path gradient: the curve becomes cubic Bezier
// pieces and the shaded fill a radial gradient clipped to its outline.

#include <filesystem>
#include <memory>

#include "base/result.h"
#include "geometry/canvas.h"

class QImage;
class QPaintDevice;
class QPainter;

namespace halvern {

class QtCanvas : public Canvas {
public:
    // Paints on `device` until the canvas goes.
    explicit QtCanvas(QPaintDevice& device);
    ~QtCanvas() override;
    QtCanvas(const QtCanvas&) = delete;
    QtCanvas& operator=(const QtCanvas&) = delete;

    void line(Pixel from, Pixel to) override;
    void polyline(std::span<const Pixel> points) override;
    void box(PixelRect box, bool filled) override;
    void rounded_box(PixelRect box, int corner_radius, bool filled) override;
    void polygon(std::span<const Pixel> points, bool filled) override;
    void closed_curve(std::span<const Pixel> points, bool filled) override;
    void gradient_fill(const GradientShape& shape, int centre_colour, int surround_colour, Pixel centre) override;
    void arc(PixelRect bounds, double start_degrees, double sweep_degrees) override;
    void ellipse(PixelRect bounds, bool filled) override;
    void text(Pixel at, std::string_view utf8, double size_points) override;
    void grid_line(Pixel from, Pixel to) override;

    // Finishes painting; the canvas draws nothing more afterwards.
    void end();

    // Puts a picture onto the surface as it is, its top-left corner at `at`. False when the
    // canvas no longer paints.
    bool image(Pixel at, const QImage& picture);

    // True while the canvas paints (a printer that could not start gives false from the outset).
    bool active() const;
    // Everything drawn afterwards is enlarged by `factor`: the page of a printer is drawn in
    // coarser dots than its own.
    void scale(double factor);
    // Everything drawn afterwards is moved by (dx, dy) in the current units: a page's margin.
    void translate(double dx, double dy);

private:
    void outline_mode();
    void fill_mode(bool with_edge);
    void shape_mode(bool filled); // a filled figure with its plain edge, or an outline
    // The image painted on when the painter would lay pixels on it as they are (no transform,
    // clip or opacity, opaque pixels): what may be written directly; nullptr otherwise.
    QImage* plain_target() const;

    QPaintDevice& device_;
    std::unique_ptr<QPainter> painter_;
};

// An off-screen picture, white to begin with, at 96 dots per inch.
class QtPicture {
public:
    QtPicture(int width, int height);
    ~QtPicture();
    QtPicture(const QtPicture&) = delete;
    QtPicture& operator=(const QtPicture&) = delete;

    Canvas& canvas();
    // Ends the drawing; the picture can be read afterwards.
    const QImage& image();
    // Writes the picture as PNG; a failure leaves any earlier file of that name as it was.
    Result<void> save_png(const std::filesystem::path& file);

private:
    std::unique_ptr<QImage> image_;
    std::unique_ptr<QtCanvas> canvas_;
};

// Text needs a GUI application object; commands and tests without a window make one on Qt's
// offscreen platform, once, for the rest of the process.
void ensure_gui_application();

} // namespace halvern
