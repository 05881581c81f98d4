#!/usr/bin/env python3
"""Writes src/geometry/profile_lists_data.cpp: the point lists of the built-in frames (library 0)
and of the curved profile pieces (library 23).

Every list is our own geometry: circular arcs and bands sampled to the point counts the outline
drawing expects, then stretched to the exact natural size of the list. The bends are drawn around
one fabric line per bend pair: the inner ("int") body runs just outside the line, the outer ("ext")
body just inside it, once each body is centred on the piece and the line is shifted across by its
offset. Run it from the repository's root after changing a parameter; the output is committed.
"""
import math
import sys

OUT = "src/geometry/profile_lists_data.cpp"


def fmt(v):
    s = "%.3f" % v
    s = s.rstrip("0").rstrip(".")
    return "0" if s in ("-0", "") else s


def normalise(points, width, depth):
    """Stretches a figure so that its bounding box is exactly [0, width] x [0, depth]."""
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    x0, x1, y0, y1 = min(xs), max(xs), min(ys), max(ys)
    return [((x - x0) * width / (x1 - x0), (y - y0) * depth / (y1 - y0)) for x, y in points]


def turned(points, width, depth):
    """Point lists are drawn turned by 180 degrees: store a figure designed as seen on screen."""
    return [(width - x, depth - y) for x, y in points]


def arc_points(radius, a0, a1, n, cx=0.0, cy=0.0):
    """n points on a circle from angle a0 to a1 (degrees from straight up, clockwise, y down)."""
    out = []
    for k in range(n):
        a = math.radians(a0 + (a1 - a0) * k / (n - 1))
        out.append((cx + radius * math.sin(a), cy - radius * math.cos(a)))
    return out


def band(r_out, r_in, half_angle, per_edge, cx=0.0, cy=0.0):
    """A curved band with radial ends: the outer edge from left to right, the inner edge back."""
    outer = arc_points(r_out, -half_angle, half_angle, per_edge, cx, cy)
    inner = arc_points(r_in, half_angle, -half_angle, per_edge, cx, cy)
    return outer + inner


# ---- library 23: centre lines -------------------------------------------------------------

def centre_line_l2():
    # The circle through (0, 15.397) and (71.449, 15.496) that touches y = 0; the first rows
    # are given as they are, the rest sampled on that circle with a sample at the lowest point.
    p0, p21 = (0.0, 15.397), (71.449, 15.496)
    lo, hi = 30.0, 40.0

    def miss(a):
        r = (a * a + p0[1] ** 2) / (2 * p0[1])
        return (p21[0] - a) ** 2 + (r - p21[1]) ** 2 - r * r

    for _ in range(200):
        m = (lo + hi) / 2
        if miss(lo) * miss(m) <= 0:
            hi = m
        else:
            lo = m
    cx = (lo + hi) / 2
    r = (cx * cx + p0[1] ** 2) / (2 * p0[1])

    def angle_of(p):  # from straight down the circle's centre, in degrees
        return math.degrees(math.atan2(p[0] - cx, r - p[1]))

    head = [p0, (2.253, 13.199), (4.709, 11.108)]
    a2, a21 = angle_of(head[2]), angle_of(p21)
    pts = list(head)
    for k in range(1, 10):  # points 3..11, the last one at the lowest point
        a = math.radians(a2 * (1 - k / 9))
        pts.append((cx + r * math.sin(a), r - r * math.cos(a)))
    for k in range(1, 10):  # points 12..20
        a = math.radians(a21 * k / 10)
        pts.append((cx + r * math.sin(a), r - r * math.cos(a)))
    pts.append(p21)
    pts[11] = (pts[11][0], 0.0)
    return pts, (cx, r, r)


