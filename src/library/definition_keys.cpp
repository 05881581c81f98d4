#include "library/definition_keys.h"

#include <cstring>
#include <stdexcept>

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

// The name before "=" is usually a key name exactly. Then the keys that end at that "=" are that
// key and the keys that are its own endings ("elevation" for "auto_elevation"), known in advance:
// one table look-up instead of a walk. Any other name goes through the trie.
class KeyNameTable {
public:
    struct Entry {
        // A name is compared as its length and its first and last eight bytes (all of it for names
        // up to 16 characters); longer names compare the rest too.
        std::uint64_t head = 0, tail = 0;
        std::string_view name; // empty: a free slot
        std::array<std::int16_t, 4> keys{-1, -1, -1, -1};
    };

    KeyNameTable()
    {
        const auto& keys = definition_keys();
        for (const auto& key : keys) {
            std::string_view name(key.text.data(), key.text.size() - 1);
            Words w = words(name);
            Entry& e = slots_[slot_for(name, w)];
            if (!e.name.empty())
                continue;
            e.name = name;
            e.head = w.head;
            e.tail = w.tail;
            size_t count = 0;
            for (size_t id = 0; id < keys.size(); ++id) {
                std::string_view other(keys[id].text.data(), keys[id].text.size() - 1);
                if (name.size() >= other.size() && name.substr(name.size() - other.size()) == other) {
                    if (count == e.keys.size())
                        throw std::logic_error("a key name ends with too many other key names");
                    e.keys[count++] = std::int16_t(id);
                }
            }
        }
    }

    const Entry* find(std::string_view name) const
    {
        const Entry& e = slots_[slot_for(name, words(name))];
        return e.name.empty() ? nullptr : &e;
    }

private:
    static constexpr int bits = 10;
    static constexpr size_t size = size_t(1) << bits; // well above the number of names

    struct Words {
        std::uint64_t head = 0, tail = 0;
    };

    static Words words(std::string_view s)
    {
        Words w;
        if (s.size() >= 8) {
            std::memcpy(&w.head, s.data(), 8);
            std::memcpy(&w.tail, s.data() + s.size() - 8, 8);
        } else {
            for (size_t i = 0; i < s.size(); ++i)
                w.head |= std::uint64_t(static_cast<unsigned char>(s[i])) << (8 * i);
        }
        return w;
    }

    static bool same(const Entry& e, std::string_view name, const Words& w)
    {
        return e.name.size() == name.size() && e.head == w.head && e.tail == w.tail
               && (name.size() <= 16 || std::memcmp(e.name.data() + 8, name.data() + 8, name.size() - 16) == 0);
    }

    // The slot holding `name`, or the free slot where it would go.
    size_t slot_for(std::string_view name, const Words& w) const
    {
        std::uint64_t h = (w.head * 0x9E3779B97F4A7C15ull) ^ ((w.tail + name.size()) * 0xC2B2AE3D27D4EB4Full);
        h *= 0x165667B19E3779F9ull;
        size_t i = size_t(h >> (64 - bits));
        while (!slots_[i].name.empty() && !same(slots_[i], name, w))
            i = (i + 1) & (size - 1);
        return i;
    }

    std::array<Entry, size> slots_{};
};

const KeyNameTable& key_name_table()
{
    static const KeyNameTable table;
    return table;
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

namespace {

// The start of the name (letters, digits, "_") that ends at `equals`: every key ending at that
// "=" is an ending of it.
const char* name_start(const char* begin, const char* equals)
{
    const char* start = equals;
    while (start > begin && letter_code[static_cast<unsigned char>(start[-1])] >= 0)
        --start;
    return start;
}

} // namespace

const std::array<std::int16_t, 4>* keys_of_single_key_line(std::string_view line, size_t equals)
{
    // A key name is made of name characters only, so when the whole text before "=" is one, that
    // text is the name ending at the "=".
    const KeyNameTable::Entry* entry = key_name_table().find(line.substr(0, equals));
    return entry ? &entry->keys : nullptr;
}

KeyMatches match_keys(std::string_view line) { return match_keys(line, line.find('=')); }

KeyMatches match_keys(std::string_view line, size_t first_equals)
{
    KeyMatches found;
    if (first_equals >= line.size())
        return found;
    const ReversedTrie& trie = reversed_trie();
    const KeyNameTable& names = key_name_table();
    const char* begin = line.data();
    const char* end = begin + line.size();
    for (const char* p = begin + first_equals; p < end;) {
        const void* hit = *p == '=' ? p : std::memchr(p, '=', size_t(end - p));
        if (!hit)
            break;
        const char* eq = static_cast<const char*>(hit);
        p = eq + 1;

        const char* start = name_start(begin, eq);
        if (start == eq)
            continue;
        if (const KeyNameTable::Entry* entry = names.find(std::string_view(start, size_t(eq - start)))) {
            for (std::int16_t key : entry->keys)
                if (key >= 0)
                    found.add(key);
            continue;
        }
        size_t node = 0;
        for (const char* q = eq; q > start;) {
            std::int16_t next = trie.nodes[node].next[size_t(letter_code[static_cast<unsigned char>(*--q)])];
            if (next < 0)
                break;
            node = size_t(next);
            for (std::int16_t key : trie.nodes[node].keys)
                if (key >= 0)
                    found.add(key);
        }
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
