// Outlines put from kept pictures, recorded: a picture is the direct drawing exactly, wherever
// the centre falls; whole-pixel moves share a picture; anything the pictures cannot hold is drawn
// directly.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "geometry/canvas_adapters.h"
#include "geometry/outline_cache.h"
#include "geometry/recording_canvas.h"
#include "library/builtin_catalogue.h"

using namespace halvern;

namespace {

// Pictures kept as recordings, put by replaying them moved to their place.
class RecordedOutlines : public OutlineCache {
protected:
    Canvas* begin_picture(int, int) override
    {
        pictures_.push_back(std::make_unique<RecordingCanvas>());
        return pictures_.back().get();
    }
    int end_picture() override { return int(pictures_.size()) - 1; }
    bool put_picture(int number, Canvas& target, Pixel at) override
    {
        OffsetCanvas moved(target, -at.x, -at.y);
        replay(pictures_.at(size_t(number))->primitives(), moved);
        return true;
    }
    void drop_pictures() override { pictures_.clear(); }
    void drop_picture(int number) override { pictures_.at(size_t(number)).reset(); }

public:
    int held() const
    {
        return int(std::count_if(pictures_.begin(), pictures_.end(), [](const auto& p) { return p != nullptr; }));
    }

private:
    std::vector<std::unique_ptr<RecordingCanvas>> pictures_;
};

bool same(const std::vector<Primitive>& a, const std::vector<Primitive>& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t k = 0; k < a.size(); ++k)
        if (a[k].kind != b[k].kind || a[k].points != b[k].points || !(a[k].bounds == b[k].bounds)
            || !(a[k].state.colour == b[k].state.colour) || a[k].state.line_width != b[k].state.line_width
            || a[k].state.line_style != b[k].state.line_style || a[k].filled != b[k].filled
            || a[k].start != b[k].start || a[k].sweep != b[k].sweep)
            return false;
    return true;
}

class OutlineCacheTest : public ::testing::Test {
protected:
    OutlineCacheTest()
    {
        fill_builtin_catalogue(*components, "en");
        Component& desk = (*components)[107];
        desk.name = "Bureau";
        desk.library = 1;
        desk.shape = shape_point_list;
        desk.width = 160;
        desk.depth = 80;
        desk.draw = "|0|0|160|0|160|80|100|80|100|30|0|30|";
        desk.draw_color = make_colour(40, 40, 40);
        Component& stool = (*components)[101];
        stool.name = "Tabouret";
        stool.library = 1;
        stool.shape = shape_circle;
        stool.width = stool.depth = 40;
    }

    ComponentLook look(int component, double x, double y, double angle) const
    {
        ComponentLook l;
        l.component = component;
        l.x = x;
        l.y = y;
        l.angle = angle;
        l.detail = 3;
        l.end_code = "RC";
        return l;
    }

    std::vector<Primitive> direct(const PlanView& view, const ComponentLook& l) const
    {
        RecordingCanvas c;
        draw_component(c, *components, view, l);
        return c.primitives();
    }
    std::vector<Primitive> kept(const PlanView& view, const ComponentLook& l)
    {
        RecordingCanvas c;
        cache.draw(c, *components, view, l);
        return c.primitives();
    }

    std::unique_ptr<ComponentTable> components = std::make_unique<ComponentTable>();
    RecordedOutlines cache;
};

TEST_F(OutlineCacheTest, APictureIsTheDirectDrawing)
{
    // Round centimetres at zoom 1 put many points exactly on pixel borders; the others anywhere.
    for (const PlanView view : {PlanView{1.0, -40.3, -25.7, true}, PlanView{1.37, 3.1, 0, false}})
        for (int component : {3, 5, 2302, 2310, 101, 107})
            for (double angle : {0.0, 45.0, 90.0, 200.0}) {
                SCOPED_TRACE(component);
                SCOPED_TRACE(angle);
                const ComponentLook l = look(component, 400.3, 300.9, angle);
                const auto want = direct(view, l);
                ASSERT_FALSE(want.empty());
                EXPECT_TRUE(same(want, kept(view, l)));
            }
    EXPECT_EQ(cache.pictures_made(), 48);
    EXPECT_EQ(cache.pictures_put(), 48);
}

