// The object editor's rules without a window: filling the entries, applying them to the number in
// "Index", copies and their file names, refusals, and a save that writes or changes nothing.

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

#include "base/text_file.h"
#include "geometry/canvas.h"
#include "geometry/component_preview.h"
#include "geometry/recording_canvas.h"
#include "library/component_editor.h"
#include "library/definition_file.h"
#include "support/test_support.h"

using namespace halvern;
using halvern::testing::read_bytes;
using halvern::testing::ScratchDir;

namespace {

class ComponentEditorTest : public ::testing::Test {
protected:
    ScratchDir dir;
    ComponentTable table;

    void SetUp() override
    {
        std::filesystem::create_directories(dir / "extlib" / "2");
        Component& c = table[205];
        c.name = "Comptoir";
        c.library = 2;
        c.width = 120;
        c.depth = 50.5;
        c.height = 110;
        c.draw_color = 0x0000FF;
        c.magnet_x[10] = 120;
        c.color_src[5] = "kept";
        c.resize_x = 1;
    }
};

} // namespace

TEST_F(ComponentEditorTest, FillsTheEntriesByTheRules)
{
    EditorFields f = editor_fields(table, 205);
    EXPECT_EQ(f.index, "205");
    EXPECT_EQ(f.file_name, "205.lib"); // no file name yet
    EXPECT_EQ(f.depth, "50.5");
    EXPECT_EQ(f.pivot_x, "Auto");
    EXPECT_EQ(f.pivot_y, "Auto");
    EXPECT_EQ(f.draw_color, "0000FF");
    EXPECT_EQ(f.magnets[10].x, "120");
    EXPECT_EQ(table[205].file_name, ""); // opening changes nothing

    table[205].shape = 99;
    EXPECT_EQ(editor_fields(table, 205).shape, 11);
    table[205].shape = 100;
    EXPECT_EQ(editor_fields(table, 205).shape, 12);
    table[205].shape = 7;
    EXPECT_EQ(editor_fields(table, 205).shape, 7);
    table[205].shape = 55; // no entry of the list: applying keeps it
    table[205].panel = 9;
    f = editor_fields(table, 205);
    EXPECT_EQ(f.shape, -1);
    EXPECT_EQ(f.panel, -1);
    ASSERT_TRUE(apply_editor_fields(f, 205, table).ok());
    EXPECT_EQ(table[205].shape, 55);
    EXPECT_EQ(table[205].panel, 9);
}

TEST_F(ComponentEditorTest, AppliesNumbersPivotsShapesColoursMagnetsAndSlots)
{
    EditorFields f = editor_fields(table, 205);
    f.pivot_y = "AUTO ";
    f.width = "12,5";
    f.height = "abc";
    f.shape = 12;
    f.draw_color = "ff00aa";
    f.magnets[10].r = "-90";
    f.magnets[10].contrainte = 1;
    f.colours[4].lib = "bois.col";
    f.panel = 3;
    f.auteur = "Atelier";
    ASSERT_EQ(*apply_editor_fields(f, 205, table), 205);
    const Component& c = table[205];
    EXPECT_EQ(c.pivot_x, -1); // "Auto" left as it was
    EXPECT_EQ(c.pivot_y, -1);
    EXPECT_EQ(c.width, 12.5);
    EXPECT_EQ(c.height, 0);
    EXPECT_EQ(c.shape, 100);
    EXPECT_EQ(c.draw_color, 0xFF00AA);
    EXPECT_EQ(c.magnet_r[10], 270);
    EXPECT_EQ(c.magnet_contrainte[10], 1);
    EXPECT_EQ(c.color_lib[4], "bois.col");
    EXPECT_EQ(c.color_src[5], "kept");
    EXPECT_EQ(c.panel, 3);
    EXPECT_EQ(c.auteur, "Atelier");
    EXPECT_EQ(c.file_name, "205.lib");

    f.shape = 11;
    f.pivot_x = " 12.5";
    ASSERT_TRUE(apply_editor_fields(f, 205, table).ok());
    EXPECT_EQ(c.shape, 99);
    EXPECT_EQ(c.pivot_x, 12.5f);

    // The plan draws the stored number as red AA, green 00, blue FF.
    table[205].shape = 0;
    RecordingCanvas canvas;
    ComponentPreview preview = fit_preview(table, 205, 200, 200);
    draw_component(canvas, table, preview.view, preview.look);
    ASSERT_FALSE(canvas.primitives().empty());
    const int colour = canvas.primitives().front().colour();
    EXPECT_EQ(colour_red(colour), 0xAA);
    EXPECT_EQ(colour_green(colour), 0x00);
    EXPECT_EQ(colour_blue(colour), 0xFF);
}

