// Writes the toolbar icons (lib/ico/*.ico) and the plan's cursors (lib/cur/*.cur) of the
// installation folder, each at 16 and 32 pixels, from the drawings in icon_drawings.cpp.
//     make_icons DATA_FOLDER
// Cursors are real cursor files with the hot spot on the pointer's tip, so that the program can
// point with the pixel the user sees pointing.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "base/icon_file.h"
#include "icon_drawings.h"

namespace fs = std::filesystem;
using namespace halvern;

namespace {

IconImage render(const tools::Drawing& drawing, int size)
{
    QImage picture(size, size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing, true);
        const double scale = double(size) / drawing.design_size;
        painter.scale(scale, scale);
        drawing.paint(painter, 1.0 / scale);
    }
    const QImage plain = picture.convertToFormat(QImage::Format_ARGB32);

    IconImage image;
    image.width = size;
    image.height = size;
    image.hot_x = int(std::floor(drawing.hot_spot.x() * double(size) / drawing.design_size));
    image.hot_y = int(std::floor(drawing.hot_spot.y() * double(size) / drawing.design_size));
    image.argb.resize(size_t(size) * size_t(size));
    for (int y = 0; y < size; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(plain.constScanLine(y));
        for (int x = 0; x < size; ++x) {
            QRgb pixel = row[x];
            // Nearly invisible fringe pixels become fully clear, so the mask matches what shows.
            if (qAlpha(pixel) < 8)
                pixel = 0;
            image.argb[size_t(y) * size_t(size) + size_t(x)] = std::uint32_t(pixel);
        }
    }
    return image;
}

// A cursor's hand-set 16-pixel picture (see Drawing::small).
IconImage from_art(const tools::Drawing& drawing)
{
    const int size = int(drawing.small.size());
    auto at = [&](int x, int y) {
        return x < 0 || y < 0 || x >= size || y >= size ? '.' : drawing.small[size_t(y)][size_t(x)];
    };
    IconImage image;
    image.width = size;
    image.height = size;
    image.hot_x = drawing.small_hot_spot.x();
    image.hot_y = drawing.small_hot_spot.y();
    image.argb.resize(size_t(size) * size_t(size));
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            std::uint32_t pixel = 0;
            switch (at(x, y)) {
            case 'B':
            case 'K': pixel = 0xFF000000u; break;
            case 'W': pixel = 0xFFFFFFFFu; break;
            case 'G': pixel = 0x60FFFFFFu; break;
            default:
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        if (at(x + dx, y + dy) == 'K')
                            pixel = 0xFFFFFFFFu;
            }
            image.argb[size_t(y) * size_t(size) + size_t(x)] = pixel;
        }
    return image;
}

bool write_set(const std::vector<tools::Drawing>& drawings, IconFileKind kind, const fs::path& folder)
{
    std::error_code ec;
    fs::create_directories(folder, ec);
    bool ok = true;
    for (const tools::Drawing& drawing : drawings) {
        IconFile file;
        file.kind = kind;
        file.images = {drawing.small.empty() ? render(drawing, 16) : from_art(drawing), render(drawing, 32)};
        const fs::path target = folder / drawing.file_name;
        Result<void> written = write_icon_file(target, file);
        if (!written) {
            std::fprintf(stderr, "make_icons: %s\n", written.error().text().c_str());
            ok = false;
        }
    }
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icons DATA_FOLDER\n");
        return 2;
    }
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication application(argc, argv);
    const fs::path data = argv[1];
    const bool icons = write_set(tools::toolbar_icons(), IconFileKind::icon, data / "lib" / "ico");
    const bool cursors = write_set(tools::plan_cursors(), IconFileKind::cursor, data / "lib" / "cur");
    return icons && cursors ? 0 : 1;
}
