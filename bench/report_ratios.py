#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
# SPDX-License-Identifier: BSD-3-Clause
"""Turns one bench/run's results into the table of ratios and targets.

    report_ratios.py RESULTS_DIR [--smoke]

RESULTS_DIR holds Google Benchmark JSON files named SCALE.json or
SCALE-N.json for the scales small, large and huge (the median over the
repetitions and files is used, of CPU time throughout, because the machine
is shared and wall time is not ours) and startup.txt (the output lines of
startup_probe). Exit status: 0 when every target
was met or in smoke mode, 3 when one was missed, 2 when results are missing.
"""

import json
import os
import statistics
import sys

NS = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}


def load_times(results, scale):
    """Benchmark name -> CPU time in ns over all of the scale's files (median
    of the median aggregates or of the single runs), and the instance count
    the instances load reported."""
    paths = sorted(os.path.join(results, n) for n in os.listdir(results)
                   if n == scale + ".json" or (n.startswith(scale + "-") and n.endswith(".json")))
    benchmarks = []
    for path in paths:
        with open(path, encoding="utf-8") as f:
            benchmarks += json.load(f).get("benchmarks", [])
    runs, medians, errors, instances = {}, {}, set(), None
    for b in benchmarks:
        name = b.get("run_name", b["name"])
        if (name == "Load/Instances/Library" and "instances" in b
                and b.get("aggregate_name", "median") == "median"):
            instances = int(b["instances"])
        if b.get("error_occurred"):
            errors.add(name)
            continue
        ns = b["cpu_time"] * NS[b.get("time_unit", "ns")]
        if b.get("run_type") == "aggregate":
            if b.get("aggregate_name") == "median":
                medians.setdefault(name, []).append(ns)
        else:
            runs.setdefault(name, []).append(ns)
    times = {name: statistics.median(v) for name, v in runs.items()}
    times.update({name: statistics.median(v) for name, v in medians.items()})
    for name in errors:
        times.pop(name, None)
    return times, instances


def load_probes(path):
    """Mode -> {field: median over the probe runs} for the numeric fields of
    the startup_probe lines (peak_rss_kib, load_cpu_us, ...)."""
    per_mode = {}
    if os.path.exists(path):
        with open(path, encoding="utf-8") as f:
            for line in f:
                fields = dict(p.split("=", 1) for p in line.split() if "=" in p)
                mode = fields.pop("mode", None)
                if mode is None:
                    continue
                for name, value in fields.items():
                    if value.lstrip("-").isdigit():
                        per_mode.setdefault(mode, {}).setdefault(name, []).append(int(value))
    return {mode: {name: statistics.median(v) for name, v in values.items()}
            for mode, values in per_mode.items()}


class Table:
    def __init__(self):
        self.rows = []
        self.missed = 0
        self.unmeasured = 0

    def judge(self, what, value, target, met, shown):
        if value is None:
            self.rows.append((what, "n/a", target, "not measured"))
            self.unmeasured += 1
            return
        verdict = "met" if met(value) else "missed"
        self.missed += verdict == "missed"
        self.rows.append((what, shown(value), target, verdict))

    def info(self, what, value, shown):
        self.rows.append((what, "n/a" if value is None else shown(value), "", "(info)"))

    def print(self):
        widths = [max(len(r[i]) for r in self.rows + [self.header()]) for i in range(4)]
        for r in [self.header()] + self.rows:
            print("  ".join(c.ljust(w) for c, w in zip(r, widths)).rstrip())

    @staticmethod
    def header():
        return ("ratio", "measured", "target", "verdict")


def ratio(a, b):
    return None if a is None or b is None or b == 0 else a / b


