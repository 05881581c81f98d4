#include "base/bitmap.h"

#include <FreeImage.h>

namespace halvern {

void BitmapDeleter::operator()(FIBITMAP* bitmap) const
{
    if (bitmap)
        FreeImage_Unload(bitmap);
}

} // namespace halvern
