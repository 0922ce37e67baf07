// The view's printing hooks: page mapping, texts from the grid's cells, the
// page range, cancelling, the preview, and a real print to PDF rendered with
// poppler's pdftoppm.
#include "AppTestSupport.h"

#include "app/PrintJobOutput.h"
#include "app/PrintPreviewWindow.h"
#include "grid/CGridCtrl.h"
#include "RecordingDC.h"

#include <QDir>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <algorithm>
#include <functional>
#include <tuple>

namespace {

class ViewPrintTest : public ViewTest {
protected:
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
    // The default printer writes the PDF file `name`.
    QString PrintToPdf(const char* name)
    {
        const QString pdf = folder.Path(QString::fromUtf8(name));
        view.SetPrinterSetup([pdf](QPrinter& p) { p.setOutputFormat(QPrinter::PdfFormat); p.setOutputFileName(pdf); });
        return pdf;
    }
};

TEST_F(ViewPrintTest, PageMappingAndThePrintedCells)
{
    RecordingDC dc({.logPixelsX = 600, .logPixelsY = 300});
    CPrintInfo info;
    view.OnPrepareDC(&dc, &info);
    EXPECT_EQ(std::tuple(dc.GetMapMode(), dc.GetWindowExt(), dc.GetViewportExt()),
              std::tuple(MM_ANISOTROPIC, SIZE{1000, 700}, SIZE{5454, 2100}));

    // Pages print the grid's cells as edited; the unit ("U2") prints from each line's own cell.
    Open(NumberedRecords(9));
    view.GetGrid()->SetItemText(3, 1, "EDITED");
    view.GetGrid()->SetItemText(4, 5, "U2");
    const std::vector<std::string> pages[] = {PrintedTexts(1), PrintedTexts(2)};
    const std::tuple<int, const char*, bool> printed[] = {{1, "EDITED", true}, {1, "OLT-1", false}, {1, "OLT-8", true},
                                                          {1, "U2", true}, {2, "OLT-9", true}, {2, "OLT-8", false}};
    for (const auto& [page, text, shown] : printed)
        EXPECT_EQ(std::count(pages[page - 1].begin(), pages[page - 1].end(), std::string(text)) > 0, shown)
            << text << " on page " << page;
    EXPECT_EQ(std::count(pages[0].begin(), pages[0].end(), std::string("dBm")), 23) << "eight records of three lines, one unit edited";
}

// Pages of a PDF file as Qt writes it: one "/Type /Page" object each.
int PdfPageCount(const QString& pdf)
{
    const QString bytes = QString::fromLatin1(RecordFileFolder::ReadBytes(pdf));
    return static_cast<int>(bytes.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)"))));
}

TEST_F(ViewPrintTest, PrintWritesTheRangeChosenInTheDialog)
{
    const QString pdf = PrintToPdf("out.pdf");
    Open(NumberedRecords(17));   // three pages
    for (const auto& [first, last, pages] : {std::tuple{1u, 2u, 2}, std::tuple{2u, 3u, 2}, std::tuple{3u, 3u, 1}}) {
        const UINT from = first, to = last;   // clang 14 cannot capture structured bindings
        view.SetPrintDialogRunner([from, to](QPrinter&, CPrintInfo& info) { info.SetPageRange(from, to); return true; });
        view.OnFilePrint();
        EXPECT_EQ(PdfPageCount(pdf), pages) << "pages " << from << " to " << to;
    }
}

TEST_F(ViewPrintTest, CancelledPdfLeavesNothingUnderTheChosenName)
{
    const QString pdf = PrintToPdf("cancel.pdf");
    view.SetPrintDialogRunner([](QPrinter&, CPrintInfo&) { return true; });
    Open(NumberedRecords(17));   // three pages
    // Cancelled while page 2 is announced: by Esc with no older file, by the
    // Cancel button over an older file, which must stay as it was.
    for (const bool escape : {true, false}) {
        if (!escape)
            folder.WriteBytes(QStringLiteral("cancel.pdf"), "older");
        const auto cancel = QObject::connect(&view, &COrvik50View::StatusTextChanged, [this, escape](const QString& text) {
            if (auto* box = view.findChild<PrintProgressBox*>(); box && text == QStringLiteral("Printing page 2 of 3"))
                escape ? QTest::keyClick(box, Qt::Key_Escape) : box->findChild<QPushButton*>()->click();
        });
        view.OnFilePrint();
        QObject::disconnect(cancel);
        EXPECT_EQ(view.StatusText(), QStringLiteral("Printing cancelled"));
        EXPECT_EQ(QFile::exists(pdf) ? RecordFileFolder::ReadBytes(pdf).substr(0, 5) : "none", escape ? "none" : "older");
        EXPECT_EQ(QDir(folder.Path(QStringLiteral("."))).entryList(QDir::Files).size(), escape ? 1 : 2)
            << "temporary files left";
    }
}

// Two recorded calls are the same drawing.
bool SameCall(const DcCall& a, const DcCall& b)
{
    return a.kind == b.kind && a.rect == b.rect && a.from == b.from && a.to == b.to && a.text == b.text
        && a.format == b.format && a.value == b.value && a.attr.font == b.attr.font && a.attr.mapMode == b.attr.mapMode
        && a.attr.windowExt == b.attr.windowExt && a.attr.viewportExt == b.attr.viewportExt;
}

// Runs `check` on the preview window once Print Preview shows it, then closes it.
void WithPreview(COrvik50View& view, const std::function<void(PrintPreviewWindow&)>& check)
{
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* preview = qobject_cast<PrintPreviewWindow*>(QApplication::activeModalWidget());
        if ((shown = preview != nullptr)) {
            check(*preview);
            preview->reject();
        }
    });
    view.OnFilePrintPreview();
    EXPECT_TRUE(shown) << "no preview window";
}

