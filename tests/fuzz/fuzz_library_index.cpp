// The library index "extlib/lib.index".
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/cp1252.h"
#include "library/library_index.h"

using namespace halvern;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    parse_library_index(cp1252_to_utf8(bytes), "lib.index");
    return 0;
}
