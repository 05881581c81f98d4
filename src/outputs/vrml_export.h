#pragma once
// Writing a scene: to the viewer's temporary file as it is, or to a file of the user's choice with
// the pictures it names copied beside it.

#include <filesystem>
#include <string>
#include <vector>

#include "base/result.h"
#include "outputs/vrml_scene.h"

namespace halvern {

// The pictures the scene shows, each once, in the order they first appear, however many.
std::vector<std::string> scene_pictures(const VrmlScene& scene);

struct TextureCopy {
    std::vector<std::filesystem::path> copied;  // the copies beside the scene, written or found there
    std::vector<std::filesystem::path> renamed; // copies whose own name a file of the folder holds
    std::vector<std::string> missing;           // pictures the scene names that do not exist
    std::vector<std::string> not_pictures;      // files the scene names that do not read as pictures
};

// Copies every existing picture the scene shows into `folder` under its own file name and lets each
// url name the copy first and the original second, so that the folder opens on another machine.
// A relative name is the design's: it is looked for in `design_folder`, as the checks and the print
// pack do. Only files that read as pictures are copied: a design may name any file (a key, a
// password file), and an export folder is made to be handed on.
// A file already in the folder is never replaced: one with the same bytes is taken as the copy, and
// when the name holds something else (another picture of this scene, an unrelated file of the
// user's, the scene file `scene_file` itself) the copy takes "-2", "-3" ... before the extension.
// Progress: the second bar and the captions "Détection de ..." and "Copie de ... vers ...".
Result<TextureCopy> copy_scene_pictures(VrmlScene& scene, const std::filesystem::path& folder,
                                        VrmlProgress* progress = nullptr,
                                        const std::filesystem::path& scene_file = {},
                                        const std::filesystem::path& design_folder = {});

// The temporary scene of the views: "temp.wrl" in `temp_folder`, written in one piece.
Result<void> write_vrml_file(const std::filesystem::path& file, std::string_view scene);

// The scene written to `file` with its pictures copied beside it (".wrl" is added when missing).
// Gives the copy's report; the scene is not written when a picture cannot be copied.
Result<TextureCopy> export_vrml_file(const std::filesystem::path& file, VrmlScene scene, bool copy_pictures,
                                     VrmlProgress* progress = nullptr,
                                     const std::filesystem::path& design_folder = {});

// ".wrl" added to a chosen name that lacks it (any case).
std::filesystem::path with_wrl_extension(const std::filesystem::path& file);

} // namespace halvern
