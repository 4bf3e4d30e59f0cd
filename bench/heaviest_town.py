#!/usr/bin/env python3
"""Writes bench/heaviest_town.txt: the largest scene the program accepts.

100 control points on a wavy ring around the town, 200 objects (trees,
buildings, lamps), ties 1 apart with a post under every one. Compile it with
  build/scene_text compile bench/heaviest_town.txt heaviest
"""
import math

lines = ["# The heaviest scene: 100 control points, 200 objects, tie spacing 1,",
         "# a post under every tie. Made by bench/heaviest_town.py."]
for i in range(100):
    a = 2 * math.pi * i / 100
    r = 45 + 8 * math.sin(6 * a)
    x, z, y = r * math.cos(a), r * math.sin(a), 5 + 3 * math.sin(4 * a)
    lines.append(f"point {x:.3f} {y:.3f} {z:.3f}   {x:.3f} {y + 4:.3f} {z:.3f}")
codes = [0, 1, 2, 3, 4, 16, 17, 5, 11, 12, 13, 14, 0, 0, 6, 15, 18, 7, 8, 9]
for k in range(200):
    a = 2 * math.pi * k / 200
    r = 20 + 12 * (k % 3)
    lines.append(f"object {codes[k % len(codes)]}  {r * math.cos(a):.3f} 0 {r * math.sin(a):.3f}  1.2 5")
lines += ["light 0 13 0", "bspline 1", "train_speed 3", "show_ties 1", "show_points 0", "lighting 1",
          "tie_spacing 1", "post_interval 1", "physics 1", "total_energy 28117", "spare_scalar 0",
          "follow_distance 15", "gravity -20.8"]
open(__file__.replace(".py", ".txt"), "w").write("\n".join(lines) + "\n")
