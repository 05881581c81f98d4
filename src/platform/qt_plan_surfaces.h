#pragma once
// The plan's off-screen pictures over QImage: the tile surface the picture saves draw on, and the
// kept still layer of the plan window.

#include <memory>
#include <vector>

#include "outputs/plan_picture.h"
#include "geometry/label_cache.h"
#include "geometry/outline_cache.h"
#include "geometry/picture_store.h"
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

// Transparent pictures kept as images; they can be put onto Qt canvases only (also under a shift).
class QtPictureStore : public PictureStore {
public:
    QtPictureStore();
    ~QtPictureStore() override;

    Canvas* begin_picture(int width, int height) override;
    int end_picture() override;
    bool put_picture(int number, Canvas& target, Pixel at) override;
    void drop_picture(int number) override;
    void drop_pictures() override;

private:
    std::vector<std::unique_ptr<QImage>> pictures_;
    std::vector<Pixel> corners_; // by picture: where its kept part starts in the picture drawn
    std::vector<int> free_;      // numbers of dropped pictures, given again
    std::unique_ptr<QImage> drawing_;
    std::unique_ptr<QtCanvas> canvas_;
};

// Outline pictures kept as transparent images.
class QtOutlineCache : public OutlineCache {
public:
    QtOutlineCache();
    ~QtOutlineCache() override;

protected:
    Canvas* begin_picture(int width, int height) override { return store_.begin_picture(width, height); }
    int end_picture() override { return store_.end_picture(); }
    bool put_picture(int number, Canvas& target, Pixel at) override { return store_.put_picture(number, target, at); }
    void drop_pictures() override { store_.drop_pictures(); }
    void drop_picture(int number) override { store_.drop_picture(number); }

private:
    QtPictureStore store_;
};

// Labels kept as transparent images.
class QtLabelCache : public LabelCache {
public:
    QtLabelCache() : LabelCache(std::make_unique<QtPictureStore>()) {}
};

} // namespace halvern
