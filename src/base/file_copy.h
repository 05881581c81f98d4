#pragma once
// Copying a file of any size in pieces, and telling whether two files hold the same bytes, without
// ever holding a whole file in memory.

#include <filesystem>

#include "base/result.h"

namespace halvern {

// Replaces (or creates) `target` with the bytes of the regular file `source`, as one step: a
// failure leaves the old target as it was and the error names the file at fault.
Result<void> copy_file_safely(const std::filesystem::path& source, const std::filesystem::path& target);

// Whether both are regular files with the same bytes. A file that cannot be read is not the same.
bool same_file_content(const std::filesystem::path& a, const std::filesystem::path& b);

} // namespace halvern
