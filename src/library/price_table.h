#pragma once
// The price table: prices, weights and bag sizes of the components (and names the reseller gives
// them), kept as "extlib/table.lib" and exchanged as a text file. Records of 17 lines: the component
// number, "Name :", the name, "Price :", the price, "Weight (gr) :", the weight, "Pack by", the bag
// size, and eight reserved fields written as 0.
//
// It lives with the library rather than with the outputs because loading the library reads it:
// the tables are not complete without it.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "library/component_table.h"
#include "library/library_folders.h"

namespace halvern {

inline constexpr int price_record_fields = 17;

struct PriceRecord {
    int number = 0;   // 0..5000
    int line = 0;     // where the record starts
    int fields = 0;   // how many of its 17 fields the file holds (fewer only for a cut-off last record)
    std::string name; // without surrounding double quotes
    double price = 0, weight = 0, pack_by = 0;
};

struct PriceTableRead {
    std::vector<PriceRecord> records; // in file order; a later record for a number overrides an earlier one
    std::vector<Error> notes;         // records skipped or cut off
};

// Reads price table text (UTF-8). A record whose number is not a whole number 0..5000 is skipped
// with a note. A text whose labels ("Name :", "Price :", "Weight (gr) :", "Pack by"; blanks and
// case ignored) are not where they belong, or whose number field holds no number, is not a price
// table: the error names the line and nothing is returned.
Result<PriceTableRead> parse_price_table(std::string_view text, const std::filesystem::path& file);

// Where the records come from: the installed table holds only names the reseller gave; an imported
// file may also repeat the program's own names, which must keep following the language.
enum class PriceTableSource { installed, imported };

// A non-empty name becomes the component's name; price, weight and bag size are set as far as the
// record goes.
void apply_price_records(const std::vector<PriceRecord>& records, ComponentTable& table, PriceTableSource source);

// Which names the writer writes: every name (an export), or only the names that came from a price
// table (the installed table), the others empty.
enum class PriceNames { all, from_price_table };

// One record per component 0..5000 whose name is not empty, in number order.
std::vector<std::string> price_table_lines(const ComponentTable& table, PriceNames names);

// Reads and applies a price table file. A missing file changes nothing and is not an error.
Result<std::vector<Error>> read_price_table(const std::filesystem::path& file, ComponentTable& table,
                                            PriceTableSource source = PriceTableSource::installed);

Result<void> write_price_table(const std::filesystem::path& file, const ComponentTable& table,
                               PriceNames names = PriceNames::all);

std::filesystem::path installed_price_table(const std::filesystem::path& app_dir);

// The user's own price table, read over the installed one: where an import goes when the
// installation cannot be written.
std::filesystem::path overlay_price_table(const std::filesystem::path& user_dir);

// Reads `source` into the table and rewrites the installed table from the whole table, or the
// overlay's table when the installation's folder cannot be written. A file that is not a price
// table changes neither the table nor any file. Returns the notes; `written` gets the file written.
Result<std::vector<Error>> import_price_table(const std::filesystem::path& source, const LibraryFolders& folders,
                                              ComponentTable& table, std::filesystem::path* written = nullptr);

// An export name chosen without the ".txt" extension gets it.
std::filesystem::path with_txt_extension(const std::filesystem::path& chosen);

} // namespace halvern
