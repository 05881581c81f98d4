#pragma once
// The per-object fields of the plan table, listed once, and what is built over the list that does
// not need the table itself: the visit of the stored fields in the project file's order, their
// count, and the visit of every field with what each kind of copy does with it. The types the list
// names (ObjectColours) are declared by plan_table.h before it expands the list.

#include <cstddef>
#include <string_view>

// The per-object arrays of the plan table: the table declares its arrays from this list, and the
// undo snapshot of an object, its comparison, the project file's reader and writer, and both kinds
// of copy are built from it, so a new per-object field is one line here.
//
// HALVERN_OBJECT_FIELDS(STORED, KEPT, TRANSIENT) calls, each with
// (name, type, Alt-drag copy, clipboard copy[, initial value]):
// - STORED for the fields of an object record in the project file, in the file's order;
// - KEPT for the fields the user makes but the file does not hold (undo keeps them);
// - TRANSIENT for display state that undo carries along but never compares.
// The two copy columns say what each copy does with the field (see CopyRule): the Alt-drag copy
// keeps the shape and the pictures but neither texts nor colours; the clipboard, which also makes
// Ctrl+D's duplicates, keeps what the user made of the object but its group.
#define HALVERN_OBJECT_FIELDS(STORED, KEPT, TRANSIENT)                                                     \
    /*     name               type           Alt-drag  clipboard */                                        \
    STORED(obj_x,             float,         placed,   keep)                                               \
    STORED(obj_y,             float,         placed,   keep)                                               \
    STORED(obj_rot,           float,         keep,     keep)                                               \
    STORED(obj_comp,          float,         keep,     keep) /* 99 group object, -1 marked for deletion */ \
    STORED(obj_hauteur,       float,         keep,     keep)                                               \
    STORED(obj_elevation,     float,         keep,     keep)                                               \
    STORED(obj_faces,         int,           keep,     keep) /* 0 none, 1 recto, 2 verso, 3 both */        \
    STORED(obj_profondeur,    float,         keep,     keep)                                               \
    STORED(obj_largeur,       float,         keep,     keep)                                               \
    STORED(obj_texte,         std::string,   fresh,    keep)                                               \
    STORED(obj_visuel_recto,  std::string,   keep,     keep)                                               \
    STORED(obj_visuel_verso,  std::string,   keep,     keep)                                               \
    STORED(obj_annexe,        std::string,   keep,     keep)                                               \
    STORED(obj_force_recto,   std::string,   fresh,    keep)                                               \
    STORED(obj_force_verso,   std::string,   fresh,    keep)                                               \
    STORED(obj_groupe,        std::int32_t,  fresh,    fresh) /* 0: in no group */                         \
    KEPT(colours,             ObjectColours, fresh,    keep)                                               \
    /* the design-check findings hidden on this object, a bit per kind and end (plan/hidden_findings.h): */ \
    /* they were seen where the original stands, so a copy elsewhere shows its own */                      \
    KEPT(obj_checks_hidden,   std::uint32_t, fresh,    fresh)                                              \
    TRANSIENT(obj_estompe,    float,         keep,     fresh, -1.0f) /* -1 normal, 0 faded */              \
    TRANSIENT(obj_ilot,       int,           fresh,    fresh) /* chain number */

#define HALVERN_FIELD_NONE(...)

namespace halvern {

// What a copy of an object does with one of its fields.
enum class CopyRule {
    keep,   // the copy takes the original's value
    fresh,  // the copy starts with the value of a new entry
    placed, // the copy sets it where it puts the object
};

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

// Calls f(name, alt_drag_rule, clipboard_rule, array) for every per-object field of the plan table.
template <class Table, class F>
void for_each_copy_rule(Table& plan, F&& f)
{
#define HALVERN_VISIT_COPY_RULE(name, type, alt_drag, clipboard, ...)                                      \
    f(std::string_view(#name), CopyRule::alt_drag, CopyRule::clipboard, plan.name);
    HALVERN_OBJECT_FIELDS(HALVERN_VISIT_COPY_RULE, HALVERN_VISIT_COPY_RULE, HALVERN_VISIT_COPY_RULE)
#undef HALVERN_VISIT_COPY_RULE
}

// How many fields an object record of the project file holds.
inline constexpr std::size_t stored_object_field_count = 0
#define HALVERN_COUNT_FIELD(...) +1
    HALVERN_OBJECT_FIELDS(HALVERN_COUNT_FIELD, HALVERN_FIELD_NONE, HALVERN_FIELD_NONE);
#undef HALVERN_COUNT_FIELD

} // namespace halvern
