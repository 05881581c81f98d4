// Copying pictures of any size beside an export, and the one rule for completing a chosen name.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include "base/file_copy.h"
#include "base/folder_listing.h"
#include "support/test_support.h"

using namespace halvern;
using halvern::testing::ScratchDir;

namespace fs = std::filesystem;

TEST(FileCopy, ALargeFileIsCopiedWholeInPiecesAndComparedByContent)
{
    ScratchDir dir;
    // Larger than any bound on files read whole; sparse, so it costs no disk.
    const fs::path big = dir / "big.jpg";
    const std::uint64_t size = (std::uint64_t(65) << 20) + 3;
    {
        const int fd = ::open(big.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::ftruncate(fd, off_t(size - 1)), 0);
        ASSERT_EQ(::pwrite(fd, "z", 1, off_t(size - 1)), 1);
        ::close(fd);
    }
    const fs::path copy = dir / "copy.jpg";
    ASSERT_TRUE(copy_file_safely(big, copy));
    EXPECT_EQ(fs::file_size(copy), size);
    EXPECT_TRUE(same_file_content(big, copy));

    // One byte different at the end, or a different size: not the same.
    const fs::path other = dir.write("other.jpg", "abc");
    EXPECT_FALSE(same_file_content(big, other));
    {
        const int fd = ::open(copy.c_str(), O_WRONLY);
        ASSERT_EQ(::pwrite(fd, "y", 1, off_t(size - 1)), 1);
        ::close(fd);
    }
    EXPECT_FALSE(same_file_content(big, copy));
    EXPECT_FALSE(same_file_content(big, dir / "nothing.jpg"));
}

TEST(FileCopy, ASourceThatCannotBeCopiedIsNamedAndTheTargetStaysAsItWas)
{
    ScratchDir dir;
    const fs::path target = dir.write("target.jpg", "old");
    const Result<void> missing = copy_file_safely(dir / "gone.jpg", target);
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().file, dir / "gone.jpg");
    fs::create_directory(dir / "folder.jpg");
    const Result<void> folder = copy_file_safely(dir / "folder.jpg", target);
    ASSERT_FALSE(folder);
    EXPECT_EQ(folder.error().file, dir / "folder.jpg");
    EXPECT_EQ(halvern::testing::read_bytes(target), "old");
}

TEST(FileNames, AnExtensionIsAddedOnlyWhenTheNameLacksIt)
{
    EXPECT_EQ(with_extension("a", ".wrl"), fs::path("a.wrl"));
    EXPECT_EQ(with_extension("a.WRL", ".wrl"), fs::path("a.WRL"));
    EXPECT_EQ(with_extension("dir.v2/a", ".wrl"), fs::path("dir.v2/a.wrl"));
    EXPECT_EQ(with_extension("a.wrl.txt", ".wrl"), fs::path("a.wrl.txt.wrl"));
    EXPECT_EQ(with_extension("a.JPEG", ".jpg", ".jpeg"), fs::path("a.JPEG"));
    EXPECT_EQ(with_extension("a.jpeg", ".jpg"), fs::path("a.jpeg.jpg"));
}
