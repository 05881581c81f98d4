#pragma once
// The per-object fields of the plan table, listed once. The undo snapshot of an object, its
// comparison, and the project file's reader and writer are all built from this list, so a new
// per-object field is one line here (plus its array in PlanTable, which a test holds to this list).
//
// HALVERN_OBJECT_FIELDS(STORED, KEPT, TRANSIENT) calls
// - STORED(name) for the fields of an object record in the project file, in the file's order;
// - KEPT(name) for the fields the user makes but the file does not hold (undo keeps them);
// - TRANSIENT(name) for display state that undo carries along but never compares.

#include <cstddef>
#include <string>
#include <string_view>

#include "plan/plan_table.h"

#define HALVERN_OBJECT_FIELDS(STORED, KEPT, TRANSIENT)                                                     \
    STORED(obj_x)                                                                                          \
    STORED(obj_y)                                                                                          \
    STORED(obj_rot)                                                                                        \
    STORED(obj_comp)                                                                                       \
    STORED(obj_hauteur)                                                                                    \
    STORED(obj_elevation)                                                                                  \
    STORED(obj_faces)                                                                                      \
    STORED(obj_profondeur)                                                                                 \
    STORED(obj_largeur)                                                                                    \
    STORED(obj_texte)                                                                                      \
    STORED(obj_visuel_recto)                                                                               \
    STORED(obj_visuel_verso)                                                                               \
    STORED(obj_annexe)                                                                                     \
    STORED(obj_force_recto)                                                                                \
    STORED(obj_force_verso)                                                                                \
    STORED(obj_groupe)                                                                                     \
    KEPT(colours)                                                                                          \
    KEPT(obj_checks_hidden)                                                                                \
    TRANSIENT(obj_estompe)                                                                                 \
    TRANSIENT(obj_ilot)

#define HALVERN_FIELD_NONE(name)

namespace halvern {

// The type of one object's value of a PlanTable array.
template <class Array>
using field_value_t = typename Array::value_type;

// Calls f(index, name, array) for every stored field of the plan table, in the file's order.
template <class Table, class F>
void for_each_stored_field(Table& plan, F&& f)
{
    std::size_t index = 0;
#define HALVERN_VISIT_STORED(name) f(index++, std::string_view(#name), plan.name);
    HALVERN_OBJECT_FIELDS(HALVERN_VISIT_STORED, HALVERN_FIELD_NONE, HALVERN_FIELD_NONE)
#undef HALVERN_VISIT_STORED
}

// How many fields an object record of the project file holds.
inline constexpr std::size_t stored_object_field_count = 0
#define HALVERN_COUNT_FIELD(name) +1
    HALVERN_OBJECT_FIELDS(HALVERN_COUNT_FIELD, HALVERN_FIELD_NONE, HALVERN_FIELD_NONE);
#undef HALVERN_COUNT_FIELD

// How many arrays the list names, stored, kept and transient together.
inline constexpr std::size_t object_field_count = 0
#define HALVERN_COUNT_FIELD(name) +1
    HALVERN_OBJECT_FIELDS(HALVERN_COUNT_FIELD, HALVERN_COUNT_FIELD, HALVERN_COUNT_FIELD);
#undef HALVERN_COUNT_FIELD

} // namespace halvern
