// The plan as a drawing exchange file, read back with the same library CAD programs build on:
// layers, one block per component type and shape, insertions at the objects' places and turns,
// the stand's two dimensions, and texts that survive every character a designer may type.

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>

#include <dxflib/dl_creationadapter.h>
#include <dxflib/dl_dxf.h>

#include "base/cp1252.h"
#include "library/builtin_catalogue.h"
#include "outputs/dxf_plan.h"
#include "outputs/dxf_text.h"
#include "support/plan_builder.h"
#include "support/test_support.h"

using namespace halvern;
using halvern::testing::define;
using halvern::testing::place;

namespace {

struct ReadInsert {
    std::string block, layer;
    double x = 0, y = 0, angle = 0;
    std::map<std::string, std::string> attributes;
};

struct ReadBlock {
    int polylines = 0;
    double largest_bulge = 0;
};

// What a CAD program would find in the file.
struct Reader : DL_CreationAdapter {
    std::map<std::string, std::string> variables;
    std::vector<std::string> layers;
    std::map<std::string, ReadBlock> blocks;
    std::vector<ReadInsert> inserts;
    std::vector<std::pair<DL_DimensionData, DL_DimLinearData>> dimensions;
    std::vector<std::string> mtexts;
    std::string block; // the block being read, empty in the entities

    void setVariableInt(const std::string& key, int value, int) override { variables[key] = std::to_string(value); }
    void setVariableString(const std::string& key, const std::string& value, int) override { variables[key] = value; }
    void addLayer(const DL_LayerData& data) override { layers.push_back(data.name); }
    void addBlock(const DL_BlockData& data) override
    {
        block = data.name;
        blocks[block];
    }
    void endBlock() override { block.clear(); }
    void addPolyline(const DL_PolylineData&) override
    {
        if (!block.empty())
            ++blocks[block].polylines;
    }
    void addVertex(const DL_VertexData& data) override
    {
        if (!block.empty())
            blocks[block].largest_bulge = std::max(blocks[block].largest_bulge, std::fabs(data.bulge));
    }
    void addInsert(const DL_InsertData& data) override
    {
        if (block.empty())
            inserts.push_back({data.name, getAttributes().getLayer(), data.ipx, data.ipy, data.angle, {}});
    }
    void addAttribute(const DL_AttributeData& data) override
    {
        if (!inserts.empty())
            inserts.back().attributes[data.tag] = data.text;
    }
    void addDimLinear(const DL_DimensionData& data, const DL_DimLinearData& linear) override
    {
        dimensions.emplace_back(data, linear);
    }
    void addMText(const DL_MTextData& data) override
    {
        if (block.empty())
            mtexts.push_back(data.text);
    }
};

Reader read_back(const std::string& text)
{
    Reader reader;
    std::istringstream in(text);
    DL_Dxf dxf;
    EXPECT_TRUE(dxf.in(in, &reader));
    return reader;
}

// Multi-line text content back to what the designer typed: the code page decoded, then the
// escapes undone.
std::string decoded_mtext(const std::string& content)
{
    const std::string text = cp1252_to_utf8(content);
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '^' && i + 1 < text.size() && text[i + 1] == ' ') {
            out += '^';
            ++i;
        } else if (text[i] != '\\' || i + 1 == text.size() || text.compare(i + 1, 2, "U+") == 0) {
            out += text[i]; // "\\U+" is the code page's own escape: kept as it stands
        } else if (text[++i] == 'P') {
            out += "\r\n";
        } else {
            out += text[i];
        }
    }
    return out;
}

double degrees_apart(double a, double b) { return std::fabs(std::remainder(a - b, 360.0)); }

struct Design {
    ComponentTable components;
    LibraryTable libraries;
    PlanTable plan;
    StandSettings stand;
    PlanScene scene() { return {components, libraries, plan, stand}; }

    Design()
    {
        fill_builtin_catalogue(components, "en");
        Component& corner = define(components, 203, 150, 100, 2);
        corner.name = "Corner counter";
        corner.shape = shape_rounded_square;
        Component& counter = define(components, 1500, 200, 60, 15);
        counter.name = "Counter";
        counter.shape = shape_capsule;
        stand.stand_largeur = 5;
        stand.stand_profondeur = 3;
    }
};

} // namespace

