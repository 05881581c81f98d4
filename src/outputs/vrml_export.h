#pragma once
// Writing a scene: to the viewer's temporary file as it is, or to a file of the user's choice with
// the pictures it names copied beside it.

#include <filesystem>
#include <string>
#include <vector>

#include "base/result.h"
#include "outputs/vrml_scene.h"

namespace halvern {

// The picture names that follow "url" in the scene (the first of a list), unescaped, each once, in
// the order they first appear; at most 1000.
std::vector<std::string> scene_picture_urls(std::string_view scene);

struct TextureCopy {
    std::vector<std::filesystem::path> copied; // the files written beside the scene
    std::vector<std::string> missing;          // pictures the scene names that do not exist
};

// Copies every existing picture the scene names into `folder` under its own file name ("-2", "-3"
// before the extension when two pictures share a name) and lets each url name the copy first and
// the original second, so that the folder opens on another machine. Progress: the second bar and
// the captions "Détection de ..." and "Copie de ... vers ...".
Result<TextureCopy> copy_scene_pictures(std::string& scene, const std::filesystem::path& folder,
                                        VrmlProgress* progress = nullptr);

// The temporary scene of the views: "temp.wrl" in `temp_folder`, written in one piece.
Result<void> write_vrml_file(const std::filesystem::path& file, std::string_view scene);

// The scene written to `file` with its pictures copied beside it (".wrl" is added when missing).
// Gives the copy's report; the scene is not written when a picture cannot be copied.
Result<TextureCopy> export_vrml_file(const std::filesystem::path& file, std::string scene, bool copy_pictures,
                                     VrmlProgress* progress = nullptr);

// ".wrl" added to a chosen name that lacks it (any case).
std::filesystem::path with_wrl_extension(std::filesystem::path file);

} // namespace halvern
