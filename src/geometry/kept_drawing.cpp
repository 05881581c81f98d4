#include "geometry/kept_drawing.h"

#include "geometry/canvas_adapters.h"

namespace halvern {

KeptDrawing::KeptDrawing(std::unique_ptr<PictureStore> store) : store_(std::move(store)) {}

void KeptDrawing::draw(Canvas& target, const std::string& key, PixelRect box, const std::function<void(Canvas&)>& draw)
{
    // The state the drawing starts in is part of what it is drawn from.
    const DrawState before = target.state();
    std::string full_key = key;
    full_key += '|' + std::to_string(before.colour) + ',' + std::to_string(before.line_style) + ',' +
                std::to_string(before.line_width) + ',' + std::to_string(int(before.smooth)) + '|' +
                std::to_string(box.x) + ',' + std::to_string(box.y) + ',' + std::to_string(box.width) + ',' +
                std::to_string(box.height);
    if (picture_ >= 0 && full_key == key_ && store_->put_picture(picture_, target, at_)) {
        target.set_state(after_);
        return;
    }
    if (picture_ >= 0)
        store_->drop_picture(picture_);
    picture_ = -1;
    key_.clear();
    Canvas* picture = box.width > 0 && box.height > 0 ? store_->begin_picture(box.width, box.height) : nullptr;
    if (!picture) {
        draw(target);
        return;
    }
    DrawState after;
    {
        OffsetCanvas shifted(*picture, box.x, box.y);
        shifted.set_state(before);
        draw(shifted);
        after = shifted.state();
    }
    const int number = store_->end_picture();
    if (number < 0 || !store_->put_picture(number, target, {box.x, box.y})) {
        if (number >= 0)
            store_->drop_picture(number);
        target.set_state(before);
        draw(target);
        return;
    }
    picture_ = number;
    at_ = {box.x, box.y};
    key_ = std::move(full_key);
    after_ = after;
    ++made_;
    target.set_state(after);
}

} // namespace halvern
