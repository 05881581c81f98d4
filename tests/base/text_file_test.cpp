#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>

#include "base/cp1252.h"
#include "base/file_replacement.h"
#include "base/input_files.h"
#include "base/text_file.h"
#include "support/test_support.h"

using namespace halvern;
using halvern::testing::ScratchDir;
using halvern::testing::read_bytes;

TEST(SplitLines, AcceptsCrLfLfAndMissingLastEnd)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(split_lines("a\r\nb\r\n"), (V{"a", "b"}));
    EXPECT_EQ(split_lines("a\nb\n"), (V{"a", "b"}));
    EXPECT_EQ(split_lines("a\r\nb"), (V{"a", "b"}));
    EXPECT_EQ(split_lines("a\n\nb"), (V{"a", "", "b"}));
    EXPECT_EQ(split_lines(""), V{});
    EXPECT_EQ(split_lines("\r\n"), V{""});
    EXPECT_EQ(split_lines("a\rb\n"), V{"a\rb"}); // a lone CR is part of the text
}

TEST(Cp1252, RoundTripOfEveryByte)
{
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += char(b);
    EXPECT_EQ(utf8_to_cp1252(cp1252_to_utf8(all)), all);
    EXPECT_EQ(cp1252_to_utf8("\xE9\x80"), "\xC3\xA9\xE2\x82\xAC"); // é €
}

TEST(Cp1252, UnmappableCharactersBecomeQuestionMarks)
{
    EXPECT_EQ(utf8_to_cp1252("a\xE2\x86\x92z"), "a?z");    // →
    EXPECT_EQ(utf8_to_cp1252("\xF0\x9F\x99\x82"), "?");   // an emoji, 4 bytes, one "?"
    EXPECT_EQ(utf8_to_cp1252("\xC3"), "?");               // cut sequence
    EXPECT_EQ(utf8_to_cp1252("\xC5\x93uvre"), "\x9Cuvre"); // œ
    // Overlong forms and surrogates are no characters: each of their bytes is one "?".
    EXPECT_EQ(utf8_to_cp1252("\xC1\x81"), "??");          // an overlong "A"
    EXPECT_EQ(utf8_to_cp1252("\xE0\x83\xA9"), "???");     // an overlong "é"
    EXPECT_EQ(utf8_to_cp1252("\xED\xA0\x80x"), "???x");   // a surrogate
}

TEST(TextFile, ReadsCodePage1252IntoUtf8)
{
    ScratchDir dir;
    auto file = dir.write("t.txt", "caf\xE9\r\nna\xEFve");
    auto lines = read_lines(file);
    ASSERT_TRUE(lines.ok());
    ASSERT_EQ(lines->size(), 2u);
    EXPECT_EQ((*lines)[0], "caf\xC3\xA9");
    EXPECT_EQ((*lines)[1], "na\xC3\xAFve");
}

TEST(TextFile, MissingFileIsAnErrorNamingIt)
{
    ScratchDir dir;
    auto lines = read_lines(dir / "nope.txt");
    ASSERT_FALSE(lines.ok());
    EXPECT_NE(lines.error().text().find("nope.txt"), std::string::npos);
    EXPECT_FALSE(read_lines(dir.path()).ok()); // a folder
}

TEST(TextFile, WritesCrLfAndCodePage1252)
{
    ScratchDir dir;
    auto file = dir / "out.txt";
    ASSERT_TRUE(write_lines(file, {"\xC3\xA9t\xC3\xA9", "", "x"}).ok());
    EXPECT_EQ(read_bytes(file), "\xE9t\xE9\r\n\r\nx\r\n");
}

TEST(TextFile, ReplacesAnExistingFileWholeAndLeavesNoTemporary)
{
    ScratchDir dir;
    auto file = dir.write("f.txt", "old content that is longer\r\n");
    ASSERT_TRUE(write_file_safely(file, "new").ok());
    EXPECT_EQ(read_bytes(file), "new");
    int entries = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, 1);
}

// A disk that fills up halfway through a write: the file size limit makes write() fail the same
// way, also for root.
TEST(TextFile, WriteThatFailsHalfwayKeepsTheOldFile)
{
    ScratchDir dir;
    auto file = dir.write("f.txt", "precious");
    struct rlimit old_limit {};
    getrlimit(RLIMIT_FSIZE, &old_limit);
    auto old_handler = signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old_limit;
    small.rlim_cur = 16;
    setrlimit(RLIMIT_FSIZE, &small);
    auto written = write_file_safely(file, std::string(4096, 'x'));
    setrlimit(RLIMIT_FSIZE, &old_limit);
    signal(SIGXFSZ, old_handler);

    ASSERT_FALSE(written.ok());
    EXPECT_NE(written.error().text().find("f.txt"), std::string::npos);
    EXPECT_EQ(read_bytes(file), "precious");
    int entries = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, 1) << "the temporary file must be removed";
}

