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
    (void)load_picture_24(file);
    return 0;
}
