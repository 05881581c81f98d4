#include "base/result.h"

namespace halvern {

std::string Error::text() const
{
    std::string out;
    if (!file.empty()) {
        out = file.string();
        if (line > 0)
            out += ":" + std::to_string(line);
        out += ": ";
    }
    return out + message;
}

Error make_error(std::string message, std::filesystem::path file, int line)
{
    return Error{std::move(message), std::move(file), line};
}

} // namespace halvern
