// The anchored key search must find exactly what testing every key by containment finds.

#include <gtest/gtest.h>

#include <random>

#include "library/definition_keys.h"

using namespace halvern;

namespace {

int key_id(std::string_view text, int occurrence = 0)
{
    const auto& keys = definition_keys();
    for (size_t i = 0; i < keys.size(); ++i)
        if (keys[i].text == text && occurrence-- == 0)
            return int(i);
    return -1;
}

std::vector<std::string> key_texts(const KeyMatches& m)
{
    std::vector<std::string> out;
    for (int k : m.list())
        out.push_back(definition_keys()[size_t(k)].text);
    return out;
}

} // namespace

TEST(DefinitionKeys, FixedOrderAndCount)
{
    const auto& keys = definition_keys();
    ASSERT_EQ(int(keys.size()), definition_key_count);
    EXPECT_EQ(keys.front().text, "auto_elevation=");
    EXPECT_EQ(keys[5].text, "elevation="); // tested a second time after the panel sizes
    EXPECT_EQ(keys[16].text, "color_src_0=");
    EXPECT_EQ(keys[34].text, "magnet_x_0=");
    EXPECT_EQ(keys[34 + 9 * 10 + 8].text, "magnet_only_lib_10=");
    EXPECT_EQ(keys[keys.size() - 2].text, "panel=");
    EXPECT_EQ(keys.back().text, "name_en=");
}

TEST(DefinitionKeys, ContainmentMatchesAnywhereInTheLine)
{
    EXPECT_EQ(key_texts(match_keys("auto_elevation=1")),
              (std::vector<std::string>{"auto_elevation=", "elevation=", "elevation="}));
    EXPECT_EQ(key_texts(match_keys("magnet_no_elevation=1")),
              (std::vector<std::string>{"magnet_no_elevation=", "elevation=", "elevation="}));
    EXPECT_EQ(key_texts(match_keys("xauto_elevation=1")),
              (std::vector<std::string>{"auto_elevation=", "elevation=", "elevation="}));
    EXPECT_EQ(key_texts(match_keys("a=b=elevation=3")), (std::vector<std::string>{"elevation=", "elevation="}));
    EXPECT_EQ(key_texts(match_keys("draw=x;draw_color=FF")), (std::vector<std::string>{"draw=", "draw_color="}));
    EXPECT_EQ(key_texts(match_keys("magnet_x_10=5")), (std::vector<std::string>{"magnet_x_10="}));
    EXPECT_TRUE(match_keys("magnet_x_11=5").empty());
    EXPECT_TRUE(match_keys("color_src_6=a").empty());
    EXPECT_TRUE(match_keys("ELEVATION=3").empty());
    EXPECT_TRUE(match_keys("elevation =3").empty());
    EXPECT_TRUE(match_keys("elevation").empty());
    EXPECT_EQ(match_keys("name_en=Purple").list(), std::vector<int>{key_id("name_en=")});
}

TEST(DefinitionKeys, AnchoredSearchEqualsContainmentOnOddLines)
{
    const std::vector<std::string> lines = {
        "", "=", "==", "===elevation", "elevation==", "=elevation=", "xauto_elevation=1", "a=b=elevation=3",
        "auto_elevation=magnet_no_elevation=", "magnet_contrainte_ajuste_3=1", "magnet_contrainte_3=1",
        "magnet_only_lib_10=2", "magnet_only_lib_1=0=", "ref_reseal=ref=", "panel=panel_w_1=panel_h_1=",
        "short=\xC3\xA9=info=", "\xC3\xA9lévation=1", "color_name_5=color_lib_5=color_src_5=", "pivot_x=pivot_y=",
        "draw_fill=draw_open=draw_rotation=draw_mirror=", "resize_x=resize_y=resize_z=", "no_magnet=auteur=license=",
        "name_en=", "xname_en=", "name_en", " elevation=1 ", "\televation=\t", "magnet_x_0=magnet_x_00=",
        "magnet_x_010=", "color_src_05=", "magnet_r_-1=", "magnet_r_+1=", "_elevation=", "0elevation=",
    };
    for (const std::string& line : lines)
        EXPECT_EQ(match_keys(line).list(), match_keys_by_containment(line).list()) << "line: " << line;
}

TEST(DefinitionKeys, AnchoredSearchEqualsContainmentOnGeneratedLines)
{
    // Lines glued together from key texts, cut keys, stray "=" and other characters, so that keys
    // overlap, nest and stand next to near misses.
    std::vector<std::string> pieces;
    for (const auto& k : definition_keys()) {
        pieces.push_back(k.text);
        pieces.push_back(k.text.substr(0, k.text.size() - 1));
        pieces.push_back(k.text.substr(1));
        pieces.push_back(k.text.substr(k.text.size() / 2));
    }
    for (const char* s : {"=", "==", "_", "1", "10", "11", "x", "X", " ", "\t", "\xC3\xA9", "&h", "-90", "e"})
        pieces.emplace_back(s);

    std::mt19937 rng(20240611);
    std::uniform_int_distribution<size_t> piece(0, pieces.size() - 1);
    std::uniform_int_distribution<int> count(1, 8);
    int lines_with_keys = 0, lines_with_several = 0;
    for (int i = 0; i < 200000; ++i) {
        std::string line;
        for (int n = count(rng); n > 0; --n)
            line += pieces[piece(rng)];
        KeyMatches fast = match_keys(line), plain = match_keys_by_containment(line);
        ASSERT_EQ(fast.list(), plain.list()) << "line: " << line;
        lines_with_keys += !plain.empty();
        lines_with_several += plain.list().size() > 1;
    }
    // The generator really exercises matches, not only misses.
    EXPECT_GT(lines_with_keys, 50000);
    EXPECT_GT(lines_with_several, 10000);
}
