#include "outputs/jpeg_stream.h"

#include "base/jpeg_errors.h"

#include <jerror.h>

#include <optional>
#include <string_view>
#include <vector>

#include "base/text_file.h"

namespace halvern {

namespace {

constexpr std::size_t out_buffer_bytes = 1 << 16;

using Errors = JpegErrors;

} // namespace

struct JpegStream::State {
    jpeg_compress_struct info{};
    Errors errors{};
    jpeg_destination_mgr destination{};
    std::vector<JOCTET> buffer = std::vector<JOCTET>(out_buffer_bytes);
    int fd = -1;
    int width = 0, height = 0;
    bool started = false, finished = false;
    std::optional<Error> failure;          // the first failure; every later call gives it again
    std::optional<Error> write_failure;    // what the disk said

    static State& of(j_compress_ptr info) { return *static_cast<State*>(info->client_data); }

    static void init_destination(j_compress_ptr info)
    {
        State& s = of(info);
        info->dest->next_output_byte = s.buffer.data();
        info->dest->free_in_buffer = s.buffer.size();
    }
    bool flush(std::size_t bytes)
    {
        const std::string_view data(reinterpret_cast<const char*>(buffer.data()), bytes);
        if (Result<void> written = write_all(fd, data); !written) {
            write_failure = written.error();
            return false;
        }
        return true;
    }
    static boolean empty_output_buffer(j_compress_ptr info)
    {
        State& s = of(info);
        if (!s.flush(s.buffer.size()))
            ERREXIT(info, JERR_FILE_WRITE);
        init_destination(info);
        return TRUE;
    }
    static void term_destination(j_compress_ptr info)
    {
        State& s = of(info);
        if (!s.flush(s.buffer.size() - info->dest->free_in_buffer))
            ERREXIT(info, JERR_FILE_WRITE);
    }

    Error error_now()
    {
        if (write_failure)
            return *write_failure;
        return make_error(std::string("the picture cannot be encoded as JPEG: ") + errors.message);
    }
};

namespace {

// Each call into the library in a function of its own that holds nothing to destroy, so that the
// jump back from an error skips no destructor.
bool start(jpeg_compress_struct* info, Errors* errors, int width, int height, int quality)
{
    if (setjmp(errors->jump))
        return false;
    info->image_width = JDIMENSION(width);
    info->image_height = JDIMENSION(height);
    info->input_components = 3;
    info->in_color_space = JCS_RGB;
    jpeg_set_defaults(info);
    jpeg_set_quality(info, quality, TRUE);
    for (int c = 0; c < info->num_components; ++c) {
        info->comp_info[c].h_samp_factor = 1;
        info->comp_info[c].v_samp_factor = 1;
    }
    jpeg_start_compress(info, TRUE);
    return true;
}

bool write(jpeg_compress_struct* info, Errors* errors, JSAMPROW* rows, int count)
{
    if (setjmp(errors->jump))
        return false;
    int done = 0;
    while (done < count)
        done += int(jpeg_write_scanlines(info, rows + done, JDIMENSION(count - done)));
    return true;
}

bool end(jpeg_compress_struct* info, Errors* errors)
{
    if (setjmp(errors->jump))
        return false;
    jpeg_finish_compress(info);
    return true;
}

} // namespace

JpegStream::JpegStream(int fd, int width, int height, int quality) : state_(std::make_unique<State>())
{
    State& s = *state_;
    s.fd = fd;
    s.width = width;
    s.height = height;
    s.info.err = catch_jpeg_errors(s.errors);
    if (width < 1 || height < 1 || width > JPEG_MAX_DIMENSION || height > JPEG_MAX_DIMENSION) {
        s.failure = make_error("a picture of " + std::to_string(width) + " x " + std::to_string(height)
                               + " pixels cannot be saved as JPEG");
        return;
    }
    if (setjmp(s.errors.jump)) {
        s.failure = s.error_now();
        return;
    }
    jpeg_create_compress(&s.info);
    s.info.client_data = &s;
    s.destination.init_destination = State::init_destination;
    s.destination.empty_output_buffer = State::empty_output_buffer;
    s.destination.term_destination = State::term_destination;
    s.info.dest = &s.destination;
    s.started = true;
    if (!start(&s.info, &s.errors, width, height, quality))
        s.failure = s.error_now();
}

JpegStream::~JpegStream()
{
    if (state_->started)
        jpeg_destroy_compress(&state_->info);
}

int JpegStream::rows_written() const { return state_->started ? int(state_->info.next_scanline) : 0; }

Result<void> JpegStream::write_rows(const std::uint8_t* rows, int count, std::size_t stride)
{
    State& s = *state_;
    if (s.failure)
        return *s.failure;
    if (count < 0 || rows_written() + count > s.height)
        return *(s.failure = make_error("more rows than the picture's " + std::to_string(s.height)));
    std::vector<JSAMPROW> pointers(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k)
        pointers[size_t(k)] = const_cast<JSAMPROW>(rows + stride * size_t(k));
    if (!write(&s.info, &s.errors, pointers.data(), count))
        return *(s.failure = s.error_now());
    return {};
}

Result<void> JpegStream::finish()
{
    State& s = *state_;
    if (s.failure)
        return *s.failure;
    if (rows_written() != s.height)
        return *(s.failure = make_error("the picture ended after " + std::to_string(rows_written()) + " of its "
                                        + std::to_string(s.height) + " rows"));
    if (!end(&s.info, &s.errors))
        return *(s.failure = s.error_now());
    s.finished = true;
    return {};
}

} // namespace halvern
