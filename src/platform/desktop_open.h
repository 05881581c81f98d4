#pragma once
// Opening a file with the program the desktop associates with its kind (the shell's "open").

#include <filesystem>

namespace halvern {

// Whether the desktop names a program for this file's kind; where the desktop cannot be asked,
// it is assumed to have one and the opening itself tells.
bool desktop_has_program_for(const std::filesystem::path& file);

// Starts that program on the file without waiting for it; false when there is none or it could not
// be started.
bool open_with_desktop_program(const std::filesystem::path& file);

} // namespace halvern
