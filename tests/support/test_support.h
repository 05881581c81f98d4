#pragma once
// Helpers every test binary shares: scratch folders that clean up after themselves, and the
// staged installation folder of the build.

#include <filesystem>
#include <string>
#include <string_view>

namespace halvern::testing {

// A fresh empty folder under the system's temporary folder, removed with everything in it when
// the object goes.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

    // Writes raw bytes (no conversion) to a file below the folder, creating sub-folders.
    std::filesystem::path write(std::string_view name, std::string_view bytes) const;

private:
    std::filesystem::path path_;
};

std::string read_bytes(const std::filesystem::path& file);
// A JPEG whose first segment is the JFIF marker (FF D8 FF E0, length, "JFIF\0").
bool starts_as_jfif(const std::string& bytes);

// The installation folder the build staged beside the binary.
std::filesystem::path stage_dir();
// The repository's root.
std::filesystem::path source_dir();

} // namespace halvern::testing
