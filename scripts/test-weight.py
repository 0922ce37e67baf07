#!/usr/bin/env python3
"""Weight of the tests: non-blank, non-comment lines of the .cpp and .h files
in tests/ against those in src/ and tools/ (bench/ and fuzz/ count for neither)."""
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent


def code_lines(path):
    count, in_block = 0, False
    for line in path.read_text(encoding="utf-8", errors="replace").splitlines():
        s = line.strip()
        if in_block:
            if "*/" in s:
                in_block = False
                s = s.split("*/", 1)[1].strip()
            else:
                continue
        if s.startswith("/*"):
            if "*/" not in s:
                in_block = True
            continue
        if s and not s.startswith("//"):
            count += 1
    return count


def weigh(*folders):
    return sum(code_lines(p) for f in folders for p in (ROOT / f).rglob("*") if p.suffix in (".cpp", ".h"))


tests, code = weigh("tests"), weigh("src", "tools")
print(f"tests {tests} lines, code {code} lines: tests are {100 * tests / code:.1f}% of the code")
sys.exit(0)
