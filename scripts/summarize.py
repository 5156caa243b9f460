#!/usr/bin/env python3
"""Counts the test cases of a run from CTest's and GoogleTest's XML reports.

Each argument is a report folder holding ctest.xml and one GoogleTest report
per CTest test. A CTest test that failed without a failing case in its report
(a crash, a time-out, no report at all) counts as one failure."""
import os
import sys
import xml.etree.ElementTree as ET


def count_folder(folder):
    passed = failed = 0
    ctest_file = os.path.join(folder, "ctest.xml")
    if not os.path.exists(ctest_file):
        return 0, 1
    for case in ET.parse(ctest_file).getroot().iter("testcase"):
        name = case.get("name")
        ctest_failed = case.find("failure") is not None or case.get("status") == "fail"
        skipped = case.find("skipped") is not None
        report = os.path.join(folder, name + ".xml")
        if os.path.exists(report):
            root = ET.parse(report).getroot()
            total = int(root.get("tests", 0))
            bad = int(root.get("failures", 0)) + int(root.get("errors", 0))
            dis = int(root.get("disabled", 0))
            passed += total - bad - dis
            failed += bad
            if ctest_failed and bad == 0:
                failed += 1
        elif skipped:
            continue
        elif ctest_failed:
            failed += 1
        else:
            passed += 1
    return passed, failed


def main():
    passed = failed = 0
    for folder in sys.argv[1:]:
        p, f = count_folder(folder)
        passed += p
        failed += f
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
