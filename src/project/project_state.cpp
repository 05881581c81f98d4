#include "project/project_state.h"

#include "base/strings.h"

namespace halvern {

void ProjectState::adopt(const std::string& path)
{
    file_name = path;
    window_title = std::string(program_window_title) + " - " + path;
    suggested_name.clear();
}

void ProjectState::forget(std::string suggestion)
{
    file_name.clear();
    window_title = std::string(program_window_title);
    suggested_name = std::move(suggestion);
}

namespace {

size_t last_separator(std::string_view path) { return path.find_last_of("\\/"); }

} // namespace

std::string folder_of(std::string_view path)
{
    size_t at = last_separator(path);
    if (at == std::string_view::npos)
        return {};
    if (at == 0)
        return std::string(path.substr(0, 1));
    return std::string(path.substr(0, at));
}

std::string file_part(std::string_view path)
{
    const size_t at = last_separator(path);
    return std::string(at == std::string_view::npos ? path : path.substr(at + 1));
}

std::string with_project_extension(std::string_view name)
{
    size_t at = last_separator(name);
    std::string_view file = at == std::string_view::npos ? name : name.substr(at + 1);
    if (to_lower_ascii(file).find(".qlm") != std::string::npos)
        return std::string(name);
    return std::string(name) + ".qlm";
}

std::string project_name_for(std::string_view path)
{
    size_t at = last_separator(path);
    size_t file_start = at == std::string_view::npos ? 0 : at + 1;
    size_t dot = path.find_last_of('.');
    // A leading dot names a hidden file, not an extension.
    if (dot == std::string_view::npos || dot <= file_start)
        return std::string(path) + ".qlm";
    return std::string(path.substr(0, dot)) + ".qlm";
}

} // namespace halvern
