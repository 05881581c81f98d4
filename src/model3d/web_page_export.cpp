#include "model3d/web_page_export.h"

#include "base/text_file.h"
#include "base/ui_text_ids.h"
#include "model3d/gltf_export.h"
#include "model3d/stand_model.h"
#include "model3d/object_names.h"
#include "outputs/quote.h"
#include "outputs/sheet_texts.h"
#include "outputs/web_page.h"

namespace halvern {

namespace fs = std::filesystem;

namespace {

constexpr std::uint64_t max_viewer_file = 16 * megabyte;

std::string missing_viewer(const std::string& why)
{
    return why + " (the web page's 3D viewer comes from the Debian package libjs-three: install it with "
                 "\"apt-get install libjs-three\")";
}

// The licence of the viewer, as Debian states it: the paragraph of the files every script comes
// from and the licence text it names; the whole file when it is not laid out that way.
std::string viewer_notice(const std::string& copyright)
{
    std::vector<std::string> paragraphs(1);
    size_t at = 0;
    while (at <= copyright.size()) {
        size_t end = copyright.find('\n', at);
        if (end == std::string::npos)
            end = copyright.size();
        std::string line = copyright.substr(at, end - at);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.find_first_not_of(" \t") == std::string::npos) {
            if (!paragraphs.back().empty())
                paragraphs.emplace_back();
        } else {
            paragraphs.back() += line + "\n";
        }
        at = end + 1;
    }
    std::string files, licence_name;
    for (const std::string& p : paragraphs)
        if (p.rfind("Files: *\n", 0) == 0) {
            files = p;
            if (const size_t l = p.find("License: "); l != std::string::npos)
                licence_name = p.substr(l, p.find('\n', l) - l);
        }
    if (!licence_name.empty())
        for (const std::string& p : paragraphs)
            if (p.rfind(licence_name + "\n", 0) == 0)
                return "three.js, as Debian's libjs-three ships it. " + files + "\n" + p;
    return "three.js, as Debian's libjs-three ships it.\n" + copyright;
}

std::vector<WebPageObject> page_objects(const VrmlInputs& inputs)
{
    std::vector<WebPageObject> out;
    for (int i = 1; i <= inputs.plan.nb_objets; ++i) {
        WebPageObject o;
        o.number = i;
        const int c = inputs.plan.comp(i);
        if (ComponentTable::valid(c)) {
            o.component = inputs.components[c].name;
            o.reference = inputs.components[c].ref;
        }
        o.text = inputs.plan.obj_texte[size_t(i)];
        out.push_back(std::move(o));
    }
    return out;
}

WebPageTexts page_texts(const UiText& texts, const VrmlInputs& inputs, const WebPageOptions& options)
{
    WebPageTexts t;
    t.lang = options.lang;
    t.title_block = sheet_texts(texts, inputs.stand, options.date);
    t.front = texts.get(ui::view3d_front);
    t.top = texts.get(ui::view3d_top);
    t.left = texts.get(ui::view3d_left);
    t.right = texts.get(ui::view3d_right);
    t.iso = texts.get(ui::view3d_iso);
    t.fit = texts.get(ui::web_fit);
    t.quote_heading = texts.get(ui::web_quote);
    t.help = texts.get(ui::web_help);
    t.reference = texts.get(ui::web_reference);
    t.text = texts.get(ui::web_text);
    t.no_webgl = texts.get(ui::web_no_webgl);
    return t;
}

} // namespace

std::vector<fs::path> viewer_files(const fs::path& folder)
{
    return {folder / "three.min.js", folder / "examples" / "js" / "loaders" / "GLTFLoader.js",
            folder / "examples" / "js" / "controls" / "OrbitControls.js"};
}

Result<WebPageReport> export_web_page(const fs::path& file, const VrmlInputs& inputs, const UiText& texts,
                                      const WebPageOptions& options, VrmlProgress* progress)
{
    // A stand the outputs refuse is refused first, as by every other output.
    const VrmlScene scene = build_vrml_scene(inputs, options.variant, progress);
    if (scene.refused)
        return make_error(*scene.refused, file.string());
    WebPageContent content;
    // The viewer next: without it there is no page.
    for (const fs::path& script : viewer_files(options.viewer_folder)) {
        Result<std::string> text = read_file_bytes(script, max_viewer_file);
        if (!text)
            return make_error(missing_viewer(text.error().text()));
        if (const std::string problem = viewer_script_problem(*text); !problem.empty())
            return make_error(script.string() + ": " + problem);
        content.viewer.push_back({script.filename().string(), std::move(text).value()});
    }
    Result<std::string> copyright = read_file_bytes(options.viewer_licence, max_viewer_file);
    if (!copyright)
        return make_error(missing_viewer(copyright.error().text()));
    content.viewer_notice = viewer_notice(*copyright);

    StandModel model;
    model.read(scene, plan_namer(inputs.plan, inputs.components));
    GltfPictureLimit limit;
    if (!options.full_pictures)
        limit = {web_picture_side, web_picture_quality};
    GltfBytes glb = gltf_bytes(model, GltfForm::binary, {}, limit);

    WebPageReport report;
    report.file = file;
    report.glb_bytes = glb.bytes.size();
    report.pictures = model.picture_count();
    report.missing = scene.messages;
    for (const std::string& message : model.messages())
        report.missing.push_back(message);
    for (std::string& message : glb.messages)
        report.missing.push_back(std::move(message));

    content.glb = std::move(glb.bytes);
    content.texts = page_texts(texts, inputs, options);
    content.objects = page_objects(inputs);
    if (options.with_quote)
        content.quote = quote_rows(design_quote(inputs.plan, inputs.components), csv_labels(texts));
    const std::string page = web_page_html(content);
    if (Result<void> written = write_file_safely(file, page); !written)
        return written.error();
    report.page_bytes = page.size();
    return report;
}

} // namespace halvern
