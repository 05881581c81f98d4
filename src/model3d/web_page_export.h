#pragma once
// "Share as web page": the whole work of the customer's page, shared by the menu and the command
// line. The stand is read into triangles, written as a binary glTF with its pictures reduced for a
// browser, and put with the viewer (three.js as Debian installs it, read when the page is made) and
// the title block, the pickable objects and, when asked, the quote into one HTML file.

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "base/result.h"
#include "base/ui_text.h"
#include "outputs/vrml_scene.h"

namespace halvern {

// Where Debian's libjs-three puts the viewer and its licence.
inline constexpr const char* default_viewer_folder = "/usr/share/javascript/three";
inline constexpr const char* default_viewer_licence = "/usr/share/doc/libjs-three/copyright";
// The largest side of a picture in the page, unless the full pictures are asked for.
inline constexpr int web_picture_side = 2048;
inline constexpr int web_picture_quality = 85;

struct WebPageOptions {
    VrmlVariant variant = VrmlVariant::full;
    bool with_quote = false;
    bool full_pictures = false;
    std::string lang = "en";
    std::string date;  // as the title block shows it
    std::filesystem::path viewer_folder = default_viewer_folder;
    std::filesystem::path viewer_licence = default_viewer_licence;
};

struct WebPageReport {
    std::filesystem::path file;
    std::size_t page_bytes = 0;
    std::size_t glb_bytes = 0;
    std::size_t pictures = 0;
    // What the page lacks: pictures that could not be read (their faces keep their colour),
    // fragments that could not be read. The page is written all the same.
    std::vector<std::string> missing;
};

// The viewer's three scripts, in the order they run, under `folder`.
std::vector<std::filesystem::path> viewer_files(const std::filesystem::path& folder);

// Writes the page through the safe writer. Refused, with nothing written: a stand the scene
// refuses, a viewer file that is missing or unfit to be inlined (the message names the file and
// the package to install), a file that cannot be written.
Result<WebPageReport> export_web_page(const std::filesystem::path& file, const VrmlInputs& inputs,
                                      const UiText& texts, const WebPageOptions& options,
                                      VrmlProgress* progress = nullptr);

} // namespace halvern
