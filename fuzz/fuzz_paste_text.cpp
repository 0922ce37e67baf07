// Fuzz target: arbitrary text pasted into a grid filled as the record view
// fills it (header blocks, merged record cells, fixed rows and column).
// Input: one byte for the start row, one for the start column, then the
// text, which may hold NUL bytes, huge lines, no line feeds at all, only
// separators or invalid UTF-8. The grid must keep its shape, copy its cells
// back out and paint them.
#include <QApplication>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>

#include "app/COrvik50View.h"
#include "grid/CGridCtrl.h"
#include "sample/SampleRecords.h"

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

struct Fixture {
    QTemporaryDir folder;
    QString recordFile;
    std::unique_ptr<COrvik50View> view;
};

Fixture* fixture = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("QT_QPA_PLATFORMTHEME", "", 1);
    new QApplication(*argc, *argv);   // lives as long as the process
    fixture = new Fixture;
    fixture->recordFile = fixture->folder.filePath(QStringLiteral("demo.bin"));
    const std::string bytes = EncodeRecordFile(DemoRecords());
    std::ofstream(fixture->recordFile.toStdString(), std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    fixture->view = std::make_unique<COrvik50View>();
    fixture->view->resize(640, 400);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    // A fresh grid for every input, so a crash replays from its input alone.
    COrvik50View& view = *fixture->view;
    Check(view.OpenRecordFile(fixture->recordFile));
    CGridCtrl& grid = *view.GetGrid();
    const int rows = grid.GetRowCount(), columns = grid.GetColumnCount();
    const CellId start{data[0] % (rows + 1), data[1] % (columns + 1)};   // one past the end too

    QMimeData text;
    text.setText(QString::fromUtf8(reinterpret_cast<const char*>(data + 2), static_cast<qsizetype>(size - 2)));
    grid.PasteTextAt(start, &text);
    Check(grid.GetRowCount() == rows && grid.GetColumnCount() == columns);
    // Line ends and tabs separate fields: none may end up inside a cell.
    for (int row = 0; row < rows; ++row)
        for (int col = 0; col < columns; ++col)
            Check(grid.GetItemText(row, col).find_first_of("\r\n\t") == std::string::npos);

    grid.OnEditSelectAll();
    delete grid.BuildCopyData();
    QImage image(320, 200, QImage::Format_RGB32);
    QPainter painter(&image);
    grid.render(&painter);
    return 0;
}
