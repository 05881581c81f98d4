#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "library/builtin_catalogue.h"
#include "library/library_index.h"
#include "library/library_loader.h"
#include "support/test_support.h"

using namespace halvern;
using halvern::testing::ScratchDir;

namespace {

std::string definition(int n, const std::string& name, const std::string& keys = "")
{
    return std::to_string(n) + "\r\n0\r\n" + name + "\r\n10\r\n20\r\n30\r\n" + keys;
}

bool mentions(const std::vector<Error>& notes, const std::filesystem::path& file)
{
    for (const Error& e : notes)
        if (e.file == file)
            return true;
    return false;
}

struct Recorder : LoadProgress {
    std::vector<std::string> events;
    void begin(int minimum, int maximum) override
    {
        events.push_back("begin " + std::to_string(minimum) + ".." + std::to_string(maximum));
    }
    void library(int number, std::string_view name) override
    {
        events.push_back("library " + std::to_string(number) + " " + std::string(name));
    }
    void component(std::string_view name) override { events.push_back("component " + std::string(name)); }
};

class LoaderTest : public ::testing::Test {
protected:
    std::vector<Error> load(std::string_view lang = "en", LoadProgress* progress = nullptr)
    {
        return load_component_tables(app.path(), lang, components, libraries, progress);
    }

    ScratchDir app;
    ComponentTable components;
    LibraryTable libraries;
};

} // namespace

TEST(LibraryIndex, CommasOrLineEndsBetweenFields)
{
    IndexRead read = parse_library_index("1,0,Panneaux\r\n\r\n2\r\n1\r\nProfils, courbes\r\n3,2\r\nAccessoires\n"
                                         "  4 , 3 , Rest of line, with commas",
                                         "lib.index");
    EXPECT_TRUE(read.notes.empty());
    ASSERT_EQ(read.records.size(), 4u);
    EXPECT_EQ(read.records[0].name, "Panneaux");
    EXPECT_EQ(read.records[1].number, 2);
    EXPECT_EQ(read.records[1].position, 1);
    EXPECT_EQ(read.records[1].name, "Profils, courbes");
    EXPECT_EQ(read.records[1].line, 3);
    EXPECT_EQ(read.records[2].name, "Accessoires");
    EXPECT_EQ(read.records[3].number, 4);
    EXPECT_EQ(read.records[3].position, 3);
    EXPECT_EQ(read.records[3].name, " Rest of line, with commas"); // the rest of the line, as written
}

TEST(LibraryIndex, NumbersOutsideTheTableAreSkippedWithTheirLine)
{
    IndexRead read = parse_library_index("100,0,Too far\r\n5,100,Beyond\r\nx,1,Bad\r\n-1,2,Neg\r\n6,4,Good\r\n7", "i");
    ASSERT_EQ(read.records.size(), 1u);
    EXPECT_EQ(read.records[0].number, 6);
    ASSERT_EQ(read.notes.size(), 5u);
    EXPECT_EQ(read.notes[0].line, 1);
    EXPECT_EQ(read.notes[1].line, 2);
    EXPECT_EQ(read.notes[2].line, 3);
    EXPECT_EQ(read.notes[3].line, 4);
    EXPECT_EQ(read.notes[4].line, 6); // ends inside a record
    EXPECT_EQ(read.notes[0].file, "i");
}

TEST_F(LoaderTest, VisitsEveryFolderUpToTheHighestNumber)
{
    app.write("extlib/lib.index", "1,0,Panels\r\n7,1,Accessories\r\n");
    app.write("extlib/1/a.lib", definition(101, "Panel A"));
    app.write("extlib/5/x.lib", definition(505, "Unlisted"));
    app.write("extlib/8/y.lib", definition(808, "Beyond the count"));
    app.write("extlib/7/z.lib", definition(707, "Hook"));
    Recorder progress;
    auto notes = load("en", &progress);
    EXPECT_TRUE(notes.empty());
    EXPECT_EQ(libraries.library_count, 7);
    EXPECT_EQ(components[505].name, "Unlisted");
    EXPECT_EQ(components[505].library, 5);
    EXPECT_EQ(libraries.name[5], "");
    EXPECT_TRUE(components[808].is_free());
    EXPECT_EQ(libraries.name[0], "VEK");
    EXPECT_EQ(progress.events.front(), "begin 1..7");
    EXPECT_EQ(progress.events[1], "library 1 Panels");
    EXPECT_EQ(progress.events[2], "component Panel A");
    EXPECT_EQ(progress.events.back(), "component Hook");
}

