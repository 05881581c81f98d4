#pragma once
// What the property dialogs read and change of an editor's run, and nothing more: the design, the
// tables that name its components and libraries, the interface texts, the settings that remember
// the picture folder, and the installation folder with the colour and texture libraries.

#include <filesystem>
#include <string>

#include "base/settings.h"
#include "base/ui_text.h"
#include "library/component_table.h"
#include "plan/plan_table.h"

namespace halvern {

struct PropertyContext {
    PlanTable& plan;
    const ComponentTable& components;
    const LibraryTable& libraries;
    const UiText& texts;
    Settings& settings;
    const std::filesystem::path& app_dir;

    std::string text(int entry) const { return texts.get(entry); }
};

} // namespace halvern
