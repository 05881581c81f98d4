#include "outputs/vrml_fragments.h"

#include <array>

#include "base/text_file.h"

namespace halvern {

namespace {

constexpr std::array<std::string_view, 8> mount_versions = {"base",  "purple", "brown", "gold",
                                                            "pink",  "blue",   "green", "gold_v"};

constexpr std::array<std::string_view, 10> part_names = {
    "Courbe A int", "Courbe A ext", "Courbe B int", "Courbe B ext", "Courbe C int",
    "Courbe C ext", "Courbe D int", "Courbe D ext", "Courbe E int", "Courbe E ext",
};

const std::vector<std::string>& common_start_names()
{
    static const std::vector<std::string> names = {
        "nav02",      "bigomni",    "base",       "purple",     "lime",       "brown",      "gold",
        "silver",     "pink",       "blue",       "green",      "white",      "gold_v",     "silver_v",
        "pink_v",     "green_v",    "white_v",    "black_v",    "red",        "grey",       "purple_1cc",
        "purple_1rr", "purple_1cr", "purple_1or", "purple_1rc", "purple_1ro", "purple_1co", "purple_1oc",
        "purple_1oo", "purple_2cc", "purple_2rc", "lime_1cc",   "lime_1oc",   "lime_2cc",   "brown_1cc",
        "brown_1oo",  "brown_2cc",  "matrice_1",  "matrice_2",  "lattix_traverse_droite",
    };
    return names;
}

} // namespace

std::string_view profile_part_name(int component)
{
    if (component < 2302 || component > 2311)
        return {};
    return part_names[size_t(component - 2302)];
}

bool VrmlFragments::has_mount_version(std::string_view name)
{
    for (std::string_view m : mount_versions)
        if (m == name)
            return true;
    return false;
}

std::vector<std::string> VrmlFragments::start_names(VrmlVariant variant)
{
    std::vector<std::string> names;
    for (const std::string& name : common_start_names())
        names.push_back(variant == VrmlVariant::coloured && has_mount_version(name) ? name + "_mount" : name);
    return names;
}

std::vector<std::string> VrmlFragments::all_names()
{
    std::vector<std::string> names = common_start_names();
    for (std::string_view m : mount_versions)
        names.push_back(std::string(m) + "_mount");
    for (std::string_view extra : {"wall", "wallb", "pot", "matrice_lattix"})
        names.emplace_back(extra);
    for (std::string_view part : part_names) {
        names.emplace_back(part);
        names.push_back(std::string(part) + "v");
    }
    return names;
}

std::string read_fragment(const std::filesystem::path& file, std::vector<std::string>& messages)
{
    Result<std::string> bytes = read_file_bytes(file);
    if (!bytes) {
        messages.push_back(file.string() + " introuvable");
        return {};
    }
    return std::move(bytes).value();
}

VrmlFragments::VrmlFragments(const std::filesystem::path& app_dir, VrmlVariant variant,
                             std::vector<std::string>& messages)
    : lib_(app_dir / "lib"), variant_(variant), messages_(messages)
{
    for (const std::string& name : common_start_names())
        get(name);
}

std::string VrmlFragments::file_name(std::string_view name) const
{
    if (variant_ == VrmlVariant::coloured && has_mount_version(name))
        return std::string(name) + "_mount.dat";
    return std::string(name) + ".dat";
}

const std::string& VrmlFragments::get(std::string_view name)
{
    if (auto found = texts_.find(name); found != texts_.end())
        return found->second;
    std::string text = read_fragment(lib_ / file_name(name), messages_);
    return texts_.emplace(std::string(name), std::move(text)).first->second;
}

} // namespace halvern
