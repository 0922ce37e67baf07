// Print and Print Preview: the report drawn page by page through the
// printing hooks, on a printer, a PDF file or the preview.
#include "app/COrvik50View.h"

#include "grid/CGridCtrl.h"
#include "platform/QPainterDC.h"
#include "print/ReportLayout.h"
#include "print/ReportPrinter.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
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
    // The preview draws at screen resolution, so the one-pixel box lines
    // are screen pixels, as a preview on the screen shows them.
    QPrinter printer(QPrinter::ScreenResolution);
    CPrintInfo info;
    info.m_bPreview = TRUE;
    if (!OnPreparePrinting(&info))
        return;
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle(QStringLiteral("Print Preview"));
    if (QWidget* frame = window())
        preview.resize(frame->size());
    // The preview asks for the pages again whenever it redraws them; each
    // time is a whole job with a fresh page count.
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this, &info](QPrinter* target) {
        CPrintInfo job = info;
        RunPrintLoop(*target, job);
    });
    preview.exec();
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

void COrvik50View::RunPrintLoop(QPrinter& printer, CPrintInfo& info)
{
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
    OnBeginPrinting(&dc, &info);
    const UINT first = std::max<UINT>(info.GetFromPage(), 1);
    const UINT last = std::min(info.GetToPage(), info.GetMaxPage());
    for (UINT page = first; page <= last; ++page) {
        if (page != first)
            printer.newPage();
        info.m_nCurPage = page;
        const int saved = dc.SaveDC();
        OnPrepareDC(&dc, &info);
        if (!info.m_bContinuePrinting) {
            dc.RestoreDC(saved);
            break;
        }
        RECT pageRect{0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES)};
        dc.DPtoLP(&pageRect);
        info.m_rectDraw = pageRect;
        OnPrint(&dc, &info);
        dc.RestoreDC(saved);
    }
    OnEndPrinting(&dc, &info);
    painter.end();
}
