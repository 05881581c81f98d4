#pragma once
// The stand as glTF 2.0, the 3D file every current viewer, browser and 3D program opens: metres,
// y up, one node per placed thing named so that a viewer can pick it, metallic-roughness
// materials. A ".glb" holds everything, its pictures as the JPEG (or PNG) bytes of their files; a
// ".gltf" holds its triangles and names its pictures, which are written beside it.

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "base/result.h"
#include "model3d/stand_model.h"

namespace halvern {

enum class GltfForm { binary, text };

struct GltfPicture {
    std::string name;          // the file name the .gltf uses
    std::string bytes;         // JPEG or PNG
};

struct GltfBytes {
    std::string bytes;                  // the whole .glb, or the JSON of the .gltf
    std::vector<std::string> messages;  // pictures that could not be read: their faces keep their colour
    std::vector<GltfPicture> beside;    // a .gltf's pictures
};

// How pictures go into the file. A picture wider or higher than `max_picture_side` pixels (0: no
// limit) is reduced to that size and stored as a JPEG of `jpeg_quality`, or a PNG when it has
// transparent pixels; smaller pictures keep their own bytes.
struct GltfPictureLimit {
    int max_picture_side = 0;
    int jpeg_quality = 85;
};

// Whether a .gltf's picture may take the file name `name` beside it with these bytes.
using GltfNameFree = std::function<bool(const std::string& name, const std::string& bytes)>;

// The model's glTF, in memory. A .gltf's pictures keep their own file names unless two pictures
// share one or `name_free` refuses it; they then take "-2", "-3" ... before the extension.
// Every node of a placed object carries its number as `extras.object` (the floor and the room carry
// theirs, -1 and 0), so that a viewer can tell which object of the plan was picked.
GltfBytes gltf_bytes(const StandModel& model, GltfForm form, const GltfNameFree& name_free = {},
                     const GltfPictureLimit& limit = {});

struct GltfReport {
    std::vector<std::string> messages;
    std::vector<std::filesystem::path> pictures; // written beside a .gltf, or found there already
};

// ".gltf" writes the text form with its pictures beside it; anything else the binary form, with
// ".glb" added when the name has neither. Every file goes through the safe writer: a failure
// leaves the old file as it was and is reported with the file's name.
Result<GltfReport> export_gltf_file(const std::filesystem::path& file, const StandModel& model);

// ".glb" added to a chosen name that has neither ".glb" nor ".gltf" (any case).
std::filesystem::path with_gltf_extension(const std::filesystem::path& file);

} // namespace halvern
