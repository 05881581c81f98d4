#include "outputs/plan_print.h"

namespace halvern {

ViewState print_view(const ViewState& view, const StandSettings& stand, double page_width, double page_height)
{
    ViewState page = view;
    page.zoom_auto = false;
    page.view_valid = false;
    page.front_view = false;
    page.zoom = fitted_zoom(page_width, page_height, stand.stand_largeur, stand.stand_profondeur);
    page.decal_x = page.decal_y = 0;
    return page;
}

RenderOptions print_options(int page_width, int page_height)
{
    RenderOptions options;
    options.width = page_width;
    options.height = page_height;
    options.palette_column = false;
    options.smooth = false;
    options.pixel_scale = paper_dots_per_pixel;
    return options;
}

bool landscape_is_larger(const StandSettings& stand, double portrait_width, double portrait_height)
{
    return fitted_zoom(portrait_height, portrait_width, stand.stand_largeur, stand.stand_profondeur)
        > fitted_zoom(portrait_width, portrait_height, stand.stand_largeur, stand.stand_profondeur);
}

} // namespace halvern
