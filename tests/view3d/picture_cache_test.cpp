#include <gtest/gtest.h>

#include <fstream>

#include "support/test_support.h"
#include "view3d/picture_cache.h"

namespace halvern {
namespace {

namespace fs = std::filesystem;

// A decoder that counts its calls and makes a picture of `side` × `side` RGB pixels.
struct CountingDecoder {
    int calls = 0;
    int side = 4;
    bool fails = false;
    PictureCache::Decoder decoder()
    {
        return [this](const fs::path&) -> std::shared_ptr<const DecodedPicture> {
            ++calls;
            if (fails)
                return nullptr;
            auto picture = std::make_shared<DecodedPicture>();
            picture->width = picture->height = side;
            picture->components = 3;
            picture->bytes.assign(size_t(side * side * 3), 7);
            return picture;
        };
    }
};

void write(const fs::path& file, const std::string& bytes) { std::ofstream(file, std::ios::binary) << bytes; }

TEST(PictureCache, DecodesAFileOnceUntilItChanges)
{
    testing::ScratchDir dir;
    const fs::path file = dir / "a.jpg";
    write(file, "one");
    PictureCache cache(1 << 20);
    CountingDecoder decode;
    const auto first = cache.get(file, decode.decoder());
    const auto again = cache.get(file, decode.decoder());
    EXPECT_EQ(decode.calls, 1);
    EXPECT_EQ(first.get(), again.get());
    EXPECT_EQ(cache.size(), 1u);

    write(file, "other size"); // a new picture saved under the same name
    (void)cache.get(file, decode.decoder());
    EXPECT_EQ(decode.calls, 2);
    EXPECT_EQ(cache.size(), 1u); // the old state of the file is dropped

    // Another picture of the same size put in its place with the old one's modification time, as a
    // copy that keeps its times does: still a change.
    const auto written = fs::last_write_time(file);
    write(dir / "b.jpg", "same size!");
    fs::last_write_time(dir / "b.jpg", written);
    fs::rename(dir / "b.jpg", file);
    (void)cache.get(file, decode.decoder());
    EXPECT_EQ(decode.calls, 3);

    // A picture that cannot be decoded is tried again next time; a missing file is never kept.
    decode.fails = true;
    write(file, "broken now");
    EXPECT_EQ(cache.get(file, decode.decoder()), nullptr);
    EXPECT_EQ(cache.get(file, decode.decoder()), nullptr);
    EXPECT_EQ(decode.calls, 5);
    decode.fails = false;
    EXPECT_NE(cache.get(dir / "missing.jpg", decode.decoder()), nullptr);
    EXPECT_NE(cache.get(dir / "missing.jpg", decode.decoder()), nullptr);
    EXPECT_EQ(decode.calls, 7);
}

TEST(PictureCache, KeepsWithinItsBytesDroppingTheLeastRecentlyUsed)
{
    testing::ScratchDir dir;
    for (const char* name : {"a", "b", "c"})
        write(dir / name, name);
    CountingDecoder decode;
    decode.side = 16; // 768 bytes of pixels each, a little more with the record
    PictureCache cache(2000);
    (void)cache.get(dir / "a", decode.decoder());
    (void)cache.get(dir / "b", decode.decoder());
    (void)cache.get(dir / "a", decode.decoder()); // a is now the most recent
    (void)cache.get(dir / "c", decode.decoder()); // b leaves
    EXPECT_EQ(cache.size(), 2u);
    EXPECT_LE(cache.bytes(), 2000u);
    EXPECT_EQ(decode.calls, 3);
    (void)cache.get(dir / "a", decode.decoder());
    EXPECT_EQ(decode.calls, 3);
    (void)cache.get(dir / "b", decode.decoder());
    EXPECT_EQ(decode.calls, 4);

    // A picture larger than the whole cache is served but not kept.
    decode.side = 64;
    write(dir / "big", "big");
    EXPECT_NE(cache.get(dir / "big", decode.decoder()), nullptr);
    EXPECT_LE(cache.bytes(), 2000u);
    cache.clear();
    EXPECT_EQ(cache.size(), 0u);
    EXPECT_EQ(cache.bytes(), 0u);
}

} // namespace
} // namespace halvern
