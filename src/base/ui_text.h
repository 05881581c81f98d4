#pragma once
// The interface texts: entries 0..300 read from "lib/<language>.txt" under the installation folder.
// An entry the file lacks shows as its number in brackets ("[72]"), so a missing text is visible.

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace halvern {

class UiText {
public:
    static constexpr int count = 301;

    UiText(); // every entry its placeholder

    // Resets every entry, then reads the file of `lang`. A missing or short file leaves the
    // placeholders and is not an error. Returns whether the file was found.
    bool load(const std::filesystem::path& app_dir, std::string_view lang);

    // Parses the lines of a language file (UTF-8) over the current entries.
    void apply_lines(const std::vector<std::string>& lines);

    // Out of range (a programming error) still gives a recognisable placeholder.
    std::string get(int n) const;
    void set(int n, std::string text);

    static std::string placeholder(int n);
    static std::filesystem::path file_of(const std::filesystem::path& app_dir, std::string_view lang);

private:
    std::array<std::string, count> entries_;
};

// Language codes come from the settings store; only plain codes name a file, so a stored value
// such as "../x" can never reach outside "lib/".
bool is_plain_language_code(std::string_view lang);

} // namespace halvern