def centre_line_l14():
    # Symmetric about its middle, with two lowest points at x = 38.915 and x = 40.178.
    half, gap, depth = 79.093 / 2, 40.178 - 79.093 / 2, 3.912
    # the circle through the lowest points and the ends
    r = (half ** 2 + depth ** 2 - gap ** 2 + 0) / (2 * depth)  # first guess, refined below
    for _ in range(100):
        f0 = math.asin(gap / r)
        f1 = math.asin(half / r)
        err = r * (math.cos(f0) - math.cos(f1)) - depth
        r += err * r / depth * 0.5
    f0, f1 = math.asin(gap / r), math.asin(half / r)
    base = r * math.cos(f0)
    right = []
    for k in range(32):
        f = f0 + (f1 - f0) * k / 31
        right.append((half + r * math.sin(f), base - r * math.cos(f)))
    left = [(2 * half - x, y) for x, y in reversed(right)]
    pts = left + right
    pts[0], pts[31], pts[32], pts[63] = (0.0, depth), (38.915, 0.0), (40.178, 0.0), (79.093, depth)
    return pts, (half, base, r)


def centre_line_arc(width, depth, n):
    r = ((width / 2) ** 2 + depth ** 2) / (2 * depth)
    a = math.degrees(math.asin(width / 2 / r))
    pts = [(width / 2 + x, y + r) for x, y in arc_points(r, -a, a, n)]
    pts = normalise(pts, width, depth)
    return pts, (width / 2, r, r)


CENTRE_LINES = {  # list: (width, depth, points)
    "L2": (71.449, 15.496, 22),
    "L5": (76.295, 10.488, 42),
    "L8": (77.549, 7.926, 42),
    "L11": (78.55, 5.192, 94),
    "L14": (79.093, 3.912, 64),
}

BODIES = {  # list: (width, depth, points, centre line, shift across the bend)
    "L1": (74.123, 17.56, 44, "L2", 2.65),
    "L3": (67.339, 16.138, 44, "L2", -0.85),
    "L4": (76.513, 12.894, 84, "L5", 2.65),
    "L6": (71.721, 12.293, 40, "L5", -1.65),
    "L7": (77.0, 10.456, 66, "L8", 2.65),
    "L9": (73.399, 10.122, 84, "L8", -2.65),
    "L10": (77.104, 7.98, 40, "L11", 2.25),
    "L12": (74.623, 7.858, 40, "L11", -1.85),
    "L13": (76.972, 6.783, 44, "L14", 1.65),
    "L15": (75.102, 6.693, 44, "L14", -1.85),
}


