#include "outputs/vrml_export.h"

#include <algorithm>
#include <map>
#include <set>

#include "base/file_copy.h"
#include "base/folder_listing.h"
#include "base/picture_file.h"
#include "base/text_file.h"
#include "outputs/vrml_text.h"
#include "plan/picture_probe.h"

namespace fs = std::filesystem;

namespace halvern {

namespace {

constexpr int max_name_tries = 10000;

// The name of `source`'s copy in `folder`: its own file name, or with "-2", "-3" ... before the
// extension when that name is taken by another picture of this export, by the scene itself, or by a
// file already in the folder with other bytes (or by anything that is not a file). A name whose file
// already holds the same bytes is used as it is: exporting again finds its pictures there.
struct CopyName {
    std::string name;
    bool present = false; // the folder holds the copy already
};

Result<CopyName> copy_name(const fs::path& source, const fs::path& folder, std::map<std::string, fs::path>& taken)
{
    const std::string stem = source.stem().string(), ext = source.extension().string();
    for (int n = 1; n <= max_name_tries; ++n) {
        const std::string name = n == 1 ? source.filename().string() : stem + "-" + std::to_string(n) + ext;
        if (auto found = taken.find(name); found != taken.end() && found->second != source)
            continue;
        const fs::path target = folder / name;
        std::error_code ec;
        if (fs::equivalent(source, target, ec) || (!nothing_at(target) && same_file_content(source, target))) {
            taken[name] = source;
            return CopyName{name, true};
        }
        if (nothing_at(target)) {
            taken[name] = source;
            return CopyName{name, false};
        }
    }
    return make_error("no free name for a copy of " + source.filename().string(), folder);
}

// Each use of a copied picture names the copy first and the original second, so that the folder
// opens on another machine and the scene still opens where it was made.
void point_to_copies(VrmlScene& scene, const std::map<std::string, std::string>& copy_of)
{
    std::string out;
    out.reserve(scene.text.size() + scene.pictures.size() * 64);
    size_t written_to = 0;
    for (PictureUse& use : scene.pictures) {
        const auto found = copy_of.find(use.picture);
        if (found == copy_of.end() || use.at == 0 || use.at < written_to)
            continue;
        out.append(scene.text, written_to, use.at - 1 - written_to); // up to the opening quote
        if (!use.in_list)
            out += "[ ";
        out += '"';
        out += vrml_string_value(found->second, 0);
        out += "\" \"";
        const size_t moved_to = out.size();
        out.append(scene.text, use.at, use.length);
        out += '"';
        if (!use.in_list)
            out += " ]";
        written_to = use.at + use.length + 1; // past the closing quote
        use.at = moved_to;
        use.in_list = true;
    }
    out.append(scene.text, written_to, std::string::npos);
    scene.text = std::move(out);
}

} // namespace

std::vector<std::string> scene_pictures(const VrmlScene& scene)
{
    std::vector<std::string> names;
    std::set<std::string_view> seen;
    for (const PictureUse& use : scene.pictures) {
        if (!use.picture.empty() && seen.insert(use.picture).second)
            names.push_back(use.picture);
    }
    return names;
}

Result<TextureCopy> copy_scene_pictures(VrmlScene& scene, const fs::path& folder, VrmlProgress* progress,
                                        const fs::path& scene_file, const fs::path& design_folder)
{
    TextureCopy report;
    const std::vector<std::string> names = scene_pictures(scene);
    std::map<std::string, std::string> copy_of; // original -> name of the copy
    std::map<std::string, fs::path> taken;
    if (!scene_file.empty())
        taken[scene_file.filename().string()] = scene_file;
    int done = 0;
    for (const std::string& name : names) {
        if (progress) {
            progress->caption("Détection de " + name);
            progress->pictures(++done, int(names.size()));
        }
        std::error_code ec;
        const fs::path source = stored_picture_path(name, design_folder);
        if (!fs::is_regular_file(source, ec)) {
            report.missing.push_back(name);
            continue;
        }
        if (!read_picture_size(source)) {
            report.not_pictures.push_back(name);
            continue;
        }
        Result<CopyName> copy = copy_name(source, folder, taken);
        if (!copy)
            return copy.error();
        const fs::path target = folder / copy->name;
        if (progress)
            progress->caption("Copie de " + name + " vers " + folder.string());
        if (!copy->present)
            if (Result<void> written = copy_file_safely(source, target); !written)
                return written.error();
        // Worth telling when a file that was in the folder before kept the picture's own name.
        if (copy->name != source.filename().string() && !taken.count(source.filename().string()))
            report.renamed.push_back(target);
        report.copied.push_back(target);
        copy_of[name] = copy->name;
    }
    if (!copy_of.empty())
        point_to_copies(scene, copy_of);
    return report;
}

Result<void> write_vrml_file(const fs::path& file, std::string_view scene) { return write_file_safely(file, scene); }

fs::path with_wrl_extension(const fs::path& file) { return with_extension(file, ".wrl"); }

Result<TextureCopy> export_vrml_file(const fs::path& file_in, VrmlScene scene, bool copy_pictures,
                                     VrmlProgress* progress, const fs::path& design_folder)
{
    const fs::path file = with_wrl_extension(file_in);
    TextureCopy report;
    if (copy_pictures) {
        fs::path folder = file.parent_path();
        if (folder.empty())
            folder = ".";
        Result<TextureCopy> copied = copy_scene_pictures(scene, folder, progress, file, design_folder);
        if (!copied)
            return copied.error();
        report = std::move(copied).value();
    }
    if (Result<void> written = write_vrml_file(file, scene.text); !written)
        return written.error();
    return report;
}

} // namespace halvern
