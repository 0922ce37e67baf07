#!/usr/bin/env python3
"""Mutation testing: breaks the code on purpose, one small change at a time,
and tells which changes the test suite notices (killed), which it lets pass
(survived) and which do not compile.

Mutants are made by a small generator of our own: comparison and logical
operators flipped, integer constants changed by one, conditions negated,
statement lines deleted; comments and string or character literals are
never touched. For each mutant the build folder rebuilds what depends on
the changed file and the suite runs without its slow tests (packaging,
screenshots, fuzz corpora); the first failing test
kills the mutant. The source file is restored after every mutant, also when
the run is interrupted.

  mutation.py [--build DIR] FILE...             every mutant of the named files
  mutation.py [--build DIR] --sample N --seed S [--list OUT]
                                                N mutants drawn with seed S over src/
  mutation.py [--build DIR] --from LIST         the mutants listed in LIST (as --list writes)

With --matrix OUT the whole suite runs for every mutant and OUT gets one line
a mutant: the mutant, its outcome and every test that failed, tab-separated;
scripts/mutation-matrix.py then names the tests that never kill a mutant
alone.
"""
import argparse
import os
import random
import re
import signal
import subprocess
import sys
from collections import defaultdict
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
# Tests too slow for a run per mutant.
SLOW_TESTS = "app_smoke_screenshot|debian_package|desktop_integration_files|fuzz_inputs_"

COMPARISONS = {" == ": " != ", " != ": " == ", " < ": " >= ", " >= ": " < ", " > ": " <= ", " <= ": " > "}
LOGICAL = {" && ": " || ", " || ": " && "}
INTEGER = re.compile(r"(?<![\w.])(\d+)(?![\w.])")


def code_mask(lines):
    """For every line, the line with comments and literals blanked out (same
    length), so that patterns found in it lie in code only."""
    masked, in_block = [], False
    for line in lines:
        out, i = [], 0
        while i < len(line):
            if in_block:
                end = line.find("*/", i)
                if end < 0:
                    out.append(" " * (len(line) - i))
                    i = len(line)
                else:
                    out.append(" " * (end + 2 - i))
                    i = end + 2
                    in_block = False
                continue
            c = line[i]
            if line.startswith("//", i):
                out.append(" " * (len(line) - i))
                break
            if line.startswith("/*", i):
                in_block = True
                continue
            if line.startswith('R"', i) and "(" in line[i:]:
                # A raw string literal (on one line): its quotes mean nothing inside.
                open_at = line.index("(", i)
                delimiter = line[i + 2: open_at]
                close = line.find(")" + delimiter + '"', open_at)
                end = len(line) if close < 0 else close + len(delimiter) + 2
                out.append(" " * (end - i))
                i = end
                continue
            if c in "\"'":
                j = i + 1
                while j < len(line) and line[j] != c:
                    j += 2 if line[j] == "\\" else 1
                out.append(c + " " * (min(j, len(line)) - i - 1) + (c if j < len(line) else ""))
                i = j + 1
                continue
            out.append(c)
            i += 1
        masked.append("".join(out)[: len(line)].ljust(len(line)))
    return masked


def matching_paren(text, open_at):
    depth = 0
    for k in range(open_at, len(text)):
        if text[k] == "(":
            depth += 1
        elif text[k] == ")":
            depth -= 1
            if depth == 0:
                return k
    return -1


def mutants_of(path):
    """Every mutant of one file: (file, line number, kind, old line, new line)."""
    rel = str(path.relative_to(ROOT))
    lines = path.read_text(encoding="utf-8").split("\n")
    result = []
    for n, (line, code) in enumerate(zip(lines, code_mask(lines)), start=1):
        stripped = code.strip()
        if not stripped or stripped.startswith("#") or "static_assert" in code:
            continue

        def add(kind, start, end, replacement):
            result.append((rel, n, kind, line, line[:start] + replacement + line[end:]))

        for table, kind in ((COMPARISONS, "comparison"), (LOGICAL, "logical")):
            for op, other in table.items():
                for m in re.finditer(re.escape(op), code):
                    add(kind, m.start(), m.end(), other)
        for m in INTEGER.finditer(code):
            value = int(m.group(1))
            add("constant", m.start(), m.end(), str(value + 1))
            if value > 0:
                add("constant", m.start(), m.end(), str(value - 1))
        for m in re.finditer(r"\b(if|while) \(", code):
            close = matching_paren(code, m.end() - 1)
            if close > 0:
                cond = line[m.end(): close]
                result.append((rel, n, "negation", line,
                               line[: m.end()] + "!(" + cond + ")" + line[close:]))
        # A whole statement on one line, not a declaration's only line, not a return.
        if (stripped.endswith(";") and "(" in stripped and not stripped.startswith(("return", "}", "case", "using"))
                and not re.match(r"^[\w:<>,\s*&]+\s+\w+\s*[({=]", stripped)):
            result.append((rel, n, "deletion", line, ""))
    return result


def all_sources():
    return sorted((ROOT / "src").rglob("*.cpp"))


