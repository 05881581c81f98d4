// A colour library of "lib/color".
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "library/colour_library.h"

using namespace halvern;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    parse_colour_library(bytes, "fuzz.lib");
    return 0;
}
