#include "app/design_state.h"

#include <algorithm>

namespace halvern {

bool ObjectRecord::same_design(const ObjectRecord& o) const
{
    return x == o.x && y == o.y && rot == o.rot && comp == o.comp && hauteur == o.hauteur
           && elevation == o.elevation && faces == o.faces && profondeur == o.profondeur && largeur == o.largeur
           && texte == o.texte && visuel_recto == o.visuel_recto && visuel_verso == o.visuel_verso
           && annexe == o.annexe && force_recto == o.force_recto && force_verso == o.force_verso
           && groupe == o.groupe && colours == o.colours;
}

ObjectRecord read_record(const PlanTable& plan, int i)
{
    const size_t k = size_t(i);
    ObjectRecord r;
    r.x = plan.obj_x[k], r.y = plan.obj_y[k], r.rot = plan.obj_rot[k], r.comp = plan.obj_comp[k];
    r.hauteur = plan.obj_hauteur[k], r.elevation = plan.obj_elevation[k], r.faces = plan.obj_faces[k];
    r.profondeur = plan.obj_profondeur[k], r.largeur = plan.obj_largeur[k];
    r.texte = plan.obj_texte[k], r.visuel_recto = plan.obj_visuel_recto[k];
    r.visuel_verso = plan.obj_visuel_verso[k], r.annexe = plan.obj_annexe[k];
    r.force_recto = plan.obj_force_recto[k], r.force_verso = plan.obj_force_verso[k];
    r.groupe = plan.obj_groupe[k], r.estompe = plan.obj_estompe[k], r.ilot = plan.obj_ilot[k];
    r.colours = plan.colours[k];
    return r;
}

void write_record(PlanTable& plan, int i, const ObjectRecord& r)
{
    const size_t k = size_t(i);
    plan.obj_x[k] = r.x, plan.obj_y[k] = r.y, plan.obj_rot[k] = r.rot, plan.obj_comp[k] = r.comp;
    plan.obj_hauteur[k] = r.hauteur, plan.obj_elevation[k] = r.elevation, plan.obj_faces[k] = r.faces;
    plan.obj_profondeur[k] = r.profondeur, plan.obj_largeur[k] = r.largeur;
    plan.obj_texte[k] = r.texte, plan.obj_visuel_recto[k] = r.visuel_recto;
    plan.obj_visuel_verso[k] = r.visuel_verso, plan.obj_annexe[k] = r.annexe;
    plan.obj_force_recto[k] = r.force_recto, plan.obj_force_verso[k] = r.force_verso;
    plan.obj_groupe[k] = r.groupe, plan.obj_estompe[k] = r.estompe, plan.obj_ilot[k] = r.ilot;
    plan.colours[k] = r.colours;
}

DesignState capture_design(const PlanTable& plan, const StandSettings& stand)
{
    DesignState state;
    state.objects.reserve(size_t(plan.nb_objets));
    for (int i = 1; i <= plan.nb_objets; ++i)
        state.objects.push_back(read_record(plan, i));
    state.stand = stand;
    return state;
}

std::optional<DesignSwap> DesignSwap::between(const DesignState& other, const DesignState& live)
{
    const auto& a = other.objects;
    const auto& b = live.objects;
    const size_t shorter = std::min(a.size(), b.size());
    size_t prefix = 0;
    while (prefix < shorter && a[prefix].same_design(b[prefix]))
        ++prefix;
    // A deletion shifts everything behind it: the common tail is matched from the ends.
    size_t suffix = 0;
    while (suffix < shorter - prefix && a[a.size() - 1 - suffix].same_design(b[b.size() - 1 - suffix]))
        ++suffix;
    const bool objects_same = a.size() == b.size() && prefix == a.size();
    if (objects_same && other.stand == live.stand)
        return std::nullopt;

    DesignSwap swap;
    swap.first_ = int(prefix) + 1;
    swap.live_count_ = int(b.size() - prefix - suffix);
    swap.held_.assign(a.begin() + std::ptrdiff_t(prefix), a.end() - std::ptrdiff_t(suffix));
    swap.stand_ = other.stand;
    return swap;
}

void DesignSwap::swap_into(PlanTable& plan, StandSettings& stand)
{
    const int first = first_;
    const int old_end = first + live_count_; // first number behind the run, now
    std::vector<ObjectRecord> replaced;
    replaced.reserve(size_t(live_count_));
    for (int i = first; i < old_end; ++i)
        replaced.push_back(read_record(plan, i));
    std::vector<ObjectRecord> tail;
    for (int i = old_end; i <= plan.nb_objets; ++i)
        tail.push_back(read_record(plan, i));

    int i = first;
    for (const ObjectRecord& r : held_)
        write_record(plan, i++, r);
    for (const ObjectRecord& r : tail)
        write_record(plan, i++, r);
    plan.nb_objets = i - 1;

    live_count_ = int(held_.size());
    held_ = std::move(replaced);
    std::swap(stand, stand_);
}

} // namespace halvern
