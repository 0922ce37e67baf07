#!/usr/bin/python3
"""Prints a sheet of a workbook as an independent reader (openpyxl) reads it, one line a
cell with a value, a fill or a font colour: reference, value (Python literal), number format, solid fill
colour and font colour ("-" for none); then one line a merged range. With --layout, then the
sheet's name, its frozen pane's top-left cell, the widths of columns given one and the bold cells.
Usage: workbook_cells.py WORKBOOK [--sheet N] [--layout]     (N counts from 0, default 0)"""
import argparse
import warnings

from openpyxl import load_workbook


def colour(c):
    return c.rgb if c is not None and isinstance(c.rgb, str) else "-"


parser = argparse.ArgumentParser()
parser.add_argument("workbook")
parser.add_argument("--sheet", type=int, default=0)
parser.add_argument("--layout", action="store_true")
args = parser.parse_args()
warnings.simplefilter("ignore")   # e.g. a workbook without a default style: not what is compared

book = load_workbook(args.workbook)
sheet = book.worksheets[args.sheet]
bold = []
for row in sheet.iter_rows():
    for cell in row:
        if cell.font.b:
            bold.append(cell.coordinate)
        fill = colour(cell.fill.fgColor) if cell.fill.fill_type == "solid" else "-"
        if cell.value is None and colour(cell.font.color) == "-" and fill == "-":
            continue
        print(f"{cell.coordinate}\t{cell.value!r}\t{cell.number_format}\t{fill}\t{colour(cell.font.color)}")
for merged in sorted(str(r) for r in sheet.merged_cells.ranges):
    print(f"merged\t{merged}")
if args.layout:
    print(f"sheet\t{sheet.title}")
    print(f"frozen\t{sheet.freeze_panes or '-'}")
    for letter, dimension in sorted(sheet.column_dimensions.items()):
        if dimension.customWidth:
            print(f"width\t{letter}\t{dimension.width:g}")
    print(f"bold\t{','.join(bold)}")
