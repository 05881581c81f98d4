#include "cli/editor_line.h"

#include <system_error>

#include "base/strings.h"
#include "cli/cli.h"
#include "cli/command.h"

namespace halvern {

namespace {

// A design names a file that exists or ends like one; any other word is a mistyped command.
bool looks_like_design(const std::string& word)
{
    const std::string lower = to_lower_ascii(word);
    std::error_code ec;
    return lower.ends_with(".qlm") || lower.ends_with(".vek") || std::filesystem::is_regular_file(word, ec);
}

} // namespace

std::optional<EditorLine> editor_line(const std::vector<std::string>& args)
{
    // The editor is the line without a command: the common options and at most one design.
    CommonOptions common = read_common_options(args);
    if (common.unknown_option || common.help || common.words.size() > 1)
        return std::nullopt;
    EditorLine line{common.app_dir, common.lang, {}, common.problem};
    if (!line.error.empty())
        return line;
    if (common.words.size() == 1) {
        const std::string& word = common.words.front();
        if (word.empty() || find_command(word) || !looks_like_design(word))
            return std::nullopt;
        line.design = std::filesystem::path(word);
    }
    if (common.lang)
        line.error = lang_option_error(*common.lang).value_or("");
    return line;
}

} // namespace halvern
