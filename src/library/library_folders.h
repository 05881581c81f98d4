#pragma once
// Where definition files are read from and saved to. An installed program's folder may be one
// the user cannot write: its saves then go into the user's own overlay folder, laid out like the
// installation (extlib/<library>/), which loading reads after each installed library folder, so a
// saved definition wins over the installed one of the same component.

#include <filesystem>
#include <functional>

#include "base/result.h"
#include "library/component_table.h"

namespace halvern {

// Whether new files can be made in `folder` (it exists and the user may write into it).
bool folder_accepts_files(const std::filesystem::path& folder);

struct LibraryFolders {
    std::filesystem::path app_dir;
    std::filesystem::path user_dir; // the overlay's root; empty when there is none
    // How a folder of the installation is judged writable; folder_accepts_files when empty.
    std::function<bool(const std::filesystem::path&)> writable;
};

// The folder a file of the installation's `installed` folder is saved into: that folder when it can
// be written, else, when there is an overlay, the overlay's folder at the same place under it (made
// when missing). `installed` must lie inside the installation (app_dir).
Result<std::filesystem::path> save_folder(const LibraryFolders& folders, const std::filesystem::path& installed);

// Writes component n's definition file (the writer's checks and safe write) into its library's
// folder of the installation, or, when that folder exists but cannot be written and there is an
// overlay, into the overlay's folder of the same library (made when missing). Gives the file
// written. A missing installed folder is an error, as for the installation alone.
Result<std::filesystem::path> save_definition_file(const LibraryFolders& folders, ComponentTable& table, int n);

} // namespace halvern