TEST_F(ComponentEditorTest, AnotherIndexCopiesTheTypeUnderItsOwnFile)
{
    table[205].file_name = "comptoir.lib";
    const Component before = table[205];
    EditorFields f = editor_fields(table, 205);
    f.index = "206";
    f.name = "Comptoir bis";
    ASSERT_EQ(*apply_editor_fields(f, 205, table), 206);
    EXPECT_EQ(table[205].name, "Comptoir");
    EXPECT_EQ(table[205].file_name, before.file_name);
    EXPECT_EQ(table[206].name, "Comptoir bis");
    EXPECT_EQ(table[206].file_name, "206.lib");
    EXPECT_EQ(table[206].resize_x, 1); // what the editor does not show comes with the copy
    EXPECT_EQ(table[206].width, 120);

    // A file another component of the library uses, a bad name, a number outside the table.
    f.index = "207";
    f.file_name = "206.LIB";
    const Result<int> taken = apply_editor_fields(f, 205, table);
    ASSERT_FALSE(taken.ok());
    EXPECT_NE(taken.error().text().find("206"), std::string::npos);
    EXPECT_TRUE(table[207].is_free());
    for (const char* index : {"5001", "-1", "abc", "", "20.5"}) {
        f = editor_fields(table, 205);
        f.index = index;
        f.name = "changed";
        EXPECT_FALSE(apply_editor_fields(f, 205, table).ok()) << index;
        EXPECT_EQ(table[205].name, "Comptoir") << index;
    }
    f = editor_fields(table, 205);
    f.file_name = "../up.lib";
    EXPECT_FALSE(apply_editor_fields(f, 205, table).ok());
}

TEST_F(ComponentEditorTest, SavingACopyWritesItsFileThatReadsBackAndLeavesTheOriginal)
{
    table[205].file_name = "comptoir.lib";
    const auto original = dir / "extlib" / "2" / "comptoir.lib";
    ASSERT_TRUE(write_definition_file(dir.path(), table, 205).ok());
    const std::string original_bytes = read_bytes(original);

    EditorFields f = editor_fields(table, 205);
    f.index = "206";
    f.name = "Comptoir haut";
    f.pivot_x = "10";
    f.shape = 12;
    f.draw = "|0|0|100|0|100|50|";
    f.draw_color = "FF00AA";
    f.magnets[3] = {"1.5", "2", "3", "4", "90", 1};
    f.colours[2] = {"mat", "Plateau", "bois.col"};
    ASSERT_EQ(*save_editor_fields(f, 205, table, LibraryFolders{dir.path(), {}, {}}), 206);
    EXPECT_EQ(read_bytes(original), original_bytes);

    ComponentTable back;
    ASSERT_EQ(*read_definition_file(dir / "extlib" / "2" / "206.lib", back, "fr"), 206);
    const Component &a = table[206], &b = back[206];
    EXPECT_EQ(b.name, a.name);
    EXPECT_EQ(b.width, a.width);
    EXPECT_EQ(b.depth, a.depth);
    EXPECT_EQ(b.height, a.height);
    EXPECT_EQ(b.pivot_x, a.pivot_x);
    EXPECT_EQ(b.pivot_y, a.pivot_y);
    EXPECT_EQ(b.shape, a.shape);
    EXPECT_EQ(b.draw, a.draw);
    EXPECT_EQ(b.draw_color, a.draw_color);
    EXPECT_EQ(b.resize_x, a.resize_x);
    EXPECT_EQ(b.magnet_x, a.magnet_x);
    EXPECT_EQ(b.magnet_r, a.magnet_r);
    EXPECT_EQ(b.magnet_contrainte, a.magnet_contrainte);
    EXPECT_EQ(b.magnet_force, a.magnet_force);
    EXPECT_EQ(b.color_src, a.color_src);
    EXPECT_EQ(b.color_name, a.color_name);
    EXPECT_EQ(b.color_lib, a.color_lib);
}

