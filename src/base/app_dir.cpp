#include "base/app_dir.h"

#include <system_error>

#include "base/strings.h"

namespace halvern {

namespace fs = std::filesystem;

fs::path find_app_dir(const std::optional<std::string>& option, const std::optional<std::string>& environment,
                      const fs::path& executable_dir)
{
    if (option && !trim(*option).empty())
        return fs::path(trimmed(*option));
    if (environment && !trim(*environment).empty())
        return fs::path(trimmed(*environment));
    return executable_dir;
}

fs::path executable_dir(const char* argv0)
{
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (!ec && !self.empty())
        return self.parent_path();
    if (argv0 && *argv0) {
        fs::path p = fs::absolute(argv0, ec);
        if (!ec)
            return p.parent_path();
    }
    return {};
}

} // namespace halvern
