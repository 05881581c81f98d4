#pragma once
// Which file the design is, and what the main window's title says about it.

#include <string>
#include <string_view>

namespace halvern {

inline constexpr std::string_view program_window_title = "Halvern Visual Design";
// The title after reading a file of the old format, followed by the file's path.
inline constexpr std::string_view old_format_window_title = "Quilma Editor - Derovan - ";

struct ProjectState {
    // Save writes here without asking; empty: Save asks for a name. Start-up sets "projet.vek"
    // and empties it once the base project is loaded.
    std::string file_name = "projet.vek";
    std::string window_title{program_window_title};
    // What Save as offers while the design has no file (a design read from an old-format file
    // is offered under its own name with ".qlm").
    std::string suggested_name;

    // The design is now this file: "Halvern Visual Design - " followed by the path.
    void adopt(const std::string& path);
    // The design has no file (New, the base project, a read that failed): plain title.
    void forget(std::string suggestion = {});
};

// The part of a path before its last separator, "\" or "/" ("C:\a\b.qlm" -> "C:\a"); "" when it
// has none. A file at the root of a Unix path is in "/".
std::string folder_of(std::string_view path);

// The part of a path after its last separator, "\" or "/" ("C:\a\b.qlm" -> "b.qlm").
std::string file_part(std::string_view path);

// ".qlm" appended unless the file name (not its folders) already holds ".qlm" anywhere, in any case
// ("plan.qlm.bak" is used unchanged).
std::string with_project_extension(std::string_view name);

// The path with its extension replaced by ".qlm".
std::string project_name_for(std::string_view path);

} // namespace halvern
