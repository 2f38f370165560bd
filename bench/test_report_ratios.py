# SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
# SPDX-License-Identifier: BSD-3-Clause
"""Checks the verdicts bench/run prints: a reporter that misreads the
results would call a slow library fast."""

import io
import json
import os
import sys
import tempfile
import unittest
from contextlib import redirect_stdout

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import report_ratios  # noqa: E402

# CPU times in ns of a run in which every target is met.
GOOD_LARGE = {
    "Load/All/Library": 180e6, "Load/All/DomReference": 1200e6,
    "Load/All/ExpatFloor": 130e6, "Load/All/StreamReaderFloor": 330e6,
    "Lookup/ConstFind": 150, "Lookup/Seven/Direct": 500,
    "Lookup/Seven/Hop1": 2400, "Lookup/Seven/Hop3": 9000,
    "Lookup/Bare/Direct": 430, "Lookup/Bare/Hop1": 2200, "Lookup/Bare/Hop3": 9400,
    "Save/Library": 27e6, "Save/DomWrite": 110e6,
    "Load/CaseFold/LowerXml": 30e6, "Load/CaseFold/UpperXml": 33e6,
}
GOOD_RSS = {"bare": 16600, "library": 71500, "dom": 505000,
            "instances64": 200000, "instances64dtd": 205000,
            "installation-bare": 16000, "installation-one": 70000, "installation-two": 124000}
GOOD_CPU = {"library": 600, "dom": 4000, "installation-one": 600, "installation-two": 1200}


def aggregate(name, ns, kind="median", **extra):
    return dict(name=name + "_" + kind, run_name=name, run_type="aggregate",
                aggregate_name=kind, cpu_time=ns, time_unit="ns", **extra)


def write_results(root, large, rss, per_instance_small=350.0, per_instance_huge=360.0, cpu=None):
    cpu = GOOD_CPU if cpu is None else cpu
    def dump(name, benchmarks):
        with open(os.path.join(root, name), "w", encoding="utf-8") as f:
            json.dump({"benchmarks": benchmarks}, f)

    dump("large.json", [aggregate(n, v) for n, v in large.items()])
    for scale, count, per in (("small", 10000, per_instance_small),
                              ("huge", 1000000, per_instance_huge)):
        dump(scale + "-1.json", [dict(name="Load/Instances/Library", run_name="Load/Instances/Library",
                                      run_type="iteration", cpu_time=per * count / 1e6,
                                      time_unit="ms", instances=count)])
    with open(os.path.join(root, "startup.txt"), "w", encoding="utf-8") as f:
        for mode, kib in rss.items():
            f.write("mode=%s peak_rss_kib=%d load_cpu_us=%d instances=0\n"
                    % (mode, kib, cpu.get(mode, 1000)))


def report(large=None, rss=None, **kwargs):
    """The reporter's exit status and {judged row: verdict}."""
    with tempfile.TemporaryDirectory() as root:
        write_results(root, GOOD_LARGE if large is None else large,
                      GOOD_RSS if rss is None else rss, **kwargs)
        out = io.StringIO()
        with redirect_stdout(out):
            status = report_ratios.main([root])
    verdicts = {}
    for line in out.getvalue().splitlines():
        for verdict in ("met", "missed", "not measured"):
            if line.rstrip().endswith("  " + verdict):
                verdicts[line.split("  ")[0]] = verdict
    return status, verdicts


def changed(**times):
    large = dict(GOOD_LARGE)
    for name, ns in times.items():
        large[name.replace("_", "/")] = ns
    return large


