// A picture file (JPEG above all) read through the program's picture loader, which takes a file
// name: each input is written to a file of its own first.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "outputs/picture_tiling.h"

using namespace halvern;

namespace {

constexpr std::uint64_t fuzz_picture_bytes = 64ull << 20;

struct InputFile {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("halvern-fuzz-picture-" + std::to_string(getpid()) + ".jpg");
    ~InputFile()
    {
        std::error_code ec;
        std::filesystem::remove(path, ec);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static InputFile input;
    const std::filesystem::path& file = input.path;
    if (std::FILE* out = std::fopen(file.c_str(), "wb")) {
        std::fwrite(data, 1, size, out);
        std::fclose(out);
    }
    // A picture the limit admits may still be hundreds of megapixels, and reading that many takes
    // seconds by design, not by fault. The fuzzer looks for faults: it reads pictures up to 64 MB
    // and, for every larger one, only the header that refuses it.
    (void)load_picture_24(file, fuzz_picture_bytes);
    return 0;
}
