#include "geometry/outline_cache.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "geometry/canvas_adapters.h"
#include "geometry/picture_store.h"
#include "geometry/recording_canvas.h"

namespace halvern {

namespace {

// Room for the anti-aliased edge beyond the half line width the bounds already hold.
constexpr int picture_margin = 2;

void mix(std::size_t& seed, std::size_t value) { seed ^= value + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2); }

template <typename T>
void mix_value(std::size_t& seed, const T& value)
{
    mix(seed, std::hash<T>{}(value));
}

// The centre of the look in pixels of the picture, exactly as draw_component places it.
double centre_x(const PlanView& view, const ComponentLook& look)
{
    return (look.x + view.decal_x + (view.palette_column ? palette_column_pixels / view.zoom : 0.0)) * view.zoom;
}
double centre_y(const PlanView& view, const ComponentLook& look) { return (look.y + view.decal_y) * view.zoom; }

// The step of the fraction, rounded; a fraction that rounds up to a whole pixel moves to the next.
void split(double value, int& base, int& step)
{
    const double whole = std::floor(value);
    const long long rounded = std::llround((value - whole) * outline_phase_steps);
    base = int(whole) + int(rounded / outline_phase_steps);
    step = int(rounded % outline_phase_steps);
}

bool usable(const ComponentTable& components, const PlanView& view, const ComponentLook& look)
{
    if (!ComponentTable::valid(look.component) || !std::isfinite(view.zoom) || view.zoom <= 0)
        return false;
    if (components[look.component].is_free())
        return false;
    const double x = centre_x(view, look), y = centre_y(view, look);
    // Far out of any picture the whole pixels no longer hold the fraction: drawn directly.
    return std::isfinite(x) && std::isfinite(y) && std::abs(x) < 1e6 && std::abs(y) < 1e6;
}

} // namespace

std::size_t OutlineKeyHash::operator()(const OutlineKey& k) const
{
    std::size_t seed = 0;
    mix_value(seed, k.component);
    mix_value(seed, k.zoom);
    mix_value(seed, k.angle);
    mix_value(seed, k.end_mode);
    mix_value(seed, k.detail);
    mix_value(seed, k.line_boost);
    mix_value(seed, k.intensity);
    mix_value(seed, k.object_width);
    mix_value(seed, k.object_depth);
    mix_value(seed, k.end_code);
    mix_value(seed, k.front_view);
    mix_value(seed, k.state.colour);
    mix_value(seed, k.state.line_style);
    mix_value(seed, k.state.line_width);
    mix_value(seed, k.state.smooth);
    mix_value(seed, k.phase_x);
    mix_value(seed, k.phase_y);
    return seed;
}

OutlinePlace outline_place(const ComponentTable& components, const PlanView& view, const ComponentLook& look,
                           const DrawState& state)
{
    OutlinePlace place;
    OutlineKey& k = place.key;
    const Component& c = components[look.component];
    k.component = look.component;
    k.zoom = view.zoom;
    k.angle = look.angle;
    k.end_mode = look.end_mode;
    k.detail = look.detail;
    k.line_boost = look.line_boost;
    k.intensity = look.intensity == 0 ? 1.0 : look.intensity;
    k.object_width = c.resize_x == 1 ? look.object_width : 0;
    k.object_depth = c.resize_y == 1 ? look.object_depth : 0;
    // Only built-in frames read the end code.
    if (c.library == 0)
        k.end_code = std::string(look.end_code);
    k.front_view = look.front_view;
    k.state = state;
    split(centre_x(view, look), place.base.x, k.phase_x);
    split(centre_y(view, look), place.base.y, k.phase_y);
    return place;
}

std::uint64_t drawing_fingerprint(const Component& c)
{
    std::size_t seed = 1;
    mix_value(seed, c.shape);
    mix_value(seed, c.name.empty());
    mix_value(seed, c.width);
    mix_value(seed, c.depth);
    mix_value(seed, c.resize_x);
    mix_value(seed, c.resize_y);
    mix_value(seed, c.draw);
    mix_value(seed, c.draw_mirror);
    mix_value(seed, c.no_magnet);
    mix_value(seed, c.draw_open);
    mix_value(seed, c.draw_rotation);
    mix_value(seed, c.draw_fill);
    mix_value(seed, c.draw_color);
    mix_value(seed, c.library);
    mix_value(seed, c.style);
    return seed == 0 ? 1 : seed;
}

