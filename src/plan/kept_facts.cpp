#include "plan/kept_facts.h"

namespace halvern {

namespace {

void read_inputs(const PlanScene& scene, std::vector<KeptFacts::Input>& inputs)
{
    const PlanTable& plan = scene.plan;
    inputs.resize(size_t(plan.nb_objets) + 1);
    for (int i = 1; i <= plan.nb_objets; ++i) {
        const size_t I = size_t(i);
        KeptFacts::Input& in = inputs[I];
        in = {plan.obj_comp[I], plan.obj_x[I], plan.obj_y[I],   plan.obj_rot[I], plan.obj_estompe[I],
              plan.obj_groupe[I], plan.obj_ilot[I], 0, 0, 0};
        const int c = plan.comp(i);
        if (ComponentTable::valid(c)) {
            const Component& component = scene.components[c];
            in.width = component.width;
            in.depth = component.depth;
            in.library = component.library;
        }
    }
}

bool same_inputs(const PlanScene& scene, const std::vector<KeptFacts::Input>& kept)
{
    const PlanTable& plan = scene.plan;
    if (kept.size() != size_t(plan.nb_objets) + 1)
        return false;
    for (int i = 1; i <= plan.nb_objets; ++i) {
        const size_t I = size_t(i);
        const KeptFacts::Input& was = kept[I];
        // The table's own fields first, without touching the component records.
        if (was.comp != plan.obj_comp[I] || was.x != plan.obj_x[I] || was.y != plan.obj_y[I]
            || was.rot != plan.obj_rot[I] || was.estompe != plan.obj_estompe[I] || was.groupe != plan.obj_groupe[I]
            || was.ilot != plan.obj_ilot[I])
            return false;
        const int c = plan.comp(i);
        if (ComponentTable::valid(c)) {
            const Component& component = scene.components[c];
            if (was.width != component.width || was.depth != component.depth || was.library != component.library)
                return false;
        }
    }
    return true;
}

} // namespace

const PlanFacts& KeptFacts::facts(PlanScene& scene)
{
    if (valid_ && same_inputs(scene, inputs_))
        return facts_;
    facts_ = find_plan_facts(scene);
    ++searches_;
    // Read after the search, which renumbers the chains.
    read_inputs(scene, inputs_);
    valid_ = true;
    return facts_;
}

} // namespace halvern
