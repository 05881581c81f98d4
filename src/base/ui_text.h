#pragma once
// The interface texts: entries 0..1023 read from "lib/<language>.txt" under the installation folder.
// An entry the language's file lacks (or the whole file, when it is missing or unreadable) takes
// the English text of "lib/en.txt"; one that English lacks too shows as its number in brackets
// ("[72]"), so a missing text is visible.

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"

namespace halvern {

class UiText {
public:
    // The entries up to 300 are the texts every language file has always held; our own windows and
    // messages take the numbers above.
    static constexpr int count = 1024;

    UiText(); // every entry its placeholder

    // Resets every entry, then reads the file of `lang` and English for what it lacks. Returns
    // whether the file of `lang` was read. A file that could not be read, or English texts taken
    // in, leave one note each in notes().
    bool load(const std::filesystem::path& app_dir, std::string_view lang);
    const std::vector<Error>& notes() const { return notes_; }

    // Parses the lines of a language file (UTF-8) over the current entries; returns which entries
    // the lines gave.
    std::array<bool, count> apply_lines(const std::vector<std::string>& lines);

    // Out of range (a programming error) still gives a recognisable placeholder.
    std::string get(int n) const;
    void set(int n, std::string text);

    static std::string placeholder(int n);
    static std::filesystem::path file_of(const std::filesystem::path& app_dir, std::string_view lang);

private:
    std::array<std::string, count> entries_;
    std::vector<Error> notes_;
};

// Language codes come from the settings store; only plain codes name a file, so a stored value
// such as "../x" can never reach outside "lib/".
bool is_plain_language_code(std::string_view lang);

} // namespace halvern
