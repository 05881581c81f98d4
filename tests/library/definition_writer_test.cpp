#include <gtest/gtest.h>

#include "base/cp1252.h"
#include "base/text_file.h"
#include "library/definition_file.h"
#include "support/test_support.h"

using namespace halvern;
using halvern::testing::read_bytes;
using halvern::testing::ScratchDir;

namespace {

// A record in which every field the writer writes differs from its default and has at most
// two decimals, so that a round trip must give it back exactly.
Component full_component()
{
    Component c;
    c.shape = 100;
    c.name = "Cloison courbée";
    c.width = 120.125; // the header is written without rounding
    c.depth = 3.5;
    c.height = 245;
    c.auto_elevation = 1;
    c.magnet_no_elevation = 1;
    c.elevation = 12.5;
    c.panel_w_1 = 118;
    c.panel_h_1 = 240.25;
    c.panel = 3;
    c.resize_x = 1;
    c.resize_y = 1;
    c.resize_z = 1;
    c.draw = "|0|0|120|0|120|3.5|0|3.5|";
    c.auteur = "Atelier Nord";
    c.license = "CC BY 4.0";
    c.ref = "REF-12";
    c.ref_reseal = "RV-3";
    c.short_name = "Cloison";
    c.info = "42";
    c.draw_mirror = 1;
    c.no_magnet = "1";
    c.draw_open = "1";
    c.draw_rotation = "90";
    c.draw_fill = "1";
    c.pivot_x = 60.5f;
    c.pivot_y = 1.75f;
    c.draw_color = 0x80FF20;
    for (int k = 0; k < colour_slots; ++k) {
        auto s = size_t(k);
        c.color_src[s] = "mat" + std::to_string(k);
        c.color_name[s] = "Face " + std::to_string(k);
        c.color_lib[s] = "lib" + std::to_string(k) + ".lib";
    }
    for (int k = 0; k < magnet_slots; ++k) {
        auto s = size_t(k);
        c.magnet_x[s] = 10.25 * k + 1;
        c.magnet_y[s] = -k - 0.5;
        c.magnet_z[s] = k * 3;
        c.magnet_r[s] = float(k * 30 + 0.5);
        c.magnet_contrainte[s] = 1;
        c.magnet_force[s] = 10 + k;
        c.magnet_recepteur[s] = k % 4;
        c.magnet_contrainte_ajuste[s] = 2;
        c.magnet_only_lib[s] = 23;
    }
    c.library = 12;
    c.file_name = "cloison.lib";
    return c;
}

void expect_written_fields_equal(const Component& a, const Component& b)
{
    EXPECT_EQ(a.shape, b.shape);
    EXPECT_EQ(a.name, b.name);
    EXPECT_EQ(a.width, b.width);
    EXPECT_EQ(a.depth, b.depth);
    EXPECT_EQ(a.height, b.height);
    EXPECT_EQ(a.auto_elevation, b.auto_elevation);
    EXPECT_EQ(a.elevation, b.elevation);
    EXPECT_EQ(a.panel_w_1, b.panel_w_1);
    EXPECT_EQ(a.panel_h_1, b.panel_h_1);
    EXPECT_EQ(a.panel, b.panel);
    EXPECT_EQ(a.resize_x, b.resize_x);
    EXPECT_EQ(a.resize_y, b.resize_y);
    EXPECT_EQ(a.resize_z, b.resize_z);
    EXPECT_EQ(a.draw, b.draw);
    EXPECT_EQ(a.auteur, b.auteur);
    EXPECT_EQ(a.license, b.license);
    EXPECT_EQ(a.ref, b.ref);
    EXPECT_EQ(a.ref_reseal, b.ref_reseal);
    EXPECT_EQ(a.short_name, b.short_name);
    EXPECT_EQ(a.info, b.info);
    EXPECT_EQ(a.draw_mirror, b.draw_mirror);
    EXPECT_EQ(a.no_magnet, b.no_magnet);
    EXPECT_EQ(a.draw_open, b.draw_open);
    EXPECT_EQ(a.draw_rotation, b.draw_rotation);
    EXPECT_EQ(a.pivot_x, b.pivot_x);
    EXPECT_EQ(a.pivot_y, b.pivot_y);
    EXPECT_EQ(a.draw_color, b.draw_color);
    EXPECT_EQ(a.color_src, b.color_src);
    EXPECT_EQ(a.color_name, b.color_name);
    EXPECT_EQ(a.color_lib, b.color_lib);
    EXPECT_EQ(a.magnet_x, b.magnet_x);
    EXPECT_EQ(a.magnet_y, b.magnet_y);
    EXPECT_EQ(a.magnet_z, b.magnet_z);
    EXPECT_EQ(a.magnet_r, b.magnet_r);
    EXPECT_EQ(a.magnet_contrainte, b.magnet_contrainte);
    EXPECT_EQ(a.magnet_force, b.magnet_force);
    EXPECT_EQ(a.magnet_recepteur, b.magnet_recepteur);
}

std::vector<std::string> key_names(const std::vector<std::string>& lines)
{
    std::vector<std::string> names;
    for (size_t i = 6; i < lines.size(); ++i)
        names.push_back(lines[i].substr(0, lines[i].find('=') + 1));
    return names;
}

} // namespace

TEST(DefinitionWriter, RoundTripLosesOnlyTheKeysNeverWritten)
{
    ScratchDir app;
    std::filesystem::create_directories(app / "extlib/12");
    ComponentTable table;
    table[1234] = full_component();
    ASSERT_TRUE(write_definition_file(app.path(), table, 1234).ok());

    ComponentTable back;
    auto n = read_definition_file(app / "extlib/12/cloison.lib", back, "en");
    ASSERT_TRUE(n.ok()) << n.error().text();
    EXPECT_EQ(*n, 1234);
    expect_written_fields_equal(table[1234], back[1234]);

    EXPECT_EQ(back[1234].magnet_only_lib, table[1234].magnet_only_lib);
    // Never written, so back to their defaults.
    EXPECT_EQ(back[1234].magnet_no_elevation, 0);
    EXPECT_EQ(back[1234].draw_fill, "");
    EXPECT_EQ(back[1234].magnet_contrainte_ajuste[3], 0);
}

