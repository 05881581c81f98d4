#include "base/file_names.h"

#include <string>

#include "base/strings.h"

namespace halvern {

std::filesystem::path with_extension(const std::filesystem::path& file, std::string_view extension,
                                     std::string_view also)
{
    const std::string has = file.extension().string();
    if (equals_ignore_case(has, extension) || (!also.empty() && equals_ignore_case(has, also)))
        return file;
    std::filesystem::path out = file;
    out += std::string(extension);
    return out;
}

} // namespace halvern
