#pragma once
// Opening a file with the program the desktop associates with its kind (the shell's "open").

#include <filesystem>
#include <string>

namespace halvern {

// Whether the desktop names a program for this kind of content (a MIME type such as
// "x-scheme-handler/https"); where the desktop cannot be asked, it is assumed to have one.
bool desktop_has_handler(const std::string& mime_type);

// Whether the desktop names a program for this file's kind; where the desktop cannot be asked,
// it is assumed to have one and the opening itself tells.
bool desktop_has_program_for(const std::filesystem::path& file);

// Starts that program on the file without waiting for it; false when there is none or it could not
// be started.
bool open_with_desktop_program(const std::filesystem::path& file);

// Shows a web page in the user's browser; false when there is none or it could not be started.
bool open_web_page(const std::string& url);

} // namespace halvern
