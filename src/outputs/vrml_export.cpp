#include "outputs/vrml_export.h"

#include <map>
#include <set>

#include "base/text_file.h"
#include "outputs/vrml_text.h"

namespace fs = std::filesystem;

namespace halvern {

namespace {

constexpr size_t max_pictures = 1000;

bool blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ','; }

// One url's first quoted string: where its content starts and ends, and whether it stood alone
// (not in a list).
struct UrlString {
    size_t open = 0, close = 0; // the quotes
    bool single = false;
};

bool next_url(std::string_view scene, size_t& from, UrlString& out)
{
    for (size_t at = scene.find("url", from); at != std::string_view::npos; at = scene.find("url", at + 3)) {
        size_t i = at + 3;
        while (i < scene.size() && blank(scene[i]))
            ++i;
        bool single = true;
        if (i < scene.size() && scene[i] == '[') {
            single = false;
            ++i;
            while (i < scene.size() && blank(scene[i]))
                ++i;
        }
        if (i >= scene.size() || scene[i] != '"')
            continue;
        size_t j = i + 1;
        while (j < scene.size() && scene[j] != '"')
            j += scene[j] == '\\' ? 2 : 1;
        if (j >= scene.size())
            return false;
        out = {i, j, single};
        from = j + 1;
        return true;
    }
    return false;
}

std::string unique_name(const fs::path& source, std::map<std::string, fs::path>& taken)
{
    const std::string stem = source.stem().string(), ext = source.extension().string();
    std::string name = source.filename().string();
    for (int n = 2; taken.count(name) && taken[name] != source; ++n)
        name = stem + "-" + std::to_string(n) + ext;
    taken[name] = source;
    return name;
}

} // namespace

std::vector<std::string> scene_picture_urls(std::string_view scene)
{
    std::vector<std::string> names;
    std::set<std::string> seen;
    size_t from = 0;
    UrlString url;
    while (names.size() < max_pictures && next_url(scene, from, url)) {
        std::string name = vrml_unescape(scene.substr(url.open + 1, url.close - url.open - 1));
        if (!name.empty() && seen.insert(name).second)
            names.push_back(std::move(name));
    }
    return names;
}

Result<TextureCopy> copy_scene_pictures(std::string& scene, const fs::path& folder, VrmlProgress* progress)
{
    TextureCopy report;
    const std::vector<std::string> names = scene_picture_urls(scene);
    std::map<std::string, std::string> copy_of; // original -> copied name
    std::map<std::string, fs::path> taken;
    int done = 0;
    for (const std::string& name : names) {
        if (progress) {
            progress->caption("Détection de " + name);
            progress->pictures(++done, int(names.size()));
        }
        std::error_code ec;
        const fs::path source = name;
        if (!fs::is_regular_file(source, ec)) {
            report.missing.push_back(name);
            continue;
        }
        const std::string copied = unique_name(source, taken);
        const fs::path target = folder / copied;
        if (progress)
            progress->caption("Copie de " + name + " vers " + folder.string());
        if (!fs::equivalent(source, target, ec)) {
            Result<std::string> bytes = read_file_bytes(source);
            if (!bytes)
                return bytes.error();
            // Exporting again into the same folder finds most pictures already there.
            bool same = false;
            if (fs::is_regular_file(target, ec) && fs::file_size(target, ec) == bytes->size()) {
                const Result<std::string> there = read_file_bytes(target);
                same = there.ok() && *there == *bytes;
            }
            if (!same)
                if (Result<void> written = write_file_safely(target, *bytes); !written)
                    return written.error();
        }
        report.copied.push_back(target);
        copy_of[name] = copied;
    }
    if (copy_of.empty())
        return report;

    std::string out;
    out.reserve(scene.size() + copy_of.size() * 64);
    size_t from = 0, written_to = 0;
    UrlString url;
    while (next_url(scene, from, url)) {
        const std::string content = scene.substr(url.open + 1, url.close - url.open - 1);
        const auto found = copy_of.find(vrml_unescape(content));
        if (found == copy_of.end())
            continue;
        out.append(scene, written_to, url.open - written_to);
        const std::string both = "\"" + vrml_string_value(found->second, 0) + "\" \"" + content + "\"";
        out += url.single ? "[ " + both + " ]" : both;
        written_to = url.close + 1;
    }
    out.append(scene, written_to, std::string::npos);
    scene = std::move(out);
    return report;
}

Result<void> write_vrml_file(const fs::path& file, std::string_view scene) { return write_file_safely(file, scene); }

fs::path with_wrl_extension(fs::path file)
{
    std::string ext = file.extension().string();
    for (char& c : ext)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    if (ext != ".wrl")
        file += ".wrl";
    return file;
}

Result<TextureCopy> export_vrml_file(const fs::path& file_in, std::string scene, bool copy_pictures,
                                     VrmlProgress* progress)
{
    const fs::path file = with_wrl_extension(file_in);
    TextureCopy report;
    if (copy_pictures) {
        fs::path folder = file.parent_path();
        if (folder.empty())
            folder = ".";
        Result<TextureCopy> copied = copy_scene_pictures(scene, folder, progress);
        if (!copied)
            return copied.error();
        report = std::move(copied).value();
    }
    if (Result<void> written = write_vrml_file(file, scene); !written)
        return written.error();
    return report;
}

} // namespace halvern
