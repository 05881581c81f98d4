#include "platform/user_folder.h"

#include <QStandardPaths>

namespace halvern {

std::filesystem::path user_data_folder()
{
    // What AppDataLocation gives the editor (no organisation, the application's name), worked out
    // from the generic folder so that the command line, which names no application, agrees.
    const QString generic = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (generic.isEmpty())
        return {};
    return std::filesystem::path(generic.toStdString()) / "Halvern Visual Design";
}

} // namespace halvern
