#pragma once
// One VRML text read by Coin and given back as triangles per material, in the text's own
// coordinates. Pictures are named, never decoded: the triangles need only their texture
// coordinates.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model3d/stand_model.h"

namespace halvern {

struct LocalMesh {
    ModelMaterial material;
    std::vector<ModelVertex> vertices;
};

// A 4 x 4 matrix for row vectors (p' = p M), row after row, as Coin keeps it.
using RowMatrix = std::array<double, 16>;

struct VrmlTriangles {
    bool read = false; // false: Coin could not read the text (`messages` say why)
    std::vector<LocalMesh> meshes;
    std::vector<ModelLight> lights; // directional and point lights, placed
    std::vector<std::string> messages;
    // Where the node named by `marker` stands, when asked for and found.
    std::optional<RowMatrix> marker;
};

// Reads a whole VRML 2.0 text (with its "#VRML V2.0 utf8" line).
VrmlTriangles read_vrml_triangles(std::string_view text, const char* marker = nullptr);

// A fragment of a scene, read as the children of a group.
VrmlTriangles read_vrml_fragment(std::string_view fragment);

} // namespace halvern
