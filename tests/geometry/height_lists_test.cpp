#include <gtest/gtest.h>

#include "geometry/height_lists.h"

using namespace halvern;

namespace {

ComponentTable named_frames()
{
    ComponentTable t;
    const char* names[10] = {"Violet", "Citron", "Marron", "Or", "Argent", "Rose", "Bleu", "Vert", "Blanc", "Noir"};
    for (int n = 0; n < 10; ++n)
        t[n].name = names[n];
    return t;
}

} // namespace

TEST(HeightLists, FrameHeightsNameTheirModules)
{
    auto choices = frame_height_choices("module", named_frames());
    ASSERT_EQ(choices.size(), 14u);
    EXPECT_EQ(choices[0].label, "25.5cm - 1 module - Blanc");
    EXPECT_EQ(choices[2].label, "72.1cm 1 module - Rose");
    EXPECT_EQ(choices[4].label, "116 cm - 1 module - Or");
    EXPECT_EQ(choices[5].label, "150.3cm - 2 module - Or + Vert");
    EXPECT_EQ(choices[8].label, "250cm - 3 module - Or + Or + Blanc");
    EXPECT_EQ(choices[12].label, "564cm - 5 module - Or + Or + Or + Or + Or");
    EXPECT_EQ(choices[13].label, "245.5cm - 2 module - Noir + Noir");
    const double heights[14] = {25.5, 37.9, 72.1, 100, 116, 150.3, 197, 228, 250, 262, 340, 452, 564, 245.5};
    for (size_t i = 0; i < 14; ++i)
        EXPECT_DOUBLE_EQ(choices[i].height, heights[i]) << i;
}

TEST(HeightLists, ModuleHeights)
{
    auto choices = module_height_choices("M");
    ASSERT_EQ(choices.size(), 11u);
    EXPECT_EQ(choices[0].label, "55cm - 1 M - 1 x 55cm");
    EXPECT_EQ(choices[4].label, "150cm - 2 M - 1 x 75cm + 1 x 75 cm");
    EXPECT_EQ(choices[10].label, "375cm - 5 M - 5 x 75cm");
    EXPECT_DOUBLE_EQ(choices[8].height, 245);
    EXPECT_EQ(choice_list_text({{"a", 1}, {"b", 2}}), "a|b");
    EXPECT_EQ(choice_list_text(choices).substr(0, 43), "55cm - 1 M - 1 x 55cm|75cm - 1 M - 1 x 75cm");
}

TEST(HeightLists, ChoosingAndDismissing)
{
    auto frames = frame_height_choices("M", named_frames());
    EXPECT_DOUBLE_EQ(chosen_height(frames, 12, 228), 564); // the 13th entry
    EXPECT_DOUBLE_EQ(chosen_height(frames, -1, 228), 228);
    EXPECT_DOUBLE_EQ(chosen_height(frames, 14, 228), 228);
    EXPECT_DOUBLE_EQ(chosen_height(module_height_choices("M"), -1, 130), 130);
}
