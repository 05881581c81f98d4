#pragma once
// PDF files written through Qt, which does not report failed writes: the document goes to a
// temporary file beside the target, is checked for its end marker, synced, and only then
// replaces the target. A failure names the file and leaves an earlier one as it was.

#include <filesystem>
#include <functional>

#include <QString>

#include "base/result.h"

namespace halvern {

// True when the file ends with the marker the PDF writer puts last.
bool pdf_is_complete(const std::filesystem::path& file);

// `draw` writes the whole document into the file it is given (the temporary file).
Result<void> write_pdf_safely(const std::filesystem::path& file, const std::function<Result<void>(const QString&)>& draw);

} // namespace halvern