TEST_F(ViewPrintTest, PreviewDrawsEveryPageAsPrinted)
{
    Open(NumberedRecords(17));   // three pages, the last with one record
    const RecordingDC::Device device{.logPixelsX = 300, .logPixelsY = 300, .printing = true};
    RecordingDC printed(device);
    CPrintInfo info;
    std::vector<std::size_t> pageStarts;
    view.PrintReportPages(printed, info, [&](UINT, UINT) { pageStarts.push_back(printed.Calls().size()); return true; });
    pageStarts.push_back(printed.Calls().size());
    ASSERT_EQ(pageStarts.size(), 4u);
    WithPreview(view, [&](PrintPreviewWindow& preview) {
        ASSERT_EQ(preview.Pages()->PageCount(), 3);
        for (int page = 1; page <= 3; ++page) {
            RecordingDC shown(device);
            preview.Pages()->DrawPage(shown, page);
            const auto first = printed.Calls().begin() + static_cast<std::ptrdiff_t>(pageStarts[page - 1]);
            const auto last = printed.Calls().begin() + static_cast<std::ptrdiff_t>(pageStarts[page]);
            EXPECT_TRUE(std::equal(shown.Calls().begin(), shown.Calls().end(), first, last, SameCall)) << "page " << page;
        }
    });
}

// Pixels of an image for which `counts` holds.
int CountPixels(const QImage& image, const std::function<bool(QRgb)>& counts)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += counts(image.pixel(x, y));
    return n;
}

TEST_F(ViewPrintTest, PreviewPagesStayWithinTheReportAndShowTheirLinesAtEveryZoom)
{
    Open(NumberedRecords(17));
    WithPreview(view, [](PrintPreviewWindow& preview) {
        PreviewPageArea& pages = *preview.Pages();
        preview.resize(900, 700);
        struct Step { const char* caption; int page; bool backEnabled, forwardEnabled; };
        for (const Step& step : {Step{"Prev Page", 1, false, true}, Step{"Next Page", 2, true, true},
                                 Step{"Last Page", 3, true, false}, Step{"Next Page", 3, true, false},
                                 Step{"First Page", 1, false, true}}) {
            preview.Action(QString::fromLatin1(step.caption))->trigger();
            EXPECT_EQ(pages.CurrentPage(), step.page) << step.caption;
            EXPECT_EQ(preview.PageBox()->value(), step.page) << step.caption;
            EXPECT_EQ(preview.Action(QStringLiteral("Prev Page"))->isEnabled(), step.backEnabled) << step.caption;
            EXPECT_EQ(preview.Action(QStringLiteral("Next Page"))->isEnabled(), step.forwardEnabled) << step.caption;
        }
        for (const auto& [asked, shown] : {std::pair{0, 1}, std::pair{99, 3}, std::pair{2, 2}}) {
            pages.SetCurrentPage(asked);
            EXPECT_EQ(pages.CurrentPage(), shown) << "asked for page " << asked;
        }
        preview.PageBox()->setValue(3);
        EXPECT_EQ(pages.CurrentPage(), 3) << "page number box";
        // Box lines stay solid black pixels at the smallest and the largest zoom.
        for (const double zoom : {PreviewPageArea::kMinZoom, PreviewPageArea::kMaxZoom}) {
            pages.SetZoom(zoom);
            EXPECT_GT(CountPixels(pages.viewport()->grab().toImage(), [](QRgb p) { return (p & 0xFFFFFF) == 0; }), 200) << "zoom " << zoom;
        }
    });
}

TEST_F(ViewPrintTest, ReportPrintsToPdf)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        GTEST_SKIP() << "poppler-utils (pdftoppm) not installed";
    Open(NumberedRecords(9));
    const QString pdf = PrintToPdf("report.pdf");
    view.OnFilePrintDirect();
    const QString png = folder.Path(QStringLiteral("page"));
    QProcess::execute(QStringLiteral("pdftoppm"), QStringLiteral("-r 50 -f 1 -l 1 -png -singlefile").split(' ') << pdf << png);
    const QImage page(png + QStringLiteral(".png"));
    ASSERT_FALSE(page.isNull()) << "pdftoppm could not render the report";
    EXPECT_GT(CountPixels(page, [](QRgb p) { return qGray(p) < 128; }), 500) << "the first page shows the table";
}

} // namespace
