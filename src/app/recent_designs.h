#pragma once
// The designs opened or saved last, newest first, kept between runs in a group of their own of the
// settings file (never in "Current", whose keys belong to the settings of the program).

#include <string>
#include <vector>

namespace halvern {

// `list` with `path` moved (or put) in front, without a second copy, cut to `limit`.
std::vector<std::string> with_recent(std::vector<std::string> list, const std::string& path, size_t limit);

class RecentDesigns {
public:
    static constexpr size_t limit = 8;

    std::vector<std::string> list() const;
    void add(const std::string& path);
    void clear();
};

} // namespace halvern
