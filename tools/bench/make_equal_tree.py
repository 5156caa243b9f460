#!/usr/bin/env python3
"""Writes a deterministic tree for the equal-files benchmark: FILES small
files in nested folders, their names drawn from a pool a fifth of FILES in
size and their sizes from four values, so that many names and sizes repeat."""
import os
import random
import sys

root, files = sys.argv[1], int(sys.argv[2])
rng = random.Random(20261208)
pool = max(1, files // 5)
for i in range(files):
    folder = os.path.join(root, f"d{i % 50:02d}", f"e{(i // 50) % 20:02d}", f"f{(i // 1000) % 10}")
    os.makedirs(folder, exist_ok=True)
    name = f"name{rng.randrange(pool):06d}.txt"
    path = os.path.join(folder, name)
    if os.path.exists(path):
        name = f"u{i:06d}.txt"
        path = os.path.join(folder, name)
    with open(path, "wb") as f:
        f.write(b"x" * (rng.randrange(4) * 100))
