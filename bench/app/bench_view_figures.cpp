// The record view as a technician uses it, on the sample files of 300, 8,000
// and 65,535 records, each figure beside the stock Qt table holding the same
// texts (a QStandardItemModel in a QTableView, pre-sized, filled cell by
// cell, verdict backgrounds set; it has no merged blocks) in the same run:
// Open to the first finished paint (with the peak memory of a process that
// does only that), full repaints at the top, middle and bottom, line, page
// and end scroll steps, a thumb drag across the file, keyboard moves and a
// wheel notch at the bottom, Select All + Copy (the clipboard text served
// once, as to another program), Cut and Paste of a large block, Delete over
// a large selection, fitting a column by a double click on its divider,
// sorting by a header click in list mode, Save as .txt, closing the file and
// closing the program.
//
// Run: bench_view_figures [--benchmark_filter=...]; the files come from
// build/samples (the orvik_samples target). Names read <figure>/<records>;
// the stock table's twin of each figure ends in _stock.
#include "app/COrvik50View.h"
#include "app/RecordRowTexts.h"
#include "grid/CGridCtrl.h"
#include "records/RecordFileReader.h"
#include "../PeakMemory.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QHeaderView>
#include <QMimeData>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>
#include <QWheelEvent>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 900;

QString SampleFile(int records)
{
    return QStringLiteral(ORVIK_SAMPLES_DIR "/%1").arg(records == 65535 ? QStringLiteral("large.bin")
                                                                         : QStringLiteral("records-%1.bin").arg(records));
}

void Settle() { QApplication::processEvents(); }

// ---------------------------------------------------------------- ours

struct Ours {
    std::unique_ptr<COrvik50View> view = std::make_unique<COrvik50View>();
    Ours()
    {
        view->resize(kWidth, kHeight);
        view->show();
        Settle();
    }
    CGridCtrl& Grid() { return *view->GetGrid(); }
    // Open, then the first paint of the table, finished.
    void OpenAndPaint(int records)
    {
        view->OpenRecordFile(SampleFile(records));
        Settle();
        Grid().viewport()->repaint();
    }
    void Repaint() { Grid().viewport()->repaint(); }
};

// ---------------------------------------------------------------- stock

const char* const kHeaderTexts[13] = {"No.", "OLT name", "ONT name", "Wavelength", "Power", "Unit", "Ref(dBm)",
                                      "Thres.Status", "Threshold(dBm)", "", "", "Date", "Time"};

struct Stock {
    std::unique_ptr<QTableView> view = std::make_unique<QTableView>();
    QStandardItemModel* model = nullptr;
    Stock()
    {
        view->resize(kWidth, kHeight);
        view->show();
        Settle();
    }
    // The same texts and verdict colours, made and set cell by cell.
    void OpenAndPaint(int records)
    {
        const RecordList list = ReadRecordFile(QFile::encodeName(SampleFile(records)).toStdString()).records;
        const RecordRowTexts texts(list);
        const int rows = 3 * static_cast<int>(list.GetSize()) + 4;
        auto* fresh = new QStandardItemModel(rows, 13, view.get());
        for (int col = 0; col < 13; ++col)
            fresh->setItem(0, col, new QStandardItem(QString::fromUtf8(kHeaderTexts[col])));
        for (int row = 3; row < rows - 1; ++row) {
            for (int col = 0; col < 13; ++col) {
                const std::string text = texts.CellText(row, col);
                auto* item = new QStandardItem(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
                if (col == 7 && text != "off")
                    item->setBackground(text == "pass" ? Qt::green : text == "wrng" ? Qt::yellow : Qt::red);
                fresh->setItem(row, col, item);
            }
        }
        view->setModel(fresh);
        delete model;
        model = fresh;
        Settle();
        view->viewport()->repaint();
    }
    void Repaint() { view->viewport()->repaint(); }
    void Close()
    {
        view->setModel(nullptr);
        delete model;
        model = nullptr;
    }
};

// ---------------------------------------------------------------- peak memory

// Peak resident memory of a fresh process of this program that opens the
// file (ours or stock) and paints once. The child reports its own VmHWM: the
// rusage of a forked child would start at this process's size.
double ChildPeakRss(const char* which, int records)
{
    // The shell would read /proc/self/exe as itself: name this program.
    const std::string command = std::filesystem::read_symlink("/proc/self/exe").string() + " --open-once "
                              + std::string(which) + " " + std::to_string(records);
    FILE* child = popen(command.c_str(), "r");
    if (!child)
        return -1;
    double kilobytes = -1;
    if (std::fscanf(child, "%lf", &kilobytes) != 1)
        kilobytes = -1;
    return pclose(child) == 0 && kilobytes > 0 ? kilobytes / 1024.0 : -1;
}

// The peak resident memory of this process in KiB (VmHWM).
long OwnPeakKilobytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return -1;
}

