// The view's printing hooks: page count, page mapping, texts from the grid's
// cells, and a real print to PDF checked with poppler's tools.
#include "AppTestSupport.h"

#include "app/COrvik50View.h"
#include "grid/CGridCtrl.h"
#include "platform/RecordingDC.h"

#include <QApplication>
#include <QImage>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTimer>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <algorithm>
#include <tuple>
#include <gtest/gtest.h>

namespace {

class ViewPrintTest : public ::testing::Test {
protected:
    void Open(int records)
    {
        ASSERT_TRUE(view.OpenRecordFile(folder.Write(QStringLiteral("p.bin"), NumberedRecords(records))));
    }

    // Runs the hooks for one page on a recording context, as the print loop does.
    std::vector<std::string> PrintedTexts(int page)
    {
        RecordingDC::Device device;
        device.printing = true;
        device.logPixelsX = device.logPixelsY = 300;
        RecordingDC dc(device);
        CPrintInfo info;
        view.OnBeginPrinting(&dc, &info);
        info.m_nCurPage = static_cast<UINT>(page);
        view.OnPrepareDC(&dc, &info);
        view.OnPrint(&dc, &info);
        view.OnEndPrinting(&dc, &info);
        return dc.Texts();
    }

    static bool Contains(const std::vector<std::string>& texts, const std::string& text)
    {
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }

    RecordFileFolder folder;
    COrvik50View view;
};

TEST_F(ViewPrintTest, PageCountFollowsTheRecordsAndPrepareDCMapsThePage)
{
    for (const auto& [records, pages] : {std::pair{0, 1u}, std::pair{8, 1u}, std::pair{9, 2u}, std::pair{16, 2u}}) {
        Open(records);
        RecordingDC dc;
        CPrintInfo info;
        view.OnBeginPrinting(&dc, &info);
        EXPECT_EQ(info.GetMaxPage(), pages) << records << " records";
    }
    RecordingDC::Device device;
    device.logPixelsX = 600;
    device.logPixelsY = 300;
    RecordingDC dc(device);
    CPrintInfo info;
    view.OnPrepareDC(&dc, &info);
    EXPECT_EQ(dc.GetMapMode(), MM_ANISOTROPIC);
    EXPECT_EQ(dc.GetWindowExt(), (SIZE{1000, 700}));
    EXPECT_EQ(dc.GetViewportExt(), (SIZE{5454, 2100}));
}

TEST_F(ViewPrintTest, PagesPrintTheGridCellsAsEditedAndAnEmptyOneIsBlank)
{
    Open(0);
    EXPECT_TRUE(PrintedTexts(1).empty());
    Open(9);
    view.GetGrid()->SetItemText(3, 1, "EDITED");
    view.GetGrid()->SetItemText(4, 5, "U2");
    const auto first = PrintedTexts(1);
    EXPECT_TRUE(Contains(first, "EDITED"));
    EXPECT_FALSE(Contains(first, "OLT-1"));
    EXPECT_TRUE(Contains(first, "OLT-8"));
    EXPECT_TRUE(Contains(first, "U2")) << "the unit prints from each line's own cell";
    EXPECT_EQ(std::count(first.begin(), first.end(), "dBm"), 8 * 3 - 1);
    const auto second = PrintedTexts(2);
    EXPECT_TRUE(Contains(second, "OLT-9"));
    EXPECT_FALSE(Contains(second, "OLT-8"));
}

// Pages of a PDF file as Qt writes it: one "/Type /Page" object each.
int PdfPageCount(const QString& pdf)
{
    const QString bytes = QString::fromLatin1(RecordFileFolder::ReadBytes(pdf));
    return static_cast<int>(bytes.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)"))));
}

TEST_F(ViewPrintTest, PrintPrintsThePageRangeChosenInTheDialog)
{
    Open(17);   // three pages
    const QString pdf = folder.Path(QStringLiteral("range.pdf"));
    view.SetPrinterSetup([&pdf](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
    });
    for (const auto& [from, to, pages] : {std::tuple{1u, 2u, 2}, std::tuple{2u, 3u, 2}, std::tuple{3u, 3u, 1}}) {
        view.SetPrintDialogRunner([from, to](QPrinter&, CPrintInfo& info) {
            info.SetPageRange(from, to);
            return true;
        });
        view.OnFilePrint();
        EXPECT_EQ(PdfPageCount(pdf), pages) << "pages " << from << " to " << to;
    }
}

TEST_F(ViewPrintTest, PreviewShowsAsManyPagesAsPrintWrites)
{
    for (int records : {3, 17}) {
        Open(records);
        const QString pdf = folder.Path(QStringLiteral("all.pdf"));
        view.SetPrinterSetup([&pdf](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
        });
        view.OnFilePrintDirect();
        int previewPages = -1;
        QTimer::singleShot(0, [&previewPages] {
            auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(preview, nullptr);
            if (auto* pages = preview->findChild<QPrintPreviewWidget*>())
                previewPages = pages->pageCount();
            preview->reject();
        });
        view.OnFilePrintPreview();
        EXPECT_EQ(previewPages, PdfPageCount(pdf)) << records << " records";
        EXPECT_EQ(previewPages, records / 8 + 1) << records << " records";
    }
}

// Runs a poppler tool; empty output when it fails.
QByteArray RunTool(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return process.readAllStandardOutput();
}

// Dark pixels on the first page rendered at 50 dpi; -1 when it cannot be rendered.
int DarkPixelsOnFirstPage(const QString& pdf, const QString& outputBase)
{
    RunTool(QStringLiteral("pdftoppm"), QStringLiteral("-r 50 -f 1 -l 1 -png -singlefile").split(' ') << pdf << outputBase);
    const QImage page(outputBase + QStringLiteral(".png"));
    if (page.isNull())
        return -1;
    int dark = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            dark += qGray(page.pixel(x, y)) < 128;
    return dark;
}

class ViewPdfTest : public ViewPrintTest, public ::testing::WithParamInterface<std::pair<int, int>> {};

TEST_P(ViewPdfTest, ReportPrintsToPdf)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty()
        || QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
        GTEST_SKIP() << "poppler-utils (pdftoppm, pdfinfo) not installed";
    const auto [records, pages] = GetParam();
    Open(records);
    const QString pdf = folder.Path(QStringLiteral("report.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    view.PrintReportTo(printer);
    const QString info = QString::fromUtf8(RunTool(QStringLiteral("pdfinfo"), {pdf}));
    const QString pageCount = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info).captured(1);
    EXPECT_EQ(pageCount.toInt(), pages) << info.toStdString();
    const int dark = DarkPixelsOnFirstPage(pdf, folder.Path(QStringLiteral("page")));
    ASSERT_GE(dark, 0) << "pdftoppm could not render the report";
    if (records == 0)
        EXPECT_EQ(dark, 0) << "an empty report is a blank page";
    else
        EXPECT_GT(dark, 500) << "the first page shows the table";
}

INSTANTIATE_TEST_SUITE_P(Reports, ViewPdfTest,
                         ::testing::Values(std::pair{0, 1}, std::pair{3, 1}, std::pair{9, 2}));

} // namespace
