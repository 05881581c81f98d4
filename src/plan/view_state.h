#pragma once
// The view of the plan: zoom, scroll offsets, the display switches and layer filters, and the
// transform between plan centimetres and window pixels that the renderer draws with and the
// pointer interaction reads back.

#include <string>

namespace halvern {

inline constexpr int palette_width = 75; // pixels of the palette column left of the plan
inline constexpr int scroll_middle = 100; // scroll bars run 0..200; the middle means no offset
inline constexpr double scroll_step_cm = 20;

struct PixelPoint {
    double x = 0, y = 0;
};

struct ViewState {
    double zoom = 1;        // pixels per centimetre
    bool zoom_auto = true;  // refit the stand at every redraw
    float decal_x = 0, decal_y = 0; // scroll offsets, cm
    bool view_valid = false;        // the cached background is up to date
    bool front_view = false;

    // Display switches of the View menu.
    bool aff_marqueur_angle = false;
    bool aff_debug = false;
    bool aff_erreur_angle = true;
    bool aff_noms = false;
    bool aff_largeur_panneaux = false;
    bool aff_hauteurs = false;
    bool aff_grande_etiquette = false;

    // Layer filters of the toolbar (down = shown).
    bool filter_vek = true;       // library 0
    bool filter_acc_vek = true;   // libraries 1, 11, 12, 13
    bool filter_elevation = true; // objects raised above the ground
    bool filter_stand = true;     // libraries 2 to 7

    // The plan starts right of the palette column on screen; picture saves and print draw
    // without the column (column = false).
    PixelPoint to_pixel(double x, double y, bool column = true) const;
    PixelPoint to_plan(double pixel_x, double pixel_y, bool column = true) const;
};

// Scroll bars <-> offsets.
void set_offsets_from_bars(ViewState& view, int h, int v);
int horizontal_bar(const ViewState& view);
int vertical_bar(const ViewState& view);

// The zoom that fits the stand and its one-metre margins in a drawing area of width x height
// pixels (the whole area: the palette column is part of it, as the window shows it).
double fitted_zoom(double width, double height, double stand_largeur, double stand_profondeur);

// Zoom commands. Each clears view_valid; the caller redraws and refreshes the bars from the
// offsets (horizontal_bar / vertical_bar).
void zoom_preset(ViewState& view, double zoom); // menu 40..46: 0.5 .. 8, offsets 0
void zoom_auto(ViewState& view);                // menu 47 and "loupeall"
void zoom_in(ViewState& view);                  // "loupe+"
void zoom_out(ViewState& view);                 // "loupe-"

// Zoom by `factor` keeping the plan point under pixel (pixel_x, pixel_y) where it is (the wheel with
// Ctrl, a pinch, a typed zoom about the middle of the plan). The zoom stays within
// [min_free_zoom, max_free_zoom]; false (and nothing changed) when it is already at that limit.
inline constexpr double min_free_zoom = 0.1;
inline constexpr double max_free_zoom = 50;
inline constexpr double wheel_zoom_step = 1.25;
bool zoom_about(ViewState& view, double factor, double pixel_x, double pixel_y);

// The text of the toolbar's zoom box: "Auto", or the zoom in percent ("150%").
std::string zoom_text(const ViewState& view);

} // namespace halvern