// Opens and paints once, then reports the peak memory and ends, or (show)
// stays on the screen until it is closed or killed.
int OpenOnce(const char* which, int records, bool show, int argc, char** argv)
{
    QApplication app(argc, argv);
    std::unique_ptr<Stock> stock;
    std::unique_ptr<Ours> ours;
    if (std::strcmp(which, "stock") == 0) {
        stock = std::make_unique<Stock>();
        stock->OpenAndPaint(records);
    } else {
        ours = std::make_unique<Ours>();
        ours->OpenAndPaint(records);
    }
    if (show)
        return app.exec();
    std::printf("%ld\n", OwnPeakKilobytes());
    return 0;
}

// ---------------------------------------------------------------- figures

template <class Host>
void BM_Open(benchmark::State& state)
{
    const int records = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto host = std::make_unique<Host>();
        state.ResumeTiming();
        host->OpenAndPaint(records);
        state.PauseTiming();
        host.reset();
        state.ResumeTiming();
    }
    state.counters["peak_rss_MB"] = ChildPeakRss(std::is_same_v<Host, Stock> ? "stock" : "ours", records);
}

// Closing: the file (File New; the stock table drops its model) and the
// program (the whole window with the file open).
void BM_CloseFile(benchmark::State& state)
{
    Ours ours;
    for (auto _ : state) {
        state.PauseTiming();
        ours.OpenAndPaint(static_cast<int>(state.range(0)));
        state.ResumeTiming();
        ours.view->OnInitialUpdate();
        Settle();
    }
}
void BM_CloseFile_stock(benchmark::State& state)
{
    Stock stock;
    for (auto _ : state) {
        state.PauseTiming();
        stock.OpenAndPaint(static_cast<int>(state.range(0)));
        state.ResumeTiming();
        stock.Close();
        Settle();
    }
}
template <class Host>
void BM_CloseProgram(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto host = std::make_unique<Host>();
        host->OpenAndPaint(static_cast<int>(state.range(0)));
        state.ResumeTiming();
        host.reset();
    }
}

// One open file per host kind, shared by the figures that only look and move.
template <class Host>
Host& OpenHost(int records)
{
    static Host* host = nullptr;
    static int openRecords = 0;
    if (!host)
        host = new Host;
    if (openRecords != records) {
        host->OpenAndPaint(records);
        openRecords = records;
    }
    return *host;
}

// Scroll positions of both tables.
void ScrollTo(Ours& ours, UINT code) { ours.Grid().OnVScroll(code); Settle(); }
void ScrollTo(Stock& stock, QAbstractSlider::SliderAction action)
{
    stock.view->verticalScrollBar()->triggerAction(action);
    Settle();
}
void ScrollToMiddle(Ours& ours)
{
    CGridCtrl& grid = ours.Grid();
    grid.OnVScroll(SB_TOP);
    grid.OnVScroll(SB_THUMBPOSITION, static_cast<UINT>(grid.verticalScrollBar()->maximum() / 2));
    Settle();
}
void ScrollToMiddle(Stock& stock)
{
    QScrollBar* bar = stock.view->verticalScrollBar();
    bar->setValue(bar->maximum() / 2);
    Settle();
}

template <class Host>
void Repaints(benchmark::State& state, int where)
{
    Host& host = OpenHost<Host>(static_cast<int>(state.range(0)));
    if constexpr (std::is_same_v<Host, Ours>) {
        if (where == 0) ScrollTo(host, SB_TOP);
        else if (where == 1) ScrollToMiddle(host);
        else ScrollTo(host, SB_BOTTOM);
    } else {
        if (where == 0) ScrollTo(host, QAbstractSlider::SliderToMinimum);
        else if (where == 1) ScrollToMiddle(host);
        else ScrollTo(host, QAbstractSlider::SliderToMaximum);
    }
    for (auto _ : state)
        host.Repaint();
}
template <class Host> void BM_RepaintTop(benchmark::State& s) { Repaints<Host>(s, 0); }
template <class Host> void BM_RepaintMiddle(benchmark::State& s) { Repaints<Host>(s, 1); }
template <class Host> void BM_RepaintBottom(benchmark::State& s) { Repaints<Host>(s, 2); }

