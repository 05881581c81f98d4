#include "outputs/jpeg_file.h"

#include <FreeImage.h>
#include <unistd.h>

#include <optional>
#include <string_view>

#include "base/text_file.h"

namespace halvern {

namespace {

struct Sink {
    int fd;
    std::optional<Error> failure; // the first write the disk refused
};

unsigned DLL_CALLCONV sink_write(void* buffer, unsigned size, unsigned count, fi_handle handle)
{
    auto* sink = static_cast<Sink*>(handle);
    if (sink->failure)
        return 0;
    const std::string_view bytes(static_cast<const char*>(buffer), size_t(size) * count);
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
        Sink sink{fd, std::nullopt};
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
