// Generated designs for the drawing benchmarks: runs of built-in frames joined end to end (with
// corners and odd joints), curved profile pieces, and components of a definition-file library
// with their own shapes and paths, like the starter library's.

#pragma once

#include <cmath>
#include <memory>
#include <string>

#include "library/builtin_catalogue.h"
#include "plan/render.h"

namespace halvern::bench {

struct Scene {
    std::unique_ptr<ComponentTable> components = std::make_unique<ComponentTable>();
    LibraryTable libraries;
    PlanTable plan;
    StandSettings stand;
    PlanScene scene() { return {*components, libraries, plan, stand}; }
};

inline void define_library(ComponentTable& t)
{
    fill_builtin_catalogue(t, "en");
    auto define = [&t](int n, const char* name, int shape, double w, double d, int colour) -> Component& {
        Component& c = t[n];
        c.name = name;
        c.library = 1;
        c.shape = shape;
        c.width = w;
        c.depth = d;
        c.height = 100;
        c.draw_color = colour;
        c.has_3d = true;
        return c;
    };
    define(100, "Table", shape_square, 80, 80, 0x404040);
    define(101, "Tabouret", shape_circle, 40, 40, 0x205080);
    define(102, "Comptoir", shape_capsule, 150, 60, 0x802020);
    define(103, "Vitrine", shape_rounded_square, 100, 50, 0x208020);
    define(104, "Plante", shape_star, 50, 50, 0x00A000);
    define(105, "Ecran", shape_ellipse, 120, 30, 0x000000);
    define(106, "Banque", shape_bean, 180, 90, 0x606000);
    Component& desk = define(107, "Bureau", shape_point_list, 160, 80, 0x303030);
    desk.draw = "|0|0|160|0|160|80|100|80|100|30|0|30|";
    Component& arch = define(108, "Arche", shape_turtle_path, 200, 60, 0x800080);
    arch.draw = "PD FD200 RT90 FD60 RT90 FD200 RT90 FD60";
    t[100].magnet_x[0] = 40;
    t[100].magnet_y[0] = 0.1;
    t[100].magnet_force[0] = 10;
}

inline int place(PlanTable& plan, int component, double x, double y, double rot)
{
    const int i = ++plan.nb_objets;
    const size_t I = size_t(i);
    plan.obj_comp[I] = float(component);
    plan.obj_x[I] = float(x);
    plan.obj_y[I] = float(y);
    plan.obj_rot[I] = float(rot);
    plan.obj_hauteur[I] = 228;
    plan.obj_faces[I] = i % 4;
    plan.obj_estompe[I] = i % 50 == 0 ? 0 : -1;
    plan.obj_texte[I] = i % 7 == 0 ? "Objet " + std::to_string(i) : "";
    return i;
}

// A frame run of `count` frames of `component` from (x, y) along `rot` degrees; gives its far end.
inline std::pair<double, double> frame_run(Scene& s, int component, double x, double y, double rot, int count)
{
    const double w = (*s.components)[component].width, a = rot * 0.017453292519943295;
    for (int k = 0; k < count && s.plan.nb_objets < max_objects; ++k)
        place(s.plan, component, x + (k + 0.5) * w * std::cos(a), y + (k + 0.5) * w * std::sin(a), rot);
    return {x + count * w * std::cos(a), y + count * w * std::sin(a)};
}

// `objects` objects spread over a stand of `width` x `depth` metres: a third frames in runs of
// four with a square corner or an odd joint after each, a third profile pieces, a third library
// components; a few groups and duplicate pairs.
inline void fill(Scene& s, int objects, double width, double depth)
{
    define_library(*s.components);
    s.libraries.name[0] = "VEK";
    s.libraries.name[1] = "Starter";
    s.stand.stand_largeur = float(width);
    s.stand.stand_profondeur = float(depth);
    s.stand.stand_murs = 0b1111;
    const int frames[] = {3, 4, 5, 6, 0, 1};
    const int bends[] = {2300, 2302, 2303, 2304, 2305, 2306, 2307, 2308, 2309, 2310, 2311, 2317};
    const int columns = std::max(1, int(std::sqrt(objects * width / depth)));
    const double cell_w = width * 100 / columns;
    const int rows = std::max(1, (objects + columns - 1) / columns);
    const double cell_h = depth * 100 / rows;
    int k = 0;
    while (s.plan.nb_objets < objects) {
        const double x = 100 + cell_w * (k % columns) + cell_w / 4;
        const double y = 100 + cell_h * ((k / columns) % rows) + cell_h / 2;
        switch (k % 3) {
        case 0: {
            const int run = std::min(4, objects - s.plan.nb_objets);
            auto [ex, ey] = frame_run(s, frames[(k / 3) % 6], x, y, 0, run);
            if (s.plan.nb_objets < objects)
                frame_run(s, 6, ex, ey, (k / 3) % 2 ? 90 : 45, 1);
            k += run + 1;
            break;
        }
        case 1:
            place(s.plan, bends[(k / 3) % 12], x, y, (k * 15) % 360);
            ++k;
            break;
        default:
            place(s.plan, 100 + (k / 3) % 9, x, y, (k * 30) % 360);
            ++k;
            break;
        }
    }
    // Duplicate pairs: every 97th object gets a twin on top of it.
    for (int i = 97; i + 1 <= s.plan.nb_objets; i += 97) {
        s.plan.obj_comp[size_t(i + 1)] = s.plan.obj_comp[size_t(i)];
        s.plan.obj_x[size_t(i + 1)] = s.plan.obj_x[size_t(i)] + 1;
        s.plan.obj_y[size_t(i + 1)] = s.plan.obj_y[size_t(i)];
        s.plan.obj_rot[size_t(i + 1)] = s.plan.obj_rot[size_t(i)];
    }
}

inline ViewState labelled_view()
{
    ViewState view;
    view.aff_noms = view.aff_hauteurs = view.aff_largeur_panneaux = true;
    return view;
}

} // namespace halvern::bench
