#include "geometry/label_cache.h"

#include <algorithm>
#include <functional>

#include "geometry/canvas_adapters.h"

namespace halvern {

namespace {

// Beyond the estimate of the text's box: glyphs that reach left of their origin, and edge shades.
constexpr int picture_margin = 4;

void mix(std::size_t& seed, std::size_t value) { seed ^= value + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2); }

} // namespace

void draw_label(Canvas& target, Pixel at, std::span<const LabelLine> lines, double size_points)
{
    for (const LabelLine& line : lines)
        target.text({at.x + line.offset.x, at.y + line.offset.y}, line.text, size_points);
}

bool LabelCache::KeyEqual::operator()(const KeyView& a, const Key& b) const
{
    return a.size == b.size && a.state == b.state && a.ring == b.ring && std::equal(a.lines.begin(), a.lines.end(), b.lines.begin(), b.lines.end());
}

std::size_t LabelCache::KeyHash::operator()(const KeyView& key) const
{
    std::size_t seed = 0;
    for (const LabelLine& line : key.lines) {
        mix(seed, std::hash<std::string>{}(line.text));
        mix(seed, std::hash<int>{}(line.offset.x));
        mix(seed, std::hash<int>{}(line.offset.y));
    }
    mix(seed, std::hash<double>{}(key.size));
    mix(seed, std::hash<int>{}(key.state.colour));
    mix(seed, std::hash<bool>{}(key.state.smooth));
    mix(seed, std::hash<int>{}(key.state.line_width));
    mix(seed, std::hash<int>{}(key.ring.x * 65599 + key.ring.y));
    return seed;
}

LabelCache::LabelCache(std::unique_ptr<PictureStore> store) : store_(std::move(store)) {}

void LabelCache::clear()
{
    entries_.clear();
    if (store_)
        store_->drop_pictures();
    bytes_ = 0;
}

void LabelCache::draw_key(Canvas& target, Pixel at, std::span<const LabelLine> lines, double size, Pixel ring)
{
    if (ring.x > 0 || ring.y > 0)
        target.ellipse({at.x, at.y, ring.x, ring.y}, false);
    else
        draw_label(target, at, lines, size);
}

bool LabelCache::put(Canvas& target, Pixel at, const KeyView& view)
{
    const Entry* entry = nullptr;
    if (auto found = entries_.find(view); found != entries_.end()) {
        found->second.used = redraw_;
        entry = &found->second;
    } else {
        entry = make_entry(Key{{view.lines.begin(), view.lines.end()}, view.size, view.state, view.ring});
    }
    if (entry && entry->picture < 0)
        return true;
    if (entry && store_->put_picture(entry->picture, target, {at.x + entry->dx, at.y + entry->dy})) {
        ++put_;
        return true;
    }
    return false;
}

void LabelCache::draw(Canvas& target, Pixel at, std::span<const LabelLine> lines, double size_points)
{
    // Lines and width of the pen do not change how a text is drawn; the colour and smoothness do.
    if (!store_ || lines.empty() || !put(target, at, {lines, size_points, {target.colour(), line_solid, 1, target.smooth()}, {}}))
        draw_label(target, at, lines, size_points);
}

void LabelCache::draw_ring(Canvas& target, PixelRect box)
{
    if (!store_ || box.width <= 0 || box.height <= 0 ||
        !put(target, {box.x, box.y}, {{}, 0, target.state(), {box.width, box.height}}))
        target.ellipse(box, false);
}

bool LabelCache::make_room(std::int64_t bytes)
{
    auto fits = [&] { return int(entries_.size()) < max_entries && bytes_ + bytes <= max_bytes; };
    if (fits())
        return true;
    drop_entries_unused_since(entries_, redraw_, bytes_, [&](int picture) { store_->drop_picture(picture); });
    return fits();
}

const LabelCache::Entry* LabelCache::make_entry(Key key)
{
    if (!make_room(0))
        return nullptr;
    BoundsCanvas bounds;
    bounds.set_smooth(key.state.smooth);
    bounds.set_line(key.state.line_style, key.state.line_width);
    draw_key(bounds, {0, 0}, key.lines, key.size, key.ring);
    Entry entry;
    entry.used = redraw_;
    if (bounds.empty())
        return &entries_.emplace(std::move(key), entry).first->second;

    const int left = bounds.left() - picture_margin, top = bounds.top() - picture_margin;
    const int width = bounds.right() + picture_margin - left + 1, height = bounds.bottom() + picture_margin - top + 1;
    const std::int64_t pixels = std::int64_t(width) * height;
    if (pixels > max_picture_pixels || !make_room(4 * pixels))
        return nullptr;
    Canvas* picture = store_->begin_picture(width, height);
    if (!picture)
        return nullptr;
    picture->set_colour_value(key.state.colour);
    picture->set_smooth(key.state.smooth);
    picture->set_line(key.state.line_style, key.state.line_width);
    draw_key(*picture, {-left, -top}, key.lines, key.size, key.ring);
    entry.picture = store_->end_picture();
    if (entry.picture < 0)
        return nullptr;
    entry.dx = left;
    entry.dy = top;
    entry.bytes = 4 * pixels;
    bytes_ += entry.bytes;
    ++made_;
    return &entries_.emplace(std::move(key), entry).first->second;
}

} // namespace halvern
