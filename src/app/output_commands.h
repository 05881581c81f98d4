#pragma once
// Everything the editor writes for others: the print, the plan as PDF, SVG and DXF, the HD plan and
// the screen as pictures, the stand in 3D as VRML and glTF, the quote as CSV and spreadsheet, the
// price table, the print pack, the build sheets and the tiled pictures. Every file output goes
// through one path: the file chosen, an extension the user gave kept in any case, the file written
// through the safe writer, then what was written and what was missing told the same way.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/command_group.h"
#include "base/result.h"

namespace halvern {

// One output to a file of the user's choice.
struct ExportTarget {
    std::string title;                   // the file dialog's title
    std::string folder;                  // where the dialog opens
    std::vector<std::string> extensions; // ".pdf"; the first is added when the name has none of them
    std::string filter;                  // "PDF|*.pdf"
    int written_text = -1;               // the status bar's text once written (status_saved by default)
    int missing_text = -1;               // the heading of what was left out (the file by default)
};

// What an output reports beyond its file: pictures it could not find or read, notes.
struct ExportReport {
    std::vector<std::string> missing;
    bool cancelled = false; // the user gave up in a question after the file (no message)
};

class OutputCommands : public CommandGroup {
public:
    explicit OutputCommands(EditorServices& services) : CommandGroup(services) {}

    void print_plan();
    void export_plan(bool svg);
    void export_plan_dxf();
    void save_blueprint();
    void save_screen();
    void export_vrml();
    void export_gltf();
    void export_quote_csv();
    void export_quote_xlsx();
    void export_prices();
    void import_prices();
    void export_print_pack();
    void print_build_sheets();
    void share_web_page();
    void picture_tiling();

    // The one path of every file output: false when the user cancelled or the write failed (the
    // user has then been told why).
    using Writer = std::function<Result<ExportReport>(const std::filesystem::path& file)>;
    bool export_to(const ExportTarget& target, const Writer& write);

private:
    // The folder pictures named without one are looked up in: the design's.
    std::filesystem::path design_folder() const;
};

// The file the user named with its extension: one of `extensions` in any case is kept ("plan.PDF"
// stays), otherwise the first is added.
std::filesystem::path with_export_extension(const std::filesystem::path& file, const std::vector<std::string>& extensions);

} // namespace halvern
