#pragma once
// The program-wide state of the shell: what start-up sets before anything else runs, and the
// flags the windows and the plan interaction share. One instance, passed to whoever needs it.

#include <filesystem>
#include <string>

#include "base/settings.h"
#include "base/ui_text.h"

namespace halvern {

inline constexpr const char* program_version = "1.11";
inline constexpr int program_build = 9100;

struct ShellState {
    std::filesystem::path app_dir;
    Settings settings;                            // lang, the three folders, the viewer, quality
    UiText ui_text;

    // The plan follows the pointer only while it has the focus (a menu takes it away).
    bool plan_focus = true;
    bool quit_requested = false;

    explicit ShellState(std::filesystem::path dir)
        : app_dir(std::move(dir)), settings(Settings::defaults(app_dir)) {}
};

} // namespace halvern