def body(width, depth, n, circle, line_w, line_d, shift):
    # The line's centre of curvature, in the frame where both lists are centred on the piece.
    cx, cy, _ = circle
    yc = cy - line_d / 2 + shift
    r_out = yc + depth / 2
    half = math.degrees(math.asin(width / (2 * r_out)))
    r_in = (yc - depth / 2) / math.cos(math.radians(half))
    pts = band(r_out, r_in, half, n // 2)
    return normalise(pts, width, depth)


# ---- library 0 ------------------------------------------------------------------------------

def rounded_connector():
    """7.13 x 2.53, drawn for end 1: round on the left where it meets the post, square on the
    right where it meets the profile."""
    w, d = 7.13, 2.53
    r = d / 2
    pts = [(w, 0.0), (w, d)]
    for k in range(24):
        a = math.radians(90 + 180 * k / 23)
        pts.append((r + r * math.cos(a), r + r * math.sin(a)))
    return normalise(pts, w, d)


def tilted_connector():
    """7.34 x 3.87: the connector of a curved frame, tilted with the end of the curve."""
    base = rounded_connector()
    best = None
    for tenths in range(0, 300):
        t = math.radians(tenths / 10)
        pts = [(x * math.cos(t) + y * math.sin(t), -x * math.sin(t) + y * math.cos(t)) for x, y in base]
        xs, ys = [p[0] for p in pts], [p[1] for p in pts]
        ratio = (max(xs) - min(xs)) / (max(ys) - min(ys))
        if best is None or abs(ratio - 7.34 / 3.87) < best[0]:
            best = (abs(ratio - 7.34 / 3.87), pts, tenths / 10)
    return normalise(best[1], 7.34, 3.87), best[2]


def post():
    pts = [(math.cos(2 * math.pi * k / 40), math.sin(2 * math.pi * k / 40)) for k in range(40)]
    return normalise(pts, 4.13, 4.11)


def frame_band(width, depth, n, half):
    """A curved profile of a frame, bulging towards the top of the plan."""
    r_out = width / (2 * math.sin(math.radians(half)))
    t = (depth - r_out * (1 - math.cos(math.radians(half)))) / math.cos(math.radians(half))
    pts = band(r_out, r_out - t, half, n // 2)
    return normalise(pts, width, depth)


def rectangle(width, depth):
    return [(0.0, 0.0), (width, 0.0), (width, depth), (0.0, depth)]


def text_of(points):
    return "|" + "".join("%s|%s|" % (fmt(x), fmt(y)) for x, y in points)


def main():
    lists = []
    circles = {}
    for name, (w, d, n) in CENTRE_LINES.items():
        if name == "L2":
            pts, circle = centre_line_l2()
        elif name == "L14":
            pts, circle = centre_line_l14()
        else:
            pts, circle = centre_line_arc(w, d, n)
        assert len(pts) == n, name
        circles[name] = circle
        lists.append((name, w, d, pts))
    for name, (w, d, n, line, shift) in BODIES.items():
        lw, ld, _ = CENTRE_LINES[line]
        pts = body(w, d, n, circles[line], lw, ld, shift)
        assert len(pts) == n, name
        lists.append((name, w, d, pts))
    order = ["L%d" % k for k in range(1, 16)]
    lists.sort(key=lambda item: order.index(item[0]))

    tilted = tilted_connector()
    frame = [
        ("end_connector_tilted", 7.34, 3.87, turned(tilted[0], 7.34, 3.87)),
        ("magnet_mark", 1.27, 2.59, rectangle(1.27, 2.59)),
        ("profile_30", 57.59, 6.22, turned(frame_band(57.59, 6.22, 30, 15), 57.59, 6.22)),
        ("post", 4.13, 4.11, post()),
        ("end_connector", 7.13, 2.53, turned(rounded_connector(), 7.13, 2.53)),
        ("inner_profile_30", 39.75, 5.29, turned(frame_band(39.75, 5.29, 26, 15), 39.75, 5.29)),
        ("end_cap", 0.8, 2.53, rectangle(0.8, 2.53)),
        ("profile_90", 56.84, 13.56, turned(frame_band(56.84, 13.56, 44, 45), 56.84, 13.56)),
    ]

    def table(out, type_line, entries):
        out.append(type_line)
        for name, w, d, pts in entries:
            out.append("        // %s" % name)
            out.append("        {%s, %s, %d," % (fmt(w), fmt(d), len(pts)))
            out.append('         "%s"},' % text_of(pts))
        out.append("    }};")

    out = [
        "// Generated by scripts/profile_lists.py: the point lists of the built-in outlines.",
        "// Do not edit by hand; change the script and run it again.",
        "",
        '#include "geometry/profile_lists.h"',
        "",
        "namespace halvern {",
        "",
        "const std::array<PointListData, 15>& bend_lists()",
        "{",
    ]
    table(out, "    static const std::array<PointListData, 15> lists = {{", lists)
    out += ["    return lists;", "}", ""]
    out += ["const double tilted_connector_degrees = %s;" % fmt(tilted[1]), ""]
    out += ["const PointListData& frame_list(FrameList which)", "{"]
    table(out, "    static const std::array<PointListData, %d> lists = {{" % len(frame), frame)
    out += ["    return lists[size_t(which)];", "}", "", "} // namespace halvern"]
    with open(OUT, "w", newline="\n") as f:
        f.write("\n".join(out) + "\n")


if __name__ == "__main__":
    sys.exit(main())
