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
    std::vector<PictureUse>& pictures;
    std::vector<SceneObject>& objects;
    std::vector<std::string> end_codes;            // computed, per object
    std::map<int, std::string> component_geometry; // library components' ".dat" texts, read once
    std::map<int, bool> geometry_missing;

    // A picture placeholder: the picture when there is one, else the default picture.
    Placeholder picture(std::string_view placeholder, const std::string& path) const;
    // A placeholder for a text, as written into a VRML string.
    Placeholder text(std::string_view placeholder, const std::string& value) const;

    // A fragment with its placeholders replaced, and where it names pictures.
    struct Filled {
        std::string text;
        std::vector<PictureUse> pictures;
    };
    Filled fill(std::string_view fragment, const std::vector<Placeholder>& placeholders) const;

    // Appends the filled fragment (placed, or as it is) and notes the pictures where they landed.
    void place(std::string& scene, const Placement& at, const Filled& piece);
    void place_nested(std::string& scene, const Placement& outer, const Placement& inner, const Filled& piece);
    void append(std::string& scene, const Filled& piece);
    // A fragment placed as it is, with nothing to fill in.
    void block(std::string& scene, const Placement& at, std::string_view fragment);

    // What the scene writes between these two belongs to one placed thing; an object that wrote
    // nothing is not noted.
    void begin_object(const std::string& scene, int object);
    void end_object(const std::string& scene);

private:
    void note_pictures(size_t start, const Filled& piece);
    void note_piece(const Placement& outer, const std::optional<Placement>& inner, size_t start, size_t length);
};

// A plan value as the user sees it (the float's shortest decimal), so that no float noise reaches
// the scene.
double plan_value(float value);

void append_room(std::string& scene, SceneBuild& build);
void append_modular_wall(std::string& scene, SceneBuild& build, int object);
void append_profile_piece(std::string& scene, SceneBuild& build, int object);
void append_library_object(std::string& scene, SceneBuild& build, int object);

} // namespace halvern
