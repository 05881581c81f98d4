#include "platform/qt_plan_surfaces.h"

#include <QImage>

#include "geometry/canvas_adapters.h"
#include "platform/qt_canvas.h"

namespace halvern {

namespace {

constexpr int dots_per_metre_96_dpi = 3780;

std::unique_ptr<QImage> white_image(int width, int height)
{
    auto image = std::make_unique<QImage>(width, height, QImage::Format_RGB32);
    if (image->isNull())
        return nullptr;
    image->setDotsPerMeterX(dots_per_metre_96_dpi);
    image->setDotsPerMeterY(dots_per_metre_96_dpi);
    image->fill(Qt::white);
    return image;
}

// Cuts the transparent picture down to the box of its painted pixels; that box's corner in the
// picture as it was. A picture with nothing painted keeps one pixel.
Pixel crop_to_painted(std::unique_ptr<QImage>& picture)
{
    const int w = picture->width(), h = picture->height();
    int left = w, right = -1, top = h, bottom = -1;
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(picture->constScanLine(y));
        int first = 0;
        while (first < w && qAlpha(row[first]) == 0)
            ++first;
        if (first == w)
            continue;
        int last = w - 1;
        while (qAlpha(row[last]) == 0)
            --last;
        left = std::min(left, first);
        right = std::max(right, last);
        top = std::min(top, y);
        bottom = y;
    }
    if (right < 0)
        left = right = top = bottom = 0;
    if (left == 0 && top == 0 && right == w - 1 && bottom == h - 1)
        return {0, 0};
    auto cropped = std::make_unique<QImage>(picture->copy(left, top, right - left + 1, bottom - top + 1));
    if (cropped->isNull())
        return {0, 0};
    picture = std::move(cropped);
    return {left, top};
}

} // namespace

QtPictureSurface::QtPictureSurface(int width, int height) : image_(white_image(width, height)) {}

QtPictureSurface::~QtPictureSurface() { canvas_.reset(); }

bool QtPictureSurface::valid() const { return image_ != nullptr; }
int QtPictureSurface::width() const { return image_ ? image_->width() : 0; }
int QtPictureSurface::height() const { return image_ ? image_->height() : 0; }

Canvas& QtPictureSurface::begin()
{
    canvas_.reset();
    image_->fill(Qt::white);
    canvas_ = std::make_unique<QtCanvas>(*image_);
    return *canvas_;
}

void QtPictureSurface::finish()
{
    if (canvas_)
        canvas_->end();
}

const std::uint32_t* QtPictureSurface::row(int y) const
{
    if (!image_ || y < 0 || y >= image_->height())
        return nullptr;
    // Format_RGB32 keeps each pixel as 0xffRRGGBB.
    return reinterpret_cast<const std::uint32_t*>(image_->constScanLine(y));
}

SurfaceMaker qt_surface_maker()
{
    return [](int width, int height) -> std::unique_ptr<PictureSurface> {
        ensure_gui_application();
        auto surface = std::make_unique<QtPictureSurface>(width, height);
        if (!surface->valid())
            return nullptr;
        return surface;
    };
}

QtBackgroundCache::QtBackgroundCache() = default;

QtBackgroundCache::~QtBackgroundCache() { canvas_.reset(); }

Canvas* QtBackgroundCache::begin(int width, int height)
{
    canvas_.reset();
    if (!image_ || image_->width() != width || image_->height() != height)
        image_ = white_image(width, height);
    else
        image_->fill(Qt::white);
    if (!image_)
        return nullptr;
    canvas_ = std::make_unique<QtCanvas>(*image_);
    return canvas_.get();
}

void QtBackgroundCache::end()
{
    if (canvas_)
        canvas_->end();
    canvas_.reset();
}

bool QtBackgroundCache::copy_to(Canvas& target)
{
    auto* qt = dynamic_cast<QtCanvas*>(&target);
    if (!key() || !image_ || canvas_ || !qt)
        return false;
    return qt->image(Pixel{0, 0}, *image_);
}

QtOutlineCache::QtOutlineCache() = default;
QtOutlineCache::~QtOutlineCache() = default;

QtPictureStore::QtPictureStore() = default;

QtPictureStore::~QtPictureStore() { canvas_.reset(); }

Canvas* QtPictureStore::begin_picture(int width, int height)
{
    canvas_.reset();
    drawing_ = std::make_unique<QImage>(width, height, QImage::Format_ARGB32_Premultiplied);
    if (drawing_->isNull()) {
        drawing_.reset();
        return nullptr;
    }
    drawing_->setDotsPerMeterX(dots_per_metre_96_dpi);
    drawing_->setDotsPerMeterY(dots_per_metre_96_dpi);
    drawing_->fill(Qt::transparent);
    canvas_ = std::make_unique<QtCanvas>(*drawing_);
    return canvas_.get();
}

int QtPictureStore::end_picture()
{
    if (!canvas_ || !drawing_)
        return -1;
    const bool painted = canvas_->active();
    canvas_->end();
    canvas_.reset();
    if (!painted) {
        drawing_.reset();
        return -1;
    }
    // The box a picture is made for is an estimate on the large side (texts above all); only the
    // pixels that were painted are kept, since every pixel kept is blended at every redraw.
    const Pixel corner = crop_to_painted(drawing_);
    if (!free_.empty()) {
        const int number = free_.back();
        free_.pop_back();
        pictures_[size_t(number)] = std::move(drawing_);
        corners_[size_t(number)] = corner;
        return number;
    }
    pictures_.push_back(std::move(drawing_));
    corners_.push_back(corner);
    return int(pictures_.size()) - 1;
}

bool QtPictureStore::put_picture(int number, Canvas& target, Pixel at)
{
    // A tile of a larger picture: the surface under the shift takes the picture.
    Canvas* surface = &target;
    while (auto* shifted = dynamic_cast<OffsetCanvas*>(surface)) {
        at = {at.x - shifted->dx(), at.y - shifted->dy()};
        surface = &shifted->target();
    }
    auto* qt = dynamic_cast<QtCanvas*>(surface);
    if (!qt || number < 0 || size_t(number) >= pictures_.size() || !pictures_[size_t(number)] || canvas_)
        return false;
    const Pixel corner = corners_[size_t(number)];
    return qt->image({at.x + corner.x, at.y + corner.y}, *pictures_[size_t(number)]);
}

void QtPictureStore::drop_pictures()
{
    canvas_.reset();
    drawing_.reset();
    pictures_.clear();
    corners_.clear();
    free_.clear();
}

void QtPictureStore::drop_picture(int number)
{
    if (number >= 0 && size_t(number) < pictures_.size() && pictures_[size_t(number)]) {
        pictures_[size_t(number)].reset();
        free_.push_back(number);
    }
}

} // namespace halvern

