#include "app/cursor_table.h"

#include <QImage>
#include <QPixmap>

#include "base/icon_file.h"

namespace halvern {

namespace {

struct CursorFile {
    int slot;
    const char* name;
};

constexpr CursorFile cursor_files[] = {
    {0, "std.cur"}, {3, "zoom.cur"}, {4, "move.cur"}, {5, "copy.cur"}, {6, "rotate.cur"},
};

QCursor cursor_from(const IconImage& image)
{
    QImage picture(image.width, image.height, QImage::Format_ARGB32);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            picture.setPixel(x, y, image.pixel(x, y));
    return QCursor(QPixmap::fromImage(picture), image.hot_x, image.hot_y);
}

} // namespace

QCursor CursorTable::at(int slot) const
{
    if (slot >= 0 && slot < cursor_slots && entries[size_t(slot)])
        return *entries[size_t(slot)];
    return QCursor(Qt::ArrowCursor);
}

CursorLoad load_cursor_table(const std::filesystem::path& app_dir)
{
    CursorLoad load;
    for (const CursorFile& f : cursor_files) {
        const std::filesystem::path file = app_dir / "lib" / "cur" / f.name;
        Result<IconFile> read = read_icon_file(file);
        if (!read) {
            load.missing.push_back(read.error());
            continue;
        }
        const IconImage* image = best_icon_image(*read, 32);
        if (!image || image->width <= 0 || image->height <= 0) {
            load.missing.push_back(make_error("the cursor file holds no picture", file));
            continue;
        }
        load.table.entries[size_t(f.slot)] = cursor_from(*image);
    }
    return load;
}

} // namespace halvern
