// The price table, read as the installed "extlib/table.lib" or as an imported text file, applied
// to the component table and written back.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/cp1252.h"
#include "library/builtin_catalogue.h"
#include "library/price_table.h"

using namespace halvern;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const ComponentTable* start = [] {
        auto* t = new ComponentTable();
        fill_builtin_catalogue(*t, "en");
        return t;
    }();
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto read = parse_price_table(cp1252_to_utf8(bytes), "table.lib");
    if (!read)
        return 0;
    ComponentTable table = *start;
    apply_price_records(read->records, table, size % 2 ? PriceTableSource::imported : PriceTableSource::installed);
    (void)price_table_lines(table, PriceNames::from_price_table);
    return 0;
}
