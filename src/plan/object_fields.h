#pragma once
// The per-object fields of the plan table, listed once, and what is built over the list that does
// not need the table itself: the visit of the stored fields in the project file's order, and their
// count. The types the list names (ObjectColours) are declared by plan_table.h before it expands
// the list.

#include <cstddef>
#include <string_view>

// The per-object arrays of the plan table: the table declares its arrays from this list, and the
// undo snapshot of an object, its comparison, and the project file's reader and writer are built
// from it, so a new per-object field is one line here.
//
// HALVERN_OBJECT_FIELDS(STORED, KEPT, TRANSIENT) calls, each with (name, type[, initial value]),
// - STORED for the fields of an object record in the project file, in the file's order;
// - KEPT for the fields the user makes but the file does not hold (undo keeps them);
// - TRANSIENT for display state that undo carries along but never compares.
#define HALVERN_OBJECT_FIELDS(STORED, KEPT, TRANSIENT)                                                     \
    STORED(obj_x, float)                                                                                   \
    STORED(obj_y, float)                                                                                   \
    STORED(obj_rot, float)                                                                                 \
    STORED(obj_comp, float) /* 99 group object, -1 marked for deletion */                                  \
    STORED(obj_hauteur, float)                                                                             \
    STORED(obj_elevation, float)                                                                           \
    STORED(obj_faces, int) /* 0 none, 1 recto, 2 verso, 3 both */                                          \
    STORED(obj_profondeur, float)                                                                          \
    STORED(obj_largeur, float)                                                                             \
    STORED(obj_texte, std::string)                                                                         \
    STORED(obj_visuel_recto, std::string)                                                                  \
    STORED(obj_visuel_verso, std::string)                                                                  \
    STORED(obj_annexe, std::string)                                                                        \
    STORED(obj_force_recto, std::string)                                                                   \
    STORED(obj_force_verso, std::string)                                                                   \
    STORED(obj_groupe, std::int32_t) /* 0: in no group */                                                  \
    KEPT(colours, ObjectColours)                                                                           \
    /* the design-check findings hidden on this object, a bit per kind and end (plan/hidden_findings.h) */ \
    KEPT(obj_checks_hidden, std::uint32_t)                                                                 \
    TRANSIENT(obj_estompe, float, -1.0f) /* -1 normal, 0 faded */                                          \
    TRANSIENT(obj_ilot, int) /* chain number */

#define HALVERN_FIELD_NONE(...)

namespace halvern {

// The type of one object's value of a PlanTable array.
template <class Array>
using field_value_t = typename Array::value_type;

// Calls f(index, name, array) for every stored field of the plan table, in the file's order.
template <class Table, class F>
void for_each_stored_field(Table& plan, F&& f)
{
    std::size_t index = 0;
#define HALVERN_VISIT_STORED(name, ...) f(index++, std::string_view(#name), plan.name);
    HALVERN_OBJECT_FIELDS(HALVERN_VISIT_STORED, HALVERN_FIELD_NONE, HALVERN_FIELD_NONE)
#undef HALVERN_VISIT_STORED
}

// How many fields an object record of the project file holds.
inline constexpr std::size_t stored_object_field_count = 0
#define HALVERN_COUNT_FIELD(...) +1
    HALVERN_OBJECT_FIELDS(HALVERN_COUNT_FIELD, HALVERN_FIELD_NONE, HALVERN_FIELD_NONE);
#undef HALVERN_COUNT_FIELD

} // namespace halvern
