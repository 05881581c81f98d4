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
    return a.size == b.size && a.state == b.state && std::equal(a.lines.begin(), a.lines.end(), b.lines.begin(), b.lines.end());
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

void LabelCache::draw(Canvas& target, Pixel at, std::span<const LabelLine> lines, double size_points)
{
    if (!store_ || lines.empty()) {
        draw_label(target, at, lines, size_points);
        return;
    }
    // Lines and width of the pen do not change how a text is drawn; the colour and smoothness do.
    const KeyView view{lines, size_points, {target.colour(), line_solid, 1, target.smooth()}};
    const Entry* entry = nullptr;
    if (auto found = entries_.find(view); found != entries_.end()) {
        found->second.used = redraw_;
        entry = &found->second;
    } else {
        entry = make_entry(Key{{lines.begin(), lines.end()}, view.size, view.state});
    }
    if (entry && entry->picture < 0)
        return;
    if (entry && store_->put_picture(entry->picture, target, {at.x + entry->dx, at.y + entry->dy})) {
        ++put_;
        return;
    }
    draw_label(target, at, lines, size_points);
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
    draw_label(bounds, {0, 0}, key.lines, key.size);
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
    draw_label(*picture, {-left, -top}, key.lines, key.size);
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
