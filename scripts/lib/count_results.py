#!/usr/bin/env python3
"""Counts the test cases of one ctest run.

usage: count_results.py RESULTS_DIR [CTEST_JUNIT]

RESULTS_DIR holds the GoogleTest XML files that the test executables wrote (one per executable,
named after its ctest entry). CTEST_JUNIT is ctest's own --output-junit report; it catches an
executable that failed without writing its XML (a crash, a timeout, a start failure), which is
then counted as one failed case. Prints "PASSED FAILED" on the first line and one failed case per
following line.
"""
import os
import sys
import xml.etree.ElementTree as ET


def gtest_cases(path):
    passed, failed = 0, []
    try:
        root = ET.parse(path).getroot()
    except (ET.ParseError, OSError) as e:
        return 0, [f"{os.path.basename(path)}: unreadable results ({e})"]
    for case in root.iter("testcase"):
        name = f"{case.get('classname', '?')}.{case.get('name', '?')}"
        if case.find("failure") is not None or case.find("error") is not None:
            failed.append(name)
        elif case.get("result") == "skipped" or case.get("status") == "notrun" \
                or case.find("skipped") is not None:
            continue
        else:
            passed += 1
    return passed, failed


def main():
    results = sys.argv[1]
    junit = sys.argv[2] if len(sys.argv) > 2 else None
    passed, failed = 0, []
    seen = {}
    if os.path.isdir(results):
        for f in sorted(os.listdir(results)):
            if f.endswith(".xml"):
                p, fl = gtest_cases(os.path.join(results, f))
                passed += p
                failed += fl
                seen[f[:-4]] = len(fl)
    if junit and os.path.isfile(junit):
        try:
            root = ET.parse(junit).getroot()
        except ET.ParseError as e:
            root = None
            failed.append(f"ctest report unreadable ({e})")
        for case in (root.iter("testcase") if root is not None else []):
            name = case.get("name", "?")
            status = case.get("status", "")
            bad = case.find("failure") is not None or status == "fail"
            if status in ("notrun", "disabled") and not bad:
                if name not in seen:
                    failed.append(f"{name}: did not run")
                continue
            if name in seen:
                # The executable's own cases are counted; a failing exit without a failing
                # case means it died after or between them.
                if bad and seen[name] == 0:
                    failed.append(f"{name}: exited with failure ({case.get('message') or status})")
            elif bad:
                failed.append(f"{name}: failed without results (crash, timeout or start failure)")
            else:
                passed += 1
    print(passed, len(failed))
    for f in failed:
        print(f)


if __name__ == "__main__":
    main()
