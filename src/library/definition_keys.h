#pragma once
// The keys of a definition file, in the fixed order the reader tests them, and the two ways of
// finding which keys a line holds. A key matches a line when its text, "=" included, occurs
// anywhere in the line; every matching key takes the value after the line's first "=".
//
// Testing ~140 keys by substring search on every line is the slow part of loading a large
// library, so the reader anchors the search instead: a key ends in "=", so every occurrence of a
// key ends at one of the line's "=" signs, and walking backwards from each "=" through a trie of
// the reversed key names finds exactly the keys that occur there. The plain search stays here as
// the reference the fast one is checked against.

#include <array>
#include <bit>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace halvern {

// What a key fills; indexed keys carry their slot beside it.
enum class KeyField : std::uint8_t {
    auto_elevation,
    magnet_no_elevation,
    elevation,
    panel_w_1,
    panel_h_1,
    draw,
    draw_mirror,
    no_magnet,
    auteur,
    license,
    draw_open,
    draw_rotation,
    draw_fill,
    pivot_x,
    pivot_y,
    color_src,
    color_name,
    color_lib,
    magnet_x,
    magnet_y,
    magnet_z,
    magnet_r,
    magnet_contrainte,
    magnet_force,
    magnet_recepteur,
    magnet_contrainte_ajuste,
    magnet_only_lib,
    ref,
    ref_reseal,
    info,
    short_name,
    resize_x,
    resize_y,
    resize_z,
    draw_color,
    panel,
    name_en,
};

struct DefinitionKey {
    std::string text; // with its "="
    KeyField field;
    int slot; // 0 for keys without a slot
};

// In the order the reader tests them ("elevation=" appears twice, as the format has it).
const std::vector<DefinitionKey>& definition_keys();

inline constexpr int definition_key_count = 16 + 3 * 6 + 9 * 11 + 9 + 1;

// A set of key numbers (positions in definition_keys()).
class KeyMatches {
public:
    void add(int key) { words_[size_t(key) / 64] |= std::uint64_t(1) << (key % 64); }
    void remove(int key) { words_[size_t(key) / 64] &= ~(std::uint64_t(1) << (key % 64)); }
    bool contains(int key) const { return (words_[size_t(key) / 64] >> (key % 64)) & 1; }
    bool empty() const
    {
        for (auto w : words_)
            if (w)
                return false;
        return true;
    }
    friend bool operator==(const KeyMatches&, const KeyMatches&) = default;

    // Calls f(key) for every key in the set, in the fixed order.
    template <class F>
    void for_each(F&& f) const
    {
        for (size_t w = 0; w < words_.size(); ++w)
            for (std::uint64_t bits = words_[w]; bits; bits &= bits - 1)
                f(int(w * 64 + size_t(std::countr_zero(bits))));
    }

    std::vector<int> list() const;

private:
    std::array<std::uint64_t, (definition_key_count + 63) / 64> words_{};
};

// The keys that occur in `line`, found from each "=" backwards.
KeyMatches match_keys(std::string_view line);

// The same set, by testing every key's text against the whole line.
KeyMatches match_keys_by_containment(std::string_view line);

} // namespace halvern
