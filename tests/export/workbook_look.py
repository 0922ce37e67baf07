#!/usr/bin/python3
"""Prints what an independent reader (openpyxl) reads of a record workbook's look.
  workbook_look.py cells WORKBOOK CELL...  per cell: alignment, border, solid fill, font
  workbook_look.py page WORKBOOK           the first sheet's page setup and the document's properties
  workbook_look.py summary WORKBOOK        the summary sheet as one line like orvik50-export --summary,
                                           then its chart"""
import sys
import zipfile

from openpyxl import load_workbook

mode, path = sys.argv[1], sys.argv[2]
book = load_workbook(path)
sheet = book.worksheets[0]
if mode == "cells":
    for name in sys.argv[3:]:
        c = sheet[name]
        sides = {(getattr(c.border, s).style, getattr(c.border, s).color and getattr(c.border, s).color.rgb)
                 for s in ("left", "right", "top", "bottom")}
        fill = c.fill.fgColor.rgb if c.fill.fill_type == "solid" else "-"
        print(name, c.alignment.horizontal, c.alignment.vertical, *sorted(sides, key=str), fill, c.font.name, c.font.sz,
              "bold" if c.font.b else "", sep="|")
elif mode == "page":
    setup = sheet.page_setup
    print(setup.orientation, setup.fitToWidth, setup.fitToHeight, sheet.sheet_properties.pageSetUpPr.fitToPage,
          sheet.print_title_rows, sheet.print_area, sheet.oddHeader.center.text, sheet.oddFooter.center.text, sep="|")
    application = zipfile.ZipFile(path).read("docProps/app.xml").decode()
    print(book.properties.title, application[application.find("<Application>"):application.find("</Application>")], sep="|")
elif mode == "summary":
    rows = list(book["Summary"].iter_rows(values_only=True))
    counts = "; ".join(f"{r[0]}: {r[1]} pass, {r[2]} wrng, {r[3]} fail, {r[4]} off" for r in rows[4:7])
    print(f"{rows[0][1]}: {rows[1][1]} records; {counts}")
    for chart in book["Summary"]._charts:
        print(type(chart).__name__, chart.grouping, *(f"{s.tx.strRef.f}={s.graphicalProperties.solidFill.srgbClr}" for s in chart.series))
