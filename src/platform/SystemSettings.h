#pragma once
// User settings the grid reads from the desktop.

// Lines to scroll per wheel notch (QApplication::wheelScrollLines()).
int GetWheelScrollLines();
