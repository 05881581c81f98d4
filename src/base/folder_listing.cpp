#include "base/folder_listing.h"

#include <algorithm>
#include <system_error>

#include "base/strings.h"

namespace halvern {

namespace fs = std::filesystem;

bool has_extension(const fs::path& file, std::string_view extension)
{
    return equals_ignore_case(file.extension().string(), extension);
}

std::vector<fs::path> files_with_extension(const fs::path& folder, std::string_view extension)
{
    std::vector<fs::path> files;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code type_ec;
        if (it->is_regular_file(type_ec) && has_extension(it->path(), extension))
            files.push_back(it->path());
    }
    std::sort(files.begin(), files.end(),
              [](const fs::path& a, const fs::path& b) { return a.filename().string() < b.filename().string(); });
    return files;
}

} // namespace halvern