class Verdicts(unittest.TestCase):
    def test_all_met(self):
        status, verdicts = report()
        self.assertEqual(status, 0)
        self.assertEqual(len(verdicts), 13)
        self.assertEqual(set(verdicts.values()), {"met"})

    def test_one_missed_target_fails_the_run(self):
        # (changed results, the row that must be missed)
        cases = [
            (dict(large=changed(Load_All_DomReference=1000e6)), "registries: DOM reference / library"),
            (dict(large=changed(Load_All_ExpatFloor=100e6)), "library / expat floor"),
            (dict(cpu=dict(GOOD_CPU, dom=3000)), "fresh process: DOM reference / library"),
            (dict(rss=dict(GOOD_RSS, instances64dtd=230000)), "DTD subset"),
            (dict(rss=dict(GOOD_RSS, library=90000)), "peak RSS"),
            (dict(large=changed(Lookup_Seven_Direct=700)), "direct 7-arg lookup / bare constFind"),
            # 1 hop: (3000 - 500) / (2200 - 430) = 1.41
            (dict(large=changed(Lookup_Seven_Hop1=3000)), "(1 hop)"),
            # 3 hops: (12000 - 500) / 3 against (9400 - 430) / 3 = 1.28
            (dict(large=changed(Lookup_Seven_Hop3=12000)), "(3 hops)"),
            (dict(per_instance_huge=600.0), "huge / small"),
            (dict(large=changed(Save_Library=120e6)), "QDomDocument::save"),
            (dict(cpu=dict(GOOD_CPU, **{"installation-two": 1300})), "side by side / one, load CPU"),
            (dict(rss=dict(GOOD_RSS, **{"installation-two": 130000})), "side by side / one, peak RSS"),
            (dict(large=changed(Load_CaseFold_UpperXml=50e6)), "*.XML / *.xml"),
        ]
        for kwargs, row in cases:
            with self.subTest(row=row):
                status, verdicts = report(**kwargs)
                self.assertEqual(status, 3)
                missed = [r for r, v in verdicts.items() if v == "missed"]
                self.assertEqual(len(missed), 1, missed)
                self.assertIn(row, missed[0])

    def test_a_missing_measurement_is_not_a_pass(self):
        for name in ("Lookup/Bare/Hop1", "Load/All/ExpatFloor", "Save/DomWrite"):
            with self.subTest(missing=name):
                large = dict(GOOD_LARGE)
                del large[name]
                status, verdicts = report(large=large)
                self.assertEqual(status, 3)
                self.assertIn("not measured", verdicts.values())

    def test_medians_are_used_and_failed_benchmarks_dropped(self):
        with tempfile.TemporaryDirectory() as root:
            with open(os.path.join(root, "large-1.json"), "w", encoding="utf-8") as f:
                json.dump({"benchmarks": [
                    aggregate("Lookup/ConstFind", 150),
                    aggregate("Lookup/ConstFind", 999, kind="mean"),
                    dict(name="Lookup/Bare/Hop1", run_name="Lookup/Bare/Hop1",
                         run_type="iteration", cpu_time=0, time_unit="ns",
                         error_occurred=True),
                ]}, f)
            with open(os.path.join(root, "large-2.json"), "w", encoding="utf-8") as f:
                json.dump({"benchmarks": [aggregate("Lookup/ConstFind", 170),
                                          aggregate("Lookup/ConstFind", 160)]}, f)
            times, _ = report_ratios.load_times(root, "large")
        self.assertEqual(times, {"Lookup/ConstFind": 160})


    def test_probe_lines_give_medians_per_mode_and_field(self):
        with tempfile.TemporaryDirectory() as root:
            path = os.path.join(root, "startup.txt")
            with open(path, "w", encoding="utf-8") as f:
                f.write("mode=library peak_rss_kib=70000 load_cpu_us=600\n"
                        "mode=dom peak_rss_kib=500000 load_cpu_us=3000\n"
                        "noise without a mode\n"
                        "mode=library peak_rss_kib=90000 load_cpu_us=650\n"
                        "mode=library peak_rss_kib=71000 load_cpu_us=9999 note=text\n")
            probes = report_ratios.load_probes(path)
        self.assertEqual(probes, {"library": {"peak_rss_kib": 71000, "load_cpu_us": 650},
                                  "dom": {"peak_rss_kib": 500000, "load_cpu_us": 3000}})


if __name__ == "__main__":
    unittest.main()