TEST_F(LoaderTest, LaterFileWinsFieldByField)
{
    app.write("extlib/lib.index", "1,0,One\r\n2,1,Two\r\n");
    app.write("extlib/1/first.lib", definition(150, "First", "ref=R1\r\nelevation=5\r\n"));
    app.write("extlib/1/first.dat", "");
    app.write("extlib/2/second.lib", definition(150, "Second", "elevation=9\r\n"));
    ASSERT_TRUE(load().empty());
    const Component& c = components[150];
    EXPECT_EQ(c.name, "Second");
    EXPECT_EQ(c.elevation, 9);
    EXPECT_EQ(c.ref, "R1"); // the later file does not mention it
    EXPECT_EQ(c.library, 2);
    EXPECT_EQ(c.file_name, "second.lib");
    EXPECT_FALSE(c.has_3d);
}

TEST_F(LoaderTest, FilesOfOneFolderAreReadInNameOrder)
{
    app.write("extlib/lib.index", "1,0,One\r\n");
    app.write("extlib/1/b.lib", definition(120, "From b"));
    app.write("extlib/1/a.lib", definition(120, "From a"));
    app.write("extlib/1/C.LIB", definition(121, "Capitals"));
    app.write("extlib/1/C.DAT", "");
    app.write("extlib/1/notes.txt", definition(122, "Not a definition"));
    std::filesystem::create_directories(app / "extlib/1/folder.lib");
    auto notes = load();
    ASSERT_EQ(notes.size(), 1u); // the folder is no definition file, and the user is told
    EXPECT_EQ(notes[0].file, app / "extlib/1/folder.lib");
    EXPECT_EQ(components[120].name, "From b");
    EXPECT_EQ(components[120].file_name, "b.lib");
    EXPECT_EQ(components[121].name, "Capitals");
    EXPECT_TRUE(components[121].has_3d);
    EXPECT_TRUE(components[122].is_free());
}

TEST_F(LoaderTest, BadFilesAreSkippedWithANoteNamingThem)
{
    app.write("extlib/lib.index", "1,0,One\r\n150,1,Far\r\n2,200,Nowhere\r\n");
    app.write("extlib/1/far.lib", definition(6000, "Too far"));
    app.write("extlib/1/short.lib", "130\r\n0\r\n");
    auto locked = app.write("extlib/1/locked.lib", definition(131, "Locked"));
    app.write("extlib/1/good.lib", definition(132, "Good"));
    ::chmod(locked.c_str(), 0);
    const bool can_lock = ::access(locked.c_str(), R_OK) != 0; // not when the tests run as root
    // A file whose reading fails with an input error, whoever runs the tests.
    std::filesystem::create_symlink("/proc/self/mem", app / "extlib/1/failing.lib");

    auto notes = load();
    EXPECT_TRUE(mentions(notes, app / "extlib/1/far.lib"));
    EXPECT_TRUE(mentions(notes, app / "extlib/1/short.lib"));
    EXPECT_TRUE(mentions(notes, app / "extlib/lib.index"));
    EXPECT_TRUE(mentions(notes, app / "extlib/1/failing.lib"));
    if (can_lock) {
        EXPECT_TRUE(mentions(notes, locked));
    }
    EXPECT_EQ(notes.size(), can_lock ? 6u : 5u);
    EXPECT_EQ(components[132].name, "Good");
    EXPECT_TRUE(components[130].is_free());
    EXPECT_EQ(libraries.library_count, 1);
}

// Whatever is in the way of a file must be said, not taken for a file that is not there, and a
// pipe must not keep the program waiting for a writer.
TEST_F(LoaderTest, LinksInALoopPipesAndFoldersAreSkippedWithANote)
{
    app.write("extlib/lib.index", "1,0,One\r\n");
    std::filesystem::create_directories(app / "extlib/1/folder.lib");
    ASSERT_EQ(::mkfifo((app / "extlib/1/pipe.lib").c_str(), 0600), 0);
    std::filesystem::create_symlink("loop.lib", app / "extlib/1/loop.lib");
    std::filesystem::create_symlink("gone.lib", app / "extlib/1/dangling.lib");
    app.write("extlib/1/good.lib", definition(132, "Good"));
    auto notes = load();
    for (const char* file : {"extlib/1/folder.lib", "extlib/1/pipe.lib", "extlib/1/loop.lib", "extlib/1/dangling.lib"})
        EXPECT_TRUE(mentions(notes, app / file)) << file;
    EXPECT_EQ(components[132].name, "Good");

    std::filesystem::remove(app / "extlib/lib.index");
    std::filesystem::create_symlink("lib.index", app / "extlib/lib.index");
    std::filesystem::create_symlink("table.lib", app / "extlib/table.lib");
    notes = load();
    EXPECT_TRUE(mentions(notes, app / "extlib/lib.index"));
    EXPECT_TRUE(mentions(notes, app / "extlib/table.lib"));

    // A pipe as the index: a note, and no wait for a writer.
    std::filesystem::remove(app / "extlib/lib.index");
    ASSERT_EQ(::mkfifo((app / "extlib/lib.index").c_str(), 0600), 0);
    EXPECT_TRUE(mentions(load(), app / "extlib/lib.index"));
}

