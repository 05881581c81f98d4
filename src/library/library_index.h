#pragma once
// The library index "extlib/lib.index": records of a library number, a position and a name. The
// two numbers each end at a comma or a line end; the name is the rest of its line
// ("3,2,Panels" or the three fields on lines of their own).

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"

namespace halvern {

struct IndexRecord {
    int number = 0;   // library 0..99
    int position = 0; // position 0..99 in the library strip
    std::string name;
    int line = 0;     // where the record starts
};

struct IndexRead {
    std::vector<IndexRecord> records; // in file order, every one within the table
    std::vector<Error> notes;         // records skipped, each naming its line
};

// Blank lines between records are passed over. A record whose number or position is not a whole
// number 0..99 is skipped with a note.
IndexRead parse_library_index(std::string_view text, const std::filesystem::path& file);

} // namespace halvern
