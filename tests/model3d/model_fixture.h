#pragma once
// Designs for the model's tests: the shipped examples as Load reads them, and small plans of the
// built-in walls in an installation folder that shares the shipped fragments.

#include <FreeImage.h>

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

// A picture of one colour, as a face's picture, written with FreeImage.
inline bool write_solid_picture(const std::filesystem::path& file, int width, int height, int red, int green,
                                int blue, FREE_IMAGE_FORMAT format = FIF_JPEG)
{
    FIBITMAP* bitmap = FreeImage_Allocate(width, height, 24);
    if (!bitmap)
        return false;
    RGBQUAD colour{BYTE(blue), BYTE(green), BYTE(red), 0};
    FreeImage_FillBackground(bitmap, &colour);
    const bool saved = FreeImage_Save(format, bitmap, file.c_str(), format == FIF_JPEG ? 95 : 0);
    FreeImage_Unload(bitmap);
    return saved;
}

} // namespace halvern::testing
