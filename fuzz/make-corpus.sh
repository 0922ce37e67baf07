#!/usr/bin/env bash
# Remakes the committed seed corpora from the project's own tools (run after a
# normal build, from anywhere). Record files: the demo file, a few random
# ones, a shortened one and a header promising 65,535 records with none
# after it. Pasted text (a start row byte, a start column byte, then the
# text): the Save command's tab and comma text, with and without CR, and
# 300 of its lines joined into one.
set -euo pipefail
cd "$(dirname "$0")/.."
tools=${1:-build/tools}
records=fuzz/corpus/record_file
paste=fuzz/corpus/paste_text
mkdir -p "$records" "$paste"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

"$tools/orvik50-make-sample" "$records/demo.bin"
"$tools/orvik50-make-sample" --records 0 "$records/no-records.bin"
"$tools/orvik50-make-sample" --records 3 --seed 2 "$records/three-random.bin"
head -c 300 "$records/demo.bin" > "$records/demo-cut-in-record-3.bin"
"$tools/orvik50-make-sample" --records 65535 --seed 1 "$scratch/large.bin"
head -c 32 "$scratch/large.bin" > "$records/header-of-65535-records-only.bin"

"$tools/orvik50-export" --type txt "$records/demo.bin" "$scratch/demo.txt"
"$tools/orvik50-export" --type csv "$records/demo.bin" "$scratch/demo.csv"
{ printf '\003\001'; head -n 8 "$scratch/demo.txt" | tr -d '\r'; } > "$paste/copied-block"
{ printf '\006\004'; head -n 5 "$scratch/demo.csv"; } > "$paste/csv-lines-with-cr"
{ printf '\000\000'; head -n 2 "$scratch/demo.txt"; } > "$paste/header-lines-at-corner"
"$tools/orvik50-export" --type txt "$scratch/large.bin" "$scratch/large.txt"
{ printf '\004\002'; head -n 300 "$scratch/large.txt" | tr '\n' '\t'; } > "$paste/one-long-line"

# Spreadsheet templates: the bundled plain template, and a workbook the
# template export made from it (kept as committed: it comes from a run of
# the viewer's export, with a cell format added and the headings written).
xlsx=fuzz/corpus/xlsx_template
mkdir -p "$xlsx"
"$tools/orvik50-make-template" "$xlsx/plain-template.xlsx"
