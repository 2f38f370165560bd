#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
# SPDX-License-Identifier: BSD-3-Clause
"""Copies a generated site and makes scattered edits to the copy, as an
integrator's change between two deployments would: instances moved to
another device, slots changed, redirections pointed elsewhere, alternative
ids changed and instances removed, plus files reindented (which changes
nothing a host is told).

    edit_site.py SITE COPY [--edits N] [--seed N]

SITE is a tree as generate_site.py writes it (SITE/bench/config). The
edits are a pure function of the site and the seed.
"""

import argparse
import os
import random
import re
import shutil
import sys


def edit_lines(lines, rng, count, pattern, change):
    """Applies change(match, rng) to count random lines matching pattern."""
    candidates = [i for i, line in enumerate(lines) if re.search(pattern, line)]
    for i in rng.sample(candidates, min(count, len(candidates))):
        lines[i] = re.sub(pattern, lambda m: change(m, rng), lines[i], count=1)


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("site")
    parser.add_argument("copy")
    parser.add_argument("--edits", type=int, default=100)
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args(argv)
    rng = random.Random(args.seed)
    if os.path.exists(args.copy):
        shutil.rmtree(args.copy)
    shutil.copytree(args.site, args.copy)
    config = os.path.join(args.copy, "bench", "config")

    # A fifth of the edits each: device numbers, alternative ids and removals
    # in the instances file, slots in device types, redirection targets.
    share = args.edits // 5
    path = os.path.join(config, "instances.xml")
    with open(path, encoding="utf-8") as f:
        lines = f.readlines()
    names = [m.group(1) for line in lines for m in [re.search(r' id="([^"]+)"', line)] if m]
    edit_lines(lines, rng, share, r"device=(\d+)", lambda m, r: "device=%d" % (int(m.group(1)) + r.randint(1, 9)))
    edit_lines(lines, rng, share, r'alt_id="([^"]*)"', lambda m, r: 'alt_id="%s-x"' % m.group(1))
    removable = [i for i, line in enumerate(lines) if "<instance " in line and line.rstrip().endswith("/>")]
    for i in sorted(rng.sample(removable, share), reverse=True):
        del lines[i]
    with open(path, "w", encoding="utf-8") as f:
        f.writelines(lines)

    def edit_files(directory, count, pattern, change):
        files = sorted(os.listdir(os.path.join(config, directory)))
        for _ in range(count):
            file = os.path.join(config, directory, rng.choice(files))
            with open(file, encoding="utf-8") as f:
                text = f.readlines()
            edit_lines(text, rng, 1, pattern, change)
            with open(file, "w", encoding="utf-8") as f:
                f.writelines(text)

    edit_files("devicetypes", share, r'slot="([1-9]\d*)"', lambda m, r: 'slot="%d"' % (int(m.group(1)) + 1))
    edit_files("complex_instances", args.edits - 4 * share, r'device="([^"]+)"',
               lambda m, r: 'device="%s"' % r.choice(names))

    # Reindented: a text diff shows every line, the registries do not change.
    for directory in ("devicetypes", "complex_instances"):
        files = sorted(os.listdir(os.path.join(config, directory)))
        for name in rng.sample(files, min(3, len(files))):
            file = os.path.join(config, directory, name)
            with open(file, encoding="utf-8") as f:
                text = f.read()
            with open(file, "w", encoding="utf-8") as f:
                f.write(re.sub(r"(?m)^[ \t]+", "        ", text))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
