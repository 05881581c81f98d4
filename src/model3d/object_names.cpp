#include "model3d/object_names.h"

namespace halvern {

std::string model_object_name(const PlanTable& plan, const ComponentTable& components, int object)
{
    if (object == scene_floor)
        return "Floor";
    if (object == scene_room)
        return "Room";
    std::string name = std::to_string(object);
    if (object < 1 || object > plan.nb_objets)
        return name;
    const int c = plan.comp(object);
    if (ComponentTable::valid(c) && !components[c].name.empty())
        name += " " + components[c].name;
    const std::string& text = plan.obj_texte[size_t(object)];
    if (!text.empty())
        name += " - " + text;
    return name;
}

ModelNamer plan_namer(const PlanTable& plan, const ComponentTable& components)
{
    return [&plan, &components](int object) { return model_object_name(plan, components, object); };
}

} // namespace halvern
