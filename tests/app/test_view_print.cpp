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
        RecordingDC dc({.logPixelsX = 300, .logPixelsY = 300, .printing = true});
        CPrintInfo info;
        view.OnBeginPrinting(&dc, &info);
        info.m_nCurPage = static_cast<UINT>(page);
        view.OnPrepareDC(&dc, &info);
        view.OnPrint(&dc, &info);
        view.OnEndPrinting(&dc, &info);
        return dc.Texts();
    }

    RecordFileFolder folder;
    COrvik50View view;
};

TEST_F(ViewPrintTest, PageCountPageMappingAndThePrintedCells)
{
    for (const auto& [records, pages] : {std::pair{0, 1u}, std::pair{8, 1u}, std::pair{9, 2u}, std::pair{16, 2u}}) {
        Open(records);
        RecordingDC dc;
        CPrintInfo info;
        view.OnBeginPrinting(&dc, &info);
        EXPECT_EQ(info.GetMaxPage(), pages) << records << " records";
    }
    RecordingDC dc({.logPixelsX = 600, .logPixelsY = 300});
    CPrintInfo info;
    view.OnPrepareDC(&dc, &info);
    EXPECT_EQ(dc.GetMapMode(), MM_ANISOTROPIC);
    EXPECT_EQ(dc.GetWindowExt(), (SIZE{1000, 700}));
    EXPECT_EQ(dc.GetViewportExt(), (SIZE{5454, 2100}));

    // Pages print the grid's cells as edited; an empty report's page is blank.
    Open(0);
    EXPECT_TRUE(PrintedTexts(1).empty());
    Open(9);
    view.GetGrid()->SetItemText(3, 1, "EDITED");
    view.GetGrid()->SetItemText(4, 5, "U2");
    const std::vector<std::string> pages[] = {PrintedTexts(1), PrintedTexts(2)};
    // The unit ("U2") prints from each line's own cell.
    const std::tuple<int, const char*, bool> printed[] = {{1, "EDITED", true}, {1, "OLT-1", false}, {1, "OLT-8", true},
                                                          {1, "U2", true}, {2, "OLT-9", true}, {2, "OLT-8", false}};
    for (const auto& [page, text, shown] : printed)
        EXPECT_EQ(std::ranges::count(pages[page - 1], std::string(text)) > 0, shown) << text << " on page " << page;
    EXPECT_EQ(std::ranges::count(pages[0], std::string("dBm")), 8 * 3 - 1);
}

// Pages of a PDF file as Qt writes it: one "/Type /Page" object each.
int PdfPageCount(const QString& pdf)
{
    const QString bytes = QString::fromLatin1(RecordFileFolder::ReadBytes(pdf));
    return static_cast<int>(bytes.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)"))));
}

TEST_F(ViewPrintTest, PrintWritesTheRangeChosenInTheDialogAndPreviewShowsAsManyPages)
{
    const QString pdf = folder.Path(QStringLiteral("out.pdf"));
    view.SetPrinterSetup([&pdf](QPrinter& p) { p.setOutputFormat(QPrinter::PdfFormat); p.setOutputFileName(pdf); });
    Open(17);   // three pages
    for (const auto& [from, to, pages] : {std::tuple{1u, 2u, 2}, std::tuple{2u, 3u, 2}, std::tuple{3u, 3u, 1}}) {
        view.SetPrintDialogRunner([from, to](QPrinter&, CPrintInfo& info) { info.SetPageRange(from, to); return true; });
        view.OnFilePrint();
        EXPECT_EQ(PdfPageCount(pdf), pages) << "pages " << from << " to " << to;
    }
    for (int records : {3, 17}) {
        Open(records);
        view.OnFilePrintDirect();
        int previewPages = -1;
        QTimer::singleShot(0, [&previewPages] {
            auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(preview, nullptr);
            if (auto* pages = preview->findChild<QPrintPreviewWidget*>()) previewPages = pages->pageCount();
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
    const bool ran = process.waitForFinished(30000) && process.exitCode() == 0;
    return ran ? process.readAllStandardOutput() : QByteArray();
}

// Dark pixels on the first page rendered at 50 dpi; -1 when it cannot be rendered.
int DarkPixelsOnFirstPage(const QString& pdf, const QString& outputBase)
{
    RunTool(QStringLiteral("pdftoppm"), QStringLiteral("-r 50 -f 1 -l 1 -png -singlefile").split(' ') << pdf << outputBase);
    const QImage page(outputBase + QStringLiteral(".png"));
    int dark = page.isNull() ? -1 : 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            dark += qGray(page.pixel(x, y)) < 128;
    return dark;
}

TEST_F(ViewPrintTest, ReportPrintsToPdf)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty()
        || QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
        GTEST_SKIP() << "poppler-utils (pdftoppm, pdfinfo) not installed";
    for (const auto& [records, pages] : {std::pair{0, 1}, std::pair{3, 1}, std::pair{9, 2}}) {
        Open(records);
        const QString pdf = folder.Path(QStringLiteral("report%1.pdf").arg(records));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        view.PrintReportTo(printer);
        const QString info = QString::fromUtf8(RunTool(QStringLiteral("pdfinfo"), {pdf}));
        EXPECT_EQ(QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info).captured(1).toInt(), pages) << records << " records: " << info.toStdString();
        const int dark = DarkPixelsOnFirstPage(pdf, folder.Path(QStringLiteral("page%1").arg(records)));
        ASSERT_GE(dark, 0) << "pdftoppm could not render the report";
        EXPECT_TRUE(records == 0 ? dark == 0 : dark > 500)
            << records << " records, " << dark << " dark pixels: an empty report is a blank page, else it shows the table";
    }
}

} // namespace
