#include "library/library_folders.h"

#include <unistd.h>

#include <string>
#include <system_error>

#include "base/text_file.h"
#include "library/definition_file.h"

namespace halvern {

namespace fs = std::filesystem;

bool folder_accepts_files(const fs::path& folder)
{
    std::error_code ec;
    // access() answers for the real user and sees read-only mounts; the administrator passes it
    // where the permissions alone would say no, as it can indeed write there.
    return fs::is_directory(folder, ec) && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

Result<fs::path> save_folder(const LibraryFolders& folders, const fs::path& installed)
{
    const bool writable = folders.writable ? folders.writable(installed) : folder_accepts_files(installed);
    if (writable || folders.user_dir.empty())
        return installed;
    const fs::path inside = installed.lexically_relative(folders.app_dir);
    if (inside.empty() || *inside.begin() == "..")
        return make_error("the folder is not part of the installation; nothing was written", installed);
    const fs::path folder = folders.user_dir / inside;
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec)
        return make_error("the folder cannot be made (" + ec.message() + "); nothing was written", folder);
    return folder;
}

Result<fs::path> save_definition_file(const LibraryFolders& folders, ComponentTable& table, int n)
{
    Result<fs::path> installed = definition_folder(folders.app_dir, table, n);
    if (!installed)
        return installed.error();
    std::error_code ec;
    if (!fs::is_directory(*installed, ec))
        return make_error("the library folder does not exist; the definition file was not written", *installed);
    Result<fs::path> folder = save_folder(folders, *installed);
    if (!folder)
        return folder.error();
    const fs::path file = *folder / table[n].file_name;
    if (Result<void> written = write_lines(file, definition_lines(table[n], n)); !written)
        return written.error();
    return file;
}

} // namespace halvern
