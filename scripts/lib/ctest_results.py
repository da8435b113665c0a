#!/usr/bin/env python3
"""What a CTest run left, read from its data files: a line for scripts/test's summary, and the
failed tests for scripts/mutate (which imports this).

  ctest_results.py junit FILE     "N tests, S skipped; kernels: ...; failed: ..." from the JUnit
                                  file of a test preset
  ctest_results.py memcheck DIR   "N test executables; failed: ..." from the latest
                                  ctest -T memcheck in the build folder DIR

Either exits 1 when a test failed, or when nothing ran.
"""
import re
import sys
import xml.etree.ElementTree as ET
from pathlib import Path


def dashboard(build, name):
    """The root of <name>.xml of the latest ctest -T run in the build folder (Test,
    DynamicAnalysis)."""
    testing = Path(build) / "Testing"
    tag = (testing / "TAG").read_text().splitlines()[0]
    return ET.parse(testing / tag / f"{name}.xml").getroot()


def failures(root):
    """The failed tests of a dashboard file, each with why when that is more than a failure: a
    timeout, a crash, the memory checker's defects."""
    found = []
    for test in root.iter("Test"):
        defects = [f"{d.get('type')} {d.text}" for d in test.iter("Defect")]
        if test.get("Status") != "failed" and not defects:
            continue
        why = [m.findtext("Value") for m in test.iter("NamedMeasurement") if m.get("name") == "Exit Code"]
        why = [w for w in why if w != "Failed"] + defects
        found.append(test.findtext("Name") + (f" ({', '.join(why)})" if why else ""))
    return found


def main(kind, path):
    if kind == "junit":
        suite = ET.parse(path).getroot()
        failed = [case.get("name") for case in suite.iter("testcase") if case.get("status") == "fail"]
        # The kernel test names the row kernel variants it held to their formulas.
        kernels = re.search(r"row kernel variants run: ([a-z0-9 ]*)", "".join(suite.itertext()))
        ran = int(suite.get("tests"))
        line = f"{ran} tests, {suite.get('skipped')} skipped" + (f"; kernels: {kernels[1].strip()}" if kernels else "")
    else:
        root = dashboard(path, "DynamicAnalysis")
        ran, failed = len(root.findall(".//TestList/Test")), failures(root)
        line = f"{ran} test executables"
    print(line + (f"; failed: {', '.join(failed)}" if failed else ""))
    return 1 if failed or ran == 0 else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
