#pragma once
// The files a command reads are never replaced by its own outputs: a picture, a print or a price
// table written over the design it was made from, or a face's picture replaced by its own print,
// loses what the user had. While an `InputFiles` lives, every file read through the readers (the
// bounded file reader and the picture loader) is remembered by its identity (device and inode, so
// that another name or a link to it counts too), and the safe writer refuses to replace one.

#include <filesystem>

#include "base/result.h"

namespace halvern {

class InputFiles {
public:
    InputFiles();
    ~InputFiles(); // the files are free again once the last one ends
    InputFiles(const InputFiles&) = delete;
    InputFiles& operator=(const InputFiles&) = delete;

    // A file read later that an earlier output must not replace either (the pictures of the faces
    // of a print pack, each read only when its face is written). Nothing happens for a file that
    // does not exist.
    void add(const std::filesystem::path& file);
};

// Called by the readers with the file they opened; remembered only while an InputFiles lives.
void note_input_file(const std::filesystem::path& file);
void note_input_file(unsigned long long device, unsigned long long inode);

// Fails, naming `named` (the output as the caller gave it), when `file` is one of the files read.
Result<void> check_not_an_input(const std::filesystem::path& file, const std::filesystem::path& named);

} // namespace halvern
