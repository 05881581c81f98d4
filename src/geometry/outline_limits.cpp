#include "geometry/outline_limits.h"

#include <string>

#include "geometry/point_path.h"

namespace halvern {

std::vector<Error> long_outline_notes(const ComponentTable& components, const std::filesystem::path& app_dir)
{
    std::vector<Error> notes;
    const std::string limit = std::to_string(max_path_points);
    for (int n = 0; n <= max_component; ++n) {
        const Component& c = components[n];
        if (c.is_free() || c.shape != shape_point_list || !parse_point_list(c.draw, 0, 0).truncated)
            continue;
        const std::string what = "the outline of component " + std::to_string(n) + " has more than " + limit
                                 + " points; only the first " + limit + " are drawn";
        if (c.file_name.empty())
            notes.push_back(make_error(what));
        else
            notes.push_back(make_error(what, app_dir / "extlib" / std::to_string(c.library) / c.file_name));
    }
    return notes;
}

} // namespace halvern
