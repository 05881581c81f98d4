#include "app/output_commands.h"

#include <QApplication>
#include <QDate>
#include <QPrinter>
#include <QProgressDialog>

#include "app/design_history.h"
#include "platform/prompts.h"
#include "app/scene_progress_window.h"
#include "app/session.h"
#include "base/folder_listing.h"
#include "base/text_file.h"
#include "base/ui_text_ids.h"
#include "dialogs/print_pack_dialog.h"
#include "dialogs/tiling_dialog.h"
#include "library/price_table.h"
#include "model3d/gltf_export.h"
#include "model3d/object_names.h"
#include "model3d/stand_model.h"
#include "model3d/web_page_export.h"
#include "outputs/dxf_plan.h"
#include "outputs/plan_output.h"
#include "outputs/sheet_texts.h"
#include "outputs/vrml_export.h"
#include "platform/build_sheets_document.h"
#include "platform/plan_document.h"
#include "platform/plan_printer.h"
#include "platform/print_pack_output.h"
#include "platform/qt_plan_surfaces.h"

namespace halvern {

namespace {

// "Save Screen" draws 1000 pixels per metre of stand.
constexpr int screen_resolution = 1000;

std::string today() { return QDate::currentDate().toString(Qt::ISODate).toStdString(); }

PlanScene plan_scene(Session& session) { return {session.components, session.libraries, session.plan, session.stand}; }

Result<ExportReport> written(const Result<void>& result)
{
    if (!result)
        return result.error();
    return ExportReport{};
}

SheetOptions sheet_options(const Session& session)
{
    SheetOptions options;
    options.texts = sheet_texts(session.shell.ui_text, session.stand,
                                QDate::currentDate().toString(Qt::ISODate).toStdString());
    options.bill_texts = bill_page_texts(session.shell.ui_text, session.stand);
    options.quote = design_quote(session.plan, session.components);
    return options;
}

SheetChoiceTexts choice_texts(const Session& session, const std::string& title)
{
    return {title,
            session.text(ui::sheet_scale_choice),
            session.text(ui::sheet_fitted),
            session.text(ui::sheet_paper),
            session.text(ui::sheet_orientation),
            session.text(ui::sheet_orientation_auto),
            session.text(ui::sheet_orientation_portrait),
            session.text(ui::sheet_orientation_landscape),
            session.text(ui::sheet_bill_page)};
}

// The progress dialog of an output: the window keeps answering while a large picture is drawn.
class ProgressDialogHost : public OutputHost {
public:
    explicit ProgressDialogHost(QProgressDialog& dialog) : dialog_(dialog) {}
    void progress(int done, int total) override
    {
        dialog_.setMaximum(std::max(1, total));
        dialog_.setValue(std::min(done, total));
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    void stage(const std::string& text) override { dialog_.setLabelText(QString::fromStdString(text)); }

private:
    QProgressDialog& dialog_;
};

// An output of the plan drawn with a progress dialog: the window keeps answering while a large
// picture is drawn.
Result<ExportReport> run_output(QWidget* window, Session& session, const PlanOutput& output,
                                const std::filesystem::path& file, const std::string& label, const std::string& title = {})
{
    QProgressDialog progress(QString::fromStdString(label), QString(), 0, 1, window);
    if (!title.empty())
        progress.setWindowTitle(QString::fromStdString(title));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    ProgressDialogHost host(progress);
    PlanScene scene{session.components, session.libraries, session.plan, session.stand};
    auto saved = output.write(file, scene, session.view, host);
    progress.close();
    if (!saved)
        return saved.error();
    return ExportReport{};
}

VrmlScene build_scene(Session& session, QWidget* parent)
{
    SceneProgressWindow progress(QString::fromStdString(session.text(ui::export_3d_progress_title)),
                                 QString::fromStdString(session.text(ui::export_3d_progress_caption)), parent);
    progress.show();
    const VrmlInputs inputs{session.components, session.plan, session.stand, session.app_dir(),
                            session.settings().config_player, {}};
    return build_vrml_scene(inputs, VrmlVariant::full, &progress);
}

} // namespace

std::filesystem::path with_export_extension(const std::filesystem::path& file, const std::vector<std::string>& extensions)
{
    for (const std::string& extension : extensions)
        if (has_extension(file, extension))
            return file;
    return extensions.empty() ? file : with_extension(file, extensions.front());
}

bool OutputCommands::export_to(const ExportTarget& target, const Writer& write)
{
    const std::string first = target.extensions.empty() ? std::string() : target.extensions.front().substr(1);
    auto answer = prompts_.choose_save({target.title, target.folder.empty() ? session_.settings().doc_path : target.folder,
                                        first, target.filter, {}});
    if (!answer || answer->empty())
        return false;
    const std::filesystem::path file = with_export_extension(*answer, target.extensions);
    Result<ExportReport> report = write(file);
    if (!report) {
        prompts_.warn("Halvern Visual Design", report.error().text());
        return false;
    }
    if (report->cancelled)
        return false;
    // Written all the same: the user hears which pictures it could not take.
    if (!report->missing.empty())
        prompts_.warn_list(target.title, target.missing_text >= 0 ? session_.text(target.missing_text) : file.string(),
                           report->missing);
    tell(target.written_text >= 0 ? target.written_text : ui::status_saved, file.string());
    return true;
}

std::filesystem::path OutputCommands::design_folder() const
{
    std::filesystem::path folder = folder_of(session_.project.file_name);
    if (folder.empty())
        folder = session_.settings().doc_path;
    return folder;
}

void OutputCommands::print_plan()
{
    QPrinter printer(QPrinter::HighResolution);
    SheetOptions options = sheet_options(session_);
    if (!prompts_.choose_printer(printer, choice_texts(session_, session_.text(ui::sheet_scale_choice)), options))
        return;
    PlanScene scene = plan_scene(session_);
    // The page has its own view; the window's zoom, offsets and quality stay as they are.
    SilentOutputHost host; // the page is drawn in one go
    if (auto printed = PrintOutput(printer, options).write({}, scene, session_.view, host); !printed)
        prompts_.warn("Halvern Visual Design", printed.error().text());
    else
        tell(ui::status_printed, (printer.outputFileName().isEmpty() ? printer.printerName()
                                                                      : printer.outputFileName()).toStdString());
}

void OutputCommands::export_plan(bool svg)
{
    const std::string title = session_.text(svg ? ui::menu_export_plan_svg : ui::menu_export_plan_pdf);
    export_to({title, {}, {svg ? ".svg" : ".pdf"}, svg ? "SVG|*.svg" : "PDF|*.pdf"},
              [&](const std::filesystem::path& file) -> Result<ExportReport> {
                  SheetOptions options = sheet_options(session_);
                  if (!prompts_.choose_sheet(choice_texts(session_, title), options))
                      return ExportReport{{}, true};
                  PlanScene scene = plan_scene(session_);
                  return written(svg ? write_plan_svg(file, scene, session_.view, options)
                                     : write_plan_pdf(file, scene, session_.view, options));
              });
}

void OutputCommands::export_plan_dxf()
{
    export_to({session_.text(ui::menu_export_plan_dxf), {}, {".dxf"}, "DXF|*.dxf"},
              [&](const std::filesystem::path& file) { return written(write_plan_dxf(file, plan_scene(session_))); });
}

void OutputCommands::save_blueprint()
{
    export_to({"Select file", session_.app_dir().string(), {".jpg", ".jpeg"}, "JPEG|*.jpg", ui::status_picture_saved},
              [&](const std::filesystem::path& file) {
                  const BlueprintOutput output(qt_surface_maker(), session_.shell.settings.view_qualite == 1);
                  return run_output(parent(), session_, output, file, file.filename().string());
              });
}

void OutputCommands::save_screen()
{
    export_to({session_.text(ui::save_screen_dialog_title), {}, {".jpg", ".jpeg"}, "Image Jpeg|*.jpg",
               ui::status_picture_saved},
              [&](const std::filesystem::path& file) {
                  ScreenPictureOutput output(qt_surface_maker(), screen_resolution);
                  output.writing_stage = session_.text(ui::save_screen_stage_first + 8);
                  return run_output(parent(), session_, output, file, session_.text(ui::save_screen_stage_first + 4),
                                    session_.text(ui::save_screen_progress_title));
              });
}

void OutputCommands::export_vrml()
{
    export_to({session_.text(ui::export_3d_dialog_title), {}, {".wrl"}, "VRML|*.wrl;"},
              [&](const std::filesystem::path& file) -> Result<ExportReport> {
                  session_.settings().export_path = file.parent_path().string();
                  if (Result<void> stored = session_.store_current_settings(); !stored)
                      prompts_.note(stored.error());
                  VrmlScene scene = build_scene(session_, parent());
                  if (scene.refused)
                      return make_error(*scene.refused);
                  ExportReport report{scene.messages, false};
                  // Pictures named without a folder are the design's, as for the checks and the print pack.
                  Result<TextureCopy> copied = export_vrml_file(file, std::move(scene), true, nullptr, design_folder());
                  if (!copied)
                      return make_error(session_.text(ui::message_write_failed) + " " + copied.error().text());
                  // Pictures missing, files that are no pictures (a key, a text) and copies under
                  // another name: the scene is written, and the user hears which.
                  for (std::string& line : copied->report_lines())
                      report.missing.push_back(std::move(line));
                  return report;
              });
}

// The same stand for the viewers that read no VRML: read into triangles, written as one .glb with
// its pictures inside (or a .gltf with them beside it).
void OutputCommands::export_gltf()
{
    export_to({session_.text(ui::export_3d_dialog_title), {}, {".glb", ".gltf"}, "glTF|*.glb;*.gltf"},
              [&](const std::filesystem::path& file) -> Result<ExportReport> {
                  session_.settings().export_path = file.parent_path().string();
                  if (Result<void> stored = session_.store_current_settings(); !stored)
                      prompts_.note(stored.error());
                  const VrmlScene scene = build_scene(session_, parent());
                  if (scene.refused)
                      return make_error(*scene.refused);
                  StandModel model;
                  model.read(scene, plan_namer(session_.plan, session_.components));
                  Result<GltfReport> gltf = export_gltf_file(file, model);
                  if (!gltf)
                      return make_error(session_.text(ui::message_write_failed) + " " + gltf.error().text());
                  ExportReport report{model.messages(), false};
                  for (const std::string& message : gltf->messages)
                      report.missing.push_back(message);
                  return report;
              });
}

void OutputCommands::export_quote_csv()
{
    export_to({session_.text(ui::list_export_csv), {}, {".csv"}, "CSV|*.csv"}, [&](const std::filesystem::path& file) {
        const Quote quote = design_quote(session_.plan, session_.components);
        return written(write_file_safely(file, quote_csv(quote, csv_labels(session_.shell.ui_text))));
    });
}

void OutputCommands::export_quote_xlsx()
{
    export_to({session_.text(ui::list_export_xlsx), {}, {".xlsx"}, "Excel|*.xlsx"}, [&](const std::filesystem::path& file) {
        const Quote quote = design_quote(session_.plan, session_.components);
        const auto texts = quote_workbook_texts(session_.shell.ui_text, session_.stand, today());
        return written(write_quote_workbook(file, quote, session_.components, texts));
    });
}

void OutputCommands::export_prices()
{
    export_to({session_.text(ui::price_export_dialog_title), {}, {".txt"}, "Text file|*.txt"},
              [&](const std::filesystem::path& file) { return written(write_price_table(file, session_.components)); });
}

void OutputCommands::import_prices()
{
    auto answer = prompts_.choose_open({session_.text(ui::price_import_dialog_title), session_.settings().doc_path, "txt",
                                        "Text file|*.txt", {}});
    if (!answer || answer->empty())
        return;
    std::filesystem::path written_to;
    auto imported = import_price_table(*answer, session_.library_folders(), session_.components, &written_to);
    if (!imported) {
        prompts_.warn("Halvern Visual Design", imported.error().text());
        return;
    }
    // Not where the user would look for it: say where it went.
    if (written_to != installed_price_table(session_.app_dir()))
        prompts_.inform("Halvern Visual Design", session_.text(ui::prices_saved_in_user_folder) + "\n" + written_to.string());
    for (const Error& note : *imported)
        prompts_.note(note);
    history_.notify(Change::library);
}

void OutputCommands::export_print_pack()
{
    const std::string design = session_.project.file_name;
    const std::filesystem::path folder = design_folder();
    std::string name = std::filesystem::path(file_part(design)).stem().string();
    PrintPackDialog dialog(session_.shell.ui_text, folder / ((name.empty() ? "stand" : name) + "_print"), prompts_,
                           parent());
    if (dialog.exec() != QDialog::Accepted)
        return;
    PrintPackFiles files;
    const PrintPackOutput output(dialog.settings(), session_.shell.ui_text, folder, &files);
    const std::string title = session_.text(ui::pack_dialog_title);
    if (auto done = run_output(parent(), session_, output, dialog.folder(), session_.text(ui::pack_title), title); !done) {
        prompts_.warn("Halvern Visual Design", done.error().text());
        return;
    }
    std::vector<std::string> missing;
    for (const PrintEntry* entry : files.pack.not_printed())
        missing.push_back(std::to_string(entry->face.object) + (entry->face.face == 1 ? " recto: " : " verso: ")
                          + entry->problem);
    if (!missing.empty())
        prompts_.warn_list(title, session_.text(ui::pack_not_printed) + " " + std::to_string(missing.size()), missing);
    tell(ui::pack_written, dialog.folder().string());
}

// "Print build sheets…": the crew's PDF, the same output the command line writes.
void OutputCommands::print_build_sheets()
{
    export_to({session_.text(ui::menu_build_sheets), {}, {".pdf"}, "PDF|*.pdf"}, [&](const std::filesystem::path& file) {
        PlanScene scene = plan_scene(session_);
        SilentOutputHost host; // the pages are drawn in one go
        const BuildSheetsOutput output(session_.shell.ui_text, today());
        return written(output.write(file, scene, session_.view, host));
    });
}

// "Share as web page…": the customer's page, the same output the command line writes.
void OutputCommands::share_web_page()
{
    const std::string title = session_.text(ui::web_dialog_title);
    export_to({title, {}, {".html", ".htm"}, "HTML|*.html;*.htm", ui::web_written, ui::web_missing},
              [&](const std::filesystem::path& file) -> Result<ExportReport> {
                  WebPageOptions options;
                  options.with_quote = prompts_.confirm(title, session_.text(ui::web_quote_question));
                  options.lang = session_.lang();
                  options.date = today();
                  const VrmlInputs inputs{session_.components, session_.plan, session_.stand, session_.app_dir(),
                                          session_.settings().config_player, {}};
                  const Result<WebPageReport> written = export_web_page(file, inputs, session_.shell.ui_text, options);
                  if (!written)
                      return written.error();
                  return ExportReport{written->missing, false};
              });
}

void OutputCommands::picture_tiling()
{
    open_tiling_dialog(session_.shell.ui_text, session_.settings().import_path, session_.plan.nb_selection, prompts_,
                       parent());
}

} // namespace halvern
