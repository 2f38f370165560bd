#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
# SPDX-License-Identifier: BSD-3-Clause
"""Writes a synthetic installation for the benchmarks.

    generate_site.py SCALE OUTDIR [--seed N]

SCALE is small, large or huge. The tree lands in OUTDIR/bench/config (so
ZT_ROOT=OUTDIR, ZT_SYSTEM=bench) together with OUTDIR/manifest.json, which
names sample lookups and the answers they must give.

At "large" the site has 100,000 instances (2% composite with four groups),
300 device types of 40 parameters (an eighth of them on slot 0), 50 complex
types of 200 members with five redirections each, and 2,000 styles of five
settings. Only members name a complex type, so every parameter the library
would redirect has its redirection; every instance has an address of its
own and every parameter a slot of its own, so the site passes `vrexctl
check`. "small" is a tenth of all counts; "huge" has ten times the
instances and the other files of "large".

Redirection chains are one to three hops long and always resolve: every
intermediate target is a member of the complex type its own ref names and has
slot 0 for the parameter it is asked for, and the last hop ends on a
parameter whose slot is not 0. Output is a pure function of scale and seed.
"""

import argparse
import json
import os
import random
import sys

SCALES = {
    #        instances  device types  complex types  styles
    "small": (10_000, 30, 5, 200),
    "large": (100_000, 300, 50, 2_000),
    "huge": (1_000_000, 300, 50, 2_000),
}
PARAMS_PER_TYPE = 40
SLOT0_PER_TYPE = PARAMS_PER_TYPE // 8
MEMBERS_PER_COMPLEX = 200
REDIRECTIONS_PER_MEMBER = SLOT0_PER_TYPE
SETTINGS_PER_STYLE = 5
GROUPS_PER_COMPOSITE = 4
COMPOSITE_SHARE = 0.02
COMPLEX_SHARE = 0.5
SAMPLES = 256
OFFSETS_PER_DEVICE = 256
DEVICES = 9_999

FAMILIES = [
    ("Camera", "cam"), ("VidRouter", "vr"), ("AudioMixer", "amx"),
    ("PowerSupply", "psu"), ("Motor", "mot"), ("Valve", "vlv"),
    ("TempSensor", "ts"), ("Switcher", "sw"), ("Encoder", "enc"),
    ("Decoder", "dec"), ("Amplifier", "amp"), ("Intercom", "ic"),
    ("Tally", "tly"), ("Gpio", "gpio"), ("Relay", "rly"),
]
# The driver-type words the library knows, in the cases authors type them.
DRIVERS = ["generic", "Router", "Generic", "serial", "ROUTER", "Serial", "router", ""]
PARAM_WORDS = [
    "gain", "iris", "focus", "zoom", "pan", "tilt", "level", "mute", "input",
    "output", "source", "dest", "preset", "speed", "temp", "fan", "volt",
    "current", "power", "mode", "gamma", "black", "white", "knee", "detail",
    "shutter", "filter", "delay", "phase", "lock", "tally", "alarm", "status",
    "select", "route", "bypass", "limit", "trim", "eq", "comp", "pos", "rate",
    "freq", "bal", "pedestal", "matrix", "sat", "hue", "flare", "clip",
]
PARAM_SUFFIXES = ["", "_a", "_b", "2", "_ctl", "Lvl", "_sel"]
GROUP_IDS = ["main", "backup", "left", "right", "pgm", "pvw", "aux", "ctl"]
HALLS = ["Hall 1", "Hall 2", "Studio A", "Studio B", "Studio S\u00fcd",
         "OB Van 3", "Control Room", "Technical Area"]
SETTING_KEYS = ["color", "background", "font", "border", "width", "height",
                "align", "margin", "icon", "blink", "frame", "shadow"]
STYLE_WORDS = ["state", "style", "setting", ""]


def indent_unit(rng):
    return rng.choice(["  ", "    ", "\t", "  "])


def attrs(pairs, rng):
    """Attribute text in a varied order, values escaped."""
    pairs = list(pairs)
    if rng.random() < 0.5:
        rng.shuffle(pairs)
    return " ".join('%s="%s"' % (k, escape(v)) for k, v in pairs)


def escape(value):
    return (value.replace("&", "&amp;").replace("<", "&lt;")
            .replace('"', "&quot;").replace(">", "&gt;"))


