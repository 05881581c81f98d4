#pragma once
// A JPEG encoder fed a band of rows at a time: the picture is never held whole, only the rows the
// caller hands over and the few the encoder keeps for its blocks. Baseline coding, the quality
// given, every channel at full resolution (no chroma subsampling).

#include <cstdint>
#include <memory>
#include <string>

#include "base/result.h"

namespace halvern {

class JpegStream {
public:
    // Writes to the open descriptor `fd`, which stays the caller's.
    JpegStream(int fd, int width, int height, int quality);
    ~JpegStream();
    JpegStream(const JpegStream&) = delete;
    JpegStream& operator=(const JpegStream&) = delete;

    // `count` rows of `width` pixels, 3 bytes each (red, green, blue), `stride` bytes apart, in
    // order from the top. Rows past the picture's height are an error.
    Result<void> write_rows(const std::uint8_t* rows, int count, std::size_t stride);
    // After the last row: the end of the file is written. Fails when rows are missing.
    Result<void> finish();

    int rows_written() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace halvern