// A disk that fills up during the save: the file size limit makes the write fail, also for root.
TEST_F(ComponentEditorTest, AFailedSaveKeepsTheOldFileAndTheRecord)
{
    table[205].file_name = "comptoir.lib";
    const auto file = dir / "extlib" / "2" / "comptoir.lib";
    ASSERT_TRUE(write_file_safely(file, "205\r\n0\r\nComptoir\r\n1\r\n1\r\n1\r\n").ok());
    EditorFields f = editor_fields(table, 205);
    f.name = "Comptoir modifié";

    struct rlimit old_limit {};
    getrlimit(RLIMIT_FSIZE, &old_limit);
    auto old_handler = signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old_limit;
    small.rlim_cur = 16;
    setrlimit(RLIMIT_FSIZE, &small);
    const Result<int> saved = save_editor_fields(f, 205, table, LibraryFolders{dir.path(), {}, {}});
    setrlimit(RLIMIT_FSIZE, &old_limit);
    signal(SIGXFSZ, old_handler);

    ASSERT_FALSE(saved.ok());
    EXPECT_NE(saved.error().text().find("comptoir.lib"), std::string::npos);
    EXPECT_EQ(read_bytes(file), "205\r\n0\r\nComptoir\r\n1\r\n1\r\n1\r\n");
    EXPECT_EQ(table[205].name, "Comptoir");
}

// "Index" to another number, then Ok or "Sauver fichier": a free number takes the copied type's
// library; a taken one keeps its own library and its own file, which the save replaces.
TEST_F(ComponentEditorTest, CopiesKeepTheirLibraryAndOneNumberNeverGetsTwoFiles)
{
    table[205].file_name = "comptoir.lib";
    Component& taken = table[206];
    taken.name = "Table";
    taken.library = 2;
    taken.file_name = "table.lib";
    ASSERT_TRUE(write_definition_file(dir.path(), table, 206).ok());
    const LibraryFolders folders{dir.path(), {}, {}};

    struct Case {
        const char* index;
        int library;
        const char* file;
        bool replaces;
    } cases[] = {
        {"250", 2, "250.lib", false}, // free: the copy is of library 2, not a built-in type
        {"206", 2, "table.lib", true},
    };
    for (const Case& c : cases) {
        EditorFields f = editor_fields(table, 205);
        f.index = c.index;
        f.name = std::string("Copie ") + c.index;
        EXPECT_EQ(!replaced_file(f, 205, table, folders).empty(), c.replaces) << c.index;
        ASSERT_TRUE(apply_editor_fields(f, 205, table).ok()) << c.index;
        const int m = std::stoi(c.index);
        EXPECT_EQ(table[m].library, c.library) << c.index;
        EXPECT_EQ(table[m].file_name, c.file) << c.index;
    }
    EXPECT_EQ(replaced_file(editor_fields(table, 205), 205, table, folders), std::filesystem::path());

    EditorFields f = editor_fields(table, 205);
    f.index = "206";
    f.name = "Comptoir sur table";
    ASSERT_EQ(*save_editor_fields(f, 205, table, folders), 206);
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir / "extlib" / "2"))
        files.push_back(entry.path().filename().string());
    EXPECT_EQ(files, std::vector<std::string>{"table.lib"});
    ComponentTable back;
    ASSERT_EQ(*read_definition_file(dir / "extlib" / "2" / "table.lib", back, "fr"), 206);
    EXPECT_EQ(back[206].name, "Comptoir sur table");
}

