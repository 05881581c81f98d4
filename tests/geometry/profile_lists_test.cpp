#include <gtest/gtest.h>

#include <cmath>

#include "geometry/point_path.h"
#include "geometry/profile_lists.h"
#include "recording_helpers.h"

using namespace halvern;

namespace {

// The list's points as written, in centimetres from its corner.
std::vector<PointD> raw_points(const PointListData& list)
{
    return parse_point_list(list.points, 0, 0).points;
}

void expect_natural_size(const PointListData& list, const std::string& name)
{
    std::vector<PointD> points = raw_points(list);
    EXPECT_EQ(int(points.size()), list.count) << name;
    double left = 1e9, right = -1e9, top = 1e9, bottom = -1e9;
    for (const PointD& p : points) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    EXPECT_NEAR(left, 0, 1e-9) << name;
    EXPECT_NEAR(top, 0, 1e-9) << name;
    EXPECT_NEAR(right, list.width, 1e-9) << name;
    EXPECT_NEAR(bottom, list.depth, 1e-9) << name;
}

} // namespace

TEST(BendLists, SizesAndPointCounts)
{
    struct Row {
        double width, depth;
        int points;
    };
    const Row rows[15] = {{74.123, 17.56, 44}, {71.449, 15.496, 22}, {67.339, 16.138, 44}, {76.513, 12.894, 84},
                          {76.295, 10.488, 42}, {71.721, 12.293, 40}, {77, 10.456, 66},     {77.549, 7.926, 42},
                          {73.399, 10.122, 84}, {77.104, 7.98, 40},   {78.55, 5.192, 94},   {74.623, 7.858, 40},
                          {76.972, 6.783, 44},  {79.093, 3.912, 64},  {75.102, 6.693, 44}};
    for (int n = 1; n <= 15; ++n) {
        const PointListData& list = bend_list(n);
        EXPECT_DOUBLE_EQ(list.width, rows[n - 1].width) << n;
        EXPECT_DOUBLE_EQ(list.depth, rows[n - 1].depth) << n;
        EXPECT_EQ(list.count, rows[n - 1].points) << n;
        expect_natural_size(list, "L" + std::to_string(n));
    }
}

TEST(BendLists, TellingRows)
{
    std::vector<PointD> l2 = raw_points(bend_list(2));
    ASSERT_EQ(l2.size(), 22u);
    EXPECT_DOUBLE_EQ(l2[0].x, 0);
    EXPECT_DOUBLE_EQ(l2[0].y, 15.397);
    EXPECT_DOUBLE_EQ(l2[1].x, 2.253);
    EXPECT_DOUBLE_EQ(l2[1].y, 13.199);
    EXPECT_DOUBLE_EQ(l2[2].x, 4.709);
    EXPECT_DOUBLE_EQ(l2[2].y, 11.108);
    EXPECT_DOUBLE_EQ(l2[21].x, 71.449);
    EXPECT_DOUBLE_EQ(l2[21].y, 15.496);

    std::vector<PointD> l14 = raw_points(bend_list(14));
    ASSERT_EQ(l14.size(), 64u);
    EXPECT_DOUBLE_EQ(l14[0].y, 3.912);
    EXPECT_DOUBLE_EQ(l14[31].x, 38.915);
    EXPECT_DOUBLE_EQ(l14[31].y, 0);
    EXPECT_DOUBLE_EQ(l14[32].x, 40.178);
    EXPECT_DOUBLE_EQ(l14[32].y, 0);
    EXPECT_DOUBLE_EQ(l14[63].x, 79.093);
    for (size_t i = 0; i < 32; ++i) { // symmetric about its middle
        EXPECT_NEAR(l14[i].x + l14[63 - i].x, 79.093, 0.0015) << i;
        EXPECT_NEAR(l14[i].y, l14[63 - i].y, 0.0015) << i;
    }
}

TEST(BendLists, CentreLinesDipToTheMiddleAndBodiesAreBands)
{
    for (int n : {2, 5, 8, 11, 14}) {
        std::vector<PointD> line = raw_points(bend_list(n));
        for (size_t i = 1; i < line.size(); ++i)
            EXPECT_GT(line[i].x, line[i - 1].x) << n; // one pass from end to end
        EXPECT_GT(line.front().y, line[line.size() / 2].y) << n;
    }
    for (int n : {1, 3, 4, 6, 7, 9, 10, 12, 13, 15}) {
        std::vector<PointD> body = raw_points(bend_list(n));
        size_t half = body.size() / 2;
        // Out along one edge and back along the other.
        EXPECT_LT(body.front().x, body[half - 1].x) << n;
        EXPECT_GT(body[half].x, body.back().x) << n;
    }
}

TEST(FrameLists, SizesAndPointCounts)
{
    struct Row {
        FrameList which;
        double width, depth;
        int points;
    };
    for (Row r : {Row{FrameList::end_connector_tilted, 7.34, 3.87, 26}, Row{FrameList::magnet_mark, 1.27, 2.59, 4},
                  Row{FrameList::profile_30, 57.59, 6.22, 30}, Row{FrameList::post, 4.13, 4.11, 40},
                  Row{FrameList::end_connector, 7.13, 2.53, 26}, Row{FrameList::inner_profile_30, 39.75, 5.29, 26},
                  Row{FrameList::end_cap, 0.8, 2.53, 4}, Row{FrameList::profile_90, 56.84, 13.56, 44}}) {
        const PointListData& list = frame_list(r.which);
        EXPECT_DOUBLE_EQ(list.width, r.width);
        EXPECT_DOUBLE_EQ(list.depth, r.depth);
        EXPECT_EQ(list.count, r.points);
        expect_natural_size(list, std::to_string(int(r.which)));
    }
    EXPECT_EQ(frame_list(FrameList::end_cap).points, "|0|0|0.8|0|0.8|2.53|0|2.53|");
}
