# Checks of the pictures render_3d.sh drew, by colour regions with wide margins.
import sys

work = sys.argv[1]


def read_ppm(name):
    data = open(f"{work}/{name}.ppm", "rb").read()
    parts = data.split(maxsplit=4)
    assert parts[0] == b"P6" and parts[3] == b"255", name
    w, h = int(parts[1]), int(parts[2])
    pixels = parts[4]
    return w, h, lambda x, y: tuple(pixels[3 * (y * w + x): 3 * (y * w + x) + 3])


def sky(p):  # the background: 0.78 0.84 0.9
    return abs(p[0] - 199) < 12 and abs(p[1] - 214) < 12 and abs(p[2] - 230) < 12


def green(p):
    return p[1] > p[0] + 60 and p[1] > p[2] + 60


def red(p):
    return p[0] > 150 and p[0] > p[1] + 80 and p[0] > p[2] + 80


def fraction(picture, test, box=None):
    w, h, at = picture
    x0, y0, x1, y1 = box or (0, 0, w, h)
    hits = sum(1 for y in range(y0, y1, 2) for x in range(x0, x1, 2) if test(at(x, y)))
    return hits / (((x1 - x0 + 1) // 2) * ((y1 - y0 + 1) // 2))


def stand_box(picture):
    w, h, at = picture
    rows = [y for y in range(h) if any(not sky(at(x, y)) for x in range(0, w, 2))]
    cols = [x for x in range(w) if any(not sky(at(x, y)) for y in range(0, h, 2))]
    return min(cols), min(rows), max(cols) + 1, max(rows) + 1


failures = []


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what)
    if not ok:
        failures.append(what)


empty_top, empty_front = read_ppm("empty_top"), read_ppm("empty_front")
w, h, at = empty_top
check(fraction(empty_top, green, (w * 2 // 5, h * 2 // 5, w * 3 // 5, h * 3 // 5)) > 0.98,
      "empty design from the top: the floor's colour fills the middle")
check(all(sky(at(x, y)) for x, y in [(2, 2), (w - 3, 2), (2, h - 3), (w - 3, h - 3)]),
      "empty design from the top: the sky in the corners")
x0, y0, x1, y1 = stand_box(empty_top)
check(abs((x1 - x0) / (y1 - y0) - 8 / 6) < 0.05, "empty design from the top: the floor is 8 by 6")
w, h, at = empty_front
check(fraction(empty_front, lambda p: not sky(p), (0, 0, w, h // 2 - 4)) == 0,
      "empty design from the front: nothing stands on the floor")
check(fraction(empty_front, red) == 0, "empty design: no printed face")

island_top, island_front = read_ppm("island_top"), read_ppm("island_front")
w, h, at = island_top
x0, y0, x1, y1 = stand_box(island_top)
band = max(3, (y1 - y0) // 25)
light = lambda p: min(p) > 170 and not sky(p)
check(fraction(island_top, light, (x0 + (x1 - x0) // 5, y0, x1 - (x1 - x0) // 5, y0 + band)) > 0.6,
      "island from the top: the back wall runs along the top edge")
check(fraction(island_top, light, (x0 + (x1 - x0) // 5, y1 - band, x1 - (x1 - x0) // 5, y1)) < 0.3,
      "island from the top: no wall along the front edge")
check(fraction(island_top, red) > 0.003, "island from the top: printed faces seen from above")
w, h, at = island_front
check(fraction(island_front, red) > 0.03, "island from the front: the printed faces show their picture's colour")
x0, y0, x1, y1 = stand_box(island_front)
check((x1 - x0) > (y1 - y0), "island from the front: wider than tall")

sys.exit(1 if failures else 0)
