#pragma once
// A FreeImage bitmap that is released when its owner goes.

#include <memory>

struct FIBITMAP;

namespace halvern {

struct BitmapDeleter {
    void operator()(FIBITMAP* bitmap) const;
};
using Bitmap = std::unique_ptr<FIBITMAP, BitmapDeleter>;

} // namespace halvern
