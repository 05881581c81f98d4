#pragma once
// The one place that reads and writes data files. Files on disk are code page 1252 with CR LF;
// readers also accept LF alone and a last line without its end. Writes that replace a file go to a
// temporary file in the same folder and are renamed over the target only once complete, so a
// failure (a full disk, a missing folder, a kill) never leaves the old file damaged.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"

namespace halvern {

// Splits text at CR LF or LF. A final line end does not start an extra empty line.
std::vector<std::string> split_lines(std::string_view text);

// Joins lines, each followed by CR LF, and converts them to code page 1252.
std::string join_lines_crlf(const std::vector<std::string>& lines);

Result<std::string> read_file_bytes(const std::filesystem::path& file);

// Reads a code page 1252 file into UTF-8 lines.
Result<std::vector<std::string>> read_lines(const std::filesystem::path& file);

// Replaces (or creates) `file` with `bytes` as one step: either the complete new content is there
// afterwards, or the old file is untouched and the error names the file.
Result<void> write_file_safely(const std::filesystem::path& file, std::string_view bytes);

// The same for content made piece by piece: `fill` writes to the open descriptor of the temporary
// file, so a large output never has to be held whole in memory. An error from `fill` (its message;
// the file is filled in here) leaves the old file untouched.
Result<void> write_file_safely_with(const std::filesystem::path& file,
                                    const std::function<Result<void>(int fd)>& fill);

// Writes every byte to the descriptor, retrying short writes; the error says why.
Result<void> write_all(int fd, std::string_view bytes);

Result<void> write_lines(const std::filesystem::path& file, const std::vector<std::string>& lines);

} // namespace halvern
