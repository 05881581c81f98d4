#include "view3d/picture_cache.h"

#include "base/file_stamp.h"

namespace halvern {

namespace fs = std::filesystem;

namespace {

// The file as it is now; empty when it cannot be looked at (then nothing is remembered for it).
std::string file_key(const fs::path& file)
{
    const std::optional<FileStamp> stamp = file_stamp(file);
    return stamp ? file.string() + '\n' + stamp->text() : std::string();
}

size_t weight(const DecodedPicture& picture)
{
    size_t bytes = picture.bytes.size() + sizeof(DecodedPicture);
    for (const DecodedPicture& level : picture.smaller)
        bytes += level.bytes.size() + sizeof(DecodedPicture);
    return bytes;
}

} // namespace

std::shared_ptr<const DecodedPicture> PictureCache::get(const fs::path& file, const Decoder& decode)
{
    const std::string key = file_key(file);
    if (key.empty())
        return decode(file);
    {
        std::lock_guard<std::mutex> hold(lock_);
        if (auto found = index_.find(key); found != index_.end()) {
            order_.splice(order_.begin(), order_, found->second);
            return found->second->picture;
        }
    }
    // Decoded outside the lock: another reading may look up other pictures meanwhile.
    std::shared_ptr<const DecodedPicture> picture = decode(file);
    if (!picture || weight(*picture) > max_bytes_)
        return picture;
    std::lock_guard<std::mutex> hold(lock_);
    if (auto found = index_.find(key); found != index_.end())
        return found->second->picture; // decoded twice at once: keep the first
    // Older states of the same file will never be asked for again.
    const std::string prefix = file.string() + '\n';
    for (auto it = order_.begin(); it != order_.end();) {
        if (it->key.compare(0, prefix.size(), prefix) == 0) {
            bytes_ -= weight(*it->picture);
            index_.erase(it->key);
            it = order_.erase(it);
        }
        else
            ++it;
    }
    evict_beyond(max_bytes_ - weight(*picture));
    order_.push_front({key, picture});
    index_[key] = order_.begin();
    bytes_ += weight(*picture);
    return picture;
}

void PictureCache::evict_beyond(size_t limit)
{
    while (bytes_ > limit && !order_.empty()) {
        bytes_ -= weight(*order_.back().picture);
        index_.erase(order_.back().key);
        order_.pop_back();
    }
}

size_t PictureCache::bytes() const
{
    std::lock_guard<std::mutex> hold(lock_);
    return bytes_;
}

size_t PictureCache::size() const
{
    std::lock_guard<std::mutex> hold(lock_);
    return order_.size();
}

void PictureCache::clear()
{
    std::lock_guard<std::mutex> hold(lock_);
    order_.clear();
    index_.clear();
    bytes_ = 0;
}

PictureCache& scene_picture_cache()
{
    static PictureCache cache(size_t(256) << 20);
    return cache;
}

} // namespace halvern
