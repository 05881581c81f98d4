#pragma once
// The user's own data folder for this program (the per-user overlay of the installation): the
// desktop's application data folder, the same for the editor and the command line.

#include <filesystem>

namespace halvern {

// "$XDG_DATA_HOME/Halvern Visual Design" on Linux ("~/.local/share/..." by default); empty when
// the desktop gives no data folder.
std::filesystem::path user_data_folder();

} // namespace halvern
