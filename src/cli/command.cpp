#include "cli/command.h"

#include <charconv>
#include <cmath>

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
    err << "halvern: " << error.text() << '\n';
    return 1;
}

int CliContext::usage_error(std::string_view message) const
{
    err << "halvern: " << message << "\nTry 'halvern --help'.\n";
    return 2;
}

std::optional<double> parse_real_argument(std::string_view text)
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty() || !((text.front() >= '0' && text.front() <= '9') || text.front() == '-' || text.front() == '.'))
        return std::nullopt; // from_chars would also take "inf" and "nan"
    double value = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> parse_int_argument(std::string_view text, int low, int high)
{
    int value = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size() || text.empty())
        return std::nullopt;
    if (value < low || value > high)
        return std::nullopt;
    return value;
}

} // namespace halvern
