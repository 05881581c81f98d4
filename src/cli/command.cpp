#include "cli/command.h"

#include "base/error_words.h"

namespace halvern {

std::optional<std::string> CliContext::option(std::string_view name) const
{
    auto it = options.find(name);
    if (it == options.end())
        return std::nullopt;
    return it->second;
}

int CliContext::fail(const Error& error) const
{
    err << "halvern: " << error_words_in(error, lang).text() << '\n';
    return 1;
}

int CliContext::usage_error(std::string_view message) const
{
    err << "halvern: " << message << "\nTry 'halvern --help'.\n";
    return 2;
}

} // namespace halvern
