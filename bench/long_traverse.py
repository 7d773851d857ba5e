#!/usr/bin/env python3
"""Writes a long single-connection traverse as a .txt observation file, for timing
the batch tool on large inputs, and prints the command line that adjusts it:

    python3 bench/long_traverse.py 10000 /tmp/long.txt
    time build/release/app/batch/traverse-adjust ... /tmp/long.txt -o /tmp/long-report.txt

Stations meander with 150 to 250 m sides; angles carry about 2" of noise (summing to
nothing), sides 2 mm, zenith angles within 2 degrees of level.
"""

import math
import random
import sys


def azimuth(p, q):
    return math.degrees(math.atan2(q[1] - p[1], q[0] - p[0])) % 360.0


def packed(degrees):
    total = round((degrees % 360.0) * 3600.0 * 100)
    d, rest = divmod(total, 360000)
    m, s = divmod(rest, 6000)
    return "%d%02d%05.2f" % (d, m, s / 100.0)


def main():
    n = int(sys.argv[1])
    path = sys.argv[2]
    rng = random.Random(n)
    pts = [(3500000.0, 500000.0)]
    heading = 40.0
    for _ in range(n):
        heading += rng.uniform(-25.0, 25.0) - 0.02 * (heading - 40.0)
        s = rng.uniform(150.0, 250.0)
        h = math.radians(heading)
        pts.append((pts[-1][0] + s * math.cos(h), pts[-1][1] + s * math.sin(h)))
    back = (pts[0][0] - 300.0, pts[0][1] - 100.0)
    noise = [rng.gauss(0.0, 2.0) for _ in range(n)]
    mean = sum(noise) / n
    name = lambda i: "P%d" % i
    lines = []
    for i in range(n):
        prev = back if i == 0 else pts[i - 1]
        beta = azimuth(pts[i], pts[i + 1]) - azimuth(pts[i], prev) + (noise[i] - mean) / 3600.0
        zenith = 90.0 + rng.uniform(-2.0, 2.0)
        horizontal = math.dist(pts[i], pts[i + 1]) + rng.gauss(0.0, 0.002)
        slope = horizontal / math.cos(math.radians(zenith - 90.0))
        lines.append("*%s %s 1.500" % (name(i), name(i - 1) if i else "B0"))
        lines.append("%s %.4f %s %s 1.500" % (name(i + 1), slope, packed(beta), packed(zenith)))
    lines.append("*%s %s 1.500" % (name(n), name(n - 1)))
    with open(path, "w", newline="\r\n") as f:
        f.write("\n".join(lines) + "\n")
    print("traverse-adjust --type single --start1 %.3f,%.3f --start2 %.3f,%.3f "
          "--end1 %.6f,%.6f %s" % (pts[0] + back + pts[-1] + (path,)))


if __name__ == "__main__":
    main()