void OutlineCache::clear()
{
    entries_.clear();
    drop_pictures();
    bytes_ = 0;
}

bool OutlineCache::check_component(const ComponentTable& components, int number)
{
    if (fingerprints_.empty()) {
        fingerprints_.assign(size_t(max_component) + 1, 0);
        checked_.assign(size_t(max_component) + 1, 0);
    }
    if (checked_[size_t(number)] == redraw_)
        return true;
    checked_[size_t(number)] = redraw_;
    const std::uint64_t now = drawing_fingerprint(components[number]);
    std::uint64_t& before = fingerprints_[size_t(number)];
    if (before != 0 && before != now) {
        clear();
        // Every other component is looked at again too, since its pictures went with the rest.
        std::fill(fingerprints_.begin(), fingerprints_.end(), 0);
        before = now;
        return false;
    }
    before = now;
    return true;
}

void OutlineCache::draw(Canvas& target, const ComponentTable& components, const PlanView& view,
                        const ComponentLook& look)
{
    if (!usable(components, view, look)) {
        draw_component(target, components, view, look);
        return;
    }
    if (view.zoom != zoom_) {
        clear();
        zoom_ = view.zoom;
    }
    check_component(components, look.component);

    const OutlinePlace place = outline_place(components, view, look, target.state());
    Entry* entry = nullptr;
    if (auto found = entries_.find(place.key); found != entries_.end())
        entry = &found->second;
    else
        entry = make_entry(place, components, view, look);

    // Pictures are drawn and put at non-negative pixels only, where whole pixels cut fractions the
    // same way everywhere; anything else is drawn directly.
    if (entry && entry->picture < 0) {
        target.set_state(entry->after);
        return;
    }
    if (entry) {
        entry->used = redraw_;
        const Pixel at{place.base.x + entry->dx, place.base.y + entry->dy};
        if (at.x >= 0 && at.y >= 0 && put_picture(entry->picture, target, at)) {
            ++put_;
            target.set_state(entry->after);
            return;
        }
    }
    draw_component(target, components, view, look);
}

bool OutlineCache::make_room(std::int64_t bytes)
{
    auto fits = [&] { return int(entries_.size()) < max_entries && bytes_ + bytes <= max_bytes; };
    if (fits())
        return true;
    drop_entries_unused_since(entries_, redraw_, bytes_, [&](int picture) { drop_picture(picture); });
    return fits();
}

OutlineCache::Entry* OutlineCache::make_entry(const OutlinePlace& place, const ComponentTable& components,
                                                    const PlanView& view, const ComponentLook& look)
{
    if (!make_room(0))
        return nullptr;
    // The picture is drawn with the centre at its phase step, at a place well inside positive
    // pixels, so that it depends on the key alone.
    const double zoom = view.zoom;
    const double want_x = 4096.0 + double(place.key.phase_x) / outline_phase_steps;
    const double want_y = 4096.0 + double(place.key.phase_y) / outline_phase_steps;
    ComponentLook moved = look;
    moved.x += (want_x - centre_x(view, look)) / zoom;
    moved.y += (want_y - centre_y(view, look)) / zoom;

    // The outline is worked out once, recorded, then measured and painted from the recording.
    RecordingCanvas recording;
    recording.set_state(place.key.state);
    draw_component(recording, components, view, moved);
    BoundsCanvas bounds;
    replay(recording.primitives(), bounds);
    Entry entry;
    entry.used = redraw_;
    entry.after = recording.state();
    if (bounds.empty())
        return &entries_.emplace(place.key, entry).first->second;

    const int left = bounds.left() - picture_margin, top = bounds.top() - picture_margin;
    const int width = bounds.right() + picture_margin - left + 1, height = bounds.bottom() + picture_margin - top + 1;
    const std::int64_t pixels = std::int64_t(width) * height;
    if (left < 0 || top < 0 || pixels > max_picture_pixels || !make_room(4 * pixels))
        return nullptr;
    Canvas* picture = begin_picture(width, height);
    if (!picture)
        return nullptr;
    {
        OffsetCanvas shifted(*picture, left, top);
        replay(recording.primitives(), shifted);
    }
    entry.picture = end_picture();
    if (entry.picture < 0)
        return nullptr;
    entry.dx = left - 4096;
    entry.dy = top - 4096;
    entry.bytes = 4 * pixels;
    bytes_ += entry.bytes;
    ++made_;
    return &entries_.emplace(place.key, entry).first->second;
}

} // namespace halvern