def main(argv):
    if not argv or argv[0].startswith("-"):
        print(__doc__, file=sys.stderr)
        return 2
    results = argv[0]
    smoke = "--smoke" in argv[1:]
    times, counts = {}, {}
    for scale in ("small", "large", "huge"):
        times[scale], counts[scale] = load_times(results, scale)
    small, large, huge = times["small"], times["large"], times["huge"]
    probes = load_probes(os.path.join(results, "startup.txt"))
    rss = {mode: v["peak_rss_kib"] for mode, v in probes.items() if "peak_rss_kib" in v}
    startup = {mode: v["load_cpu_us"] for mode, v in probes.items() if "load_cpu_us" in v}
    if smoke:
        # Smoke runs only the small site; its numbers stand in for large.
        large = large or small

    t = Table()
    x = lambda v: "%.2fx" % v
    lib, dom, floor = (large.get("Load/All/" + k) for k in ("Library", "DomReference", "ExpatFloor"))
    t.judge("load all four registries: DOM reference / library", ratio(dom, lib),
            ">= 6x", lambda v: v >= 6, x)
    t.judge("load all four registries: library / expat floor", ratio(lib, floor),
            "<= 1.5x", lambda v: v <= 1.5, x)
    t.judge("start-up load, fresh process: DOM reference / library",
            ratio(startup.get("dom"), startup.get("library")), ">= 6x", lambda v: v >= 6, x)
    reader_floor = large.get("Load/All/StreamReaderFloor")

    above = None
    if all(m in rss for m in ("bare", "library", "dom")) and rss["dom"] > rss["bare"]:
        above = (rss["library"] - rss["bare"]) / (rss["dom"] - rss["bare"])
    t.judge("peak RSS above bare Qt: library / DOM reference", above,
            "<= 0.12x", lambda v: v <= 0.12, x)

    # Installations as values: a second one costs what the first did.
    t.judge("two installations side by side / one, load CPU in a fresh process",
            ratio(startup.get("installation-two"), startup.get("installation-one")),
            "<= 2.1x", lambda v: v <= 2.1, x)
    two_above = None
    if all(m in rss for m in ("installation-bare", "installation-one", "installation-two")) \
            and rss["installation-one"] > rss["installation-bare"]:
        two_above = (rss["installation-two"] - rss["installation-bare"]) / \
            (rss["installation-one"] - rss["installation-bare"])
    t.judge("two installations side by side / one, peak RSS above a bare process", two_above,
            "<= 2x", lambda v: v <= 2, x)
    # Device-type files named "*.XML" are resolved from the directory's one
    # listing, as "*.xml" ones are.
    t.judge("5,000 device-type files: *.XML / *.xml load",
            ratio(large.get("Load/CaseFold/UpperXml"), large.get("Load/CaseFold/LowerXml")),
            "<= 1.5x", lambda v: v <= 1.5, x)

    # A one-line internal DTD subset must not change what loading costs.
    t.judge("64 MB instances file, peak RSS: with / without a DTD subset line",
            ratio(rss.get("instances64dtd"), rss.get("instances64")), "within 10%",
            lambda v: abs(v - 1) <= 0.10, x)

    direct, find = large.get("Lookup/Seven/Direct"), large.get("Lookup/ConstFind")
    hop1, hop3 = large.get("Lookup/Seven/Hop1"), large.get("Lookup/Seven/Hop3")
    t.judge("direct 7-arg lookup / bare constFind", ratio(direct, find),
            "<= 4x", lambda v: v <= 4, x)
    # A hop searches three maps of its own and then looks its target up as
    # a direct parameter, and no index may shortcut that (the registries are
    # the library's only state, and hosts write them). So what a hop adds is
    # judged against what the same searches add when done bare.
    bare = {k: large.get("Lookup/Bare/" + k) for k in ("Direct", "Hop1", "Hop3")}

    def per_hop(chain, start, hops):
        return None if chain is None or start is None else (chain - start) / hops

    lib_hop1, lib_hop3 = per_hop(hop1, direct, 1), per_hop(hop3, direct, 3)
    bare_hop1 = per_hop(bare["Hop1"], bare["Direct"], 1)
    bare_hop3 = per_hop(bare["Hop3"], bare["Direct"], 3)
    t.judge("cost added per hop: library / bare map searches (1 hop)", ratio(lib_hop1, bare_hop1),
            "<= 1.2x", lambda v: v <= 1.2, x)
    t.judge("cost added per hop: library / bare map searches (3 hops)", ratio(lib_hop3, bare_hop3),
            "<= 1.2x", lambda v: v <= 1.2, x)

    def per_instance(times, scale, name):
        v, n = times.get(name), counts.get(scale)
        return None if v is None or not n else v / n

    scaling = ratio(per_instance(huge, "huge", "Load/Instances/Library"),
                    per_instance(small, "small", "Load/Instances/Library"))
    t.judge("instances load per instance: huge / small", scaling,
            "<= 1.5x", lambda v: v <= 1.5, x)

    save, dom_write = large.get("Save/Library"), large.get("Save/DomWrite")
    t.judge("save 2,000 styles: library / QDomDocument::save", ratio(save, dom_write),
            "<= 1x", lambda v: v <= 1.0, x)

    t.info("start-up load, fresh process: library / QXmlStreamReader floor",
           ratio(startup.get("library"), startup.get("reader")), x)
    t.info("start-up load, fresh process: library / expat floor",
           ratio(startup.get("library"), startup.get("expat")), x)
    t.info("load all four registries: library / QXmlStreamReader floor", ratio(lib, reader_floor), x)
    t.info("QXmlStreamReader floor / expat floor", ratio(reader_floor, floor), x)
    t.info("cost added per hop / direct lookup, library (1 hop)", ratio(lib_hop1, direct), x)
    t.info("cost added per hop / direct lookup, library (3 hops)", ratio(lib_hop3, direct), x)
    t.info("cost added per hop / direct lookup, bare searches (1 hop)",
           ratio(bare_hop1, bare["Direct"]), x)
    t.info("cost added per hop / direct lookup, bare searches (3 hops)",
           ratio(bare_hop3, bare["Direct"]), x)
    t.info("direct 7-arg lookup / bare map searches", ratio(direct, bare["Direct"]), x)
    t.info("all four loads per instance: huge / small",
           ratio(per_instance(huge, "huge", "Load/All/Library"),
                 per_instance(small, "small", "Load/All/Library")), x)
    t.info("save incl. its reload / DOM write + DOM reload",
           ratio(save, large.get("Save/DomWriteAndReload")), x)
    for reg in ("Instances", "DeviceTypes", "ComplexTypes", "Styles"):
        t.info("load %s: DOM reference / library" % reg,
               ratio(large.get("Load/%s/DomReference" % reg), large.get("Load/%s/Library" % reg)), x)
    for reg in ("Instances", "DeviceTypes", "ComplexTypes", "Styles"):
        t.info("load %s: library / expat floor" % reg,
               ratio(large.get("Load/%s/Library" % reg), large.get("Load/%s/ExpatFloor" % reg)), x)
    t.info("5-arg lookup / bare constFind", ratio(large.get("Lookup/Five"), find), x)
    t.info("lookupComposite (groups) / bare constFind",
           ratio(large.get("Lookup/CompositeGroups"), find), x)
    t.info("lookupComposite (one group) / bare constFind",
           ratio(large.get("Lookup/CompositeGroup"), find), x)

    print("Medians, CPU time:")
    shown_scales = (("small", small),) if smoke else (("small", small), ("large", large),
                                                      ("huge", huge))
    for scale, times in shown_scales:
        for name in sorted(times):
            v = times[name]
            shown = "%.3f ms" % (v / 1e6) if v >= 1e5 else "%.1f ns" % v
            print("  %-6s %-32s %s" % (scale, name, shown))
    for mode in ("bare", "library", "dom", "reader", "expat", "instances64", "instances64dtd",
                 "installation-bare", "installation-one", "installation-two"):
        if mode in rss:
            print("  start  %-32s %d KiB peak RSS, %.1f ms CPU"
                  % (mode, rss[mode], startup.get(mode, 0) / 1e3))
    print()
    t.print()
    if smoke:
        print("\nsmoke run: small site, short timings, nothing judged")
        return 0
    if t.unmeasured:
        print("\n%d ratio(s) could not be measured" % t.unmeasured)
    return 3 if t.missed or t.unmeasured else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