def driver_code(word):
    first = word[:1].lower()
    return 2 if first == "g" else 3 if first == "r" else 1


class Site:
    def __init__(self, scale, seed):
        self.scale = scale
        (self.n_instances, self.n_types, self.n_complex,
         self.n_styles) = SCALES[scale]
        self.rng = random.Random("%s/%d" % (scale, seed))

    # --- model -----------------------------------------------------------

    def build(self):
        rng = self.rng
        self.types = []  # dicts: name, family, driver, spacing, params [(name, slot)]
        for t in range(self.n_types):
            family, _ = FAMILIES[t % len(FAMILIES)]
            name = "%s_%s%03d" % (family, rng.choice(["M", "m", "X", "HD"]), t)
            words = rng.sample([w + s for w in PARAM_WORDS for s in PARAM_SUFFIXES],
                               PARAMS_PER_TYPE)
            zero = set(rng.sample(range(PARAMS_PER_TYPE), SLOT0_PER_TYPE))
            slots = iter(rng.sample(range(1, 4096), PARAMS_PER_TYPE))
            params = [(w, 0 if i in zero else next(slots))
                      for i, w in enumerate(words)]
            self.types.append({
                "name": name, "family": t % len(FAMILIES),
                "driver": rng.choice(DRIVERS), "spacing": rng.choice([0, 8, 16, 32, 64]),
                "params": params,
                "slots": dict(params),
                "zero": [w for w, s in params if s == 0],
                "nonzero": [w for w, s in params if s != 0],
            })

        self.complex_names = ["ct%d" % c for c in range(self.n_complex)]
        self.instances = []  # dicts: name, type index, device, offset, complex, ...
        addresses = rng.sample(range(DEVICES * OFFSETS_PER_DEVICE), self.n_instances)
        for i in range(self.n_instances):
            t = rng.randrange(self.n_types)
            _, prefix = FAMILIES[self.types[t]["family"]]
            inst = {
                "name": "%s%06d" % (prefix, i),
                "type": t,
                "device": 1 + addresses[i] // OFFSETS_PER_DEVICE,
                "offset": addresses[i] % OFFSETS_PER_DEVICE,
                "complex": (rng.choice(self.complex_names)
                            if rng.random() < COMPLEX_SHARE else None),
                "alt_id": "%c%05X" % (rng.choice("ABCDEFGH"), rng.randrange(1 << 20)),
                "location": "%s / Rack %d / U%d" % (rng.choice(HALLS),
                                                    rng.randint(1, 60), rng.randint(1, 42)),
                "groups": None,
            }
            self.instances.append(inst)
        for inst in self.instances:
            if rng.random() < COMPOSITE_SHARE:
                ids = rng.sample(GROUP_IDS, GROUPS_PER_COMPOSITE)
                inst["groups"] = [(g, rng.choice(self.instances)["name"]) for g in ids]

        self.build_complex()
        # An instance that is no member of its complex type would leave its
        # slot-0 parameters without a redirection.
        members = {m for chosen in self.members.values() for m in chosen}
        for idx, inst in enumerate(self.instances):
            if idx not in members:
                inst["complex"] = None

    def build_complex(self):
        rng = self.rng
        by_complex = {c: [] for c in self.complex_names}
        for idx, inst in enumerate(self.instances):
            if inst["complex"] is not None:
                by_complex[inst["complex"]].append(idx)

        # Members per complex type, then tiers: a tier-k member only has
        # chains of at most k hops, and a k-hop redirection targets a
        # redirection of k-1 hops, so chains cannot loop.
        self.members = {c: [] for c in self.complex_names}
        all_members = []
        for c in self.complex_names:
            pool = by_complex[c]
            chosen = rng.sample(pool, min(MEMBERS_PER_COMPLEX, len(pool)))
            self.members[c] = chosen
            all_members.extend(chosen)
        rng.shuffle(all_members)
        cut1 = int(len(all_members) * 0.4)
        cut2 = int(len(all_members) * 0.7)
        tiers = [(all_members[:cut1], 1), (all_members[cut1:cut2], 2),
                 (all_members[cut2:], 3)]

        self.redirections = {}  # member idx -> [(param, target idx, target param, hops)]
        pools = {1: [], 2: [], 3: []}  # hops -> [(member idx, param)]
        for members, tier in tiers:
            for m in members:
                mtype = self.types[self.instances[m]["type"]]
                reds = []
                for p in mtype["zero"]:
                    hops = rng.randint(1, tier)
                    while hops > 1 and not pools[hops - 1]:
                        hops -= 1
                    reds.append((p,) + self.target(hops, pools) + (hops,))
                self.redirections[m] = reds
            for m in members:
                for p, _, _, hops in self.redirections[m]:
                    if hops:
                        pools[hops].append((m, p))

    def target(self, hops, pools):
        rng = self.rng
        if hops == 1:
            d = rng.randrange(self.n_instances)
            return d, rng.choice(self.types[self.instances[d]["type"]]["nonzero"])
        return rng.choice(pools[hops - 1])

    def resolve(self, idx, param):
        """What the seven-argument lookup must answer, following redirections."""
        alt_id = self.instances[idx]["alt_id"]
        hops = 0
        while True:
            inst = self.instances[idx]
            t = self.types[inst["type"]]
            slot = t["slots"][param]
            if slot != 0 or inst["complex"] is None:
                return {"device": inst["device"], "offset": inst["offset"], "slot": slot,
                        "drivertype": driver_code(t["driver"]), "alt_id": alt_id,
                        "hops": hops}
            red = {p: (d, q) for p, d, q, _ in self.redirections[idx]}
            idx, param = red[param]
            hops += 1

    # --- files -----------------------------------------------------------

    def write(self, out):
        config = os.path.join(out, "bench", "config")
        for sub in ("devicetypes", "complex_instances", "stylesheet"):
            os.makedirs(os.path.join(config, sub), exist_ok=True)
        self.write_instances(os.path.join(config, "instances.xml"))
        for t in self.types:
            self.write_device_type(os.path.join(config, "devicetypes", t["name"] + ".xml"), t)
        for c in self.complex_names:
            self.write_complex(os.path.join(config, "complex_instances", c + ".xml"), c)
        self.write_stylesheet(os.path.join(config, "stylesheet", "vrex_style.xml"))
        with open(os.path.join(out, "manifest.json"), "w", encoding="utf-8") as f:
            json.dump(self.manifest(), f, indent=1, ensure_ascii=False)
            f.write("\n")

    def type_spelling(self, t):
        # Instances name their device type in whatever case the author typed.
        name = self.types[t]["name"]
        r = self.rng.random()
        return name if r < 0.7 else name.lower() if r < 0.9 else name.upper()

    def write_instances(self, path):
        rng = self.rng
        ind = indent_unit(rng)
        out = ['<?xml version="1.0" encoding="UTF-8"?>\n',
               "<!-- Instance catalogue of the benchmark site. -->\n",
               "<instances>\n"]
        for i, inst in enumerate(self.instances):
            if i % 500 == 0:
                out.append("%s<!-- section %d: %s -->\n" % (ind, i // 500, rng.choice(HALLS)))
            ref = ["device=%d" % inst["device"], "offset=%d" % inst["offset"]]
            if rng.random() < 0.2:
                ref.reverse()
            if inst["complex"] is not None:
                ref.append("complex=" + inst["complex"])
            pairs = [("id", inst["name"]), ("type", self.type_spelling(inst["type"])),
                     ("ref", ",".join(ref)), ("alt_id", inst["alt_id"]),
                     ("location", inst["location"])]
            if inst["groups"] is None:
                out.append("%s<instance %s/>\n" % (ind, attrs(pairs, rng)))
                continue
            pairs.append(("composite", "yes"))
            out.append("%s<instance %s>\n" % (ind, attrs(pairs, rng)))
            for g, target in inst["groups"]:
                out.append('%s%s<group %s/>\n' % (ind, ind, attrs(
                    [("id", g), ("instance", target)], rng)))
            out.append("%s</instance>\n" % ind)
        out.append("</instances>\n")
        with open(path, "w", encoding="utf-8") as f:
            f.writelines(out)

    def write_device_type(self, path, t):
        rng = self.rng
        ind = indent_unit(rng)
        out = ['<?xml version="1.0"?>\n'] if rng.random() < 0.5 else []
        out.append("<!-- %s: %d parameters -->\n" % (t["name"], len(t["params"])))
        out.append("<device_description %s>\n" % attrs(
            [("drivertype", t["driver"]), ("slotspacing", str(t["spacing"]))], rng))
        for n, (name, slot) in enumerate(t["params"]):
            if n % 10 == 0:
                out.append("%s<!-- block %d -->\n" % (ind, n // 10))
            out.append("%s<param %s/>\n" % (ind, attrs(
                [("name", name), ("slot", str(slot))], rng)))
        out.append("</device_description>\n")
        with open(path, "w", encoding="utf-8") as f:
            f.writelines(out)

    def write_complex(self, path, c):
        rng = self.rng
        ind = indent_unit(rng)
        out = ['<?xml version="1.0" encoding="UTF-8"?>\n',
               "<!-- Complex type %s: parameter redirections per member. -->\n" % c,
               "<%s>\n" % c]
        for m in self.members[c]:
            out.append('%s<member id="%s">\n' % (ind, escape(self.instances[m]["name"])))
            for p, d, q, _ in self.redirections[m]:
                out.append("%s%s<param %s/>\n" % (ind, ind, attrs(
                    [("id", p), ("device", self.instances[d]["name"]), ("param", q)], rng)))
            out.append("%s</member>\n" % ind)
        out.append("</%s>\n" % c)
        with open(path, "w", encoding="utf-8") as f:
            f.writelines(out)

    def write_stylesheet(self, path):
        rng = self.rng
        ind = indent_unit(rng)
        out = ["<!DOCTYPE stylesheet>\n", "<stylesheet>\n"]
        self.style_names = []
        for s in range(self.n_styles):
            name = "%s_%s_%04d" % (rng.choice(["Panel", "button", "Meter", "label", "Alarm"]),
                                   rng.choice(["on", "off", "warn", "idle", "big"]), s)
            self.style_names.append(name)
            if s % 100 == 0:
                out.append("%s<!-- styles %d.. -->\n" % (ind, s))
            out.append("%s<style %s>\n" % (ind, attrs(
                [("name", name), ("type", rng.choice(STYLE_WORDS)),
                 ("suitablefor", rng.choice(["QLabel", "QPushButton", "Meter & Bar", ""])),
                 ("description", "Style %d for <%s> panels" % (s, rng.choice(HALLS)))], rng)))
            for _ in range(SETTINGS_PER_STYLE):
                value = "%s=%s" % (rng.choice(SETTING_KEYS),
                                   rng.choice(["#%06x" % rng.randrange(1 << 24),
                                               str(rng.randint(0, 400)), "bold", "left"]))
                out.append('%s%s<setting value="%s"/>\n' % (ind, ind, escape(value)))
            out.append("%s</style>\n" % ind)
        out.append("</stylesheet>\n")
        with open(path, "w", encoding="utf-8") as f:
            f.writelines(out)

    # --- manifest --------------------------------------------------------

    def manifest(self):
        rng = self.rng
        direct, hop1, hop3 = [], [], []
        while len(direct) < SAMPLES:
            idx = rng.randrange(self.n_instances)
            param = rng.choice(self.types[self.instances[idx]["type"]]["nonzero"])
            direct.append(self.sample(idx, param))
        chains = [(m, p, hops) for m, reds in self.redirections.items()
                  for p, _, _, hops in reds if hops in (1, 3)]
        chains.sort()
        rng.shuffle(chains)
        for m, p, hops in chains:
            bucket = hop1 if hops == 1 else hop3
            if len(bucket) < SAMPLES:
                bucket.append(self.sample(m, p))
        composites = [inst for inst in self.instances if inst["groups"]]
        composite = [{"instance": inst["name"], "group": g, "target": t}
                     for inst in rng.sample(composites, min(SAMPLES, len(composites)))
                     for g, t in inst["groups"][:1]]
        return {
            "scale": self.scale,
            "instances": self.n_instances,
            "deviceTypes": self.n_types,
            "complexTypes": self.n_complex,
            "styles": self.n_styles,
            "direct": direct,
            "hop1": hop1,
            "hop3": hop3,
            "composite": composite,
            "styleNames": rng.sample(self.style_names, min(SAMPLES, len(self.style_names))),
        }

    def sample(self, idx, param):
        entry = {"instance": self.instances[idx]["name"], "param": param}
        entry.update(self.resolve(idx, param))
        return entry


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("scale", choices=sorted(SCALES))
    parser.add_argument("outdir")
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args(argv)
    site = Site(args.scale, args.seed)
    site.build()
    site.write(args.outdir)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
