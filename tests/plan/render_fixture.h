#pragma once
// A design with the built-in catalogue, drawn into a recording canvas.

#include <gtest/gtest.h>

#include <memory>

#include "geometry/recording_canvas.h"
#include "library/builtin_catalogue.h"
#include "plan/render.h"
#include "support/plan_builder.h"

namespace halvern::testing {

class RenderFixture : public ::testing::Test {
protected:
    RenderFixture()
    {
        fill_builtin_catalogue(*components, "en");
        libraries.name[0] = "VEK";
        view.zoom_auto = false;
        view.zoom = 1;
    }

    PlanScene scene() { return {*components, libraries, plan, stand}; }

    RenderOutcome draw(int width = 800, int height = 500, RenderOptions options = {})
    {
        canvas.clear();
        options.width = width;
        options.height = height;
        PlanScene s = scene();
        return render_plan(canvas, s, view, options);
    }

    int place(int component, float x, float y, float rot = 0) { return testing::place(plan, component, x, y, rot); }

    std::vector<Primitive> find(Primitive::Kind kind, int colour, bool filled) const
    {
        std::vector<Primitive> out;
        for (const Primitive& p : canvas.primitives())
            if (p.kind == kind && p.colour() == colour && p.filled == filled)
                out.push_back(p);
        return out;
    }

    std::vector<std::string> texts() const
    {
        std::vector<std::string> out;
        for (const Primitive& p : canvas.primitives())
            if (p.kind == Primitive::Kind::text)
                out.push_back(p.text);
        return out;
    }

    int count_text(const std::string& text) const
    {
        int n = 0;
        for (const std::string& t : texts())
            n += t == text ? 1 : 0;
        return n;
    }

    std::unique_ptr<ComponentTable> components = std::make_unique<ComponentTable>();
    LibraryTable libraries;
    PlanTable plan;
    StandSettings stand;
    ViewState view;
    RecordingCanvas canvas;
};

inline constexpr int floor_grey = make_colour(220, 220, 220);
inline constexpr int wall_grey = make_colour(158, 158, 158);
inline constexpr int angle_error_red = make_colour(230, 0, 0);
inline constexpr int doublon_yellow = make_colour(255, 255, 0);
inline constexpr int silver = 4; // built-in frame, 96.8 cm wide
inline constexpr int blue = 6;   // built-in frame, 48.4 cm wide

} // namespace halvern::testing
