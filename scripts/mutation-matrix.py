#!/usr/bin/env python3
"""Reads the file mutation.py --matrix writes and tells, per test, how many
mutants it kills and how many of them no other test kills. A test that kills
nothing alone is a candidate for folding into the others (or for a sharper
check). Tests whose names match a pattern can be left out, to see what the
rest of the suite would catch without them.

  mutation-matrix.py MATRIX [--without REGEX]
"""
import argparse
import re
from collections import defaultdict

parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
parser.add_argument("matrix")
parser.add_argument("--without", help="leave out the tests whose names match")
args = parser.parse_args()
without = re.compile(args.without) if args.without else None

killers = {}   # mutant (its line in the matrix, place and kind) -> set of tests that fail with it
for number, line in enumerate(open(args.matrix, encoding="utf-8"), start=1):
    place, kind, outcome, failed = (line.rstrip("\n").split("\t") + [""])[:4]
    if outcome in ("killed", "survived"):
        tests = {t for t in failed.split(",") if t and not (without and without.search(t))}
        killers[f"{place}:{kind}#{number}"] = tests

kills, alone = defaultdict(int), defaultdict(list)
for mutant, tests in killers.items():
    for t in tests:
        kills[t] += 1
    if len(tests) == 1:
        alone[next(iter(tests))].append(mutant)

killed = sum(1 for tests in killers.values() if tests)
print(f"{killed} of {len(killers)} compiling mutants killed")
print("\ntest\tkills\talone")
for t in sorted(kills, key=lambda t: (len(alone[t]), kills[t])):
    print(f"{t}\t{kills[t]}\t{len(alone[t])}\t{' '.join(alone[t])}")