TEST(TextFile, WriteIntoMissingFolderFailsWithTheFileName)
{
    ScratchDir dir;
    auto written = write_file_safely(dir / "no" / "such" / "f.txt", "x");
    ASSERT_FALSE(written.ok());
    EXPECT_NE(written.error().text().find("f.txt"), std::string::npos);
}

TEST(TextFile, WriteOverAFolderIsRefused)
{
    ScratchDir dir;
    std::filesystem::create_directory(dir / "folder");
    EXPECT_FALSE(write_file_safely(dir / "folder", "x").ok());
    EXPECT_TRUE(std::filesystem::is_directory(dir / "folder"));
}

TEST(TextFile, InputErrorIsAnErrorNamingTheFile)
{
    // Reading the start of a process's memory fails with an input error, as a damaged disk does.
    auto read = halvern::read_file_bytes("/proc/self/mem");
    ASSERT_FALSE(read.ok());
    EXPECT_EQ(read.error().file, "/proc/self/mem");
}

namespace {

int entries_in(const std::filesystem::path& folder)
{
    int entries = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(folder))
        ++entries;
    return entries;
}

} // namespace

TEST(TextFile, WriteThroughASymbolicLinkReplacesTheFileItPointsTo)
{
    ScratchDir dir;
    std::filesystem::create_directory(dir / "real");
    auto target = dir.write("real/design.qlm", "old");
    std::filesystem::create_symlink("real/design.qlm", dir / "link.qlm");
    ASSERT_TRUE(write_file_safely(dir / "link.qlm", "new").ok());
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.qlm"));
    EXPECT_EQ(read_bytes(target), "new");
    EXPECT_EQ(entries_in(dir / "real"), 1);

    // A link to a file that is not there yet creates that file.
    std::filesystem::create_symlink(dir / "real" / "later.qlm", dir / "ahead.qlm");
    ASSERT_TRUE(write_file_safely(dir / "ahead.qlm", "x").ok());
    EXPECT_EQ(read_bytes(dir / "real" / "later.qlm"), "x");
}

