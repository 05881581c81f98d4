#pragma once
// What the parts of the scene writer share while one scene is built.

#include <map>
#include <string>
#include <vector>

#include "outputs/vrml_scene.h"
#include "outputs/vrml_text.h"

namespace halvern {

struct SceneBuild {
    const VrmlInputs& in;
    VrmlVariant variant;
    VrmlFragments& fragments;
    std::vector<std::string>& messages;
    std::vector<std::string> end_codes;            // computed, per object
    std::map<int, std::string> component_geometry; // library components' ".dat" texts, read once
    std::map<int, bool> geometry_missing;

    // A picture placeholder's value: the picture when there is one, else the default picture.
    std::string picture_value(std::string_view placeholder, const std::string& picture) const;
    // The value as written into a VRML string.
    std::string string_value(const std::string& value) const;
};

// A plan value as the user sees it (the float's shortest decimal), so that no float noise reaches
// the scene.
double plan_value(float value);

void append_room(std::string& scene, SceneBuild& build);
void append_modular_wall(std::string& scene, SceneBuild& build, int object);
void append_profile_piece(std::string& scene, SceneBuild& build, int object);
void append_library_object(std::string& scene, SceneBuild& build, int object);

} // namespace halvern