TEST(DefinitionWriter, KeysInTheirOrderNumbersRoundedToTwoDecimals)
{
    Component c;
    c.name = "Line\r\nbreak";
    c.width = 100.125;
    c.elevation = 12.345;
    c.pivot_x = 1.85f;  // single precision: 1.8500000238...
    c.magnet_r[0] = -90;
    c.draw = "PU\r\nFD 10\nLT 90";
    c.draw_color = 255;
    auto lines = definition_lines(c, 7);

    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 6),
              (std::vector<std::string>{"7", "0", "Linebreak", "100.125", "0", "0"}));

    std::vector<std::string> expected = {"auto_elevation=", "elevation=", "panel_w_1=", "panel_h_1=", "elevation=",
                                         "draw=", "draw_mirror=", "no_magnet=", "draw_open=", "draw_rotation=",
                                         "pivot_x=", "pivot_y="};
    for (int k = 0; k <= 10; ++k)
        for (const char* m : {"magnet_x_", "magnet_y_", "magnet_z_", "magnet_r_", "magnet_contrainte_",
                              "magnet_force_", "magnet_recepteur_"})
            expected.push_back(m + std::to_string(k) + "=");
    for (int k = 0; k <= 5; ++k)
        for (const char* m : {"color_src_", "color_name_", "color_lib_"})
            expected.push_back(m + std::to_string(k) + "=");
    for (const char* m : {"ref=", "ref_reseal=", "info=", "short=", "resize_x=", "resize_y=", "resize_z=",
                          "draw_color=", "panel=", "auteur=", "license="})
        expected.push_back(m);
    EXPECT_EQ(key_names(lines), expected);

    auto value = [&](const std::string& key) {
        for (size_t i = 6; i < lines.size(); ++i)
            if (lines[i].rfind(key, 0) == 0)
                return lines[i].substr(key.size());
        return std::string("<absent>");
    };
    EXPECT_EQ(value("elevation="), "12.35");
    EXPECT_EQ(value("pivot_x="), "1.85");
    EXPECT_EQ(value("pivot_y="), "-1");
    EXPECT_EQ(value("magnet_r_0="), "-90");
    EXPECT_EQ(value("draw="), "PUFD 10LT 90");
    EXPECT_EQ(value("draw_color="), "FF");
    EXPECT_EQ(value("info="), "");
}

TEST(DefinitionWriter, FileIsCodePage1252WithCrLf)
{
    ScratchDir app;
    std::filesystem::create_directories(app / "extlib/3");
    ComponentTable table;
    table[301].name = "Profilé";
    table[301].file_name = "p.lib";
    ASSERT_TRUE(write_definition_file(app.path(), table, 301).ok());
    std::string bytes = read_bytes(app / "extlib/3/p.lib");
    EXPECT_EQ(bytes.rfind("301\r\n0\r\nProfil\xE9\r\n0\r\n", 0), 0u);
    EXPECT_EQ(bytes.substr(bytes.size() - 10), "license=\r\n");
}

TEST(DefinitionWriter, LibraryZeroBecomesTheNumbersHundreds)
{
    ScratchDir app;
    std::filesystem::create_directories(app / "extlib/5");
    ComponentTable table;
    table[512].name = "Socle";
    table[512].file_name = "socle.lib";
    ASSERT_TRUE(write_definition_file(app.path(), table, 512).ok());
    EXPECT_EQ(table[512].library, 5);
    EXPECT_TRUE(std::filesystem::exists(app / "extlib/5/socle.lib"));
}

TEST(DefinitionWriter, RefusesWhatWouldWriteElsewhere)
{
    ScratchDir app;
    std::filesystem::create_directories(app / "extlib/4");
    ComponentTable table;
    table[400].name = "A";

    table[400].file_name = "a.lib";
    table[400].library = 9; // folder 9 does not exist: the writer never creates one
    auto missing = write_definition_file(app.path(), table, 400);
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error().file, app / "extlib/9");
    EXPECT_FALSE(std::filesystem::exists(app / "extlib/9"));

    table[400].library = 4;
    for (const char* name : {"", "../a.lib", "sub/a.lib", "..", "a\\b.lib"}) {
        table[400].file_name = name;
        EXPECT_FALSE(write_definition_file(app.path(), table, 400).ok()) << name;
    }
    table[400].file_name = "a.lib";
    table[400].library = group_library;
    EXPECT_FALSE(write_definition_file(app.path(), table, 400).ok());
    EXPECT_FALSE(write_definition_file(app.path(), table, 5001).ok());
    EXPECT_TRUE(std::filesystem::is_empty(app / "extlib/4"));
}

TEST(DefinitionWriter, ReplacesAnExistingFileCompletely)
{
    ScratchDir app;
    app.write("extlib/6/old.lib", std::string(10000, 'x'));
    ComponentTable table;
    table[600].name = "New";
    table[600].library = 6;
    table[600].file_name = "old.lib";
    ASSERT_TRUE(write_definition_file(app.path(), table, 600).ok());
    auto lines = read_lines(app / "extlib/6/old.lib");
    ASSERT_TRUE(lines.ok());
    EXPECT_EQ(*lines, definition_lines(table[600], 600));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(app / "extlib/6"),
                            std::filesystem::directory_iterator()),
              1); // no temporary file left behind
}
