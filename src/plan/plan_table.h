#pragma once
// The plan object table: every placed component as parallel arrays indexed by object number 1..nb_objets
// (entry 0 unused); an index is the only identity, and a deletion renumbers every reference behind it.
// Words kept from the design: `comp` component, `hauteur` height, `largeur` width, `profondeur` depth,
// `visuel` picture, `recto`/`verso` front/back, `groupe` group, `estompe` faded, `ilot` chain of joined objects.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/colour_model.h"

namespace halvern {

inline constexpr int max_objects = 2550;
inline constexpr int max_selection = 100;
inline constexpr int object_colour_slots = 11; // slots 0..10; the property dialog offers 0..5
inline constexpr int stored_colour_slots = 6;  // slots 0..5 travel in design files
inline constexpr double tolerance_jonction = 2.0; // cm within which two ends count as joined

// The material of one colour slot of one object. A slot is "given" once the colour palette or a
// design file has set it; a slot never given keeps these defaults and leaves the component's own
// material alone.
struct ColourSlot {
    Rgb couleur;
    Rgb speculaire;
    float transparence = 1.0f;
    float brillance = 1.0f;
    bool given = false;
    friend bool operator==(const ColourSlot&, const ColourSlot&) = default;
};

struct PlanTable {
    static constexpr size_t capacity = size_t(max_objects) + 1; // numbers 0..2550

    int nb_objets = 0;

    // The sixteen stored fields, in the order of the project file.
    std::vector<float> obj_x = std::vector<float>(capacity);
    std::vector<float> obj_y = std::vector<float>(capacity);
    std::vector<float> obj_rot = std::vector<float>(capacity);
    std::vector<float> obj_comp = std::vector<float>(capacity); // 99 group object, -1 marked for deletion
    std::vector<float> obj_hauteur = std::vector<float>(capacity);
    std::vector<float> obj_elevation = std::vector<float>(capacity);
    std::vector<int> obj_faces = std::vector<int>(capacity); // 0 none, 1 recto, 2 verso, 3 both
    std::vector<float> obj_profondeur = std::vector<float>(capacity);
    std::vector<float> obj_largeur = std::vector<float>(capacity);
    std::vector<std::string> obj_texte = std::vector<std::string>(capacity);
    std::vector<std::string> obj_visuel_recto = std::vector<std::string>(capacity);
    std::vector<std::string> obj_visuel_verso = std::vector<std::string>(capacity);
    std::vector<std::string> obj_annexe = std::vector<std::string>(capacity);
    std::vector<std::string> obj_force_recto = std::vector<std::string>(capacity);
    std::vector<std::string> obj_force_verso = std::vector<std::string>(capacity);
    std::vector<std::int32_t> obj_groupe = std::vector<std::int32_t>(capacity); // 0: in no group

    // Transient.
    std::vector<float> obj_estompe = std::vector<float>(capacity, -1.0f); // -1 normal, 0 faded
    std::vector<int> obj_ilot = std::vector<int>(capacity);                // chain number
    std::vector<std::array<ColourSlot, object_colour_slots>> colours =
        std::vector<std::array<ColourSlot, object_colour_slots>>(capacity);

    // Plan-wide state.
    int index_focus = 0;        // focused object, 0 = none
    bool focus = false;         // an object has the pointer focus
    bool focus_groupe = false;  // the focus is on a whole group
    std::array<int, max_selection + 1> selection{}; // entries 1..nb_selection
    int nb_selection = 0;
    float hauteur_defaut = 228;
    int faces_defaut = 1;

    // Calls f on every per-object array (stored fields, transient fields and colour slots), so
    // that shifting or clearing an entry can never forget a field.
    template <class F>
    void for_each_object_array(F&& f)
    {
        f(obj_x), f(obj_y), f(obj_rot), f(obj_comp), f(obj_hauteur), f(obj_elevation), f(obj_faces);
        f(obj_profondeur), f(obj_largeur), f(obj_texte), f(obj_visuel_recto), f(obj_visuel_verso);
        f(obj_annexe), f(obj_force_recto), f(obj_force_verso), f(obj_groupe);
        f(obj_estompe), f(obj_ilot), f(colours);
    }

    // The component number of object i, as the table stores it (a float read by rounding).
    int comp(int i) const;
    bool is_group(int i) const { return comp(i) == 99; }
    bool is_marked(int i) const { return comp(i) == -1; }
    bool valid(int i) const { return i >= 1 && i <= nb_objets; }
    bool full() const { return nb_objets >= max_objects; }
};

} // namespace halvern
