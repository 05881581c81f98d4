#include "cli/project_input.h"

#include "base/load_error.h"
#include "cli/library_loading.h"

namespace halvern {

namespace {

// "Unreadable file: <why>", in the language of the command line.
Error unreadable(const CliContext& context, const Error& detail)
{
    return make_error(load_error_text(LoadError::unreadable_file, context.lang) + ": " + detail.message, detail.file,
                      detail.line);
}

} // namespace

std::unique_ptr<CliDesign> read_design(const CliContext& context, const std::string& file)
{
    auto bytes = read_project_bytes(file);
    if (!bytes) {
        context.fail(unreadable(context, bytes.error()));
        return nullptr;
    }
    auto design = std::make_unique<CliDesign>();
    load_tables(context, design->components, design->libraries);
    design->read = read_project_text(bytes->bytes, file, bytes->format, ReadMode::load, design->components,
                                     design->plan, design->stand);
    print_notes(context, design->read.notes);
    if (design->read.dropped_note)
        print_notes(context, {*design->read.dropped_note});
    if (design->read.failure)
        context.fail(unreadable(context, *design->read.failure));
    return design;
}

} // namespace halvern
