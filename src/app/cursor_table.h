#pragma once
// The pointer shapes of the plan, entries 0..10: 0 standard, 3 zoom, 4 move, 5 copy, 6 rotate, read
// from the cursor files of the installation folder with their hot spots.

#include <QCursor>

#include <array>
#include <filesystem>
#include <optional>
#include <vector>

#include "base/result.h"

namespace halvern {

inline constexpr int cursor_slots = 11;

struct CursorTable {
    std::array<std::optional<QCursor>, cursor_slots> entries;
    // The cursor of a slot; the system's arrow for a slot that holds none.
    QCursor at(int slot) const;
};

struct CursorLoad {
    CursorTable table;
    std::vector<Error> missing; // the files that could not be read; the other entries are filled
};

// "lib/cur/std.cur", "zoom.cur", "move.cur", "copy.cur" and "rotate.cur" into entries 0, 3, 4, 5, 6.
CursorLoad load_cursor_table(const std::filesystem::path& app_dir);

} // namespace halvern
