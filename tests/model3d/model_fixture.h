#pragma once
// Designs for the model's tests: the shipped examples as Load reads them, and small plans of the
// built-in walls in an installation folder that shares the shipped fragments.

#include <filesystem>
#include <string>

#include "library/builtin_catalogue.h"
#include "library/library_loader.h"
#include "outputs/vrml_scene.h"
#include "project/project_reader.h"
#include "support/test_support.h"

namespace halvern::testing {

struct Design {
    ComponentTable components;
    LibraryTable libraries;
    PlanTable plan;
    StandSettings stand;
    std::filesystem::path app = stage_dir();

    VrmlScene scene(VrmlVariant variant = VrmlVariant::full) const
    {
        return build_vrml_scene({components, plan, stand, app, 0, {}}, variant);
    }
};

// A shipped example by file name, with the shipped library.
inline bool load_example(Design& design, const std::string& name)
{
    load_component_tables(design.app, "en", design.components, design.libraries);
    const std::filesystem::path file = design.app / "examples" / name;
    Result<ProjectBytes> bytes = read_project_bytes(file);
    if (!bytes)
        return false;
    read_project_text(bytes->bytes, file, bytes->format, ReadMode::load, design.components, design.plan,
                      design.stand);
    return design.plan.nb_objets > 0;
}

} // namespace halvern::testing
