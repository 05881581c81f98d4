#include "outputs/jpeg_stream.h"

#include <csetjmp>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

#include "base/text_file.h"

namespace halvern {

namespace {

// libjpeg ends the process on an error unless its handler jumps out; the jump lands in encode(),
// whose frame holds nothing that needs a destructor.
struct ErrorJump {
    jpeg_error_mgr manager;
    std::jmp_buf back;
    char message[JMSG_LENGTH_MAX];
};

void jump_out(j_common_ptr info)
{
    auto* error = reinterpret_cast<ErrorJump*>(info->err);
    (*info->err->format_message)(info, error->message);
    std::longjmp(error->back, 1);
}

// The encoded bytes go to the temporary file's descriptor in blocks, through the checked write.
struct Destination {
    jpeg_destination_mgr manager;
    int fd;
    unsigned char buffer[1 << 16];
    Error* failure;
};

void start_destination(j_compress_ptr info)
{
    auto* d = reinterpret_cast<Destination*>(info->dest);
    d->manager.next_output_byte = d->buffer;
    d->manager.free_in_buffer = sizeof d->buffer;
}

bool flush(Destination* d, size_t count)
{
    Result<void> written = write_all(d->fd, std::string_view(reinterpret_cast<const char*>(d->buffer), count));
    if (!written)
        *d->failure = written.error();
    return bool(written);
}

boolean empty_destination(j_compress_ptr info)
{
    auto* d = reinterpret_cast<Destination*>(info->dest);
    if (!flush(d, sizeof d->buffer))
        ERREXIT(info, JERR_FILE_WRITE);
    start_destination(info);
    return TRUE;
}

void end_destination(j_compress_ptr info)
{
    auto* d = reinterpret_cast<Destination*>(info->dest);
    if (!flush(d, sizeof d->buffer - d->manager.free_in_buffer))
        ERREXIT(info, JERR_FILE_WRITE);
}

struct Job {
    int width, height;
    const JpegStreamOptions* options;
    const JpegRowSource* row;
    unsigned char* line;
};

// False with the encoder's message in `error.message` when libjpeg gave up.
bool encode(jpeg_compress_struct& info, ErrorJump& error, Destination& destination, const Job& job)
{
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = jump_out;
    if (setjmp(error.back)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    info.dest = &destination.manager;
    destination.manager.init_destination = start_destination;
    destination.manager.empty_output_buffer = empty_destination;
    destination.manager.term_destination = end_destination;
    info.image_width = JDIMENSION(job.width);
    info.image_height = JDIMENSION(job.height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, job.options->quality, TRUE);
    if (job.options->full_colour)
        for (int c = 0; c < info.num_components; ++c)
            info.comp_info[c].h_samp_factor = info.comp_info[c].v_samp_factor = 1;
    if (job.options->dots_per_inch > 0 && job.options->dots_per_inch <= 65535) {
        info.density_unit = 1;
        info.X_density = info.Y_density = UINT16(job.options->dots_per_inch);
    }
    jpeg_start_compress(&info, TRUE);
    JSAMPROW rows[1] = {job.line};
    for (int y = 0; y < job.height; ++y) {
        (*job.row)(y, job.line);
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

} // namespace

Result<void> write_jpeg_rows(const std::filesystem::path& file, int width, int height,
                             const JpegStreamOptions& options, const JpegRowSource& row)
{
    if (width < 1 || height < 1 || width > jpeg_max_side || height > jpeg_max_side)
        return make_error("a JPEG picture is 1 to " + std::to_string(jpeg_max_side) + " pixels a side, not "
                              + std::to_string(width) + " x " + std::to_string(height),
                          file);
    std::vector<unsigned char> line(size_t(width) * 3);
    return write_file_safely_with(file, [&](int fd) -> Result<void> {
        Error failure = make_error("");
        auto destination = std::make_unique<Destination>();
        destination->fd = fd;
        destination->failure = &failure;
        ErrorJump error{};
        jpeg_compress_struct info{};
        const Job job{width, height, &options, &row, line.data()};
        if (!encode(info, error, *destination, job))
            return failure.message.empty() ? make_error(std::string("the JPEG encoder stopped: ") + error.message)
                                           : failure;
        return {};
    });
}

} // namespace halvern
