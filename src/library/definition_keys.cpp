#include "library/definition_keys.h"

#include <cstring>

#include "library/component_table.h"

namespace halvern {

namespace {

std::vector<DefinitionKey> build_keys()
{
    std::vector<DefinitionKey> keys;
    auto add = [&](std::string text, KeyField field, int slot = 0) { keys.push_back({std::move(text), field, slot}); };

    add("auto_elevation=", KeyField::auto_elevation);
    add("magnet_no_elevation=", KeyField::magnet_no_elevation);
    add("elevation=", KeyField::elevation);
    add("panel_w_1=", KeyField::panel_w_1);
    add("panel_h_1=", KeyField::panel_h_1);
    add("elevation=", KeyField::elevation);
    add("draw=", KeyField::draw);
    add("draw_mirror=", KeyField::draw_mirror);
    add("no_magnet=", KeyField::no_magnet);
    add("auteur=", KeyField::auteur);
    add("license=", KeyField::license);
    add("draw_open=", KeyField::draw_open);
    add("draw_rotation=", KeyField::draw_rotation);
    add("draw_fill=", KeyField::draw_fill);
    add("pivot_x=", KeyField::pivot_x);
    add("pivot_y=", KeyField::pivot_y);
    for (int k = 0; k < colour_slots; ++k) {
        std::string n = std::to_string(k) + "=";
        add("color_src_" + n, KeyField::color_src, k);
        add("color_name_" + n, KeyField::color_name, k);
        add("color_lib_" + n, KeyField::color_lib, k);
    }
    for (int k = 0; k < magnet_slots; ++k) {
        std::string n = std::to_string(k) + "=";
        add("magnet_x_" + n, KeyField::magnet_x, k);
        add("magnet_y_" + n, KeyField::magnet_y, k);
        add("magnet_z_" + n, KeyField::magnet_z, k);
        add("magnet_r_" + n, KeyField::magnet_r, k);
        add("magnet_contrainte_" + n, KeyField::magnet_contrainte, k);
        add("magnet_force_" + n, KeyField::magnet_force, k);
        add("magnet_recepteur_" + n, KeyField::magnet_recepteur, k);
        add("magnet_contrainte_ajuste_" + n, KeyField::magnet_contrainte_ajuste, k);
        add("magnet_only_lib_" + n, KeyField::magnet_only_lib, k);
    }
    add("ref=", KeyField::ref);
    add("ref_reseal=", KeyField::ref_reseal);
    add("info=", KeyField::info);
    add("short=", KeyField::short_name);
    add("resize_x=", KeyField::resize_x);
    add("resize_y=", KeyField::resize_y);
    add("resize_z=", KeyField::resize_z);
    add("draw_color=", KeyField::draw_color);
    add("panel=", KeyField::panel);
    add("name_en=", KeyField::name_en);
    return keys;
}

// Key names use lower-case letters, digits and "_"; any other character ends the backward walk.
constexpr int alphabet = 26 + 10 + 1;

constexpr std::array<std::int8_t, 256> build_letter_codes()
{
    std::array<std::int8_t, 256> codes{};
    for (auto& c : codes)
        c = -1;
    for (int c = 'a'; c <= 'z'; ++c)
        codes[size_t(c)] = std::int8_t(c - 'a');
    for (int c = '0'; c <= '9'; ++c)
        codes[size_t(c)] = std::int8_t(26 + c - '0');
    codes[size_t('_')] = 36;
    return codes;
}

constexpr std::array<std::int8_t, 256> letter_code = build_letter_codes();

// A trie of the key names read backwards from their "=". A node can end two keys at once
// ("elevation=" is in the list twice).
struct ReversedTrie {
    struct Node {
        std::array<std::int16_t, alphabet> next;
        std::int16_t keys[2] = {-1, -1};
        Node() { next.fill(-1); }
    };
    std::vector<Node> nodes;

    ReversedTrie()
    {
        nodes.emplace_back();
        const auto& keys = definition_keys();
        for (size_t id = 0; id < keys.size(); ++id) {
            std::string_view name(keys[id].text);
            name.remove_suffix(1); // the "="
            size_t node = 0;
            for (size_t i = name.size(); i-- > 0;) {
                int code = letter_code[static_cast<unsigned char>(name[i])];
                if (nodes[node].next[size_t(code)] < 0) {
                    nodes[node].next[size_t(code)] = std::int16_t(nodes.size());
                    nodes.emplace_back();
                }
                node = size_t(nodes[node].next[size_t(code)]);
            }
            auto& slot = nodes[node].keys;
            (slot[0] < 0 ? slot[0] : slot[1]) = std::int16_t(id);
        }
    }
};

const ReversedTrie& reversed_trie()
{
    static const ReversedTrie trie;
    return trie;
}

} // namespace

const std::vector<DefinitionKey>& definition_keys()
{
    static const std::vector<DefinitionKey> keys = build_keys();
    return keys;
}

std::vector<int> KeyMatches::list() const
{
    std::vector<int> out;
    for_each([&](int key) { out.push_back(key); });
    return out;
}

KeyMatches match_keys(std::string_view line)
{
    KeyMatches found;
    const ReversedTrie& trie = reversed_trie();
    const char* begin = line.data();
    const char* end = begin + line.size();
    for (const char* p = begin; p < end;) {
        const void* hit = std::memchr(p, '=', size_t(end - p));
        if (!hit)
            break;
        const char* eq = static_cast<const char*>(hit);
        size_t node = 0;
        for (const char* q = eq; q > begin;) {
            int code = letter_code[static_cast<unsigned char>(*--q)];
            if (code < 0)
                break;
            std::int16_t next = trie.nodes[node].next[size_t(code)];
            if (next < 0)
                break;
            node = size_t(next);
            for (std::int16_t key : trie.nodes[node].keys)
                if (key >= 0)
                    found.add(key);
        }
        p = eq + 1;
    }
    return found;
}

KeyMatches match_keys_by_containment(std::string_view line)
{
    KeyMatches found;
    const auto& keys = definition_keys();
    for (size_t id = 0; id < keys.size(); ++id)
        if (line.find(keys[id].text) != std::string_view::npos)
            found.add(int(id));
    return found;
}

} // namespace halvern
