#!/usr/bin/env python3
"""Writes a deterministic folder tree for the size tree benchmark: DEPTH levels
of folders below ROOT, BRANCH subfolders per folder, FILES files of varied
small sizes in every folder."""
import os
import random
import sys

root, depth, branch, files = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4])
rng = random.Random(20261208)


def fill(folder, level):
    os.makedirs(folder, exist_ok=True)
    for i in range(files):
        with open(os.path.join(folder, f"f{i}.dat"), "wb") as f:
            f.write(b"x" * rng.randint(0, 3000))
    if level < depth:
        for b in range(branch):
            fill(os.path.join(folder, f"d{b}"), level + 1)


fill(root, 1)
