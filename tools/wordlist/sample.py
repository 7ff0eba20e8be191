#!/usr/bin/env python3
"""Print a seeded random sample of rows from data/wordlist/englisch.tsv.

The same seed and the same list always give the same sample, so a review
verdict can be checked again by anyone.

Usage: sample.py [--seed N] [--count N] [--file PATH]
"""

import argparse
import os
import random

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))


def main():
    ap = argparse.ArgumentParser(description="Print a seeded random sample of the word list.")
    ap.add_argument("--seed", type=int, default=8)
    ap.add_argument("--count", type=int, default=200)
    ap.add_argument("--file", default=os.path.join(ROOT, "data", "wordlist", "englisch.tsv"))
    args = ap.parse_args()
    with open(args.file, encoding="utf-8") as f:
        lines = f.read().split("\n")
    header, rows = lines[0], [l for l in lines[1:] if l]
    picked = sorted(random.Random(args.seed).sample(range(len(rows)), min(args.count, len(rows))))
    print("Nr.\tZeile\t" + header)
    for n, i in enumerate(picked, 1):
        print(f"{n}\t{i + 2}\t{rows[i]}")


if __name__ == "__main__":
    main()
