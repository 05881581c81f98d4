// Library 0: the frames seen from above, assembled from their pieces. A frame is a profile
// (straight, or curved by 30 or 90 degrees) with, at each end, a post, a connector and a clip;
// where an end meets another frame (its end code), the end's pieces move along the frame's line
// by that end's offset, so that joined frames share their posts.

#include <cmath>
#include <numbers>
#include <string>

#include "base/numbers.h"
#include "geometry/figures.h"
#include "geometry/outline_context.h"
#include "geometry/profile_lists.h"

namespace halvern {

namespace {

constexpr double radians = std::numbers::pi / 180.0;

constexpr double bar_depth = 2.53;   // the profile of a straight frame
constexpr double bar_start = 8.2;    // where the assembled bar's list begins
constexpr double bar_reach = 1.5;    // how close to each end the bar runs, under the end pieces
constexpr double fabric_offset = 1.3; // the two faces of the fabric, either side of the line
constexpr double tick_half = 3.0;    // detail lines across the frame at the posts
constexpr double connector_from_post = 1.0; // where a connector starts, from its post's centre
// A frame curved by 30 degrees: where its pieces sit, from the end along the line and across it.
constexpr double clip_30 = 7.8;
constexpr double magnet_along = 7.0, magnet_across = 2.6;
constexpr double inner_profile_below = 5.0; // the inner profile's centre below the line's top

// Where a piece sits: a point of the frame's line and the line's direction there (degrees,
// clockwise on screen), for end 1; end 2 is its mirror image.
struct Station {
    PointD at;
    double heading = 0;
    PointD normal() const // towards the inside of the curve (down the screen for a flat frame)
    {
        return {-std::sin(heading * radians), std::cos(heading * radians)};
    }
};

// The frame's line: straight, or a curved profile's arc in the middle with straight end pieces
// along its tangents out to both ends, bulging towards the top of the plan. A frame too narrow
// for the profile's arc is one arc from end to end.
class FrameLine {
public:
    FrameLine(double width, double half_bend_degrees = 0, double radius = 0)
        : half_width_(width / 2), bend_(half_bend_degrees * radians)
    {
        if (bend_ <= 0)
            return;
        radius_ = radius;
        if (radius_ <= 0 || radius_ * std::sin(bend_) > half_width_) {
            radius_ = half_width_ / std::sin(bend_);
            straight_ = 0;
        } else {
            straight_ = (half_width_ - radius_ * std::sin(bend_)) / std::cos(bend_);
        }
        centre_y_ = radius_ * std::cos(bend_) - straight_ * std::sin(bend_);
    }

    bool curved() const { return bend_ > 0; }
    double radius() const { return radius_; }
    double straight() const { return straight_; } // length of each straight end piece
    double half_bend() const { return bend_; }     // radians
    double apex_y() const { return curved() ? centre_y_ - radius_ : 0; }

    // `inward` centimetres from end 1 along the line (beyond the end, straight on, when negative).
    Station at_end1(double inward) const
    {
        if (!curved() || inward < straight_) {
            double h = -bend_;
            return {{-half_width_ + inward * std::cos(h), inward * std::sin(h)}, h / radians};
        }
        double a = -bend_ + (inward - straight_) / radius_;
        return {{radius_ * std::sin(a), centre_y_ - radius_ * std::cos(a)}, a / radians};
    }

private:
    double half_width_;
    double bend_;
    double radius_ = 0, straight_ = 0, centre_y_ = 0;
};

// A curved profile list is a band with radial ends turning by twice the half bend: the radius of
// its middle and its thickness follow from its natural size.
struct ProfileArc {
    double radius = 0, thickness = 0;
};

ProfileArc profile_arc(const PointListData& profile, double half_bend_degrees)
{
    double b = half_bend_degrees * radians;
    double outer = profile.width / (2 * std::sin(b));
    double thickness = (profile.depth - outer * (1 - std::cos(b))) / std::cos(b);
    return {outer - thickness / 2, thickness};
}

// The centre of a profile list laid on the line's arc, the line running along its middle.
double profile_centre_y(const FrameLine& line, const PointListData& profile, const ProfileArc& arc)
{
    return line.apex_y() - arc.thickness / 2 + profile.depth / 2;
}

struct Paint {
    int red, green, blue;
    bool outline; // a black edge over the fill
};

constexpr Paint grey_profile{128, 128, 128, true};
constexpr Paint post_paint{200, 200, 200, true};
constexpr Paint connector_paint{240, 240, 240, true};
constexpr Paint clip_paint{200, 200, 0, false};
constexpr Paint magnet_paint{200, 0, 200, false};

class FrameDrawing {
public:
    FrameDrawing(const OutlineContext& o, const FrameLine& line, EndOffsets offsets)
        : o_(o), line_(line), offsets_(offsets)
    {
    }

