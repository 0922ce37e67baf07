#!/usr/bin/env python3
"""Reads the viewer's record table through AT-SPI, as a screen reader does,
and drives the viewer with xdotool. Arguments, as the file should show them:
the table's row count, the report's page count, the texts of cells (3, 4)
and (4, 3). Prints one line per check and PASSED, or FAILED with what differed."""
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

ROWS, PAGES = int(sys.argv[1]), int(sys.argv[2])
CLICKED_TEXT, MOVED_TEXT = sys.argv[3], sys.argv[4]
failures = []


def check(what, got, expected):
    print(f"{'ok' if got == expected else 'FAILED'}: {what}: {got!r}" + ("" if got == expected else f", expected {expected!r}"))
    if got != expected:
        failures.append(what)


def wait_for(what, probe, seconds=90):
    deadline = time.time() + seconds
    while time.time() < deadline:
        try:
            found = probe()
            if found:
                return found
        except Exception:   # the tree changes under us while the viewer starts
            pass
        time.sleep(0.5)
    sys.exit(f"FAILED: {what}")


def find(node, wanted, depth=0):
    """Depth first, never into a table: its cells are millions."""
    if wanted(node):
        return node
    if node.getRole() == pyatspi.ROLE_TABLE or depth > 12:
        return None
    for i in range(node.childCount):
        found = find(node.getChildAtIndex(i), wanted, depth + 1)
        if found:
            return found
    return None


def viewer():
    desktop = pyatspi.Registry.getDesktop(0)
    return next((a for a in (desktop.getChildAtIndex(i) for i in range(desktop.childCount)) if a and a.name == "Orvik50"), None)


def during(action, *kinds):
    """The events of the given kinds while action runs: (type, source, detail1)."""
    seen = []
    listener = lambda e: seen.append((e.type, e.source, e.detail1))
    pyatspi.Registry.registerEventListener(listener, *kinds)
    GLib.timeout_add(300, lambda: action() and False)
    GLib.timeout_add(4000, lambda: pyatspi.Registry.stop() and False)
    pyatspi.Registry.start()
    pyatspi.Registry.deregisterEventListener(listener, *kinds)
    return seen


def keys(*names):
    return lambda: subprocess.run(["xdotool", "key", "--delay", "150", *names], check=True)


def focused_cell(action):
    """The cell that gains the focus while action runs, as (row, column, text)."""
    gains = [src for kind, src, on in during(action, "object:state-changed:focused") if on == 1]
    if not gains or gains[-1].getRole() != pyatspi.ROLE_TABLE_CELL:
        return None
    index = gains[-1].getIndexInParent()
    return table.getRowAtIndex(index), table.getColumnAtIndex(index), gains[-1].name


app = wait_for("the viewer on the AT-SPI bus", viewer)
grid = wait_for("the record table", lambda: find(app, lambda n: n.getRole() == pyatspi.ROLE_TABLE
                                                 and n.queryTable().nRows == ROWS))
table = grid.queryTable()


def table_has_keyboard(tries=[0]):
    """Keys and tips need the viewer's window active (a window manager may leave it
    inactive): it is activated, and after a while the table's corner is clicked."""
    grid.clear_cache()   # states read before the focus came may be cached
    if grid.getState().contains(pyatspi.STATE_FOCUSED):
        return True
    tries[0] += 1
    subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "Orvik Application System", "windowactivate"])
    if tries[0] > 6:
        corner = table.getAccessibleAt(0, 0).queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        subprocess.run(["xdotool", "mousemove", str(corner.x + 5), str(corner.y + 5), "click", "1"])
    return False


wait_for("the table to hold the keyboard focus", table_has_keyboard, 30)
check("table size", (table.nRows, table.nColumns), (ROWS, 13))
check("column headers", [table.getColumnDescription(c) for c in (0, 4, 8, 9, 12)],
      ["No.", "Power", "Threshold(dBm) PASS", "Threshold(dBm) WRNG", "Time"])
check("header cell of Power", (table.getColumnHeader(4).name, table.getColumnHeader(4).getRoleName()),
      ("Power", "table column header"))
check("record block span", (table.getRowExtentAt(4, 1), table.getColumnExtentAt(4, 1)), (3, 1))
check("threshold heading span", (table.getRowExtentAt(1, 9), table.getColumnExtentAt(1, 9)), (2, 3))
check("record number as row header", table.getRowHeader(4).name, "1")

# The title tip over the clipped "Wavelength" heading: the pointer rests and stirs until it is up.
heading = table.getAccessibleAt(0, 3).queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
tip = None
for dx in range(30):
    subprocess.run(["xdotool", "mousemove", str(heading.x + 20 + dx % 12), str(heading.y + heading.height - 6)], check=True)
    time.sleep(0.4)
    tip = find(viewer(), lambda n: n.getRole() == pyatspi.ROLE_TOOL_TIP)
    if tip:
        break
check("title tip", tip.name if tip else None, "Wavelength")

# A click on the Power cell of the first record, then two arrow keys.
extents = table.getAccessibleAt(3, 4).queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
click = ["xdotool", "mousemove", str(extents.x + extents.width // 2), str(extents.y + extents.height // 2), "click", "1"]
check("clicked cell", focused_cell(lambda: subprocess.run(click, check=True)), (3, 4, CLICKED_TEXT))
gains = [src for kind, src, on in during(keys("5"), "object:state-changed:focused") if on == 1]
check("typing opens the editor in the cell", (gains[-1].getRoleName(), gains[-1].name, table.getAccessibleAt(3, 4).childCount)
      if gains else None, ("text", "Power", 1))
keys("Escape")()
check("focus after Down, Left", focused_cell(keys("Down", "Left")), (4, 3, MOVED_TEXT))
keys("shift+Down", "shift+Right")()
wait_for("the selection", lambda: table.isSelected(5, 4), 10)
check("selected cells", [table.isSelected(r, c) for r, c in ((4, 3), (5, 4), (4, 4), (3, 4), (6, 4))],
      [True, True, True, False, False])
selections = during(keys("ctrl+a"), "object:state-changed:selected")
check("events of Select All", len(selections), 1)

# The print preview's page area says which page it shows.
subprocess.run(["xdotool", "key", "ctrl+w"], check=True)
page = wait_for("the preview's page area", lambda: find(viewer(), lambda n: n.name.startswith("Page 1 of")), 30)
check("preview page area", page.name, f"Page 1 of {PAGES}")
subprocess.run(["xdotool", "key", "Next"], check=True)
check("page after Page Down", wait_for("page 2", lambda: page.name if page.name.startswith("Page 2") else None, 10),
      f"Page 2 of {PAGES}")
subprocess.run(["xdotool", "key", "Escape"], check=True)

print("FAILED: " + ", ".join(failures) if failures else "PASSED")
sys.exit(1 if failures else 0)
