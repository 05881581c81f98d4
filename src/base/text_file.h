#pragma once
// The one place that reads and writes data files. Files on disk are code page 1252 with CR LF;
// readers also accept LF alone and a last line without its end. Writes that replace a file go to a
// temporary file in the same folder and are renamed over the target only once complete, so a
// failure (a full disk, a missing folder, a kill) never leaves the old file damaged.

#include <cstdint>
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

inline constexpr std::uint64_t megabyte = std::uint64_t(1) << 20;
// Every data file we read is small; the bounds leave room to spare and stop a mistaken file (a
// disk image, a video) from filling the memory.
inline constexpr std::uint64_t data_file_bytes_max = 64 * megabyte;
inline constexpr std::uint64_t design_file_bytes_max = 32 * megabyte;  // 2,550 objects are ~1 MB
inline constexpr std::uint64_t table_file_bytes_max = 16 * megabyte;   // price table, colour library
inline constexpr std::uint64_t small_file_bytes_max = 4 * megabyte;    // definition, index, language
inline constexpr std::uint64_t picture_file_bytes_max = 4 * megabyte;  // icons and cursors
inline constexpr std::uint64_t lock_file_bytes_max = 64 * 1024;         // a process number and a host

// Reads a whole regular file. Anything else (a pipe, a device) and a file larger than `max_bytes`
// give an error naming the file, without waiting or reading on.
Result<std::string> read_file_bytes(const std::filesystem::path& file,
                                   std::uint64_t max_bytes = data_file_bytes_max);

// Reads a code page 1252 file into UTF-8 lines.
Result<std::vector<std::string>> read_lines(const std::filesystem::path& file,
                                            std::uint64_t max_bytes = data_file_bytes_max);

// A lock file that another library opens and reads itself (Qt's QLockFile) may be used: nothing is
// there yet, or a regular file (not a link) of at most `max_bytes`. Checked without opening it, since
// opening a pipe waits for a writer and a link to a device reads without end.
bool lock_file_usable(const std::filesystem::path& file, std::uint64_t max_bytes = lock_file_bytes_max);

// Nothing at all is at `file`: not even a link that leads nowhere or round in a loop, which must be
// reported rather than taken for a file that is simply not there.
bool nothing_at(const std::filesystem::path& file);

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