// "Sauver fichier" keeps the English name and the magnets' library restrictions, and the name line
// stays French whatever the interface shows; a changed name replaces the one that was shown.
TEST_F(ComponentEditorTest, SavingKeepsBothNamesAndTheMagnetRestrictions)
{
    const auto file = dir / "extlib" / "2" / "comptoir.lib";
    struct Case {
        const char* lang;
        const char* typed; // nullptr: the name left as shown
        const char* french;
        const char* english;
    } cases[] = {
        {"fr", nullptr, "Comptoir", "Counter"},
        {"en", nullptr, "Comptoir", "Counter"},
        {"fr", "Comptoir haut", "Comptoir haut", "Counter"},
        {"en", "High counter", "Comptoir", "High counter"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(write_file_safely(file, "205\r\n0\r\nComptoir\r\n120\r\n50\r\n110\r\nmagnet_only_lib_3=23\r\n"
                                            "name_en=Counter\r\n")
                        .ok());
        ComponentTable loaded;
        ASSERT_EQ(*read_definition_file(file, loaded, c.lang), 205);
        loaded[205].library = 2;
        loaded[205].file_name = "comptoir.lib";
        EditorFields f = editor_fields(loaded, 205);
        if (c.typed)
            f.name = c.typed;
        ASSERT_TRUE(save_editor_fields(f, 205, loaded, LibraryFolders{dir.path(), {}, {}}).ok());

        const std::string bytes = read_bytes(file);
        size_t name_line = bytes.find("\r\n", bytes.find("\r\n") + 2) + 2;
        EXPECT_EQ(bytes.substr(name_line, bytes.find("\r\n", name_line) - name_line), c.french) << c.lang;
        for (const char* lang : {"fr", "en"}) {
            ComponentTable back;
            ASSERT_EQ(*read_definition_file(file, back, lang), 205);
            EXPECT_EQ(back[205].name, std::string(lang) == "fr" ? c.french : c.english) << c.lang << " read " << lang;
            EXPECT_EQ(back[205].magnet_only_lib[3], 23) << c.lang;
            EXPECT_EQ(back[205].magnet_only_lib[4], -1) << c.lang;
        }
    }
}

// A number beyond the plan's range is refused by the caption of its entry, and nothing changes; a
// pivot of "1e39" would otherwise be an infinite float, saved as "0".
TEST_F(ComponentEditorTest, NumbersBeyondThePlansRangeAreRefusedByName)
{
    struct Case {
        const char* typed;
        std::string EditorFields::*field; // nullptr: magnet 3's force
        const char* caption;              // nullptr: taken
    } cases[] = {
        {"1e39", &EditorFields::pivot_x, "Pivot X"},
        {"-1e39", &EditorFields::pivot_y, "Pivot Y"},
        {"100000,5", &EditorFields::width, "Largeur"},
        {"1e39", nullptr, "Magnétisme 3, Force"},
        {"-100000", &EditorFields::depth, nullptr},
        {"auto", &EditorFields::pivot_x, nullptr},
    };
    for (const Case& c : cases) {
        const Component before = table[205];
        EditorFields f = editor_fields(table, 205);
        (c.field ? f.*c.field : f.magnets[3].force) = c.typed;
        f.name = "changed";
        const Result<int> applied = apply_editor_fields(f, 205, table);
        if (!c.caption) {
            EXPECT_TRUE(applied.ok()) << c.typed;
            table[205] = before;
            continue;
        }
        ASSERT_FALSE(applied.ok()) << c.typed;
        EXPECT_EQ(applied.error().text().rfind(c.caption, 0), 0u) << applied.error().text();
        EXPECT_EQ(table[205].name, "Comptoir") << c.typed;
        EXPECT_EQ(table[205].pivot_x, before.pivot_x) << c.typed;
    }
}
