#pragma once
// The one way tests put an object into a plan by hand: no creation rule, no component table. The
// object starts as a new entry of the table does (nothing of an earlier object at that number
// survives), standing on the floor with the usual height and its front picture, in no group and not
// faded; each setter changes one field and gives the builder back, which reads as the object's
// number:
//     const int i = build_object(plan, panel, 100, 50, 90).height(120).group(g);

#include <cstdint>
#include <stdexcept>
#include <string>

#include "plan/plan_edit.h"
#include "plan/plan_table.h"

namespace halvern::testing {

class ObjectBuilder {
public:
    ObjectBuilder(PlanTable& plan, double component, float x, float y, float rot) : plan_(plan)
    {
        Result<int> entry = append_entry(plan);
        if (!entry)
            throw std::length_error("a test placed an object in a full plan: " + entry.error().message);
        i_ = *entry;
        plan.obj_comp[k()] = float(component);
        plan.obj_x[k()] = x;
        plan.obj_y[k()] = y;
        plan.obj_rot[k()] = rot;
        plan.obj_hauteur[k()] = 228;
        plan.obj_elevation[k()] = 0;
        plan.obj_faces[k()] = 1;
    }

    ObjectBuilder& height(float hauteur) { return set(plan_.obj_hauteur, hauteur); }
    ObjectBuilder& elevation(float elevation) { return set(plan_.obj_elevation, elevation); }
    ObjectBuilder& faces(int faces) { return set(plan_.obj_faces, faces); }
    ObjectBuilder& width(float largeur) { return set(plan_.obj_largeur, largeur); }
    ObjectBuilder& depth(float profondeur) { return set(plan_.obj_profondeur, profondeur); }
    ObjectBuilder& group(int groupe) { return set(plan_.obj_groupe, std::int32_t(groupe)); }
    ObjectBuilder& text(std::string texte) { return set(plan_.obj_texte, std::move(texte)); }
    ObjectBuilder& recto(std::string picture) { return set(plan_.obj_visuel_recto, std::move(picture)); }
    ObjectBuilder& verso(std::string picture) { return set(plan_.obj_visuel_verso, std::move(picture)); }
    // `obj_annexe`, which tests use to follow an object through renumbering.
    ObjectBuilder& tag(std::string annexe) { return set(plan_.obj_annexe, std::move(annexe)); }
    ObjectBuilder& faded(bool faded = true) { return set(plan_.obj_estompe, faded ? 0.0f : -1.0f); }
    // No height and no faces, as an entry holds them before anything is set.
    ObjectBuilder& bare() { return height(0).faces(0); }

    int index() const { return i_; }
    operator int() const { return i_; }

private:
    size_t k() const { return size_t(i_); }
    template <class Array, class T>
    ObjectBuilder& set(Array& array, T value)
    {
        array[k()] = std::move(value);
        return *this;
    }

    PlanTable& plan_;
    int i_ = 0;
};

inline ObjectBuilder build_object(PlanTable& plan, double component, float x, float y, float rot = 0)
{
    return ObjectBuilder(plan, component, x, y, rot);
}

} // namespace halvern::testing