TEST(DxfPlan, LayersBlocksInsertionsAndDimensionsReadBack)
{
    Design d;
    const int frame1 = place(d.plan, 0, 150, 120);
    const int frame2 = place(d.plan, 0, 450, 120);             // lone like the first: the same block
    const int corner = place(d.plan, 203, 520, 330, 90);
    const int counter = place(d.plan, 1500, 300.25f, 260, 30); // a quarter of a millimetre off the grid
    d.plan.obj_texte[size_t(counter)] = "Welcome desk";
    d.plan.obj_visuel_recto[size_t(frame1)] = "C:\\pictures\\front.jpg";
    auto text = plan_dxf(d.scene());
    ASSERT_TRUE(text) << text.error().text();
    const Reader r = read_back(*text);

    EXPECT_EQ(r.variables.at("$INSUNITS"), "4");
    EXPECT_EQ(r.variables.at("$DWGCODEPAGE"), "ANSI_1252");
    for (const char* layer : {"STAND", "FRAMES", "FURNITURE", "PICTURES", "LABELS", "DIMENSIONS"})
        EXPECT_NE(std::find(r.layers.begin(), r.layers.end(), layer), r.layers.end()) << layer;

    // One block per type and shape; besides, the three the format itself needs and one drawing
    // each dimension.
    EXPECT_EQ(r.blocks.size(), 3u + 3u + 2u);
    EXPECT_TRUE(r.blocks.count("*D1") && r.blocks.count("*D2"));
    ASSERT_EQ(r.inserts.size(), 4u);
    EXPECT_EQ(r.inserts[0].block, r.inserts[1].block);
    EXPECT_EQ(r.inserts[2].block, "C0203_Corner_counter_150x100");
    EXPECT_EQ(r.inserts[3].block, "C1500_Counter_200x60");
    EXPECT_EQ(r.inserts[0].block.rfind("C0000_", 0), 0u) << r.inserts[0].block;
    // Arcs stay arcs: the counter's half circles are bulges of 1, the corner's quarter circles less.
    EXPECT_NEAR(r.blocks.at("C1500_Counter_200x60").largest_bulge, 1.0, 1e-6);
    EXPECT_GT(r.blocks.at("C0203_Corner_counter_150x100").largest_bulge, 0.1);
    // Arcs and sides are one outline each; the magnet marks of the screen are not built.
    EXPECT_EQ(r.blocks.at("C1500_Counter_200x60").polylines, 1);
    EXPECT_EQ(r.blocks.at("C0203_Corner_counter_150x100").polylines, 1);
    for (const auto& [name, block] : r.blocks) {
        if (name[0] != '*') {
            EXPECT_GT(block.polylines, 0) << name;
        }
    }

    // Millimetres from the floor's front-left corner, y towards the back, turned the other way.
    struct Expected {
        int object;
        double x, y, angle;
        const char* layer;
    };
    const Expected expected[] = {
        {frame1, 500, 2800, 0, "FRAMES"},
        {frame2, 3500, 2800, 0, "FRAMES"},
        {corner, 4200, 700, 270, "FURNITURE"},
        {counter, 2002.5, 1400, 330, "FURNITURE"},
    };
    for (size_t k = 0; k < std::size(expected); ++k) {
        const ReadInsert& in = r.inserts[k];
        EXPECT_NEAR(in.x, expected[k].x, 0.1) << k;
        EXPECT_NEAR(in.y, expected[k].y, 0.1) << k;
        EXPECT_LT(degrees_apart(in.angle, expected[k].angle), 0.1) << k;
        EXPECT_EQ(in.layer, expected[k].layer) << k;
        EXPECT_EQ(in.attributes.at("REF"), std::to_string(d.plan.comp(expected[k].object))) << k;
        EXPECT_EQ(in.attributes.at("HEIGHT"), "2280") << k;
    }
    EXPECT_EQ(r.inserts[3].attributes.at("TEXT"), "Welcome desk");

    // The stand's width along the front and its depth along the left side.
    ASSERT_EQ(r.dimensions.size(), 2u);
    const DL_DimLinearData& width = r.dimensions[0].second;
    const DL_DimLinearData& depth = r.dimensions[1].second;
    EXPECT_NEAR(std::hypot(width.dpx2 - width.dpx1, width.dpy2 - width.dpy1), 5000, 0.1);
    EXPECT_NEAR(std::hypot(depth.dpx2 - depth.dpx1, depth.dpy2 - depth.dpy1), 3000, 0.1);
    EXPECT_NEAR(depth.angle, 90, 1e-9);
}

TEST(DxfPlan, AFrameJoinedAtACornerIsAnotherShape)
{
    Design d;
    place(d.plan, 0, 200, 200);
    place(d.plan, 0, 600, 200);
    const double half = d.components[0].width / 2;
    place(d.plan, 0, float(600 + half), float(200 + half), 90); // meets the second frame's end 2 square
    auto text = plan_dxf(d.scene());
    ASSERT_TRUE(text) << text.error().text();
    const Reader r = read_back(*text);
    ASSERT_EQ(r.inserts.size(), 3u);
    EXPECT_NE(r.inserts[0].block, r.inserts[1].block);
    EXPECT_EQ(r.inserts[0].block.substr(r.inserts[0].block.size() - 3), "_OO");
}

