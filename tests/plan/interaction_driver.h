#pragma once
// A plan window without a window: scripted pointer and key events go into the interaction, and a
// recording host keeps every call it makes, so tests assert on the table, the selection and the
// host's calls.

#include <functional>
#include <string>
#include <vector>

#include "plan/interaction.h"
#include "support/plan_builder.h"

namespace halvern::testing {

// Component numbers of the interaction tests.
inline constexpr int panel = 1;       // library 0, 100 cm wide, style 0
inline constexpr int post = 3;        // library 0, 40 cm wide, style 1
inline constexpr int loose_panel = 5; // library 0, 100 cm wide, never joined at its ends
inline constexpr int shelf = 101;     // library 1, 80 by 40 cm
inline constexpr int free_number = 102;
inline constexpr int hidden_shelf = 103;

struct RecordingHost : InteractionHost {
    int redraws = 0;
    std::vector<LiveOverlay> live;
    std::vector<std::pair<int, int>> palette_scrolls;
    int view_changes = 0;
    std::vector<int> cursors;
    std::vector<std::string> statuses;
    Readout readout;
    std::vector<std::string> messages;
    std::vector<PlanChange> changes;
    void redraw() override { ++redraws; }
    void redraw_live(const LiveOverlay& overlay) override { live.push_back(overlay); }
    void palette_scrolled(int from, int to) override { palette_scrolls.emplace_back(from, to); }
    void view_changed() override { ++view_changes; }
    void set_cursor(int slot) override { cursors.push_back(slot); }
    void show_status(const std::string& text) override { statuses.push_back(text); }
    void show_readout(const Readout& r) override { readout = r; }
    void show_message(const std::string& message) override { messages.push_back(message); }
    void change_complete(PlanChange change) override { changes.push_back(change); }

    int cursor() const { return cursors.empty() ? -1 : cursors.back(); }
};

inline ComponentTable interaction_components()
{
    ComponentTable t;
    define(t, panel, 100, 5).style = 0;
    define(t, post, 40, 5).style = 1;
    Component& loose = define(t, loose_panel, 100, 5);
    loose.no_magnet = "1";
    define(t, shelf, 80, 40, 1).height = 150;
    define(t, hidden_shelf, 80, 40, 1).hidden = -1;
    t[panel].name = "panel";
    t[group_component].name = "groupe";
    t[group_component].library = group_library;
    t[group_component].hidden = -1;
    return t;
}

// A plan window 800 by 600 pixels at zoom 1 without offsets: pixel (75 + x, y) is plan (x, y).
struct PlanWindow {
    PlanTable plan;
    ComponentTable components = interaction_components();
    LibraryTable libraries;
    ViewState view;
    RecordingHost host;
    InteractionState state;
    // What the calls asked the window to do afterwards, in order.
    std::vector<InteractionRequest> requests;
    // What carrying out a load does to the table (the window then calls `table_replaced`).
    std::function<void()> on_load;
    InteractionContext context{plan, components, libraries, view, host};
    int width = 800, height = 600;

    PlanWindow()
    {
        view.zoom_auto = false;
        libraries.name[0] = "VEK";
        libraries.name[1] = "Shelves";
    }

    void pixel(double px, double py, int buttons, int kk = kk_none, std::string key = {}, bool repeat = false)
    {
        PointerInput in;
        in.pixel_x = px;
        in.pixel_y = py;
        in.buttons = buttons;
        in.kk = kk;
        in.key = std::move(key);
        in.repeat = repeat;
        in.area_width = width;
        in.area_height = height;
        InteractionRequest request = interact(state, context, in);
        if (!request)
            return;
        if (request.kind == InteractionRequest::Kind::load && on_load) {
            on_load();
            table_replaced(state, plan);
        }
        requests.push_back(std::move(request));
    }
    void at(double x, double y, int buttons, int kk = kk_none, std::string key = {})
    {
        const PixelPoint p = view.to_pixel(x, y);
        pixel(p.x, p.y, buttons, kk, std::move(key));
    }
    void move(double x, double y, int kk = kk_none) { at(x, y, button_none, kk); }
    void press(double x, double y, int kk = kk_none)
    {
        move(x, y, kk);
        at(x, y, button_left, kk);
    }
    void drag(double x, double y, int kk = kk_none) { at(x, y, button_left, kk); }
    void release(double x, double y, int kk = kk_none) { at(x, y, button_none, kk); }
    void click(double x, double y, int kk = kk_none)
    {
        press(x, y, kk);
        release(x, y, kk);
    }
    void right_press(double x, double y, int kk = kk_none)
    {
        move(x, y, kk);
        at(x, y, button_right, kk);
    }
    void right_drag(double x, double y, int kk = kk_none) { at(x, y, button_right, kk); }
    // A keystroke with the pointer where it last was; `repeat`: the repeat of a key held down.
    void key(std::string text, int kk = kk_none, bool repeat = false)
    {
        pixel(last_px(), last_py(), state.last_buttons, kk, std::move(text), repeat);
    }

    double last_px() const { return view.to_pixel(state.last_x, state.last_y).x; }
    double last_py() const { return view.to_pixel(state.last_x, state.last_y).y; }

    // The requests of one kind, in order.
    std::vector<InteractionRequest> requested(InteractionRequest::Kind kind) const
    {
        std::vector<InteractionRequest> found;
        for (const InteractionRequest& r : requests)
            if (r.kind == kind)
                found.push_back(r);
        return found;
    }

    std::vector<int> selection() const
    {
        return {plan.selection.begin() + 1, plan.selection.begin() + 1 + plan.nb_selection};
    }
};

} // namespace halvern::testing
