# Designs for render_3d.sh: the island example with a back wall, a green floor picture and every face
# printed red; and the same stand empty, without walls.
import sys
source, work = sys.argv[1], sys.argv[2]
lines = open(source, encoding="latin-1", newline="").read().split("\r\n")
header, objects = lines[:1025], lines[1025:]
header[3] = work + "/green_floor.jpg"  # floor picture
header[6] = "2"                          # wall mask: the back wall
for start in range(0, len(objects) - 112, 113):
    objects[start + 10] = work + "/red_face.jpg"  # recto picture
    objects[start + 11] = work + "/red_face.jpg"  # verso picture
open(work + "/island.qlm", "w", encoding="latin-1", newline="").write("\r\n".join(header + objects))
header[6] = "0"                          # no wall: the floor alone
open(work + "/empty.qlm", "w", encoding="latin-1", newline="").write("\r\n".join(header) + "\r\n")
