#pragma once
// The Open and Save dialogs as replaceable functions, so tests can script
// what the user chooses. The defaults show QFileDialog.
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QWidget;

// The record file the user chose; nothing when the dialog was cancelled.
using OpenFileChooser = std::function<std::optional<QString>(QWidget* parent)>;

struct SaveChoice {
    QString path;
    int filterIndex = 1;   // 1-based index of the chosen file type
};
// `nameFilters` lists the file types in their order, as Qt name filters.
using SaveFileChooser = std::function<std::optional<SaveChoice>(QWidget* parent, const QStringList& nameFilters)>;

// Single-file open dialog with the filter "Open Files (*.bin)".
OpenFileChooser DefaultOpenChooser();
// Save dialog: the given types in order, the chosen type's extension added
// to a name typed without one, overwriting confirmed by the dialog.
SaveFileChooser DefaultSaveChooser();
