#include "outputs/texture_library.h"

#include <algorithm>
#include <system_error>

#include "base/folder_listing.h"

namespace halvern {

namespace fs = std::filesystem;

fs::path texture_folder(const fs::path& app_dir) { return app_dir / "lib" / "tex"; }


std::vector<std::string> texture_families(const fs::path& app_dir)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(texture_folder(app_dir), ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code type_ec;
        if (it->is_directory(type_ec))
            names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> texture_files(const fs::path& app_dir, const std::string& family)
{
    // A family name comes from the folder listing, never from the user; still, it must stay inside.
    if (family.empty() || family.find('/') != std::string::npos || family.find('\\') != std::string::npos
        || family == "." || family == "..")
        return {};
    std::vector<std::string> names;
    for (const fs::path& file : files_with_extension(texture_folder(app_dir) / family, ".jpg"))
        names.push_back(file.filename().string());
    return names;
}

fs::path texture_path(const fs::path& app_dir, const std::string& family, const std::string& file)
{
    return texture_folder(app_dir) / family / file;
}

} // namespace halvern