    double offset(int end) const { return end == 1 ? offsets_.end1 : offsets_.end2; }

    Station station(int end, double inward) const
    {
        Station s = line_.at_end1(inward);
        if (end == 2) {
            s.at.x = -s.at.x;
            s.heading = -s.heading;
        }
        return s;
    }

    // A list drawn centred at (dx, dy) from the frame's centre, turned by `tilt` more than the
    // frame, mirrored for end 2.
    void list(const PointListData& data, double dx, double dy, double tilt, bool mirror, const Paint& paint) const
    {
        PointD centre = o_.turned_cm(dx, dy);
        PointPathOptions options;
        options.angle = o_.angle + tilt;
        options.mirror = mirror;
        options.fill = true;
        o_.colour(paint.red, paint.green, paint.blue);
        draw_point_path(o_.canvas, o_.zoom, data.points, centre.x, centre.y, data.width, data.depth, options);
        if (paint.outline) {
            options.fill = false;
            o_.colour(0, 0, 0);
            o_.normal_line();
            draw_point_path(o_.canvas, o_.zoom, data.points, centre.x, centre.y, data.width, data.depth, options);
        }
    }

    // A piece of an end: `inward` from the end along the line, `across` towards the inside.
    void end_piece(FrameList which, int end, double inward, double across, double tilt, const Paint& paint) const
    {
        Station s = station(end, inward);
        PointD n = s.normal();
        double tilt_here = end == 1 ? s.heading + tilt : s.heading - tilt;
        list(frame_list(which), s.at.x + across * n.x, s.at.y + across * n.y, tilt_here, end == 2, paint);
    }

    // The line itself shifted `across` towards the inside: straight pieces and a Bezier curve.
    void line_curve(double across) const
    {
        auto shifted = [&](int end, double inward) {
            Station s = station(end, inward);
            PointD n = s.normal();
            return PointD{s.at.x + across * n.x, s.at.y + across * n.y};
        };
        PointD p0 = shifted(1, 0), p3 = shifted(2, 0);
        if (!line_.curved()) {
            o_.segment(p0.x, p0.y, p3.x, p3.y);
            return;
        }
        PointD a0 = shifted(1, line_.straight()), a3 = shifted(2, line_.straight());
        if (line_.straight() > 0) {
            o_.segment(p0.x, p0.y, a0.x, a0.y);
            o_.segment(p3.x, p3.y, a3.x, a3.y);
        }
        double b = line_.half_bend();
        double k = 4.0 / 3.0 * std::tan(b / 2) * (line_.radius() - across);
        PointD a1{a0.x + k * std::cos(b), a0.y - k * std::sin(b)};
        PointD a2{a3.x - k * std::cos(b), a3.y - k * std::sin(b)};
        draw_bezier(o_.canvas, o_.turned_px(a0.x, a0.y), o_.turned_px(a1.x, a1.y), o_.turned_px(a2.x, a2.y),
                    o_.turned_px(a3.x, a3.y));
    }

    void fabric() const
    {
        o_.colour(160, 160, 160);
        o_.normal_line();
        line_curve(-fabric_offset);
        line_curve(fabric_offset);
    }

    void posts() const
    {
        for (int end : {1, 2})
            end_piece(FrameList::post, end, offset(end), 0, 0, post_paint);
    }

