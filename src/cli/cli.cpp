#include "cli/cli.h"

#include <optional>
#include <ostream>
#include <system_error>

#include "base/app_dir.h"
#include "base/file_replacement.h"
#include "base/input_files.h"
#include "cli/command.h"
#include "cli/utf8_output.h"

namespace halvern {

namespace fs = std::filesystem;

namespace {

const CommandOption common_options[] = {
    {"--app-dir", true, "the installation folder (default: $HALVERN_APP_DIR, else the program's folder)", "DIR"},
    {"--lang", true, "the interface language (default: the stored setting, else en)", "en|fr"},
    {"--help", false, "show this help"},
};

const CommandOption* find_option(std::string_view name, const Command* command)
{
    for (const CommandOption& o : common_options)
        if (o.name == name)
            return &o;
    if (command)
        for (const CommandOption& o : command->options)
            if (o.name == name)
                return &o;
    return nullptr;
}

// Whether any command's option of this name takes a value: needed to find the command word
// when options stand before it.
bool option_takes_value_anywhere(std::string_view name)
{
    if (const CommandOption* o = find_option(name, nullptr))
        return o->takes_value;
    for (const Command& c : cli_commands())
        for (const CommandOption& o : c.options)
            if (o.name == name)
                return o.takes_value;
    return false;
}

void print_help(std::ostream& out)
{
    out << "Usage: halvern [COMMAND] [ARGUMENTS] [OPTIONS]\n"
           "Halvern Visual Design: exhibition stand design. Without a command it opens the editor.\n\n"
           "Commands:\n";
    for (const Command& c : cli_commands()) {
        std::string head = std::string(c.name) + (c.arguments.empty() ? "" : " " + std::string(c.arguments));
        out << "  " << head << std::string(head.size() < 30 ? 30 - head.size() : 1, ' ') << c.summary << '\n';
        for (const CommandOption& o : c.options)
            out << "      " << o.name << (o.takes_value ? " " + std::string(o.value_name) : "") << "  " << o.help
                << '\n';
    }
    out << "\nOptions for every command:\n";
    for (const CommandOption& o : common_options) {
        std::string head = std::string(o.name) + (o.takes_value ? " " + std::string(o.value_name) : "");
        out << "  " << head << std::string(head.size() < 30 ? 30 - head.size() : 1, ' ') << o.help << '\n';
    }
    out << "\nExit status: 0 success, 1 bad input or a failed write, 2 a usage error.\n";
}

// "-5" and "-.5" are numbers (a coordinate, a rotation), not options.
bool looks_like_option(const std::string& a)
{
    if (a.size() < 2 || a[0] != '-')
        return false;
    return !((a[1] >= '0' && a[1] <= '9') || a[1] == '.');
}

struct ParsedLine {
    const Command* command = nullptr;
    std::string command_word;
    std::vector<std::string> args;
    std::map<std::string, std::string, std::less<>> options;
    bool help = false;
};

int usage(std::ostream& err, const std::string& message)
{
    err << "halvern: " << message << "\nTry 'halvern --help'.\n";
    return exit_usage;
}

// Sorts the words into options (the common ones, and the command's own when there is a command)
// and arguments, the command word left out. Options may stand before or after the arguments, as
// "--name VALUE" or "--name=VALUE"; "--" ends the options.
struct WordsProblem {
    std::string message; // the usage error
    bool unknown_option = false;
};

std::optional<WordsProblem> read_words(const std::vector<std::string>& args, ParsedLine& line)
{
    bool options_done = false, command_seen = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!options_done && a == "--") {
            options_done = true;
            continue;
        }
        if (!options_done && looks_like_option(a)) {
            std::string name = a, value;
            bool has_inline_value = false;
            if (size_t eq = a.find('='); eq != std::string::npos) {
                name = a.substr(0, eq);
                value = a.substr(eq + 1);
                has_inline_value = true;
            }
            if (name == "-h")
                name = "--help";
            const CommandOption* option = find_option(name, line.command);
            if (!option)
                return WordsProblem{"unknown option '" + name + "'"
                                        + (line.command ? " for '" + line.command_word + "'" : ""),
                                    true};
            if (option->takes_value && !has_inline_value) {
                if (i + 1 >= args.size())
                    return WordsProblem{"option '" + name + "' needs a value"};
                value = args[++i];
            } else if (!option->takes_value && has_inline_value) {
                return WordsProblem{"option '" + name + "' takes no value"};
            }
            if (name == "--help")
                line.help = true;
            line.options.insert_or_assign(name, value);
            continue;
        }
        if (!command_seen && line.command) {
            command_seen = true; // the command word itself
            continue;
        }
        line.args.push_back(a);
    }
    return std::nullopt;
}

