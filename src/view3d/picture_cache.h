#pragma once
// Decoded pictures kept between readings of the 3D scene. A large design dresses thousands of faces
// with the same few pictures, and a live rebuild reads the whole scene again after every edit: each
// picture file is decoded once and served from memory until the file changes on disk (its
// `FileStamp`) or the cache needs the room. The least recently used pictures leave first.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace halvern {

// Rows bottom first (as OpenGL wants them), `components` bytes a pixel (3: RGB, 4: RGBA), rows
// packed without padding. `smaller` holds the picture halved again and again down to one pixel, for
// a texture seen from afar.
struct DecodedPicture {
    int width = 0;
    int height = 0;
    int components = 0;
    std::vector<unsigned char> bytes;
    std::vector<DecodedPicture> smaller;
};

class PictureCache {
public:
    using Decoder = std::function<std::shared_ptr<const DecodedPicture>(const std::filesystem::path&)>;

    explicit PictureCache(size_t max_bytes) : max_bytes_(max_bytes) {}

    // The picture of `file`, decoded by `decode` only when it is not held for the file as it is now.
    // A picture that cannot be decoded (null) is not remembered: the next reading tries again.
    std::shared_ptr<const DecodedPicture> get(const std::filesystem::path& file, const Decoder& decode);

    size_t bytes() const;
    size_t size() const;
    void clear();

private:
    struct Entry {
        std::string key;
        std::shared_ptr<const DecodedPicture> picture;
    };
    void evict_beyond(size_t limit);

    mutable std::mutex lock_;
    size_t max_bytes_;
    size_t bytes_ = 0;
    std::list<Entry> order_; // most recently used first
    std::unordered_map<std::string, std::list<Entry>::iterator> index_;
};

// The cache every reading of a 3D scene shares (256 MB at most).
PictureCache& scene_picture_cache();

} // namespace halvern
