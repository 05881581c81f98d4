#pragma once
// What a placed thing is called in the model and in the files written from it, so that a customer
// who picks it in a viewer finds it on the plan: its number, its component and its text.

#include <string>

#include "library/component_table.h"
#include "model3d/stand_model.h"
#include "plan/plan_table.h"

namespace halvern {

// "12 Cadre 100 - Welcome", "13 Poteau", "Floor", "Room".
std::string model_object_name(const PlanTable& plan, const ComponentTable& components, int object);

// The namer of a plan (which must outlive it).
ModelNamer plan_namer(const PlanTable& plan, const ComponentTable& components);

} // namespace halvern
