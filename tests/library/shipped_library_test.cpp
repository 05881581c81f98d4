// The libraries the installation folder ships: the index, the starter definition files with their
// 3D companions, and the price table. A newcomer's first start must find them whole.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "base/cp1252.h"
#include "base/text_file.h"
#include "library/builtin_catalogue.h"
#include "library/definition_file.h"
#include "library/library_index.h"
#include "library/library_loader.h"
#include "library/price_table.h"
#include "library/vrml_check.h"
#include "support/test_support.h"

namespace fs = std::filesystem;
using namespace halvern;
using halvern::testing::stage_dir;

namespace {

fs::path extlib() { return stage_dir() / "extlib"; }

// Every definition file of the numbered library folders, by library number.
std::map<int, std::vector<fs::path>> shipped_definition_files()
{
    std::map<int, std::vector<fs::path>> files;
    for (const auto& folder : fs::directory_iterator(extlib())) {
        const std::string name = folder.path().filename().string();
        if (!folder.is_directory() || name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        for (const auto& entry : fs::directory_iterator(folder.path()))
            if (entry.path().extension() == ".lib")
                files[std::stoi(name)].push_back(entry.path());
    }
    return files;
}

struct Tables {
    ComponentTable components;
    LibraryTable libraries;
    std::vector<Error> notes;
};

const Tables& loaded(const std::string& lang)
{
    static std::map<std::string, Tables> cache;
    auto [it, fresh] = cache.try_emplace(lang);
    if (fresh)
        it->second.notes = load_component_tables(stage_dir(), lang, it->second.components, it->second.libraries);
    return it->second;
}

// The starter components: those of a file library.
std::vector<int> file_components(const ComponentTable& table)
{
    std::vector<int> numbers;
    for (int n = 100; n <= max_component; ++n)
        if (!table[n].is_free() && table[n].library != 0 && table[n].library != 23 && table[n].library != group_library)
            numbers.push_back(n);
    return numbers;
}

bool has_magnet(const Component& c)
{
    for (int k = 0; k < magnet_slots; ++k)
        if (c.magnet_x[size_t(k)] > 0 || c.magnet_y[size_t(k)] > 0)
            return true;
    return false;
}

} // namespace

TEST(ShippedLibrary, LoadsWithoutANoteInBothLanguages)
{
    for (const char* lang : {"en", "fr"}) {
        const Tables& t = loaded(lang);
        for (const Error& note : t.notes)
            ADD_FAILURE() << lang << ": " << note.text();
    }
    // The names follow the language: the header's French name, or the file's English one.
    EXPECT_EQ(loaded("fr").components[200].name, "Comptoir droit 100");
    EXPECT_EQ(loaded("en").components[200].name, "Straight counter 100");
}

TEST(ShippedLibrary, OffersFortyComponentsInFiveLibrariesTheLayerFiltersKnow)
{
    Result<std::string> bytes = read_file_bytes(extlib() / "lib.index");
    ASSERT_TRUE(bytes) << bytes.error().text();
    IndexRead index = parse_library_index(cp1252_to_utf8(*bytes), extlib() / "lib.index");
    EXPECT_TRUE(index.notes.empty());
    std::set<int> named, positions;
    for (const IndexRecord& r : index.records) {
        named.insert(r.number);
        EXPECT_TRUE(positions.insert(r.position).second) << "position " << r.position << " is given twice";
        EXPECT_FALSE(r.name.empty()) << "library " << r.number;
    }
    EXPECT_TRUE(named.count(0) && named.count(23)) << "the palette must offer the built-in libraries";
    // The toolbar fades libraries 1, 11, 12, 13 (accessories) and 2..7 (stand furniture).
    const std::set<int> filtered{1, 2, 3, 4, 5, 6, 7, 11, 12, 13};
    const auto files = shipped_definition_files();
    size_t count = 0;
    for (const auto& [library, list] : files) {
        EXPECT_TRUE(filtered.count(library)) << "library " << library << " answers to no layer filter";
        EXPECT_TRUE(named.count(library)) << "library " << library << " is not in the index";
        count += list.size();
    }
    EXPECT_GE(files.size(), 5u);
    EXPECT_GE(count, 40u);
    EXPECT_EQ(file_components(loaded("en").components).size(), count) << "two files share a component number";
}

TEST(ShippedLibrary, UsesEveryShapeCodeAndEveryKindOfPointList)
{
    const ComponentTable& table = loaded("en").components;
    std::set<int> shapes;
    bool mirrored = false, open = false, filled = false, turtle_drawn = false;
    for (int n : file_components(table)) {
        const Component& c = table[n];
        shapes.insert(c.shape);
        if (c.shape == shape_point_list) {
            EXPECT_EQ(c.draw.front(), '|') << "component " << n;
            mirrored |= c.draw_mirror == 1.0f;
            open |= c.draw_open == "1";
            filled |= !c.draw_fill.empty() && c.draw_fill != "0";
        }
        if (c.shape == shape_turtle_path)
            turtle_drawn |= c.draw.find("FD") != std::string::npos;
    }
    for (int code : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 99, 100})
        EXPECT_TRUE(shapes.count(code)) << "no component has shape code " << code;
    EXPECT_TRUE(mirrored && open && filled && turtle_drawn);
}