// A rename over a device, a pipe or a socket would put a plain file in its place (as root, over
// /dev/null); a link to one is no better.
TEST(TextFile, WriteOverWhatIsNotARegularFileIsRefused)
{
    ScratchDir dir;
    ASSERT_EQ(mkfifo((dir / "pipe").c_str(), 0600), 0);
    const int listening = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(listening, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socket_path = (dir / "socket").string();
    ASSERT_LT(socket_path.size(), sizeof address.sun_path);
    std::strcpy(address.sun_path, socket_path.c_str());
    ASSERT_EQ(::bind(listening, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    std::filesystem::create_symlink(dir / "pipe", dir / "to_pipe");
    for (const char* name : {"pipe", "socket", "to_pipe"}) {
        const auto before = std::filesystem::symlink_status(dir / name).type();
        auto written = write_file_safely(dir / name, "x");
        ASSERT_FALSE(written.ok()) << name;
        EXPECT_NE(written.error().text().find("not a regular file"), std::string::npos) << written.error().text();
        EXPECT_EQ(std::filesystem::symlink_status(dir / name).type(), before) << name;
    }
    ::close(listening);
    EXPECT_EQ(entries_in(dir.path()), 3); // no temporary left behind
}

// While a command runs, what it read is never replaced by what it writes, whatever the name it is
// reached by (a second path, a link); once it has ended, the files are free again.
TEST(TextFile, AFileReadDuringACommandIsNotWrittenOver)
{
    ScratchDir dir;
    const auto design = dir.write("stand.qlm", "v1.1");
    const auto picture = dir.write("front.png", "art");
    std::filesystem::create_symlink(dir / "stand.qlm", dir / "link.qlm");
    std::filesystem::create_hard_link(dir / "stand.qlm", dir / "same.qlm");
    {
        InputFiles inputs;
        ASSERT_TRUE(read_file_bytes(design).ok());
        inputs.add(picture); // read later, protected from the start
        for (const std::filesystem::path& out : {dir / "stand.qlm", dir / "link.qlm", dir / "same.qlm", dir / "front.png"}) {
            auto written = write_file_safely(out, "PDF");
            ASSERT_FALSE(written.ok()) << out;
            EXPECT_NE(written.error().text().find("reads"), std::string::npos) << written.error().text();
        }
        EXPECT_TRUE(write_file_safely(dir / "out.pdf", "PDF").ok());
    }
    EXPECT_EQ(read_bytes(design), "v1.1");
    EXPECT_EQ(read_bytes(picture), "art");
    EXPECT_TRUE(write_file_safely(design, "v1.1 saved").ok()); // no command runs: Save may replace it
}

TEST(TextFile, ALockFileIsUsableOnlyAsNothingOrASmallRegularFile)
{
    ScratchDir dir;
    ASSERT_EQ(mkfifo((dir / "pipe").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", dir / "zero");
    std::filesystem::create_symlink(dir.write("real", "1\nhost\n"), dir / "link");
    const auto big = dir.write("big", "");
    std::filesystem::resize_file(big, lock_file_bytes_max + 1);
    std::filesystem::create_directory(dir / "folder");
    EXPECT_TRUE(lock_file_usable(dir / "none"));
    EXPECT_TRUE(lock_file_usable(dir / "real"));
    for (const char* name : {"pipe", "zero", "link", "big", "folder"})
        EXPECT_FALSE(lock_file_usable(dir / name)) << name;
}

TEST(TextFile, ReadsRegularFilesOnlyAndWithinTheirBound)
{
    ScratchDir dir;
    ASSERT_EQ(mkfifo((dir / "pipe").c_str(), 0600), 0);
    auto pipe = read_file_bytes(dir / "pipe"); // must not wait for a writer
    ASSERT_FALSE(pipe.ok());
    EXPECT_NE(pipe.error().text().find("pipe: is not a regular file"), std::string::npos);
    EXPECT_FALSE(read_file_bytes("/dev/zero").ok());

    auto big = dir.write("big.txt", "");
    std::filesystem::resize_file(big, small_file_bytes_max + 1); // sparse: nothing is written
    auto refused = read_file_bytes(big, small_file_bytes_max);
    ASSERT_FALSE(refused.ok());
    EXPECT_NE(refused.error().text().find("larger than 4 MB"), std::string::npos);
    EXPECT_TRUE(read_file_bytes(big, 2 * small_file_bytes_max).ok());
}

// Without the signal ignored, a write past the file-size limit ends the process and leaves the
// temporary file behind; the child starts with the signal's default handling, does what every
// front end does at start, and reports what it saw through its exit code.
TEST(TextFile, FileSizeLimitIsAnErrorNotASignal)
{
    ScratchDir dir;
    auto file = dir.write("f.txt", "precious");
    EXPECT_EXIT(
        {
            signal(SIGXFSZ, SIG_DFL);
            ignore_file_size_signal();
            struct rlimit small {};
            getrlimit(RLIMIT_FSIZE, &small);
            small.rlim_cur = 16;
            setrlimit(RLIMIT_FSIZE, &small);
            auto written = write_file_safely(file, std::string(4096, 'x'));
            bool reported = !written.ok() && written.error().text().find("f.txt") != std::string::npos;
            std::_Exit(reported && read_bytes(file) == "precious" && entries_in(dir.path()) == 1 ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(TextFile, StaleTemporariesOfTheSameFileAreRemoved)
{
    ScratchDir dir;
    auto stale = dir.write(".f.txt.0123456789abcdef.tmp", "left by a kill");
    auto fresh = dir.write(".f.txt.fedcba9876543210.tmp", "being written by another process");
    auto other = dir.write(".g.txt.0123456789abcdef.tmp", "another file's");
    auto odd = dir.write(".f.txt.mine.tmp", "not one of ours");
    const auto two_hours_ago = std::filesystem::file_time_type::clock::now() - std::chrono::hours(2);
    for (const auto& f : {stale, other, odd})
        std::filesystem::last_write_time(f, two_hours_ago);

    ASSERT_TRUE(write_file_safely(dir / "f.txt", "new").ok());
    EXPECT_FALSE(std::filesystem::exists(stale));
    EXPECT_TRUE(std::filesystem::exists(fresh));
    EXPECT_TRUE(std::filesystem::exists(other));
    EXPECT_TRUE(std::filesystem::exists(odd));
    // The folder is looked through once; the other file's stale temporary still goes at its save.
    ASSERT_TRUE(write_file_safely(dir / "g.txt", "new").ok());
    EXPECT_FALSE(std::filesystem::exists(other));
}

TEST(TextFile, NamesUpToTheSystemsLimitAreWrittenAndTheirStaleTemporariesFound)
{
    ScratchDir dir;
    // 233 bytes is the longest name whose temporary carries it whole; "é" straddles the cut at 241.
    for (size_t length : {size_t(233), size_t(234), size_t(241), size_t(255)}) {
        std::string name = std::string(length - 6, 'n') + "\xC3\xA9.jpg";
        ASSERT_EQ(name.size(), length);
        auto written = write_file_safely(dir / name, "content");
        ASSERT_TRUE(written.ok()) << length << ": " << written.error().text();
        EXPECT_EQ(read_bytes(dir / name), "content");
    }
    int entries = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, 4) << "no temporary left behind";

    ScratchDir other;
    const std::string name(255, 'x');
    auto stale = other.write("." + std::string(233, 'x') + ".0123456789abcdef.tmp", "left by a kill");
    std::filesystem::last_write_time(stale, std::filesystem::file_time_type::clock::now() - std::chrono::hours(2));
    ASSERT_TRUE(write_file_safely(other / name, "new").ok());
    EXPECT_FALSE(std::filesystem::exists(stale));
}
