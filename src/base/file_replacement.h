#pragma once
// Replacing a file as one step: the new content is written to a hidden temporary file beside the
// target, synced, and renamed over the target only when it is complete. Whatever happens before
// that (a full disk, a file-size limit, a kill) leaves the old file as it was.
//
// A target that is a symbolic link is followed: the file it points to is replaced and the link
// stays. A hard link to the old file keeps the old content, as with any save by renaming.

#include <filesystem>

#include "base/result.h"

namespace halvern {

class FileReplacement {
public:
    // Creates the temporary file beside the file `target` names (links followed). Temporaries of
    // the same target older than an hour, left by a process that was killed, are removed first
    // (found when this process first saves into the folder).
    static Result<FileReplacement> begin(const std::filesystem::path& target);

    FileReplacement(FileReplacement&& other) noexcept;
    FileReplacement& operator=(FileReplacement&&) = delete;
    ~FileReplacement(); // an uncommitted temporary file is removed

    // The file as the caller named it (for messages) and the temporary file to write.
    const std::filesystem::path& target() const { return target_; }
    const std::filesystem::path& temporary() const { return temporary_; }
    // Open for writing (write_all), or -1 once closed; writers that open the temporary file by
    // name close it with close_descriptor() first.
    int descriptor() const { return fd_; }
    void close_descriptor();

    // Syncs the temporary file to the disk and renames it over the target.
    Result<void> commit();

private:
    FileReplacement(std::filesystem::path target, std::filesystem::path resolved, std::filesystem::path temporary,
                    int fd);
    Error failure(const char* what) const;

    std::filesystem::path target_, resolved_, temporary_;
    int fd_ = -1;
    bool done_ = false;
};

// The file a path names once every symbolic link on the way (the last part included) is
// followed; a link to a file that does not exist yet gives where that file would be.
std::filesystem::path resolve_links(const std::filesystem::path& file);

// Removes temporaries `.NAME.*.tmp` of `file` in its folder that were last changed over an hour ago
// when the process first saved into that folder.
void remove_stale_temporaries(const std::filesystem::path& file);

// A write beyond the process's file-size limit must fail with an error we report, not end the
// process by a signal with the temporary file left behind. Every front end calls this once at
// start: the signal's handling is the process's, not each save's, to set.
void ignore_file_size_signal();

} // namespace halvern
