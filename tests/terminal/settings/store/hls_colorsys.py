"""HlsToRgb and RgbToHls agree with Python's colorsys within one unit.

colorsys puts red at hue 0; the program's hue puts blue at 0 and red at 120, so hues
are shifted by 120 degrees between the two. RgbToHls works in whole percentages and
truncates a negative intermediate hue toward zero, which can put a hue up to 4/3 of a
degree above colorsys's where blue is the largest component; its hue is held to that.
"""
import colorsys
import subprocess
import sys


def hue_distance(a, b):
    d = abs(a - b) % 360
    return min(d, 360 - d)


def main(tool):
    out = subprocess.run([tool], capture_output=True, text=True, check=True).stdout.split("\n")
    bad, count = [], 0
    for line in out:
        if not line:
            continue
        kind, *v = line.split()
        v = [int(x) for x in v]
        count += 1
        if kind == "hls":
            h, l, s, r, g, b = v
            want = colorsys.hls_to_rgb(((h - 120) % 360) / 360.0, l / 100.0, s / 100.0)
            if any(abs(got - w * 100) > 1 + 1e-9 for got, w in zip((r, g, b), want)):
                bad.append("%s -> %s, colorsys %s" % ((h, l, s), (r, g, b), [round(w * 100, 3) for w in want]))
        else:
            r, g, b, h, l, s = v
            wh, wl, ws = colorsys.rgb_to_hls(r / 100.0, g / 100.0, b / 100.0)
            wh = (wh * 360 + 120) % 360
            # Hue means nothing without saturation.
            hue_ok = ws == 0 or hue_distance(h, wh) <= 4 / 3 + 1e-9
            if not hue_ok or abs(l - wl * 100) > 1 + 1e-9 or abs(s - ws * 100) > 1 + 1e-9:
                bad.append("%s -> %s, colorsys %s" % ((r, g, b), (h, l, s),
                                                      (round(wh, 3), round(wl * 100, 3), round(ws * 100, 3))))
    if count < 1000:
        print("only %d conversions came back" % count)
        return 1
    for b in bad[:30]:
        print(b)
    print("%d of %d conversions differ by more than one unit" % (len(bad), count))
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