// A step and the paint it asks for; back and forth so that every step moves.
// Line and page steps in the middle of the file, end steps between the ends.
void StepsOurs(benchmark::State& state, UINT forward, UINT back)
{
    Ours& ours = OpenHost<Ours>(static_cast<int>(state.range(0)));
    ScrollToMiddle(ours);
    bool forwardNext = true;
    for (auto _ : state) {
        ours.Grid().OnVScroll(forwardNext ? forward : back);
        Settle();
        forwardNext = !forwardNext;
    }
}
void StepsStock(benchmark::State& state, QAbstractSlider::SliderAction forward, QAbstractSlider::SliderAction back)
{
    Stock& stock = OpenHost<Stock>(static_cast<int>(state.range(0)));
    ScrollToMiddle(stock);
    bool forwardNext = true;
    for (auto _ : state) {
        stock.view->verticalScrollBar()->triggerAction(forwardNext ? forward : back);
        Settle();
        forwardNext = !forwardNext;
    }
}
void BM_LineDown(benchmark::State& s) { StepsOurs(s, SB_LINEDOWN, SB_LINEUP); }
void BM_LineDown_stock(benchmark::State& s)
{
    StepsStock(s, QAbstractSlider::SliderSingleStepAdd, QAbstractSlider::SliderSingleStepSub);
}
void BM_PageDown(benchmark::State& s) { StepsOurs(s, SB_PAGEDOWN, SB_PAGEUP); }
void BM_PageDown_stock(benchmark::State& s)
{
    StepsStock(s, QAbstractSlider::SliderPageStepAdd, QAbstractSlider::SliderPageStepSub);
}
void BM_Bottom(benchmark::State& s) { StepsOurs(s, SB_BOTTOM, SB_TOP); }
void BM_Bottom_stock(benchmark::State& s)
{
    StepsStock(s, QAbstractSlider::SliderToMaximum, QAbstractSlider::SliderToMinimum);
}

// A thumb drag from the top to the bottom in 50 moves of the bar's slider,
// as the mouse moves it, each painted; the time is per drag.
constexpr int kDragMoves = 50;
void DragThumb(QScrollBar* bar)
{
    bar->setSliderDown(true);
    for (int move = 1; move <= kDragMoves; ++move) {
        bar->setSliderPosition(static_cast<int>(static_cast<long long>(bar->maximum()) * move / kDragMoves));
        Settle();
    }
    bar->setSliderDown(false);
    Settle();
}
void BM_ThumbDrag(benchmark::State& state)
{
    Ours& ours = OpenHost<Ours>(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        DragThumb(ours.Grid().verticalScrollBar());
        state.PauseTiming();
        ScrollTo(ours, SB_TOP);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kDragMoves);
}
void BM_ThumbDrag_stock(benchmark::State& state)
{
    Stock& stock = OpenHost<Stock>(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        DragThumb(stock.view->verticalScrollBar());
        state.PauseTiming();
        ScrollTo(stock, QAbstractSlider::SliderToMinimum);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kDragMoves);
}

// Arrow keys down and up near the bottom, each painted.
void BM_KeyMoveAtBottom(benchmark::State& state)
{
    Ours& ours = OpenHost<Ours>(static_cast<int>(state.range(0)));
    CGridCtrl& grid = ours.Grid();
    ScrollTo(ours, SB_BOTTOM);
    grid.SetFocusCell(grid.GetRowCount() - 4, 4);
    grid.setFocus();
    bool downNext = true;
    for (auto _ : state) {
        QTest::keyClick(&grid, downNext ? Qt::Key_Down : Qt::Key_Up);
        Settle();
        downNext = !downNext;
    }
}
void BM_KeyMoveAtBottom_stock(benchmark::State& state)
{
    Stock& stock = OpenHost<Stock>(static_cast<int>(state.range(0)));
    stock.view->setCurrentIndex(stock.model->index(stock.model->rowCount() - 4, 4));
    stock.view->setFocus();
    Settle();
    bool downNext = true;
    for (auto _ : state) {
        QTest::keyClick(stock.view.get(), downNext ? Qt::Key_Down : Qt::Key_Up);
        Settle();
        downNext = !downNext;
    }
}