TEST_F(LoaderTest, MissingIndexAndPriceTableLeaveTheCatalogue)
{
    auto notes = load();
    EXPECT_TRUE(notes.empty());
    EXPECT_EQ(components[3].name, "Gold");
    EXPECT_EQ(components[2300].name, "Ligne longue");
    EXPECT_EQ(libraries.library_count, 0);
    EXPECT_EQ(libraries.current_library, 0);
    EXPECT_TRUE(components[42].has_3d); // every number of library 0
    EXPECT_FALSE(components[100].has_3d);
}

TEST_F(LoaderTest, PriceTableIsReadAfterTheDefinitionFiles)
{
    app.write("extlib/lib.index", "1,0,One\r\n");
    app.write("extlib/1/a.lib", definition(101, "From the file"));
    app.write("extlib/table.lib", "101\r\nName :\r\n\"From the table\"\r\nPrice :\r\n12.5\r\nWeight (gr) :\r\n800\r\n"
                                  "Pack by\r\n4\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
    ASSERT_TRUE(load().empty());
    EXPECT_EQ(components[101].name, "From the table");
    EXPECT_EQ(components[101].price, 12.5);
    EXPECT_EQ(components[101].weight, 800);
    EXPECT_EQ(components[101].pack_by, 4);
}

TEST_F(LoaderTest, MagnetDirectionsNormalisedAfterEveryFile)
{
    app.write("extlib/lib.index", "1,0,One\r\n");
    app.write("extlib/1/a.lib", definition(101, "A", "magnet_r_0=-90\r\nmagnet_r_10=370\r\n"));
    ASSERT_TRUE(load().empty());
    EXPECT_EQ(components[101].magnet_r[0], 270.0f);
    EXPECT_EQ(components[101].magnet_r[10], 10.0f);
    EXPECT_EQ(components[2300].magnet_r[1], 270.0f);
}

TEST_F(LoaderTest, ReloadKeepsWhatNoFileSets)
{
    app.write("extlib/lib.index", "1,0,One\r\n");
    app.write("extlib/1/a.lib", definition(101, "A", "name_en=Panel A\r\n"));
    ASSERT_TRUE(load("en").empty());
    EXPECT_EQ(components[101].name, "Panel A");
    components[101].quantity = 3;
    ASSERT_TRUE(load("fr").empty());
    EXPECT_EQ(components[101].name, "A");
    EXPECT_EQ(components[3].name, "Or");
    EXPECT_EQ(components[101].quantity, 3);
}

TEST_F(LoaderTest, CurrentLibraryIsTheFirstPosition)
{
    app.write("extlib/lib.index", "5,0,Five\r\n3,1,Three\r\n9,2,Nine\r\n");
    ASSERT_TRUE(load().empty());
    EXPECT_EQ(libraries.current_library, 5);
    EXPECT_EQ(libraries.current_position, 0);
    library_step(libraries, +1);
    EXPECT_EQ(libraries.current_library, 3); // the neighbour in the strip, not a jump
}

TEST(LibraryStep, StopsAtBothEndsOfTheStrip)
{
    LibraryTable t;
    t.order[0] = 4;
    t.order[1] = 2;
    t.order[2] = 7;
    t.current_library = 4;
    library_step(t, -1);
    EXPECT_EQ(t.current_position, 0);
    EXPECT_EQ(t.current_library, 4);
    library_step(t, +1);
    library_step(t, +1);
    EXPECT_EQ(t.current_position, 2);
    EXPECT_EQ(t.current_library, 7);
    library_step(t, +1); // the last filled position keeps its place
    EXPECT_EQ(t.current_position, 2);
    EXPECT_EQ(t.current_library, 7);
    library_step(t, -1);
    EXPECT_EQ(t.current_position, 1);
    EXPECT_EQ(t.current_library, 2);

    LibraryTable full;
    for (int p = 0; p < library_count_max; ++p)
        full.order[size_t(p)] = p == 0 ? 1 : p;
    full.current_position = 99;
    library_step(full, +1); // never past the table
    EXPECT_EQ(full.current_position, 99);
    EXPECT_EQ(full.current_library, 99);
}
