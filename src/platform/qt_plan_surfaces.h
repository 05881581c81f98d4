#pragma once
// The plan's off-screen pictures over QImage: the tile surface the picture saves draw on, and the
// kept still layer of the plan window.

#include <memory>
#include <vector>

#include "outputs/plan_picture.h"
#include "geometry/outline_cache.h"
#include "plan/background_cache.h"

class QImage;

namespace halvern {

class QtCanvas;

class QtPictureSurface : public PictureSurface {
public:
    QtPictureSurface(int width, int height);
    ~QtPictureSurface() override;

    bool valid() const;
    int width() const override;
    int height() const override;
    Canvas& begin() override;
    void finish() override;
    const std::uint32_t* row(int y) const override;

private:
    std::unique_ptr<QImage> image_;
    std::unique_ptr<QtCanvas> canvas_;
};

// Surfaces for the picture saves; makes the GUI application object first when there is none.
SurfaceMaker qt_surface_maker();

// The still layer kept as an image; it can be copied onto Qt canvases only.
class QtBackgroundCache : public BackgroundCache {
public:
    QtBackgroundCache();
    ~QtBackgroundCache() override;

    Canvas* begin(int width, int height) override;
    void end() override;
    bool copy_to(Canvas& target) override;

private:
    std::unique_ptr<QImage> image_;
    std::unique_ptr<QtCanvas> canvas_;
};

// Outline pictures kept as transparent images; they can be put onto Qt canvases only.
class QtOutlineCache : public OutlineCache {
public:
    QtOutlineCache();
    ~QtOutlineCache() override;

protected:
    Canvas* begin_picture(int width, int height) override;
    int end_picture() override;
    bool put_picture(int number, Canvas& target, Pixel at) override;
    void drop_pictures() override;
    void drop_picture(int number) override;

private:
    std::vector<std::unique_ptr<QImage>> pictures_;
    std::vector<int> free_; // numbers of dropped pictures, given again
    std::unique_ptr<QImage> drawing_;
    std::unique_ptr<QtCanvas> canvas_;
};

} // namespace halvern
