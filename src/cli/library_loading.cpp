#include "cli/library_loading.h"

#include "geometry/outline_limits.h"
#include "library/library_loader.h"

namespace halvern {

void print_notes(const CliContext& context, const std::vector<Error>& notes)
{
    for (const Error& note : notes)
        context.err << "halvern: " << note.text() << '\n';
}

void load_tables(const CliContext& context, ComponentTable& components, LibraryTable& libraries)
{
    print_notes(context, load_component_tables(context.app_dir, context.lang, components, libraries));
    print_notes(context, long_outline_notes(components, context.app_dir));
}

} // namespace halvern
