#include "outputs/texture_library.h"

#include <algorithm>
#include <system_error>

#include <cctype>

namespace halvern {

namespace fs = std::filesystem;

fs::path texture_folder(const fs::path& app_dir) { return app_dir / "lib" / "tex"; }

namespace {

// Names of the entries of a folder that pass `keep`, sorted; a folder that cannot be read lists
// nothing.
template <class Keep>
std::vector<std::string> entries(const fs::path& folder, Keep keep)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (keep(*it))
            names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool is_jpeg_name(const fs::path& p)
{
    std::string ext = p.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return ext == ".jpg";
}

} // namespace

std::vector<std::string> texture_families(const fs::path& app_dir)
{
    return entries(texture_folder(app_dir), [](const fs::directory_entry& e) {
        std::error_code ec;
        return e.is_directory(ec);
    });
}

std::vector<std::string> texture_files(const fs::path& app_dir, const std::string& family)
{
    // A family name comes from the folder listing, never from the user; still, it must stay inside.
    if (family.empty() || family.find('/') != std::string::npos || family.find('\\') != std::string::npos
        || family == "." || family == "..")
        return {};
    return entries(texture_folder(app_dir) / family, [](const fs::directory_entry& e) {
        std::error_code ec;
        return e.is_regular_file(ec) && is_jpeg_name(e.path());
    });
}

fs::path texture_path(const fs::path& app_dir, const std::string& family, const std::string& file)
{
    return texture_folder(app_dir) / family / file;
}

} // namespace halvern