// One wheel notch up and one down at the bottom, each painted.
void SendWheel(QWidget* target, int delta)
{
    const QPointF at(target->width() / 2.0, target->height() / 2.0);
    QWheelEvent wheel(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &wheel);
    Settle();
}
template <class Host>
void BM_WheelNotchAtBottom(benchmark::State& state)
{
    Host& host = OpenHost<Host>(static_cast<int>(state.range(0)));
    QWidget* viewport = nullptr;
    if constexpr (std::is_same_v<Host, Ours>) {
        ScrollTo(host, SB_BOTTOM);
        viewport = host.Grid().viewport();
    } else {
        ScrollTo(host, QAbstractSlider::SliderToMaximum);
        viewport = host.view->viewport();
    }
    int delta = 120;
    for (auto _ : state) {
        SendWheel(viewport, delta);
        delta = -delta;
    }
}

// What another program receives for the clipboard's text.
qsizetype ServeClipboardText()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data ? data->data(QStringLiteral("text/plain")).size() : 0;
}

// Select All, Copy, and the text served once.
void BM_SelectAllCopy(benchmark::State& state)
{
    Ours& ours = OpenHost<Ours>(static_cast<int>(state.range(0)));
    qsizetype bytes = 0;
    for (auto _ : state) {
        ours.Grid().OnEditSelectAll();
        ours.Grid().OnEditCopy();
        bytes = ServeClipboardText();
        Settle();
    }
    state.counters["clipboard_MB"] = static_cast<double>(bytes) / 1e6;
}
// The stock table copies only its current cell; this is the usual
// hand-written copy of a selection (rows of tab-separated display texts).
QString StockSelectionText(const Stock& stock)
{
    const QItemSelectionRange range = stock.view->selectionModel()->selection().first();
    QString text;
    for (int row = range.top(); row <= range.bottom(); ++row) {
        for (int col = range.left(); col <= range.right(); ++col) {
            if (col > range.left())
                text += QLatin1Char('\t');
            text += stock.model->index(row, col).data().toString();
        }
        if (row < range.bottom())
            text += QLatin1Char('\n');
    }
    return text;
}
void BM_SelectAllCopy_stock(benchmark::State& state)
{
    Stock& stock = OpenHost<Stock>(static_cast<int>(state.range(0)));
    qsizetype bytes = 0;
    for (auto _ : state) {
        stock.view->selectAll();
        QGuiApplication::clipboard()->setText(StockSelectionText(stock));
        bytes = ServeClipboardText();
        Settle();
    }
    state.counters["clipboard_MB"] = static_cast<double>(bytes) / 1e6;
}

// Cut a block of up to 30,000 rows by the six value columns, then paste it
// back where it was.
int BlockRows(const CGridCtrl& grid) { return std::min(30000, grid.GetRowCount() - 4); }
void BM_CutPasteBlock(benchmark::State& state)
{
    Ours& ours = OpenHost<Ours>(static_cast<int>(state.range(0)));
    CGridCtrl& grid = ours.Grid();
    ScrollTo(ours, SB_TOP);
    const int rows = BlockRows(grid);
    for (auto _ : state) {
        grid.SetFocusCell(3, 4);
        grid.ApplySelectionRange(3, 4, 3 + rows - 1, 10);
        grid.OnEditCut();
        grid.SetFocusCell(3, 4);
        grid.OnEditPaste();
        Settle();
    }
}
void BM_CutPasteBlock_stock(benchmark::State& state)
{
    Stock& stock = OpenHost<Stock>(static_cast<int>(state.range(0)));
    QStandardItemModel& model = *stock.model;
    const int rows = std::min(30000, model.rowCount() - 4);
    for (auto _ : state) {
        stock.view->selectionModel()->select(QItemSelection(model.index(3, 4), model.index(3 + rows - 1, 10)),
                                             QItemSelectionModel::ClearAndSelect);
        QGuiApplication::clipboard()->setText(StockSelectionText(stock));
        for (int row = 3; row < 3 + rows; ++row)
            for (int col = 4; col <= 10; ++col)
                model.setData(model.index(row, col), QString());
        const QStringList lines = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'));
        for (int line = 0; line < lines.size(); ++line) {
            const QStringList fields = lines[line].split(QLatin1Char('\t'));
            for (int field = 0; field < fields.size(); ++field)
                model.setData(model.index(3 + line, 4 + field), fields[field]);
        }
        Settle();
    }
}

