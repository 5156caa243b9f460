#!/usr/bin/env python3
"""Counts the test cases of a run from CTest's and GoogleTest's XML reports.

Each argument is a report folder holding ctest.xml and one GoogleTest report
per CTest test. A CTest test that failed without a failing case in its report
(a crash, a time-out, no report at all) counts as one failure."""
import os
import re
import sys
import xml.etree.ElementTree as ET


def suite_counts(report):
    """The totals of a GoogleTest report. Read with a pattern, not a parser:
    failure messages of Windows programs may hold Windows-1252 bytes."""
    with open(report, "rb") as f:
        head = f.read().decode("latin-1")
    m = re.search(r"<testsuites\b[^>]*>", head)
    if not m:
        return None
    attrs = dict(re.findall(r'(\w+)="(\d+)"', m.group(0)))
    skipped = len(re.findall(r'result="skipped"', head))
    return (int(attrs.get("tests", 0)), int(attrs.get("failures", 0)) + int(attrs.get("errors", 0)),
            int(attrs.get("disabled", 0)) + skipped)


def count_folder(folder):
    passed = failed = skipped_cases = 0
    ctest_file = os.path.join(folder, "ctest.xml")
    if not os.path.exists(ctest_file):
        return 0, 1, 0
    with open(ctest_file, "rb") as f:
        text = f.read().decode("latin-1")
    # The tests' own output is kept in the report; it may hold any bytes.
    text = re.sub(r"<system-out>.*?</system-out>", "", text, flags=re.S)
    text = re.sub(r"<\?xml[^>]*\?>", "", text)
    for case in ET.fromstring(text).iter("testcase"):
        name = case.get("name")
        ctest_failed = case.find("failure") is not None or case.get("status") == "fail"
        skipped = case.find("skipped") is not None
        report = os.path.join(folder, name + ".xml")
        counts = suite_counts(report) if os.path.exists(report) else None
        if counts:
            total, bad, dis = counts
            passed += total - bad - dis
            skipped_cases += dis
            failed += bad
            if ctest_failed and bad == 0:
                failed += 1
        elif skipped:
            continue
        elif ctest_failed:
            failed += 1
        else:
            passed += 1
    return passed, failed, skipped_cases


def main():
    passed = failed = skipped = 0
    for folder in sys.argv[1:]:
        p, f, s = count_folder(folder)
        passed += p
        failed += f
        skipped += s
    print(f"{passed} passed, {failed} failed, {skipped} skipped")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