TEST(ShippedLibrary, EveryDefinitionFileReadsBackAsTheEditorWouldWriteIt)
{
    for (const auto& [library, files] : shipped_definition_files())
        for (const fs::path& file : files) {
            Result<std::string> bytes = read_file_bytes(file);
            ASSERT_TRUE(bytes) << bytes.error().text();
            ComponentTable table;
            Result<int> n = parse_definition(*bytes, table, "fr", file);
            ASSERT_TRUE(n) << n.error().text();
            EXPECT_EQ(*n / 100, library) << file;
            // The editor's writer leaves out a point list's fill.
            std::vector<std::string> lines = split_lines(cp1252_to_utf8(*bytes)), kept;
            bool english = false;
            for (const std::string& line : lines) {
                if (line.rfind("name_en=", 0) == 0)
                    english = line.size() > 8;
                if (line.rfind("draw_fill=", 0) == 0)
                    continue;
                kept.push_back(line);
            }
            EXPECT_TRUE(english) << file << " has no English name";
            EXPECT_EQ(definition_lines(table[*n], *n), kept) << file;
        }
}

TEST(ShippedLibrary, EveryComponentHasAThreeDFileTheExportCanUse)
{
    const ComponentTable& table = loaded("en").components;
    std::set<std::string> default_pictures;
    for (const auto& entry : fs::directory_iterator(extlib() / "tex"))
        default_pictures.insert(entry.path().filename().string());
    for (int n : file_components(table)) {
        const Component& c = table[n];
        ASSERT_TRUE(c.has_3d) << "component " << n;
        const fs::path dat = extlib() / std::to_string(c.library) / fs::path(c.file_name).replace_extension(".dat");
        Result<std::string> text = read_file_bytes(dat);
        ASSERT_TRUE(text) << text.error().text();
        halvern::testing::DatExpectations expect;
        for (int k = 0; k < colour_slots; ++k)
            expect.markers[size_t(k)] = c.color_src[size_t(k)];
        expect.recto = c.panel == 1 || c.panel == 3;
        expect.verso = c.panel == 2 || c.panel == 3;
        for (const std::string& problem : halvern::testing::dat_problems(*text, expect))
            ADD_FAILURE() << dat << ": " << problem;
        // "void_" becomes the folder of the default pictures: each name must be one of them.
        for (const std::string& name : halvern::testing::default_picture_names(*text))
            if (name != "text" && name != "strat.jpg") {
                EXPECT_TRUE(default_pictures.count("void_" + name)) << dat << " names void_" << name;
            }
    }
}

TEST(ShippedLibrary, MagnetsElevationColoursAndPicturesAreAllUsed)
{
    const ComponentTable& table = loaded("en").components;
    int magnets = 0, automatic = 0, coloured = 0, recto = 0, both = 0, stretched = 0;
    for (int n : file_components(table)) {
        const Component& c = table[n];
        magnets += has_magnet(c);
        automatic += c.auto_elevation == 1;
        coloured += !c.color_src[0].empty();
        recto += c.panel == 1;
        both += c.panel == 3;
        stretched += c.resize_x == 1 && c.resize_y == 1;
    }
    EXPECT_GE(magnets, 4);
    EXPECT_GE(automatic, 3);
    EXPECT_GE(coloured, 30);
    EXPECT_GE(recto, 5);
    EXPECT_GE(both, 3);
    EXPECT_GE(stretched, 1);
}

TEST(ShippedPriceTable, PricesEveryComponentWithoutRenamingIt)
{
    const fs::path file = extlib() / "table.lib";
    Result<std::string> bytes = read_file_bytes(file);
    ASSERT_TRUE(bytes) << bytes.error().text();
    Result<PriceTableRead> read = parse_price_table(cp1252_to_utf8(*bytes), file);
    ASSERT_TRUE(read) << read.error().text();
    EXPECT_TRUE(read->notes.empty());
    std::set<int> priced;
    for (const PriceRecord& r : read->records) {
        EXPECT_EQ(r.fields, price_record_fields) << "record of " << r.number;
        EXPECT_EQ(r.name, "") << "record of " << r.number << " renames the component";
        // The group marker is no product: it is listed, at no price.
        if (r.number == group_component) {
            EXPECT_EQ(r.price, 0);
        } else {
            EXPECT_GT(r.price, 0) << "record of " << r.number;
            EXPECT_GE(r.pack_by, 1) << "record of " << r.number;
        }
        priced.insert(r.number);
    }
    const ComponentTable& table = loaded("en").components;
    for (int n = 0; n <= max_component; ++n)
        if (!table[n].is_free()) {
            EXPECT_TRUE(priced.count(n)) << "component " << n << " (" << table[n].name << ") has no price";
        }

    // The table is read after the catalogue: where the catalogue gives a weight, the table keeps it.
    ComponentTable catalogue;
    fill_builtin_catalogue(catalogue, "en");
    for (int n = 0; n <= max_component; ++n)
        if (!catalogue[n].is_free() && catalogue[n].weight != 0) {
            EXPECT_EQ(table[n].weight, catalogue[n].weight) << "component " << n;
        }
}