// Finds the command, then reads the options and arguments.
std::optional<ParsedLine> parse_line(const std::vector<std::string>& args, std::ostream& err, int& code)
{
    ParsedLine line;
    // First find the command word, skipping option values.
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--") {
            if (i + 1 < args.size())
                line.command_word = args[i + 1];
            break;
        }
        if (looks_like_option(a)) {
            if (a.find('=') == std::string::npos && option_takes_value_anywhere(a))
                ++i;
            continue;
        }
        line.command_word = a;
        break;
    }
    if (!line.command_word.empty()) {
        line.command = find_command(line.command_word);
        if (!line.command) {
            code = usage(err, "unknown command '" + line.command_word + "'");
            return std::nullopt;
        }
    }

    if (std::optional<WordsProblem> problem = read_words(args, line)) {
        code = usage(err, problem->message);
        return std::nullopt;
    }
    return line;
}

} // namespace

CommonOptions read_common_options(const std::vector<std::string>& args)
{
    ParsedLine line;
    CommonOptions common;
    if (std::optional<WordsProblem> problem = read_words(args, line)) {
        common.problem = problem->message;
        common.unknown_option = problem->unknown_option;
        return common;
    }
    if (auto it = line.options.find("--app-dir"); it != line.options.end())
        common.app_dir = it->second;
    if (auto it = line.options.find("--lang"); it != line.options.end())
        common.lang = it->second;
    common.help = line.help;
    common.words = std::move(line.args);
    return common;
}

std::optional<std::string> lang_option_error(std::string_view lang)
{
    if (lang == "en" || lang == "fr")
        return std::nullopt;
    return "--lang must be en or fr, not '" + std::string(lang) + "'";
}

static int run_checked(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                const CliEnvironment& environment)
{
    int code = exit_ok;
    auto parsed = parse_line(args, err, code);
    if (!parsed)
        return code;
    ParsedLine& line = *parsed;

    if (line.help || !line.command) {
        print_help(out);
        return exit_ok;
    }

    const Command& command = *line.command;
    if (line.args.size() < command.min_args || line.args.size() > command.max_args) {
        std::string form = "halvern " + std::string(command.name)
                           + (command.arguments.empty() ? "" : " " + std::string(command.arguments));
        return usage(err, "usage: " + form);
    }

    std::optional<std::string> app_dir_option;
    if (auto it = line.options.find("--app-dir"); it != line.options.end())
        app_dir_option = it->second;
    fs::path app_dir = find_app_dir(app_dir_option, environment.app_dir_variable, environment.executable_dir);
    std::error_code ec;
    if (app_dir.empty() || !fs::is_directory(app_dir, ec)) {
        err << "halvern: " << app_dir.string() << ": the installation folder does not exist\n";
        return exit_bad_input;
    }

    std::optional<std::string> lang_option;
    if (auto it = line.options.find("--lang"); it != line.options.end()) {
        if (std::optional<std::string> problem = lang_option_error(it->second))
            return usage(err, *problem);
        lang_option = it->second;
    }

    std::unique_ptr<SettingsStore> store =
        environment.open_settings ? environment.open_settings() : std::make_unique<MemorySettingsStore>();
    Settings settings = Settings::defaults(app_dir);
    if (auto problem = store->unreadable())
        err << "halvern: " << problem->text() << '\n';
    read_settings(*store, settings);

    // The command sees only its own options.
    std::map<std::string, std::string, std::less<>> own;
    for (auto& [name, value] : line.options)
        if (name != "--app-dir" && name != "--lang" && name != "--help")
            own.emplace(name, value);

    CliContext context{app_dir, lang_option ? *lang_option : (settings.lang.empty() ? "en" : settings.lang),
                       settings, *store, line.args, std::move(own), out, err, environment.user_dir};
    std::optional<InputFiles> inputs;
    if (!command.may_replace_its_input)
        inputs.emplace();
    return command.run(context);
}

int run_cli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            const CliEnvironment& environment)
{
    ignore_file_size_signal();
    Utf8OnlyBuffer out_buffer(out), err_buffer(err);
    std::ostream valid_out(&out_buffer), valid_err(&err_buffer);
    const int code = run_checked(args, valid_out, valid_err, environment);
    out_buffer.finish();
    err_buffer.finish();
    return code;
}

} // namespace halvern
