#include "base/picture_file.h"

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <string>

#include <FreeImage.h>

#include "base/input_files.h"
#include "base/jpeg_errors.h"

#include <system_error>

namespace halvern {

namespace {

// FreeImage hands its readers' messages to one function for the whole process; each load that
// wants them points this thread's note at its own text for the time of the load.
thread_local std::string* reader_messages = nullptr;

void keep_reader_message(FREE_IMAGE_FORMAT, const char* message)
{
    if (reader_messages && message) {
        if (!reader_messages->empty())
            *reader_messages += "; ";
        *reader_messages += message;
    }
}

// What reading a picture will take: its size, and the memory the reader sets aside for it.
struct PictureHeader {
    std::uint64_t width = 0, height = 0;
    std::uint64_t bytes = 0;
};

// Reads a JPEG up to its first scan with libjpeg itself. FreeImage's header-only load goes on to
// start the decompressor, which for a picture stored in several scans (progressive above all) sets
// aside every coefficient of the declared size before a single one is read: a damaged header then
// costs gigabytes. Holds nothing with a destructor, since an error jumps back out of it; the caller
// destroys the decompressor, which is safe even when its creation failed.
bool read_jpeg_header(std::FILE* in, jpeg_decompress_struct* info, JpegErrors* errors, PictureHeader* header)
{
    if (setjmp(errors->jump))
        return false;
    jpeg_create_decompress(info);
    jpeg_stdio_src(info, in);
    jpeg_read_header(info, TRUE);
    header->width = info->image_width;
    header->height = info->image_height;
    header->bytes = header->width * header->height * std::uint64_t(std::max(3, info->num_components));
    if (info->progressive_mode || info->comps_in_scan < info->num_components) {
        for (int c = 0; c < info->num_components; ++c) {
            const jpeg_component_info& component = info->comp_info[c];
            header->bytes += std::uint64_t(component.width_in_blocks) * component.height_in_blocks * sizeof(JBLOCK);
        }
    }
    return true;
}

Result<PictureHeader> jpeg_header(const std::filesystem::path& file)
{
    std::FILE* in = std::fopen(file.c_str(), "rb");
    if (!in)
        return make_error("the picture cannot be opened", file);
    jpeg_decompress_struct info{};
    JpegErrors errors{};
    info.err = catch_jpeg_errors(errors);
    PictureHeader header;
    const bool read = read_jpeg_header(in, &info, &errors, &header);
    jpeg_destroy_decompress(&info);
    std::fclose(in);
    if (!read)
        return make_error(std::string("the picture cannot be read (") + errors.message + ")", file);
    return header;
}

Result<PictureHeader> picture_header(const std::filesystem::path& file, FREE_IMAGE_FORMAT format)
{
    if (format == FIF_JPEG)
        return jpeg_header(file);
    // A reader without a header-only load (GIF, JPEG 2000, ...) would read the whole picture here
    // only to read it again: its picture is left to the full load, with nothing to refuse before.
    if (!FreeImage_FIFSupportsNoPixels(format))
        return PictureHeader{};
    const Bitmap bitmap(FreeImage_Load(format, file.c_str(), FIF_LOAD_NOPIXELS));
    if (!bitmap)
        return make_error("the picture cannot be read", file);
    PictureHeader header{FreeImage_GetWidth(bitmap.get()), FreeImage_GetHeight(bitmap.get())};
    header.bytes = header.width * header.height * std::max(3u, FreeImage_GetBPP(bitmap.get()) / 8);
    return header;
}

// What stands at `file` when it is no regular file, said as such: a user who named a folder or a
// pipe needs to hear that, not that nothing is there. Nothing when it is a regular file.
const char* not_a_picture_file(const std::filesystem::path& file)
{
    std::error_code ec;
    switch (std::filesystem::status(file, ec).type()) {
    case std::filesystem::file_type::regular: return nullptr;
    case std::filesystem::file_type::directory: return "is a folder, not a picture file";
    case std::filesystem::file_type::fifo: return "is a pipe (FIFO), not a picture file";
    case std::filesystem::file_type::socket: return "is a socket, not a picture file";
    case std::filesystem::file_type::block:
    case std::filesystem::file_type::character: return "is a device, not a picture file";
    case std::filesystem::file_type::not_found: return "there is no picture file of this name";
    default: return "cannot be read as a picture file";
    }
}

} // namespace

Result<Bitmap> load_picture(const std::filesystem::path& file, int jpeg_flags, std::uint64_t max_bytes,
                            std::string* reader_note)
{
    if (const char* what = not_a_picture_file(file))
        return make_error(what, file);
    note_input_file(file);
    FREE_IMAGE_FORMAT format = FreeImage_GetFileType(file.c_str(), 0);
    if (format == FIF_UNKNOWN)
        format = FreeImage_GetFIFFromFilename(file.c_str());
    if (format == FIF_UNKNOWN || !FreeImage_FIFSupportsReading(format))
        return make_error("not a picture of a known format", file);
    // A damaged or hostile header can declare a picture of billions of pixels, which the reader
    // would set out to hold before finding the data short: the header is read first, and a picture
    // that would take more than the limit is refused by its size.
    const Result<PictureHeader> header = picture_header(file, format);
    if (!header)
        return header.error();
    if (header->bytes > max_bytes)
        return make_error("the picture is " + std::to_string(header->width) + " x " + std::to_string(header->height) +
                              " pixels, more than this program can hold (reading it would take " +
                              std::to_string((header->bytes + (1 << 20) - 1) >> 20) + " MB, " +
                              std::to_string(max_bytes >> 20) + " MB at most)",
                          file);
    static std::once_flag listening;
    std::call_once(listening, [] { FreeImage_SetOutputMessage(keep_reader_message); });
    std::string said;
    reader_messages = &said;
    Bitmap loaded(FreeImage_Load(format, file.c_str(), format == FIF_JPEG ? jpeg_flags : 0));
    reader_messages = nullptr;
    if (!loaded)
        return make_error(said.empty() ? "the picture cannot be read" : "the picture cannot be read (" + said + ")",
                          file);
    if (reader_note)
        *reader_note = said;
    return loaded;
}

Result<PictureSize> read_picture_size(const std::filesystem::path& file)
{
    Result<Bitmap> bitmap = load_picture(file);
    if (!bitmap)
        return bitmap.error();
    PictureSize size{int(FreeImage_GetWidth(bitmap->get())), int(FreeImage_GetHeight(bitmap->get()))};
    if (size.width <= 0 || size.height <= 0)
        return make_error("the picture has no pixels", file);
    return size;
}

} // namespace halvern
