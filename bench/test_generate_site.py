# SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
# SPDX-License-Identifier: BSD-3-Clause
"""Checks the benchmark sites by reading the written files back, independently
of the generator's own model: a site whose chains dangle or whose manifest
is wrong would make the lookup benchmarks time failures."""

import json
import os
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ET

HERE = os.path.dirname(os.path.abspath(__file__))
GENERATOR = os.path.join(HERE, "generate_site.py")


def generate(outdir, scale="small", seed=None):
    args = [sys.executable, GENERATOR, scale, outdir]
    if seed is not None:
        args += ["--seed", str(seed)]
    subprocess.run(args, check=True)


def read_tree(root):
    files = {}
    for dirpath, _, names in os.walk(root):
        for name in names:
            path = os.path.join(dirpath, name)
            with open(path, "rb") as f:
                files[os.path.relpath(path, root)] = f.read()
    return files


def parse_ref(ref):
    out = {"device": 0, "offset": 0, "complex": ""}
    for piece in filter(None, ref.split(",")):
        parts = [p for p in piece.split("=") if p]
        if parts and parts[0] in out:
            value = parts[1] if len(parts) > 1 else ""
            out[parts[0]] = value if parts[0] == "complex" else int(value or 0)
    return out


class Site:
    """The site as a reader of its files sees it."""

    def __init__(self, root):
        config = os.path.join(root, "bench", "config")
        self.instances = {}
        self.composite_groups = {}
        for e in ET.parse(os.path.join(config, "instances.xml")).getroot():
            info = parse_ref(e.get("ref", ""))
            info.update(type=e.get("type", ""), alt_id=e.get("alt_id", ""))
            self.instances[e.get("id")] = info
            if e.get("composite") == "yes":
                self.composite_groups[e.get("id")] = {
                    g.get("id"): g.get("instance") for g in e if g.tag == "group"}
        self.device_types = {}
        for name in os.listdir(os.path.join(config, "devicetypes")):
            root_el = ET.parse(os.path.join(config, "devicetypes", name)).getroot()
            self.device_types[name[:-4].lower()] = (
                root_el.get("drivertype", ""),
                {p.get("name"): int(p.get("slot")) for p in root_el})
        self.complex_types = {}
        for name in os.listdir(os.path.join(config, "complex_instances")):
            root_el = ET.parse(os.path.join(config, "complex_instances", name)).getroot()
            self.complex_roots_match = getattr(self, "complex_roots_match", True) and (
                root_el.tag == name[:-4])
            self.complex_types[name[:-4]] = {
                m.get("id"): {r.get("id"): (r.get("device"), r.get("param")) for r in m}
                for m in root_el}
        self.styles = ET.parse(os.path.join(config, "stylesheet", "vrex_style.xml")).getroot()

    def lookup(self, name, param):
        """Follows redirections; (result dict, hops) or raises on a dangling chain."""
        alt_id = self.instances[name]["alt_id"]
        for hops in range(10):
            inst = self.instances[name]
            driver, params = self.device_types[inst["type"].lower()]
            slot = params[param]
            if slot != 0 or not inst["complex"]:
                first = driver[:1].lower()
                return {"device": inst["device"], "offset": inst["offset"], "slot": slot,
                        "drivertype": 2 if first == "g" else 3 if first == "r" else 1,
                        "alt_id": alt_id, "hops": hops}
            name, param = self.complex_types[inst["complex"]][name][param]
        raise AssertionError("chain does not end")


class GeneratedSiteTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        cls.root = os.path.join(cls.tmp.name, "a")
        generate(cls.root)
        cls.site = Site(cls.root)
        with open(os.path.join(cls.root, "manifest.json"), encoding="utf-8") as f:
            cls.manifest = json.load(f)

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def test_same_seed_same_bytes_other_seed_other_site(self):
        again = os.path.join(self.tmp.name, "b")
        other = os.path.join(self.tmp.name, "c")
        generate(again)
        generate(other, seed=2)
        self.assertEqual(read_tree(self.root), read_tree(again))
        self.assertNotEqual(read_tree(self.root)["manifest.json"],
                            read_tree(other)["manifest.json"])

    def test_counts_at_small_scale(self):
        s, m = self.site, self.manifest
        self.assertEqual((len(s.instances), len(s.device_types), len(s.complex_types),
                          len(s.styles)), (10_000, 30, 5, 200))
        self.assertEqual((m["instances"], m["deviceTypes"], m["complexTypes"], m["styles"]),
                         (10_000, 30, 5, 200))
        self.assertTrue(150 <= len(s.composite_groups) <= 250)
        self.assertTrue(all(len(g) == 4 for g in s.composite_groups.values()))
        addresses = {(i["device"], i["offset"]) for i in s.instances.values()}
        self.assertEqual(len(addresses), len(s.instances))  # an address of its own each
        with_complex = sum(1 for i in s.instances.values() if i["complex"])
        self.assertEqual(with_complex, sum(len(m) for m in s.complex_types.values()))
        for _, params in s.device_types.values():
            self.assertEqual(len(params), 40)
            slots = [slot for slot in params.values() if slot != 0]
            self.assertEqual(len(slots), 35)
            self.assertEqual(len(set(slots)), 35)  # a slot of its own each
        for members in s.complex_types.values():
            self.assertEqual(len(members), 200)
            self.assertTrue(all(len(r) == 5 for r in members.values()))
        self.assertTrue(all(len(style) == 5 for style in s.styles))

    def test_complex_roots_and_membership(self):
        s = self.site
        self.assertTrue(s.complex_roots_match)
        for ctype, members in s.complex_types.items():
            for member in members:
                self.assertEqual(s.instances[member]["complex"], ctype, member)

    def test_every_followed_redirection_resolves_within_three_hops(self):
        s = self.site
        longest = 0
        for members in s.complex_types.values():
            for member, redirections in members.items():
                params = s.device_types[s.instances[member]["type"].lower()][1]
                for param, (target, target_param) in redirections.items():
                    self.assertIn(target, s.instances)
                    if params[param] == 0:
                        hops = s.lookup(member, param)["hops"]
                        self.assertTrue(1 <= hops <= 3, (member, param, hops))
                        longest = max(longest, hops)
        self.assertEqual(longest, 3)

    def test_manifest_answers_match_the_files(self):
        for kind, hops in (("direct", 0), ("hop1", 1), ("hop3", 3)):
            samples = self.manifest[kind]
            self.assertEqual(len(samples), 256, kind)
            for sample in samples:
                expected = {k: sample[k] for k in
                            ("device", "offset", "slot", "drivertype", "alt_id", "hops")}
                self.assertEqual(self.site.lookup(sample["instance"], sample["param"]),
                                 expected, sample)
                self.assertEqual(sample["hops"], hops)
        for sample in self.manifest["composite"]:
            self.assertEqual(self.site.composite_groups[sample["instance"]][sample["group"]],
                             sample["target"])


if __name__ == "__main__":
    unittest.main()
