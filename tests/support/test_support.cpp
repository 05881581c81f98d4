#include "support/test_support.h"

#include <fstream>
#include <random>
#include <stdexcept>

namespace halvern::testing {

namespace fs = std::filesystem;

ScratchDir::ScratchDir()
{
    std::random_device rd;
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate = fs::temp_directory_path() / ("halvern-test-" + std::to_string(rd()));
        if (fs::create_directory(candidate)) {
            path_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a scratch folder");
}

ScratchDir::~ScratchDir()
{
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

fs::path ScratchDir::write(std::string_view name, std::string_view bytes) const
{
    fs::path file = path_ / name;
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    return file;
}

std::string read_bytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool starts_as_jfif(const std::string& bytes)
{
    return bytes.size() > 11 && bytes.compare(0, 4, "\xFF\xD8\xFF\xE0") == 0 &&
           bytes.compare(6, 5, std::string("JFIF\0", 5)) == 0;
}

fs::path stage_dir() { return HALVERN_STAGE_DIR; }
fs::path source_dir() { return HALVERN_SOURCE_DIR; }

} // namespace halvern::testing
