#!/usr/bin/env python3
"""Writes a deterministic tree of text files for the content search benchmark:
FILES files in nested folders, about TOTAL_MB megabytes in all, lines of words
with the term "Needle" in about one line of 5000."""
import os
import random
import sys

root, files, total_mb = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
rng = random.Random(20261208)
words = ("lorem ipsum dolor sit amet consectetur adipiscing elit sed do eiusmod tempor incididunt ut labore "
         "et dolore magna aliqua enim minim veniam quis nostrud exercitation ullamco laboris nisi aliquip "
         "commodo consequat duis aute irure reprehenderit voluptate velit esse cillum fugiat nulla pariatur").split()
# A pool of lines, so that writing 500 MB stays quick.
pool = []
for _ in range(20000):
    n = rng.randint(4, 18)
    pool.append(" ".join(rng.choice(words) for _ in range(n)))
per_file = total_mb * 1024 * 1024 // files
for i in range(files):
    folder = os.path.join(root, f"d{i % 40:02d}", f"e{(i // 40) % 25:02d}")
    os.makedirs(folder, exist_ok=True)
    size = per_file // 2 + rng.randint(0, per_file)
    lines, written = [], 0
    while written < size:
        line = pool[rng.randrange(len(pool))]
        if rng.randrange(5000) == 0:
            line = line + " Needle " + rng.choice(words)
        lines.append(line)
        written += len(line) + 2
    with open(os.path.join(folder, f"f{i:05d}.txt"), "w", newline="\r\n") as f:
        f.write("\n".join(lines) + "\n")
