#include "outputs/jpeg_file.h"

#include <FreeImage.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>

#include "base/text_file.h"

namespace halvern {

namespace {

struct Sink {
    int fd;
    int dots_per_inch = 0;
    bool started = false;
    std::optional<Error> failure; // the first write the disk refused
};

// The JFIF segment that follows the start of the picture, with the bitmap's resolution.
std::string jfif_segment(int dots_per_inch)
{
    const int density = std::clamp(dots_per_inch, 1, 65535);
    std::string segment("\xFF\xE0\x00\x10JFIF\x00\x01\x01", 11);
    segment += char(dots_per_inch > 0 ? 1 : 0); // dots per inch, or only the aspect (1:1)
    for (int twice = 0; twice < 2; ++twice) {
        segment += char(density >> 8);
        segment += char(density & 0xFF);
    }
    segment += std::string("\x00\x00", 2); // no thumbnail
    return segment;
}

unsigned DLL_CALLCONV sink_write(void* buffer, unsigned size, unsigned count, fi_handle handle)
{
    auto* sink = static_cast<Sink*>(handle);
    if (sink->failure)
        return 0;
    std::string_view bytes(static_cast<const char*>(buffer), size_t(size) * count);
    if (!sink->started) {
        sink->started = true;
        // simage, the reader of Coin-based VRML viewers, refuses a JPEG whose first segment is not the
        // JFIF (or Exif) marker; some of the encoder's options leave it out.
        const bool bare = bytes.size() >= 4 && bytes.substr(0, 2) == "\xFF\xD8" && bytes.substr(2, 2) != "\xFF\xE0" &&
                          bytes.substr(2, 2) != "\xFF\xE1";
        if (bare) {
            const std::string head = std::string(bytes.substr(0, 2)) + jfif_segment(sink->dots_per_inch);
            if (Result<void> written = write_all(sink->fd, head); !written) {
                sink->failure = written.error();
                return 0;
            }
            bytes.remove_prefix(2);
        }
    }
    if (Result<void> written = write_all(sink->fd, bytes); !written) {
        sink->failure = written.error();
        return 0;
    }
    return count;
}

int DLL_CALLCONV sink_seek(fi_handle handle, long offset, int origin)
{
    return ::lseek(static_cast<Sink*>(handle)->fd, offset, origin) < 0 ? -1 : 0;
}

long DLL_CALLCONV sink_tell(fi_handle handle)
{
    return long(::lseek(static_cast<Sink*>(handle)->fd, 0, SEEK_CUR));
}

unsigned DLL_CALLCONV no_read(void*, unsigned, unsigned, fi_handle) { return 0; }

} // namespace

Result<void> write_jpeg_file(FIBITMAP* bitmap, const std::filesystem::path& file, int flags)
{
    if (!bitmap)
        return make_error("no picture to save", file);
    return write_file_safely_with(file, [&](int fd) -> Result<void> {
        Sink sink{fd, int(std::lround(FreeImage_GetDotsPerMeterX(bitmap) * 0.0254)), false, std::nullopt};
        FreeImageIO io{no_read, sink_write, sink_seek, sink_tell};
        const bool saved = FreeImage_SaveToHandle(FIF_JPEG, bitmap, &io, &sink, flags);
        if (sink.failure)
            return *sink.failure;
        if (!saved)
            return make_error("the picture cannot be encoded as JPEG");
        return {};
    });
}

} // namespace halvern
