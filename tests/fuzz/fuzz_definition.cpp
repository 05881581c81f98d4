// A component definition file, read over a fresh component record.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "library/definition_file.h"

using namespace halvern;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static ComponentTable* table = new ComponentTable();
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto n = parse_definition(bytes, *table, "en", "fuzz.lib");
    if (n) {
        // What the editor writes back must come from whatever was read.
        (void)definition_lines((*table)[*n], *n);
        (*table)[*n] = Component();
    }
    return 0;
}
