#!/usr/bin/env python3
"""Writes the example observation files and examples/README.md.

Each traverse is laid out in grid coordinates (X north, Y east, metres), its angles,
distances and heights are derived from that layout, and a few seconds and millimetres
of noise are added, as a total station would leave them. The random generator is
seeded, so running the script again rewrites the same files:

    python3 examples/generate.py
"""

import math
import os
import random
import textwrap

HERE = os.path.dirname(os.path.abspath(__file__))


def azimuth(p, q):
    """Grid azimuth from p to q in degrees, clockwise from north."""
    return math.degrees(math.atan2(q[1] - p[1], q[0] - p[0])) % 360.0


def distance(p, q):
    return math.hypot(q[0] - p[0], q[1] - p[1])


def packed(degrees, decimals=0):
    """An angle as packed DMS text: degrees*10000 + minutes*100 + seconds."""
    scale = 10 ** decimals
    total = round((degrees % 360.0) * 3600.0 * scale)
    d, rest = divmod(total, 3600 * scale)
    m, s = divmod(rest, 60 * scale)
    if decimals == 0:
        return "%d" % (d * 10000 + m * 100 + s)
    return "%d%02d%0*.*f" % (d, m, 3 + decimals, decimals, s / scale)


class Observer:
    """Derives observations from true positions with instrument-like noise."""

    def __init__(self, seed):
        self.rng = random.Random(seed)

    def angle(self, station, back, fore):
        """Horizontal angle at station from back to fore, degrees, with 1-3" noise."""
        beta = (azimuth(station, fore) - azimuth(station, back)) % 360.0
        return beta + self.rng.choice([-1, 1]) * self.rng.uniform(0.5, 3.0) / 3600.0

    def sight(self, station, fore):
        """Slope distance and packed zenith angle of a sight over gently rolling ground."""
        horizontal = distance(station, fore)
        zenith_text = packed(90.0 + self.rng.uniform(-2.5, 2.5))
        d, rest = divmod(int(zenith_text), 10000)
        m, s = divmod(rest, 100)
        zenith = d + m / 60.0 + s / 3600.0
        slope = horizontal / math.cos(math.radians(abs(90.0 - zenith)))
        slope += self.rng.uniform(-0.003, 0.003)
        return "%.3f" % slope, zenith_text

    def height(self, low, high):
        return "%.3f" % self.rng.uniform(low, high)


def zenith_over(ground, points, station, target_point, ih, target_height, k=0.13):
    """The zenith angle (degrees) of a sight from station to target_point over the ground's
    heights: h = D cot Z + (1 - k) D^2 / 2R + i - v solved for Z."""
    d = distance(points[station], points[target_point])
    rise = ground[target_point] - ground[station] - ih + target_height
    rise -= (1.0 - k) * d * d / (2.0 * 6371000.0)
    return math.degrees(math.atan2(d, rise))


