#pragma once
// Qt key sequences for the entries of the accelerator table.
#include "app/AppResources.h"

#include <QKeySequence>

// The key combination of an accelerator entry; empty for a key the viewer
// does not know.
QKeySequence AcceleratorKeys(const res::Accelerator& accelerator);
