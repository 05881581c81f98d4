#include "view3d/texture_picture.h"

#include <QImage>

#include <algorithm>

namespace halvern {

namespace {

// Rows bottom first, packed, as OpenGL takes them.
std::shared_ptr<const DecodedPicture> decode_for_texture(const std::filesystem::path& file)
{
    QImage picture(QString::fromStdString(file.string()));
    if (picture.isNull())
        return nullptr;
    if (std::max(picture.width(), picture.height()) > max_texture_side)
        picture = picture.scaled(max_texture_side, max_texture_side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    const bool alpha = picture.hasAlphaChannel();
    picture = picture.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888).mirrored(false, true);
    auto decoded = std::make_shared<DecodedPicture>();
    decoded->width = picture.width();
    decoded->height = picture.height();
    decoded->components = alpha ? 4 : 3;
    const size_t row = size_t(picture.width()) * size_t(decoded->components);
    decoded->bytes.resize(row * size_t(picture.height()));
    for (int y = 0; y < picture.height(); ++y)
        std::copy_n(picture.constScanLine(y), row, decoded->bytes.begin() + std::ptrdiff_t(row) * y);
    make_smaller_levels(*decoded);
    return decoded;
}

DecodedPicture halved(const DecodedPicture& from)
{
    DecodedPicture to;
    to.width = std::max(1, from.width / 2);
    to.height = std::max(1, from.height / 2);
    to.components = from.components;
    to.bytes.resize(size_t(to.width) * size_t(to.height) * size_t(to.components));
    const int c = from.components;
    // Each pixel of the half covers the 2 × 2 (or, along a side of one pixel or an odd side's last
    // pixel, up to 3 × 3) pixels of the picture that fall into it.
    for (int y = 0; y < to.height; ++y) {
        const int y0 = from.height * y / to.height, y1 = std::max(y0 + 1, from.height * (y + 1) / to.height);
        for (int x = 0; x < to.width; ++x) {
            const int x0 = from.width * x / to.width, x1 = std::max(x0 + 1, from.width * (x + 1) / to.width);
            for (int k = 0; k < c; ++k) {
                unsigned sum = 0;
                for (int yy = y0; yy < y1; ++yy)
                    for (int xx = x0; xx < x1; ++xx)
                        sum += from.bytes[(size_t(yy) * size_t(from.width) + size_t(xx)) * size_t(c) + size_t(k)];
                const unsigned n = unsigned((y1 - y0) * (x1 - x0));
                to.bytes[(size_t(y) * size_t(to.width) + size_t(x)) * size_t(c) + size_t(k)] =
                    static_cast<unsigned char>((sum + n / 2) / n);
            }
        }
    }
    return to;
}

} // namespace

void make_smaller_levels(DecodedPicture& picture)
{
    picture.smaller.clear();
    const DecodedPicture* last = &picture;
    while (last->width > 1 || last->height > 1) {
        picture.smaller.push_back(halved(*last));
        last = &picture.smaller.back();
    }
}

std::shared_ptr<const DecodedPicture> texture_picture(const std::filesystem::path& file)
{
    return scene_picture_cache().get(file, decode_for_texture);
}

} // namespace halvern