TEST(DxfPlan, TextsComeBackAsTyped)
{
    Design d;
    const int counter = place(d.plan, 1500, 300, 200);
    const std::string typed = "{Stand} C:\\hall; 2\r\nCafé ^ 5€ \xe2\x86\x92 ok";
    d.plan.obj_texte[size_t(counter)] = typed;
    auto text = plan_dxf(d.scene());
    ASSERT_TRUE(text) << text.error().text();
    const Reader r = read_back(*text);
    ASSERT_EQ(r.mtexts.size(), 1u);
    // The arrow is not in the code page: it travels as its code point, which CAD programs read.
    std::string expected = typed;
    expected.replace(expected.find("\xe2\x86\x92"), 3, "\\U+2192");
    EXPECT_EQ(decoded_mtext(r.mtexts[0]), expected);
    // An attribute holds one line: the line break is a blank, nothing is escaped.
    EXPECT_EQ(cp1252_to_utf8(r.inserts.at(0).attributes.at("TEXT")), "{Stand} C:\\hall; 2 Café ^  5€ \\U+2192 ok");
    // No value ever breaks its line: the lines pair up as a group code and its value to the end.
    EXPECT_EQ(std::count(text->begin(), text->end(), '\n'), std::count(text->begin(), text->end(), '\r'));
    std::istringstream lines(*text);
    std::string code, value;
    int pairs = 0;
    while (std::getline(lines, code) && std::getline(lines, value)) {
        ASSERT_TRUE(!code.empty() && code.back() == '\r') << pairs;
        size_t used = 0;
        EXPECT_NO_THROW(std::stoi(code, &used)) << "pair " << pairs << ": " << code;
        EXPECT_EQ(used + 1, code.size()) << "pair " << pairs << ": " << code;
        ++pairs;
    }
    EXPECT_EQ(value, "EOF\r");
}

TEST(DxfPlan, TextEscapesAndLimits)
{
    struct Case {
        const char* typed;
        const char* mtext;
        const char* line;
    };
    const Case cases[] = {
        {"a\\b{c}", "a\\\\b\\{c\\}", "a\\b{c}"},
        {"1\r\n2\n3\r4", "1\\P2\\P3\\P4", "1 2 3 4"},
        {"tab\there\x01", "tab here ", "tab here "},
        {"\xe9t\xe9", "\\U+FFFDt\\U+FFFD", "\\U+FFFDt\\U+FFFD"}, // not UTF-8: never raw bytes
        {"caf\xc3\xa9", "caf\xe9", "caf\xe9"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(dxf_mtext(c.typed), c.mtext) << c.typed;
        EXPECT_EQ(dxf_line(c.typed), c.line) << c.typed;
    }
    const std::string long_line = dxf_line(std::string(300, 'x') + "\xe2\x86\x92");
    EXPECT_EQ(long_line.size(), dxf_max_value_bytes);
    EXPECT_EQ(dxf_line(std::string(249, 'x') + "\xe2\x86\x92"), std::string(249, 'x')); // never half a code
    EXPECT_EQ(dxf_name_part("Comptoir d'angle (été) 2"), "Comptoir_d_angle_t_2");
}

TEST(DxfPlan, OutOfRangeIsRefusedAndTheOldFileKept)
{
    Design d;
    const int counter = place(d.plan, 1500, 300, 200);
    halvern::testing::ScratchDir dir;
    const auto file = dir.write("plan.dxf", "old");
    d.plan.obj_x[size_t(counter)] = 2.0e5f;
    auto written = write_plan_dxf(file, d.scene());
    ASSERT_FALSE(written);
    EXPECT_NE(written.error().text().find("object 1"), std::string::npos) << written.error().text();
    EXPECT_EQ(halvern::testing::read_bytes(file), "old");
    d.plan.obj_x[size_t(counter)] = 300;
    d.stand.stand_largeur = 0;
    EXPECT_FALSE(plan_dxf(d.scene()));
}

TEST(DxfPlan, EveryHandleLiesBelowTheSeedOfAFullPlan)
{
    // As many objects as the plan holds, each of its own size and so its own block of many strokes:
    // more handles than the library's fixed seed promises.
    Design d;
    Component& dashes = define(d.components, 1600, 100, 10, 16);
    dashes.shape = shape_turtle_path;
    dashes.resize_x = 1;
    dashes.no_magnet = "1";
    for (int k = 0; k < 24; ++k)
        dashes.draw += "FD3 PU FD3 PD ";
    for (int i = 0; i < max_objects; ++i) {
        const int n = place(d.plan, 1600, float(100 + i % 50 * 10), float(100 + i / 50 * 5));
        d.plan.obj_largeur[size_t(n)] = float(50 + i);
    }
    auto text = plan_dxf(d.scene());
    ASSERT_TRUE(text) << text.error().text();
    std::istringstream lines(*text);
    std::string code, value;
    unsigned long seed = 0, largest = 0;
    bool next_is_seed = false;
    while (std::getline(lines, code) && std::getline(lines, value)) {
        const int group = std::stoi(code);
        if (group == 9)
            next_is_seed = value == "$HANDSEED\r";
        else if (group == 5 && next_is_seed)
            seed = std::stoul(value, nullptr, 16), next_is_seed = false;
        else if (group == 5 || group == 105)
            largest = std::max(largest, std::stoul(value, nullptr, 16));
    }
    EXPECT_GT(largest, 0xFFFFul);
    EXPECT_GT(seed, largest);
}
