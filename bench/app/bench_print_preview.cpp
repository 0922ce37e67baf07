// Print Preview and printing of the largest record file (65,535 records,
// 8,192 report pages): the time from the command to the first page on the
// screen, paging through every page of the preview, and printing the whole
// report to a PDF file; each with the growth of resident memory over the
// open file (current RSS after minus before, and the peak).
// Run: bench_print_preview [path.bin]; default build/samples/large.bin.
#include "app/COrvik50View.h"
#include "app/PrintPreviewWindow.h"
#include "../PeakMemory.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include "RecordFileBenchMain.h"
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

double CurrentRssMegabytes()
{
    long pages = 0, resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// Opens the record file in the view, sized as the main window; marks the
// benchmark skipped when the file cannot be opened.
bool OpenSized(COrvik50View& view, benchmark::State& state)
{
    view.resize(1280, 900);
    if (view.OpenRecordFile(gRecordFile))
        return true;
    state.SkipWithError("cannot open the record file");
    return false;
}

// Runs `work` on the preview window as soon as Print Preview shows it, then closes it.
void WithPreview(COrvik50View& view, const std::function<void(PrintPreviewWindow&)>& work)
{
    QTimer::singleShot(0, [&work] {
        if (auto* preview = qobject_cast<PrintPreviewWindow*>(QApplication::activeModalWidget())) {
            work(*preview);
            preview->reject();
        }
    });
    view.OnFilePrintPreview();
}

// From the command to the first page painted (the preview's area grabbed
// once it is shown), the window sized as the main window.
void BM_PrintPreviewOpen(benchmark::State& state)
{
    COrvik50View view;
    if (!OpenSized(view, state))
        return;
    const double before = CurrentRssMegabytes();
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        qint64 shownAfter = 0;
        WithPreview(view, [&](PrintPreviewWindow& preview) {
            benchmark::DoNotOptimize(preview.Pages()->viewport()->grab());
            shownAfter = clock.nsecsElapsed();
        });
        state.SetIterationTime(double(shownAfter) / 1e9);
    }
    state.counters["rss_growth_MB"] = CurrentRssMegabytes() - before;
    state.counters["peak_rss_MB"] = PeakRssMegabytes();
}
BENCHMARK(BM_PrintPreviewOpen)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

// Every page of the preview brought to the top and painted, in order, at the
// zoom given (percent); the time is per page.
void BM_PrintPreviewPageThroughAll(benchmark::State& state)
{
    COrvik50View view;
    if (!OpenSized(view, state))
        return;
    const double before = CurrentRssMegabytes();
    double highest = before;
    int pageCount = 0;
    qint64 nanoseconds = 0;
    for (auto _ : state) {
        WithPreview(view, [&](PrintPreviewWindow& preview) {
            PreviewPageArea& pages = *preview.Pages();
            preview.resize(1280, 900);
            pages.SetZoom(double(state.range(0)) / 100.0);
            pageCount = pages.PageCount();
            QElapsedTimer clock;
            clock.start();
            for (int page = 1; page <= pageCount; ++page) {
                pages.SetCurrentPage(page);
                benchmark::DoNotOptimize(pages.viewport()->grab());   // paints what is on screen now
                if (page % 512 == 0)
                    highest = std::max(highest, CurrentRssMegabytes());
            }
            nanoseconds += clock.nsecsElapsed();
        });
    }
    state.counters["pages"] = pageCount;
    state.counters["ms_per_page"] = double(nanoseconds) / 1e6 / std::max(1, pageCount) / double(state.iterations());
    state.counters["max_rss_growth_MB"] = highest - before;
    state.counters["peak_rss_MB"] = PeakRssMegabytes();
}
BENCHMARK(BM_PrintPreviewPageThroughAll)->Arg(100)->Arg(400)->Unit(benchmark::kSecond)->Iterations(1);

// A full repaint of the preview window at a zoom (percent), halfway through the report.
void BM_PrintPreviewRepaint(benchmark::State& state)
{
    COrvik50View view;
    if (!OpenSized(view, state))
        return;
    WithPreview(view, [&](PrintPreviewWindow& preview) {
        PreviewPageArea& pages = *preview.Pages();
        preview.resize(1280, 900);
        pages.SetZoom(double(state.range(0)) / 100.0);
        pages.SetCurrentPage(pages.PageCount() / 2);
        for (auto _ : state)
            benchmark::DoNotOptimize(pages.viewport()->grab());
    });
}
BENCHMARK(BM_PrintPreviewRepaint)->Arg(10)->Arg(100)->Arg(400)->Unit(benchmark::kMillisecond)->Iterations(20);

// The whole report streamed to a PDF file, page after page.
void BM_PrintWholeReportToPdf(benchmark::State& state)
{
    COrvik50View view;
    if (!OpenSized(view, state))
        return;
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("report.pdf"));
    double highest = CurrentRssMegabytes();
    const double before = highest;
    QObject::connect(&view, &COrvik50View::StatusTextChanged,
                     [&highest](const QString&) { highest = std::max(highest, CurrentRssMegabytes()); });
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        view.PrintReportTo(printer);
    }
    state.counters["max_rss_growth_MB"] = highest - before;
    state.counters["pdf_MB"] = double(QFileInfo(pdf).size()) / (1024.0 * 1024.0);
}
BENCHMARK(BM_PrintWholeReportToPdf)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    return RunBenchmarksOnRecordFile(argc, argv);
}
