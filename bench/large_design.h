#pragma once
// A full design for the benchmarks: 2,550 objects (printed walls, frame-structure pieces and bends,
// starter components) spread over a 20 × 12 m stand with every wall, open frame and header band.

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "library/component_table.h"
#include "plan/plan_table.h"

namespace halvern::bench {

inline void fill_large_design(const ComponentTable& components, const std::filesystem::path& app, PlanTable& plan)
{
    std::vector<int> starters;
    for (int c = 100; c <= max_component; ++c)
        if (!components[c].is_free() && components[c].library != 23 && components[c].library != 100)
            starters.push_back(c);
    const std::string picture = (app / "lib" / "tex" / "wood" / "maple.jpg").string();
    std::mt19937 rng(11);
    std::uniform_real_distribution<float> pos(120, 2080);
    for (int n = 1; n <= max_objects; ++n) {
        const size_t i = size_t(++plan.nb_objets);
        int comp = 0;
        switch (n % 3) {
        case 0: comp = n % 9; break;                         // a printed wall
        case 1: comp = 2300 + n % 12; break;                 // a frame-structure piece or bend
        default: comp = starters[size_t(n) % starters.size()]; // a starter component
        }
        plan.obj_comp[i] = float(comp);
        plan.obj_x[i] = pos(rng);
        plan.obj_y[i] = pos(rng) * 0.6f;
        plan.obj_rot[i] = float(n % 360);
        plan.obj_hauteur[i] = comp < 100 ? 228 : 245;
        plan.obj_faces[i] = comp < 100 ? 3 : 1;
        plan.obj_largeur[i] = 100;
        plan.obj_profondeur[i] = 60;
        plan.obj_texte[i] = n % 5 == 0 ? "Welcome" : "";
        plan.obj_visuel_recto[i] = picture;
        plan.obj_visuel_verso[i] = picture;
    }
}

} // namespace halvern::bench
