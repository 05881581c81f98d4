#pragma once
// The VRML fragments the scene is assembled from: small files under lib/ in the installation
// folder. Those every scene needs are read when an export starts, the others on first use; each is
// read once per export. A fragment that cannot be read is reported once and stays empty.

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace halvern {

enum class VrmlVariant { full = 0, structure = 1, coloured = 2 };

class VrmlFragments {
public:
    // Reads the fragments of the head, the frames, posts, junctions and faces. `messages` receives
    // one "<file> introuvable" per fragment that cannot be read.
    VrmlFragments(const std::filesystem::path& app_dir, VrmlVariant variant, std::vector<std::string>& messages);

    // The fragment "lib/<name>.dat"; "_mount" is added for the coloured view where such a version
    // exists.
    const std::string& get(std::string_view name);

    // The files every scene reads, for the variant; names without ".dat".
    static std::vector<std::string> start_names(VrmlVariant variant);
    // Every fragment the scene can use in any variant: the files the installation must hold.
    static std::vector<std::string> all_names();
    // The fragments that have a "_mount" version.
    static bool has_mount_version(std::string_view name);

private:
    std::string file_name(std::string_view name) const;

    std::filesystem::path lib_;
    VrmlVariant variant_;
    std::vector<std::string>& messages_;
    std::map<std::string, std::string, std::less<>> texts_;
};

// The whole file, or nothing with the message "<file> introuvable".
std::string read_fragment(const std::filesystem::path& file, std::vector<std::string>& messages);

// The names of the frame-structure pieces that have fragments of their own, by component
// (2302 .. 2311), and their printed faces (the same name followed by "v").
std::string_view profile_part_name(int component);

} // namespace halvern
