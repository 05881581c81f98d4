#pragma once
// The words that open the editor rather than run a command: "halvern", "halvern DESIGN", each with
// the common options "--app-dir DIR" and "--lang en|fr" anywhere among them.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace halvern {

struct EditorLine {
    std::optional<std::string> app_dir;
    std::optional<std::string> lang;
    std::optional<std::filesystem::path> design;
    std::string error; // a usage error to report instead of opening the editor
};

// Nullopt when the words are for the command line: a command, --help, any other option, a second
// design, or a word that names neither a command nor a design (the command line reports it).
std::optional<EditorLine> editor_line(const std::vector<std::string>& args);

} // namespace halvern
