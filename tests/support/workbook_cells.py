#!/usr/bin/python3
"""Prints the first sheet of a workbook as an independent reader (openpyxl) reads it, one line a
cell with a value or a font colour: reference, value (Python literal), number format, solid fill
colour and font colour ("-" for none); then one line a merged range.
Usage: workbook_cells.py WORKBOOK"""
import sys

from openpyxl import load_workbook


def colour(c):
    return c.rgb if c is not None and isinstance(c.rgb, str) else "-"


book = load_workbook(sys.argv[1])
sheet = book.worksheets[0]
for row in sheet.iter_rows():
    for cell in row:
        if cell.value is None and colour(cell.font.color) == "-":
            continue
        fill = colour(cell.fill.fgColor) if cell.fill.fill_type == "solid" else "-"
        print(f"{cell.coordinate}\t{cell.value!r}\t{cell.number_format}\t{fill}\t{colour(cell.font.color)}")
for merged in sorted(str(r) for r in sheet.merged_cells.ranges):
    print(f"merged\t{merged}")