    void detail_lines(int detail) const
    {
        o_.colour(200, 0, 200);
        o_.normal_line();
        if (detail == 1 || detail == 3)
            line_curve(0);
        if (detail == 2 || detail == 3)
            for (int end : {1, 2}) {
                Station s = station(end, offset(end));
                PointD n = s.normal();
                o_.segment(s.at.x - tick_half * n.x, s.at.y - tick_half * n.y, s.at.x + tick_half * n.x,
                           s.at.y + tick_half * n.y);
            }
    }

private:
    const OutlineContext& o_;
    const FrameLine& line_;
    EndOffsets offsets_;
};

// At each end of a frame with straight ends: a connector from the post, clipped at its inner end.
void straight_end_pieces(const FrameDrawing& f)
{
    const PointListData& connector = frame_list(FrameList::end_connector);
    const PointListData& clip = frame_list(FrameList::end_cap);
    for (int end : {1, 2}) {
        double start = f.offset(end) + connector_from_post;
        f.end_piece(FrameList::end_connector, end, start + connector.width / 2, 0, 0, connector_paint);
        f.end_piece(FrameList::end_cap, end, start + connector.width - clip.width / 2, 0, 0, clip_paint);
    }
}

// A straight frame: the bar runs under the end pieces to 1.5 cm from each end.
void straight_frame(const FrameDrawing& f, const OutlineContext& o, int detail)
{
    double natural = o.w + 2 * (bar_start - bar_reach);
    std::string e = format_number(natural - bar_start);
    std::string bar = "|8.2|0|" + e + "|0|" + e + "|2.53|8.2|2.53|";
    f.list({natural, bar_depth, 4, bar}, 0, 0, 0, false, grey_profile);
    straight_end_pieces(f);
    f.posts();
    f.detail_lines(detail);
}

// A frame curved by 30 degrees: an outer and an inner profile, tilted connectors at the ends.
void curved_frame_30(const FrameDrawing& f, const FrameLine& line, int detail)
{
    f.fabric();
    const PointListData& outer = frame_list(FrameList::profile_30);
    const PointListData& inner = frame_list(FrameList::inner_profile_30);
    f.list(outer, 0, profile_centre_y(line, outer, profile_arc(outer, 15)), 0, false, grey_profile);
    f.list(inner, 0, line.apex_y() + inner_profile_below, 0, false, grey_profile);

    // The tilted connector reaches to the profile; a straight one carries on under it.
    const PointListData& tilted = frame_list(FrameList::end_connector_tilted);
    const PointListData& connector = frame_list(FrameList::end_connector);
    for (int end : {1, 2}) {
        double s = f.offset(end);
        f.end_piece(FrameList::end_connector, end, s + bar_start - bar_reach + connector.width / 2, 0, 0,
                    connector_paint);
        f.end_piece(FrameList::end_connector_tilted, end, s + connector_from_post + tilted.width / 2, 0,
                    tilted_connector_degrees, connector_paint);
        f.end_piece(FrameList::end_cap, end, s + clip_30, 0, 0, clip_paint);
        f.end_piece(FrameList::magnet_mark, end, s + magnet_along, magnet_across, 0, magnet_paint);
    }
    f.posts();
    f.detail_lines(detail);
}

// A frame curved by 90 degrees.
void curved_frame_90(const FrameDrawing& f, const FrameLine& line, int detail)
{
    f.fabric();
    const PointListData& profile = frame_list(FrameList::profile_90);
    f.list(profile, 0, profile_centre_y(line, profile, profile_arc(profile, 45)), 0, false, grey_profile);
    straight_end_pieces(f);
    f.posts();
    f.detail_lines(detail);
}

} // namespace

void draw_builtin_frame(const OutlineContext& o, int detail, EndOffsets offsets)
{
    double style = o.component.style;
    if (style == 1) {
        FrameLine line(o.w, 0);
        straight_frame(FrameDrawing(o, line, offsets), o, detail);
    } else if (style == 0) {
        FrameLine line(o.w, 15, profile_arc(frame_list(FrameList::profile_30), 15).radius);
        curved_frame_30(FrameDrawing(o, line, offsets), line, detail);
    } else if (style == 2) {
        FrameLine line(o.w, 45, profile_arc(frame_list(FrameList::profile_90), 45).radius);
        curved_frame_90(FrameDrawing(o, line, offsets), line, detail);
    }
    o.colour(0, 0, 0);
    o.normal_line();
}

} // namespace halvern