def write_list(mutants, out):
    with open(out, "w", encoding="utf-8") as f:
        for rel, n, kind, old, new in mutants:
            f.write(f"{rel}\t{n}\t{kind}\t{old!r}\t{new!r}\n")


def read_list(path):
    mutants = []
    for row in Path(path).read_text(encoding="utf-8").splitlines():
        rel, n, kind, old, new = row.split("\t")
        mutants.append((rel, int(n), kind, eval(old), eval(new)))   # our own repr() output
    return mutants


def run(cmd, timeout):
    # A process group of its own, so a hanging test is stopped with all it started.
    proc = subprocess.Popen(cmd, cwd=ROOT, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                            start_new_session=True, text=True)
    try:
        out, _ = proc.communicate(timeout=timeout)
        return proc.returncode, out
    except subprocess.TimeoutExpired:
        os.killpg(proc.pid, signal.SIGKILL)
        proc.communicate()
        return -1, "timeout"


def failed_tests(ctest_output):
    """The names under ctest's "The following tests FAILED:" ("  12 - Name (Failed)")."""
    names, listing = [], False
    for line in ctest_output.splitlines():
        if line.startswith("The following tests FAILED:"):
            listing = True
        elif listing and " - " in line:
            names.append(line.split(" - ", 1)[1].rsplit(" (", 1)[0].strip())
    return names


def try_mutant(build, mutant, jobs, failures=None):
    rel, n, kind, old, new = mutant
    path = ROOT / rel
    original = path.read_text(encoding="utf-8")
    lines = original.split("\n")
    if n > len(lines) or lines[n - 1] != old:
        # The file changed since the list was drawn: the line, if it is still there once.
        if lines.count(old) != 1:
            return "stale"
        n = lines.index(old) + 1
    lines[n - 1] = new
    try:
        path.write_text("\n".join(lines), encoding="utf-8")
        code, _ = run(["cmake", "--build", build, "-j", str(jobs)], 1800)
        if code != 0:
            return "not compiled"
        stop = [] if failures is not None else ["--stop-on-failure"]
        code, out = run(["ctest", "--test-dir", build, "-j", str(jobs), *stop, "--timeout", "120",
                         "-E", SLOW_TESTS], 3600)
        if failures is not None:
            failures.extend(failed_tests(out) or (["<ctest>"] if code != 0 else []))
        return "survived" if code == 0 else "killed"
    finally:
        path.write_text(original, encoding="utf-8")


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("files", nargs="*")
    parser.add_argument("--build", default="build-mutation")
    parser.add_argument("--sample", type=int)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--list", help="write the chosen mutants here and stop")
    parser.add_argument("--from", dest="from_list", help="run the mutants of this list")
    parser.add_argument("--jobs", type=int, default=os.cpu_count())
    parser.add_argument("--matrix", help="run every test for every mutant; write what failed here")
    args = parser.parse_args()

    if args.from_list:
        mutants = read_list(args.from_list)
    elif args.files:
        mutants = [m for f in args.files for m in mutants_of((ROOT / f).resolve())]
    else:
        pool = [m for p in all_sources() for m in mutants_of(p)]
        mutants = random.Random(args.seed).sample(pool, min(args.sample or 150, len(pool)))
        mutants.sort(key=lambda m: (m[0], m[1]))
    if args.list:
        write_list(mutants, args.list)
        print(f"{len(mutants)} mutants written to {args.list}")
        return 0

    counts = defaultdict(lambda: defaultdict(int))
    survivors = []
    matrix = open(args.matrix, "w", encoding="utf-8") if args.matrix else None
    for i, mutant in enumerate(mutants, start=1):
        failures = [] if matrix else None
        outcome = try_mutant(args.build, mutant, args.jobs, failures)
        if matrix:
            print(f"{mutant[0]}:{mutant[1]}\t{mutant[2]}\t{outcome}\t{','.join(failures)}", file=matrix, flush=True)
        counts[mutant[0]][outcome] += 1
        print(f"[{i}/{len(mutants)}] {outcome:12} {mutant[0]}:{mutant[1]} {mutant[2]}: {mutant[4].strip() or '(deleted)'}",
              flush=True)
        if outcome == "survived":
            survivors.append(mutant)
    # Restore the build to the unmutated sources.
    run(["cmake", "--build", args.build, "-j", str(args.jobs)], 1800)

    print("\nfile\tkilled\tsurvived\tnot compiled")
    total = defaultdict(int)
    for rel in sorted(counts):
        c = counts[rel]
        print(f"{rel}\t{c['killed']}\t{c['survived']}\t{c['not compiled']}")
        for k, v in c.items():
            total[k] += v
    scored = total["killed"] + total["survived"]
    print(f"all\t{total['killed']}\t{total['survived']}\t{total['not compiled']}")
    if scored:
        print(f"score: {total['killed']} of {scored} compiling mutants killed ({100 * total['killed'] // scored}%)")
    if survivors:
        print("\nsurvivors:")
        for rel, n, kind, old, new in survivors:
            print(f"  {rel}:{n} {kind}\n    - {old.strip()}\n    + {new.strip() or '(deleted)'}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