TEST_F(OutlineCacheTest, WholePixelMovesShareOnePicture)
{
    const PlanView view{2.0, 10, 5, true};
    const ComponentLook a = look(4, 300.03125, 200.15625, 30);
    const ComponentLook b = look(4, 300.03125 + 18.5, 200.15625 - 7, 30); // 37 and -14 pixels away
    EXPECT_TRUE(same(direct(view, a), kept(view, a)));
    EXPECT_TRUE(same(direct(view, b), kept(view, b)));
    EXPECT_EQ(cache.pictures_made(), 1);
    EXPECT_EQ(cache.pictures_put(), 2);
}

TEST_F(OutlineCacheTest, KeysTellLooksApart)
{
    const PlanView view{1.0, 0, 0, false};
    const DrawState state;
    auto key = [&](const ComponentLook& l) { return outline_place(*components, view, l, state).key; };
    const ComponentLook base = look(3, 100.0, 100.0, 0);
    ComponentLook other = base;
    other.x += 0.001; // another phase
    EXPECT_NE(key(base), key(other));
    other = base;
    other.x += 3; // whole pixels
    EXPECT_EQ(key(base), key(other));
    other = base;
    other.end_code = "OO";
    EXPECT_NE(key(base), key(other));
    other = base;
    other.intensity = 0.4;
    EXPECT_NE(key(base), key(other));
    other = base;
    other.detail = 1;
    EXPECT_NE(key(base), key(other));
    // Library components read neither the end code nor, unless they resize, the object's size.
    ComponentLook desk = look(107, 100, 100, 0), desk2 = desk;
    desk2.end_code = "OO";
    desk2.object_width = 300;
    EXPECT_EQ(key(desk), key(desk2));
    (*components)[107].resize_x = 1;
    EXPECT_NE(key(desk), key(desk2));
    DrawState plain;
    plain.smooth = false;
    EXPECT_NE(key(base), outline_place(*components, view, base, plain).key);
}

TEST_F(OutlineCacheTest, WhatCannotBeKeptIsDrawnDirectly)
{
    const PlanView view{1.0, 0, 0, false};
    // Partly left of the picture, too large, a free number: each drawn as it would be.
    const ComponentLook left = look(5, 10.3, 300.2, 0);
    EXPECT_TRUE(same(direct(view, left), kept(view, left)));
    (*components)[107].width = 5000;
    const ComponentLook huge = look(107, 3000, 3000, 0);
    EXPECT_TRUE(same(direct(view, huge), kept(view, huge)));
    EXPECT_TRUE(kept(view, look(4000, 500, 500, 0)).empty());
    EXPECT_EQ(cache.pictures_put(), 0);
}

TEST_F(OutlineCacheTest, ChangedRecordOrZoomEmptiesTheCache)
{
    PlanView view{1.0, 0, 0, false};
    const ComponentLook l = look(107, 400.0625, 300.0625, 0);
    kept(view, l);
    EXPECT_EQ(cache.entries(), 1);
    cache.begin_redraw();
    (*components)[107].draw_color = make_colour(255, 0, 0);
    const auto red = kept(view, l);
    EXPECT_TRUE(same(direct(view, l), red));
    EXPECT_EQ(cache.pictures_made(), 2);
    view.zoom = 2;
    kept(view, l);
    EXPECT_EQ(cache.entries(), 1);
}

// A view scrolled by a fraction of a pixel needs new pictures: those of earlier redraws make room,
// and what one redraw alone cannot hold is drawn directly.
TEST_F(OutlineCacheTest, FullCacheForgetsEarlierRedrawsFirst)
{
    const PlanView view{1.0, 0, 0, false};
    auto redraw = [&](double shift, int count) {
        cache.begin_redraw();
        bool all_same = true;
        for (int k = 0; k < count; ++k) {
            // Each stool at its own fraction of a pixel: no two share a picture.
            const ComponentLook l = look(101, 100 + shift + k * 0.0001, 100, 0);
            all_same = all_same && same(direct(view, l), kept(view, l));
        }
        return all_same;
    };
    EXPECT_TRUE(redraw(0, 3000));
    EXPECT_EQ(cache.entries(), 3000);
    const int put = cache.pictures_put();
    EXPECT_TRUE(redraw(0.5, 3000));
    EXPECT_EQ(cache.pictures_put() - put, 3000);
    EXPECT_EQ(cache.entries(), 3000);
    EXPECT_EQ(cache.held(), 3000);
    const int before = cache.pictures_put();
    EXPECT_TRUE(redraw(0.25, OutlineCache::max_entries + 50));
    EXPECT_EQ(cache.pictures_put() - before, OutlineCache::max_entries);
    EXPECT_EQ(cache.entries(), OutlineCache::max_entries);
    EXPECT_LE(cache.bytes(), OutlineCache::max_bytes);
}

} // namespace

