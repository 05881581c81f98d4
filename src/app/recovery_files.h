#pragma once
// Where a running editor keeps a copy of its unsaved design, and what editors that ended without
// closing (a crash, a power cut, a killed process) left behind. Each editor has its own slot in the
// user's data folder: a lock held for as long as it runs, the copy, and a note of the file the copy
// was made of. A copy whose lock nobody holds any more was left behind.

#include <QDateTime>
#include <QLockFile>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "base/result.h"
#include "plan/plan_table.h"
#include "plan/stand_settings.h"

namespace halvern {

// A copy left by an editor that is gone. While this lives, its lock is ours: no other editor
// starting meanwhile offers it too.
struct LeftDesign {
    std::filesystem::path copy;
    std::string file_name; // the design's own file; empty when it had none
    QDateTime written;
    std::shared_ptr<QLockFile> lock;
};

class RecoveryFiles {
public:
    // `folder` empty: "recovery" in the user's data folder.
    explicit RecoveryFiles(std::filesystem::path folder = {});
    ~RecoveryFiles();
    RecoveryFiles(const RecoveryFiles&) = delete;
    RecoveryFiles& operator=(const RecoveryFiles&) = delete;

    static std::filesystem::path default_folder();
    const std::filesystem::path& folder() const { return folder_; }
    // This editor's copy (it exists only while the design has unsaved changes).
    std::filesystem::path copy() const;

    // Writes the copy with the safe writer; `file_name` is the design's own file.
    Result<void> write(const PlanTable& plan, const StandSettings& stand, const std::string& file_name);
    // The design matches its file, or was given up: the copy goes.
    void remove();

    // The copies of editors that are no longer running, newest first. The locks those editors left
    // with no copy beside them are cleared on the way.
    std::vector<LeftDesign> left_behind() const;
    // Restored or given up: the copy and its note go.
    static void forget(const LeftDesign& left);
    // A copy that could not be restored is never removed: it moves with its note into the folder
    // "damaged" beside the slots, where no editor offers it again, and is let go. Gives where it is
    // now (where it was, when it could not be moved).
    static std::filesystem::path keep_aside(const LeftDesign& left);

private:
    void claim();
    std::filesystem::path folder_;
    std::string slot_;
    std::unique_ptr<QLockFile> lock_;
};

} // namespace halvern
