#include "project/project_commands.h"

#include "base/ui_text_ids.h"
#include "project/empty_design.h"
#include "project/project_reader.h"
#include "project/project_writer.h"

namespace halvern {

namespace fs = std::filesystem;

namespace {

enum class Adopt { as_read, never };

std::optional<fs::path> chosen(const std::optional<fs::path>& answer)
{
    if (!answer || answer->empty())
        return std::nullopt;
    return answer;
}

void follow_document(ProjectContext& context, const std::string& path)
{
    std::string folder = folder_of(path);
    if (folder.empty())
        return; // a bare name tells no folder; keep the one the dialogs open in
    context.settings.doc_path = folder;
    if (auto stored = store_settings(context.store, context.settings); !stored)
        context.messages.note(stored.error());
}

LoadOutcome read_bytes_into_design(ProjectContext& context, const fs::path& path, const std::string& bytes,
                                   ProjectFormat format, ReadMode mode, Adopt adopt)
{
    ProjectReadResult read =
        read_project_text(bytes, path, format, mode, context.components, context.plan, context.stand);

    if (mode == ReadMode::load && adopt == Adopt::as_read) {
        const std::string name = path.string();
        if (!read.complete())
            context.state.forget();
        else if (format == ProjectFormat::v11) {
            context.state.adopt(name);
            follow_document(context, name);
        } else {
            context.state.forget(project_name_for(name));
            context.state.window_title = std::string(old_format_window_title) + name;
        }
    }

    for (const Error& note : read.notes)
        context.messages.note(note);
    if (read.failure)
        context.messages.load_error(LoadError::unreadable_file, *read.failure);
    if (read.dropped_note)
        context.messages.load_error(LoadError::missing_component, *read.dropped_note);
    const CommandOutcome outcome = read.failure ? CommandOutcome::failed : CommandOutcome::done;
    return {outcome, std::move(read)};
}

// The format is read from the file's first line, once.
LoadOutcome read_into_design(ProjectContext& context, const fs::path& path, ReadMode mode, Adopt adopt)
{
    if (path.empty())
        return {};
    auto bytes = read_project_bytes(path);
    if (!bytes) {
        context.messages.load_error(LoadError::unreadable_file, bytes.error());
        return {CommandOutcome::failed, std::nullopt};
    }
    if (mode == ReadMode::load)
        start_empty_design(context.plan, context.state);
    return read_bytes_into_design(context, path, bytes->bytes, bytes->format, mode, adopt);
}

} // namespace

CommandOutcome write_project(ProjectContext& context, const fs::path& path)
{
    if (path.empty())
        return CommandOutcome::cancelled;
    if (auto written = write_project_file(path, context.plan, context.stand); !written) {
        context.messages.write_failed(written.error());
        return CommandOutcome::failed;
    }
    context.state.adopt(path.string());
    follow_document(context, path.string());
    return CommandOutcome::done;
}

CommandOutcome save_project(ProjectContext& context)
{
    if (context.state.file_name.empty())
        return save_project_as(context);
    return write_project(context, context.state.file_name);
}

CommandOutcome save_project_as(ProjectContext& context)
{
    // The design's own file is offered under its name, in the document folder as always.
    const std::string& current = context.state.file_name;
    const std::string suggestion = current.empty() ? context.state.suggested_name : file_part(current);
    auto answer = chosen(context.dialogs.choose_save({context.ui_text.get(ui::save_dialog_title),
                                                      context.settings.doc_path, "qlm", "Quilma File|*.qlm",
                                                      suggestion}));
    if (!answer)
        return CommandOutcome::cancelled;
    const std::string name = with_project_extension(answer->string());
    follow_document(context, name);
    return write_project(context, name);
}

std::optional<fs::path> ask_design_to_load(ProjectContext& context)
{
    return chosen(context.dialogs.choose_open(
        {context.ui_text.get(ui::load_dialog_title), context.settings.doc_path, "qlm", "HVD File|*.qlm|Vek File|*.vek;", {}}));
}

LoadOutcome load_project_command(ProjectContext& context)
{
    auto answer = ask_design_to_load(context);
    if (!answer)
        return {};
    return read_into_design(context, *answer, ReadMode::load, Adopt::as_read);
}

LoadOutcome recover_project(ProjectContext& context, const fs::path& copy, const std::string& file_name)
{
    LoadOutcome outcome = read_into_design(context, copy, ReadMode::load, Adopt::never);
    if (outcome.replaced() && outcome.read->complete() && !file_name.empty())
        context.state.adopt(file_name);
    else
        context.state.forget(file_name.empty() ? std::string() : project_name_for(file_name));
    return outcome;
}

LoadOutcome open_project(ProjectContext& context, const fs::path& path)
{
    return read_into_design(context, path, ReadMode::load, Adopt::as_read);
}

CommandOutcome import_project_command(ProjectContext& context)
{
    auto answer = chosen(context.dialogs.choose_open(
        {context.ui_text.get(ui::import_dialog_title), context.settings.import_path, "qlm", "Quilma File|*.qlm", {}}));
    if (!answer)
        return CommandOutcome::cancelled;
    return read_into_design(context, *answer, ReadMode::import, Adopt::as_read).outcome;
}

fs::path base_project_path(const fs::path& app_dir) { return app_dir / "lib" / "base.qlm"; }

CommandOutcome load_base_project(ProjectContext& context)
{
    const CommandOutcome outcome =
        read_into_design(context, base_project_path(context.app_dir), ReadMode::load, Adopt::never).outcome;
    context.state.forget();
    return outcome;
}

} // namespace halvern