// Delete with everything selected: the focus cell empties.
void BM_DeleteLargeSelection(benchmark::State& state)
{
    Ours& ours = OpenHost<Ours>(static_cast<int>(state.range(0)));
    CGridCtrl& grid = ours.Grid();
    grid.setFocus();
    for (auto _ : state) {
        state.PauseTiming();
        grid.SetFocusCell(4, 4);
        grid.OnEditSelectAll();
        state.ResumeTiming();
        QTest::keyClick(&grid, Qt::Key_Delete);
        Settle();
    }
}
// The stock table has no Delete; the usual handler empties every selected cell.
void BM_DeleteLargeSelection_stock(benchmark::State& state)
{
    Stock& stock = OpenHost<Stock>(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        stock.view->selectAll();
        state.ResumeTiming();
        for (const QModelIndex& index : stock.view->selectionModel()->selectedIndexes())
            stock.model->setData(index, QString());
        Settle();
    }
}

// A double click on the divider right of column 2 ("ONT name") in the header.
void BM_AutofitColumn(benchmark::State& state)
{
    Ours& ours = OpenHost<Ours>(static_cast<int>(state.range(0)));
    CGridCtrl& grid = ours.Grid();
    for (auto _ : state) {
        state.PauseTiming();
        grid.SetColumnWidth(2, 110);
        const POINT divider{40 + 110 + 110 - 1, 5};
        grid.OnMouseMove(0, divider);
        state.ResumeTiming();
        grid.OnLButtonDblClk(MK_LBUTTON, divider);
        Settle();
    }
}
void BM_AutofitColumn_stock(benchmark::State& state)
{
    Stock& stock = OpenHost<Stock>(static_cast<int>(state.range(0)));
    stock.view->horizontalHeader()->setResizeContentsPrecision(-1);   // every row, as ours measures
    for (auto _ : state) {
        stock.view->resizeColumnToContents(2);
        Settle();
    }
}

// A click on the "Power" heading in list mode, alternately ascending and descending.
void BM_HeaderSort(benchmark::State& state)
{
    Ours& ours = OpenHost<Ours>(static_cast<int>(state.range(0)));
    CGridCtrl& grid = ours.Grid();
    grid.SetListMode(TRUE);
    const POINT heading{40 + 110 + 110 + 80 + 30, 5};
    for (auto _ : state) {
        grid.OnLButtonDown(MK_LBUTTON, heading);
        grid.OnLButtonUp(0, heading);
        Settle();
    }
    grid.SetListMode(FALSE);
}
void BM_HeaderSort_stock(benchmark::State& state)
{
    Stock& stock = OpenHost<Stock>(static_cast<int>(state.range(0)));
    Qt::SortOrder order = Qt::AscendingOrder;
    for (auto _ : state) {
        stock.view->sortByColumn(4, order);
        Settle();
        order = order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    }
}

// Save as .txt (tab-separated): ours writes the records; the stock table its texts.
const char* const kSavePath = "/tmp/orvik50-bench-save.txt";
void BM_SaveTxt(benchmark::State& state)
{
    Ours& ours = OpenHost<Ours>(static_cast<int>(state.range(0)));
    for (auto _ : state)
        ours.view->SaveRecordFile(QString::fromLatin1(kSavePath), 2);
    std::remove(kSavePath);
}
void BM_SaveTxt_stock(benchmark::State& state)
{
    Stock& stock = OpenHost<Stock>(static_cast<int>(state.range(0)));
    const QStandardItemModel& model = *stock.model;
    for (auto _ : state) {
        QFile file(QString::fromLatin1(kSavePath));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            break;
        QByteArray line;
        // The row count is asked once: a sorted model answers it slowly.
        const int rows = model.rowCount();
        for (int row = 0; row < rows; ++row) {
            line.clear();
            for (int col = 0; col < model.columnCount(); ++col) {
                if (col > 0)
                    line += '\t';
                line += model.index(row, col).data().toString().toUtf8();
            }
            line += "\r\n";
            file.write(line);
        }
    }
    std::remove(kSavePath);
}

void Sizes(benchmark::internal::Benchmark* b)
{
    b->ArgName("records")->Arg(300)->Arg(8000)->Arg(65535)->Unit(benchmark::kMillisecond);
}
// Open and close build a whole table per iteration: a few iterations do.
void HeavySizes(benchmark::internal::Benchmark* b)
{
    Sizes(b);
    b->Iterations(3);
}

