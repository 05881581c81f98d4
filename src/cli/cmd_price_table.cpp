#include <optional>

#include "base/input_files.h"
#include "cli/commands.h"
#include "cli/library_loading.h"
#include "library/price_table.h"

namespace halvern {

int cmd_price_table(CliContext& context)
{
    const std::string& action = context.args[0];
    if (action != "export" && action != "import")
        return context.usage_error("price-table: the first argument is export or import, not '" + action + "'");
    const std::filesystem::path file = context.args[1];

    // Import installs the table it reads over the installed one; export never writes over a file
    // it read (the installed table, a definition file).
    std::optional<InputFiles> inputs;
    if (action == "export")
        inputs.emplace();
    ComponentTable components;
    LibraryTable libraries;
    load_tables(context, components, libraries);

    if (action == "export") {
        auto written = write_price_table(file, components, PriceNames::all);
        return written ? 0 : context.fail(written.error());
    }
    auto notes = import_price_table(file, LibraryFolders{context.app_dir, context.user_dir, {}}, components);
    if (!notes)
        return context.fail(notes.error());
    print_notes(context, *notes);
    return 0;
}

} // namespace halvern
