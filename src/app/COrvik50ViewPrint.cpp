// Print and Print Preview: the report drawn page by page through the
// printing hooks, on a printer, a PDF file or the preview.
#include "app/COrvik50View.h"

#include "grid/CGridCtrl.h"
#include "app/PrintJobOutput.h"
#include "app/PrintPreviewWindow.h"
#include "platform/QPainterDC.h"
#include "print/ReportLayout.h"
#include "print/ReportPrinter.h"

#include <QPainter>
#include <QPrintDialog>
#include <QCoreApplication>
#include <QPageLayout>
#include <QPrinter>
#include <algorithm>

namespace {

bool RunDefaultPrintDialog(QPrinter& printer, CPrintInfo& info, QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(static_cast<int>(info.GetMinPage()), static_cast<int>(info.GetMaxPage()));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    if (printer.printRange() == QPrinter::PageRange)
        info.SetPageRange(static_cast<UINT>(printer.fromPage()), static_cast<UINT>(printer.toPage()));
    return true;
}

// The paper of `printer` and where its printable area begins, in inches.
PreviewPaper PaperOf(const QPrinter& printer)
{
    const QPageLayout layout = printer.pageLayout();
    const QRectF full = layout.fullRect(QPageLayout::Inch);
    const QRectF printable = layout.paintRect(QPageLayout::Inch);
    return PreviewPaper{full.size(), printable.topLeft() - full.topLeft()};
}

} // namespace

void COrvik50View::OnFilePrint()
{
    PrintOnDefaultPrinter(false);
}

void COrvik50View::OnFilePrintDirect()
{
    PrintOnDefaultPrinter(true);
}

void COrvik50View::PrintOnDefaultPrinter(bool direct)
{
    QPrinter printer(QPrinter::HighResolution);
    if (printerSetup)
        printerSetup(printer);
    CPrintInfo info;
    info.m_bDirect = direct ? TRUE : FALSE;
    activePrinter = &printer;
    const bool go = OnPreparePrinting(&info);
    activePrinter = nullptr;
    if (go)
        RunPrintLoop(printer, info);
}

void COrvik50View::OnFilePrintPreview()
{
    QPrinter printer(QPrinter::ScreenResolution);
    if (printerSetup)
        printerSetup(printer);
    CPrintInfo info;
    info.m_bPreview = TRUE;
    if (!OnPreparePrinting(&info))
        return;
    MemoryDC jobDC(1, 1);   // the hooks' context for the job as a whole
    OnBeginPrinting(&jobDC, &info);
    // Each page is drawn when it comes into view, through the same hooks as
    // a printed page; nothing is drawn ahead of time.
    PrintPreviewWindow preview(static_cast<int>(info.GetMaxPage()), PaperOf(printer),
                               [this, &info](CDC& dc, int page) {
                                   CPrintInfo job = info;
                                   DrawJobPage(dc, job, static_cast<UINT>(page));
                               },
                               this);
    if (QWidget* frame = window())
        preview.resize(frame->size());
    const bool print = preview.exec() == PrintPreviewWindow::PrintRequested;
    OnEndPrinting(&jobDC, &info);
    if (print)
        OnFilePrint();
}

void COrvik50View::PrintReportTo(QPrinter& printer)
{
    CPrintInfo info;
    info.m_bDirect = TRUE;
    if (OnPreparePrinting(&info))
        RunPrintLoop(printer, info);
}

bool COrvik50View::DoPreparePrinting(CPrintInfo* info)
{
    if (info->m_bPreview || info->m_bDirect || !activePrinter)
        return true;
    if (printDialogRunner)
        return printDialogRunner(*activePrinter, *info);
    return RunDefaultPrintDialog(*activePrinter, *info, this);
}

bool COrvik50View::OnPreparePrinting(CPrintInfo* info)
{
    return DoPreparePrinting(info);
}

void COrvik50View::OnBeginPrinting(CDC*, CPrintInfo* info)
{
    info->SetMaxPage(static_cast<UINT>(report::PageCount(recordList.GetSize())));
}

void COrvik50View::OnPrepareDC(CDC* dc, CPrintInfo* info)
{
    // The framework's part: go on while the page exists.
    if (info)
        info->m_bContinuePrinting = info->m_nCurPage <= info->GetMaxPage();
    SetReportPageCoordinates(*dc);
}

void COrvik50View::OnPrint(CDC* dc, CPrintInfo* info)
{
    // Every record text comes from the grid, so edited cells print as shown.
    const CellTextSource cellText = [this](int row, int column) {
        return grid ? grid->GetItemText(row, column) : std::string();
    };
    DrawReportPage(*dc, static_cast<int>(info->m_nCurPage), recordList.GetSize(), cellText);
    OnDraw(dc);
}

void COrvik50View::OnEndPrinting(CDC*, CPrintInfo*)
{
    if (QWidget* frame = window())
        frame->repaint();
}

void COrvik50View::OnDraw(CDC*)
{
    // Nothing: the grid covers the view, and a report page needs nothing more.
}

bool COrvik50View::DrawJobPage(CDC& dc, CPrintInfo& info, UINT page)
{
    info.m_nCurPage = page;
    const int saved = dc.SaveDC();
    OnPrepareDC(&dc, &info);
    const bool exists = info.m_bContinuePrinting;
    if (exists) {
        RECT pageRect{0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES)};
        dc.DPtoLP(&pageRect);
        info.m_rectDraw = pageRect;
        OnPrint(&dc, &info);
    }
    dc.RestoreDC(saved);
    return exists;
}

bool COrvik50View::PrintReportPages(CDC& dc, CPrintInfo& info, const PageStart& startPage)
{
    OnBeginPrinting(&dc, &info);
    const UINT first = std::max<UINT>(info.GetFromPage(), 1);
    const UINT last = std::min(info.GetToPage(), info.GetMaxPage());
    bool complete = true;
    for (UINT page = first; page <= last; ++page) {
        if (!startPage(page, last)) {
            complete = false;
            break;
        }
        if (!DrawJobPage(dc, info, page))
            break;
    }
    OnEndPrinting(&dc, &info);
    return complete;
}

void COrvik50View::RunPrintLoop(QPrinter& printer, CPrintInfo& info)
{
    PendingPdfOutput output(printer);
    QPainter painter;
    if (!painter.begin(&printer)) {
        // A PDF fails to start when its file cannot be created: name the file.
        if (printer.outputFileName().isEmpty())
            SetStatusText(QStringLiteral("Cannot print: the printer could not be started"));
        else
            SetStatusText(QStringLiteral("Cannot print to %1: the file cannot be written").arg(printer.outputFileName()));
        return;
    }
    QPainterDC dc(&painter);
    dc.SetPrinting(true);
    // Each page goes to the printer as soon as it is drawn; between pages the
    // progress box and the status bar are updated and a Cancel is seen.
    PrintProgressBox progress(window());
    const QString before = statusText;
    bool started = false;
    const bool complete = PrintReportPages(dc, info, [&](UINT page, UINT last) {
        progress.ShowPage(page, last);
        SetStatusText(PrintingPageText(page, last));
        QCoreApplication::processEvents();
        if (progress.Cancelled())
            return false;
        if (started)
            printer.newPage();
        started = true;
        return true;
    });
    if (!complete)
        printer.abort();
    painter.end();
    progress.hide();
    if (!complete)
        SetStatusText(QStringLiteral("Printing cancelled"));
    else if (!output.Commit())
        SetStatusText(QStringLiteral("Cannot print: %1 could not be written").arg(output.ChosenName()));
    else
        SetStatusText(before);
}