def write(path, lines):
    with open(path, "w", encoding="ascii", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


def write_txt(name, comment, points, setups, closing, obs):
    """setups: list of (station name, backsight name, foresight name) in traverse order.
    A station's foresight is written on the data line below it; the format links it
    from the next station line, whose backsight is this station."""
    lines = ["; " + c for c in comment]
    for station, back, fore in setups:
        ih = obs.height(1.40, 1.60)
        lines.append("*%s %s %s" % (station, back, ih))
        if back in points:
            beta = obs.angle(points[station], points[back], points[fore])
        else:
            beta = 0.0  # no backsight: the angle is not used
        slope, zenith = obs.sight(points[station], points[fore])
        lines.append("%s %s %s %s %s" % (fore, slope, packed(beta), zenith,
                                          obs.height(1.50, 1.80)))
    lines.append("*%s %s %s" % (closing[0], closing[1], obs.height(1.40, 1.60)))
    write(os.path.join(HERE, name), lines)


def closed_loop():
    """A loop of six points round a built-up block, oriented on a second control point."""
    start = (3381252.418, 501734.206)
    loop = [start]
    for bearing, length in [(60.2, 261.4), (124.7, 238.9), (190.3, 301.6), (244.8, 208.3),
                            (299.6, 231.7)]:
        x, y = loop[-1]
        loop.append((x + length * math.cos(math.radians(bearing)),
                     y + length * math.sin(math.radians(bearing))))
    orient = (3381685.431, 501484.203)
    return start, orient, [(round(x, 3), round(y, 3)) for x, y in loop]


def main():
    readme = []

    # ---- closed traverse: D21 -> T1 .. T5 -> D21, oriented on D22 ---------------
    start, orient, loop = closed_loop()
    names = ["D21", "T1", "T2", "T3", "T4", "T5"]
    points = dict(zip(names, loop))
    points["D22"] = orient
    # The second set-up on D21 closes the loop with the angle from T5 to T1.
    setups = [("D21", "D22", "T1"), ("T1", "D21", "T2"), ("T2", "T1", "T3"),
              ("T3", "T2", "T4"), ("T4", "T3", "T5"), ("T5", "T4", "D21"),
              ("D21", "T5", "T1")]
    write_txt("closed.txt",
              ["closed traverse D21 - T1 - T2 - T3 - T4 - T5 - D21, oriented on D22"],
              points, setups, ("T1", "D21"), Observer(21))
    readme.append(("closed.txt", "closed", "closed (type 2)",
                   [("start1", points["D21"]), ("start2", orient)],
                   "a loop of six points, D21 - T1 - ... - T5 - D21, oriented at D21 on "
                   "D22. The loop ends with a second set-up on D21 (the angle from T5 to "
                   "T1) and a closing station line for T1."))

    # ---- the same loop as a .con file: six lines per set-up, two faces ------------
    # Its points stand on ground of these heights (m); every sight's zenith angle is the
    # one it has over them with refraction k = 0.13, and each set-up also reads its
    # backsight in both faces, so that every side is observed both ways.
    ground = {"D21": 48.562, "T1": 51.207, "T2": 55.834, "T3": 53.116, "T4": 49.975,
              "T5": 47.340, "D22": 50.118}
    obs = Observer(23)
    pointing = random.Random(2301)  # the zenith angles' own few seconds of error
    con_setups = [("D21", "T1", "D22"), ("T1", "T2", "D21"), ("T2", "T3", "T1"),
                  ("T3", "T4", "T2"), ("T4", "T5", "T3"), ("T5", "D21", "T4"),
                  ("D21", "T1", "T5")]
    lines = ["closed traverse D21 2024-05-14 TS-06 no.3871"]
    for station, fore, back in con_setups:
        lines.append("%s %s %s 0 %s" % (station, fore, back, obs.height(1.40, 1.60)))
        lines.append("face left: back, fore; face right: fore, back")
        beta = obs.angle(points[station], points[back], points[fore])
        circle = obs.rng.uniform(0.0, 360.0)
        h = [circle, circle + beta, circle + beta + 180.0, circle + 180.0]
        h = [a + obs.rng.uniform(-1.5, 1.5) / 3600.0 for a in h]
        horizontal = distance(points[station], points[fore])
        obs.rng.uniform(-2.5, 2.5)  # draws kept, so that the other readings stay as they were
        obs.rng.uniform(-2.5, 2.5)
        noise = [obs.rng.uniform(-0.002, 0.002) for _ in range(4)]
        target = obs.height(1.50, 1.80)
        ih = float(lines[-2].split()[-1])
        back_zenith = zenith_over(ground, points, station, back, ih, float(target))
        zenith = zenith_over(ground, points, station, fore, ih, float(target))
        back_zenith += pointing.uniform(-4.0, 4.0) / 3600.0
        zenith += pointing.uniform(-4.0, 4.0) / 3600.0
        slope = horizontal / math.cos(math.radians(abs(90.0 - zenith)))
        s = ["%.3f" % (slope + e) for e in noise]
        # Vertical circle readings, face right reading 360 degrees less the zenith angle;
        # the circle's index error drops out of the two-face mean of the foresight.
        index = 8.0 / 3600.0
        v = [back_zenith, zenith, 360.0 - zenith, 360.0 - back_zenith]
        v = [packed(a + index + obs.rng.uniform(-1.0, 1.0) / 3600.0) for a in v]
        for k in range(4):
            lines.append("H %s V %s S %s P %s" % (packed(h[k]), v[k], s[k], target))
    lines.append("++++")
    write(os.path.join(HERE, "closed.con"), lines)
    readme.append(("closed.con", "closed", "closed (type 2)",
                   [("start1", points["D21"], ground["D21"]), ("start2", orient)],
                   "the loop of closed.txt observed in two faces and written as a .con "
                   "file: each set-up names its station, foresight and backsight; the "
                   "zenith angle of each sight comes from its two faces' vertical readings. Every "
                   "set-up also reads its backsight in both faces, so each side's height "
                   "difference is observed both ways; with D21's height the loop's heights "
                   "are adjusted and their closure checked."))

    # ---- double connection: D14, D15 -> N1 .. N4 -> D16, D17 ---------------------
    route = [(3379420.615, 498310.442), (3379602.381, 498529.107), (3379689.930, 498842.655),
             (3379894.214, 499021.378), (3379951.067, 499356.720), (3380168.503, 499508.214)]
    names = ["D15", "N1", "N2", "N3", "N4", "D16"]
    points = dict(zip(names, route))
    points["D14"] = (3379103.882, 498401.737)
    points["D17"] = (3380301.246, 499827.961)
    setups = [("D15", "D14", "N1"), ("N1", "D15", "N2"), ("N2", "N1", "N3"),
              ("N3", "N2", "N4"), ("N4", "N3", "D16"), ("D16", "N4", "D17")]
    write_txt("double.txt",
              ["annexed traverse D15 - N1 - N2 - N3 - N4 - D16,",
               "connection angles at D15 (from D14) and at D16 (to D17)"],
              points, setups, ("D17", "D16"), Observer(15))
    readme.append(("double.txt", "double", "annexed, connection angles at both ends (type 3)",
                   [("start1", points["D15"], 36.218), ("start2", points["D14"]),
                    ("end1", points["D16"], 25.087), ("end2", points["D17"])],
                   "D15 - N1 - N2 - N3 - N4 - D16, with the connection angle at D15 from "
                   "D14 and at D16 towards D17. Its zenith angles are those of hilly ground; with "
                   "the heights of D15 and D16 the heights are carried along one way and "
                   "adjusted to the closure."))

    # ---- single connection: D31, D30 -> S1 .. S4 -> D32 ---------------------------
    route = [(3382740.318, 502915.604), (3382512.877, 503102.449), (3382397.105, 503388.262),
             (3382148.730, 503509.981), (3382005.466, 503779.350), (3381790.512, 503944.127)]
    names = ["D31", "S1", "S2", "S3", "S4", "D32"]
    points = dict(zip(names, route))
    points["D30"] = (3382951.774, 502688.093)
    setups = [("D31", "D30", "S1"), ("S1", "D31", "S2"), ("S2", "S1", "S3"),
              ("S3", "S2", "S4"), ("S4", "S3", "D32")]
    write_txt("single.txt",
              ["annexed traverse D31 - S1 - S2 - S3 - S4 - D32,",
               "connection angle at D31 from D30, none at D32"],
              points, setups, ("D32", "S4"), Observer(31))
    readme.append(("single.txt", "single", "annexed, one connection angle (type 1)",
                   [("start1", points["D31"], 42.705), ("start2", points["D30"]),
                    ("end1", points["D32"], 55.966)],
                   "D31 - S1 - S2 - S3 - S4 - D32, with the connection angle at D31 from "
                   "D30; no angle is observed at D32."))

    # ---- non-oriented: D41 -> W1 .. W4 -> D42 -------------------------------------
    route = [(3378215.046, 500120.733), (3378401.592, 500288.310), (3378522.817, 500563.049),
             (3378780.460, 500651.586), (3378912.238, 500904.115), (3379153.901, 501032.467)]
    names = ["D41", "W1", "W2", "W3", "W4", "D42"]
    points = dict(zip(names, route))
    setups = [("D41", "-", "W1"), ("W1", "D41", "W2"), ("W2", "W1", "W3"),
              ("W3", "W2", "W4"), ("W4", "W3", "D42")]
    write_txt("non-oriented.txt",
              ["non-oriented traverse D41 - W1 - W2 - W3 - W4 - D42,",
               "no known direction at either end (D41 has no backsight, its angle is 0)"],
              points, setups, ("D42", "W4"), Observer(41))
    readme.append(("non-oriented.txt", "non-oriented", "non-oriented (type 0)",
                   [("start1", points["D41"], 57.431), ("end1", points["D42"], 65.937)],
                   "D41 - W1 - W2 - W3 - W4 - D42 between two known points without a "
                   "known direction; D41's backsight is written \"-\" and its angle, "
                   "which is not used, 0."))

    network = write_network()
    write_readme(readme, network)


def write_network():
    """Three short traverses from three known points, each oriented on a second one,
    meeting at the junction J1. Written to network/ with the known points' .dat file."""
    os.makedirs(os.path.join(HERE, "network"), exist_ok=True)
    points = {"K1": (3380000.000, 500000.000), "K2": (3380300.000, 499800.000),
              "K3": (3381000.000, 500450.000), "K4": (3381250.000, 500300.000),
              "K5": (3380600.000, 501100.000), "K6": (3380800.000, 501350.000),
              "S1": (3380150.214, 500180.377), "S2": (3380330.508, 500329.861),
              "N1": (3380849.733, 500519.642), "N2": (3380680.125, 500480.306),
              "E1": (3380620.447, 500899.518), "E2": (3380539.862, 500700.273),
              "J1": (3380500.000, 500500.000)}
    files = [("south.txt", "south traverse K1 - S1 - S2 - J1, oriented on K2",
              [("K1", "K2", "S1"), ("S1", "K1", "S2"), ("S2", "S1", "J1")], ("J1", "S2"), 51),
             ("north.txt", "north traverse K3 - N1 - N2 - J1, oriented on K4",
              [("K3", "K4", "N1"), ("N1", "K3", "N2"), ("N2", "N1", "J1")], ("J1", "N2"), 53),
             ("east.txt", "east traverse K5 - E1 - E2 - J1, oriented on K6",
              [("K5", "K6", "E1"), ("E1", "K5", "E2"), ("E2", "E1", "J1")], ("J1", "E2"), 55)]
    for name, comment, setups, closing, seed in files:
        write_txt(os.path.join("network", name), [comment], points, setups, closing,
                  Observer(seed))
    known = ["%s,,%.3f,%.3f" % (k, points[k][1], points[k][0])
             for k in ["K1", "K2", "K3", "K4", "K5", "K6"]]
    write(os.path.join(HERE, "network", "known.dat"), known)
    return [name for name, _, _, _, _ in files]


def coordinate(value):
    return ("%.3f" % value).rstrip("0").rstrip(".")


def write_readme(entries, network):
    lines = [
        "# Examples",
        "",
        "Observation files of the four traverse types, in grid coordinates (X north,",
        "Y east, metres), sides of 100 to 400 m, with the few seconds and millimetres of",
        "noise a total station leaves. `generate.py` writes them (and this file) from the",
        "traverses' layouts; run `python3 examples/generate.py` to write them again.",
        "",
        "Each command below adjusts one file and prints its report; add `-o report.txt`",
        "to write the report file instead (code page 936, CRLF line ends).",
        "",
        "A known point written X,Y,H carries a height: the heights then follow the plane",
        "(trigonometric levelling from the zenith angles; `--sections heights` prints them).",
        "Drop the H to adjust in plane only. closed.txt is given without heights.",
        "",
    ]
    for name, type_name, title, known, text in entries:  # known: (role, (X, Y)[, H])
        lines.append("## %s: %s" % (name, title))
        lines.append("")
        lines.extend(textwrap.wrap(text[0].upper() + text[1:], 88))
        lines.append("")
        args = " ".join("--%s %s" % (k[0], ",".join(coordinate(v) for v in
                                                     (k[1][0], k[1][1]) + tuple(k[2:])))
                        for k in known)
        lines.append("```")
        lines.append("traverse-adjust --type %s %s examples/%s" % (type_name, args, name))
        lines.append("```")
        lines.append("")
    lines.append("## network/: a network of three traverses (--type network)")
    lines.append("")
    lines.extend(textwrap.wrap(
        "Three short traverses, south.txt, north.txt and east.txt, each from a known point "
        "oriented on a second (K1 on K2, K3 on K4, K5 on K6), meet at the junction point J1; "
        "known.dat holds the six known points (NAME,CODE,EAST,NORTH). No angle is observed "
        "at J1. Each file is one line from its known point to J1; the report gives each "
        "line's closures, its length held to 0.7 of the grade's limit as it ends at a junction.",
        88))
    lines.append("")
    lines.append("```")
    lines.append("traverse-adjust --type network --known examples/network/known.dat " +
                 " ".join("examples/network/" + f for f in network))
    lines.append("```")
    lines.append("")
    write(os.path.join(HERE, "README.md"), lines[:-1])


if __name__ == "__main__":
    main()