BENCHMARK(BM_Open<Ours>)->Name("Open")->Apply(HeavySizes);
BENCHMARK(BM_Open<Stock>)->Name("Open_stock")->Apply(HeavySizes);
BENCHMARK(BM_RepaintTop<Ours>)->Name("RepaintTop")->Apply(Sizes);
BENCHMARK(BM_RepaintTop<Stock>)->Name("RepaintTop_stock")->Apply(Sizes);
BENCHMARK(BM_RepaintMiddle<Ours>)->Name("RepaintMiddle")->Apply(Sizes);
BENCHMARK(BM_RepaintMiddle<Stock>)->Name("RepaintMiddle_stock")->Apply(Sizes);
BENCHMARK(BM_RepaintBottom<Ours>)->Name("RepaintBottom")->Apply(Sizes);
BENCHMARK(BM_RepaintBottom<Stock>)->Name("RepaintBottom_stock")->Apply(Sizes);
BENCHMARK(BM_LineDown)->Name("LineDown")->Apply(Sizes);
BENCHMARK(BM_LineDown_stock)->Name("LineDown_stock")->Apply(Sizes);
BENCHMARK(BM_PageDown)->Name("PageDown")->Apply(Sizes);
BENCHMARK(BM_PageDown_stock)->Name("PageDown_stock")->Apply(Sizes);
BENCHMARK(BM_Bottom)->Name("Bottom")->Apply(Sizes);
BENCHMARK(BM_Bottom_stock)->Name("Bottom_stock")->Apply(Sizes);
BENCHMARK(BM_ThumbDrag)->Name("ThumbDrag50Moves")->Apply(Sizes);
BENCHMARK(BM_ThumbDrag_stock)->Name("ThumbDrag50Moves_stock")->Apply(Sizes);
BENCHMARK(BM_KeyMoveAtBottom)->Name("KeyMoveAtBottom")->Apply(Sizes);
BENCHMARK(BM_KeyMoveAtBottom_stock)->Name("KeyMoveAtBottom_stock")->Apply(Sizes);
BENCHMARK(BM_WheelNotchAtBottom<Ours>)->Name("WheelNotchAtBottom")->Apply(Sizes);
BENCHMARK(BM_WheelNotchAtBottom<Stock>)->Name("WheelNotchAtBottom_stock")->Apply(Sizes);
BENCHMARK(BM_SelectAllCopy)->Name("SelectAllCopy")->Apply(HeavySizes);
BENCHMARK(BM_SelectAllCopy_stock)->Name("SelectAllCopy_stock")->Apply(HeavySizes);
BENCHMARK(BM_CutPasteBlock)->Name("CutPasteBlock")->Apply(HeavySizes);
BENCHMARK(BM_CutPasteBlock_stock)->Name("CutPasteBlock_stock")->Apply(HeavySizes);
BENCHMARK(BM_DeleteLargeSelection)->Name("DeleteLargeSelection")->Apply(HeavySizes);
BENCHMARK(BM_DeleteLargeSelection_stock)->Name("DeleteLargeSelection_stock")->Apply(HeavySizes);
BENCHMARK(BM_AutofitColumn)->Name("AutofitColumn")->Apply(HeavySizes);
BENCHMARK(BM_AutofitColumn_stock)->Name("AutofitColumn_stock")->Apply(HeavySizes);
BENCHMARK(BM_HeaderSort)->Name("HeaderSort")->Apply(HeavySizes);
BENCHMARK(BM_HeaderSort_stock)->Name("HeaderSort_stock")->Apply(HeavySizes);
BENCHMARK(BM_SaveTxt)->Name("SaveTxt")->Apply(HeavySizes);
BENCHMARK(BM_SaveTxt_stock)->Name("SaveTxt_stock")->Apply(HeavySizes);
BENCHMARK(BM_CloseFile)->Name("CloseFile")->Apply(HeavySizes);
BENCHMARK(BM_CloseFile_stock)->Name("CloseFile_stock")->Apply(HeavySizes);
BENCHMARK(BM_CloseProgram<Ours>)->Name("CloseProgram")->Apply(HeavySizes);
BENCHMARK(BM_CloseProgram<Stock>)->Name("CloseProgram_stock")->Apply(HeavySizes);

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const bool show = argc == 4 && std::strcmp(argv[1], "--show") == 0;
    if (show || (argc == 4 && std::strcmp(argv[1], "--open-once") == 0))
        return OpenOnce(argv[2], std::atoi(argv[3]), show, argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    QApplication app(argc, argv);
    for (int records : {300, 8000, 65535}) {
        if (!QFile::exists(SampleFile(records))) {
            std::fprintf(stderr, "no record file %s (build the orvik_samples target)\n", qPrintable(SampleFile(records)));
            return 1;
        }
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
