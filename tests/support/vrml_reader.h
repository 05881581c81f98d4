#pragma once
// Reads a VRML 2.0 file with a real reader (Coin3D) and tells everything it complained about: read
// errors, missing pictures and warnings. A file the reader takes without a word gives nothing.

#include <filesystem>
#include <string>
#include <vector>

namespace halvern::testing {

std::vector<std::string> vrml_read_problems(const std::filesystem::path& file);

// A fragment as the scene puts it: inside the children list of a group, in a file of its own.
// Placeholders of pictures become `picture`, numeric placeholders ("wrl_...") become 1; a fragment
// that opens a group (the floor) is closed.
std::vector<std::string> fragment_read_problems(const std::filesystem::path& fragment,
                                                const std::filesystem::path& picture,
                                                const std::filesystem::path& scratch);

} // namespace halvern::testing
