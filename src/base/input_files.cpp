#include "base/input_files.h"

#include <mutex>
#include <set>
#include <sys/stat.h>
#include <utility>

namespace halvern {

namespace {

using Identity = std::pair<unsigned long long, unsigned long long>;

struct Remembered {
    std::mutex mutex;
    int guards = 0;
    std::set<Identity> files;
};

Remembered& remembered()
{
    static Remembered state;
    return state;
}

bool identity_of(const std::filesystem::path& file, Identity& identity)
{
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0)
        return false;
    identity = {static_cast<unsigned long long>(info.st_dev), static_cast<unsigned long long>(info.st_ino)};
    return true;
}

} // namespace

InputFiles::InputFiles()
{
    std::lock_guard lock(remembered().mutex);
    ++remembered().guards;
}

InputFiles::~InputFiles()
{
    std::lock_guard lock(remembered().mutex);
    if (--remembered().guards == 0)
        remembered().files.clear();
}

void InputFiles::add(const std::filesystem::path& file) { note_input_file(file); }

void note_input_file(const std::filesystem::path& file)
{
    Identity identity;
    if (identity_of(file, identity))
        note_input_file(identity.first, identity.second);
}

void note_input_file(unsigned long long device, unsigned long long inode)
{
    Remembered& state = remembered();
    std::lock_guard lock(state.mutex);
    if (state.guards > 0)
        state.files.insert({device, inode});
}

Result<void> check_not_an_input(const std::filesystem::path& file, const std::filesystem::path& named)
{
    Identity identity;
    if (!identity_of(file, identity))
        return {};
    Remembered& state = remembered();
    std::lock_guard lock(state.mutex);
    if (state.files.count(identity) > 0)
        return make_error("is a file this command reads, so it is not written over",
                          named);
    return {};
}

} // namespace halvern
