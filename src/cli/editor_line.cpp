#include "cli/editor_line.h"

#include <cctype>
#include <system_error>

#include "cli/commands.h"

namespace halvern {

namespace {

bool is_command(const std::string& word)
{
    for (const Command& c : cli_commands())
        if (c.name == word)
            return true;
    return false;
}

// A design names a file that exists or ends like one; any other word is a mistyped command.
bool looks_like_design(const std::string& word)
{
    std::string lower;
    for (char c : word)
        lower += char(std::tolower(static_cast<unsigned char>(c)));
    const bool design_extension = lower.ends_with(".qlm") || lower.ends_with(".vek");
    std::error_code ec;
    return design_extension || std::filesystem::is_regular_file(word, ec);
}

} // namespace

std::optional<EditorLine> editor_line(const std::vector<std::string>& args)
{
    EditorLine line;
    bool options_done = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!options_done && a == "--") {
            options_done = true;
            continue;
        }
        if (!options_done && a.starts_with("--")) {
            const size_t eq = a.find('=');
            const std::string name = a.substr(0, eq);
            if (name != "--app-dir" && name != "--lang")
                return std::nullopt;
            std::string value;
            if (eq != std::string::npos) {
                value = a.substr(eq + 1);
            } else if (i + 1 < args.size()) {
                value = args[++i];
            } else {
                line.error = "option '" + name + "' needs a value";
                return line;
            }
            if (name == "--app-dir") {
                line.app_dir = value;
            } else {
                if (value != "en" && value != "fr")
                    line.error = "--lang must be en or fr, not '" + value + "'";
                line.lang = value;
            }
            continue;
        }
        if (line.design || a.empty() || (!options_done && a[0] == '-') || is_command(a) || !looks_like_design(a))
            return std::nullopt;
        line.design = std::filesystem::path(a);
    }
    return line;
}

} // namespace halvern
