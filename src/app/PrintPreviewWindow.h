#pragma once
// The print preview: the report's pages in a scrolling area (see
// PreviewPageArea) under a bar with the usual controls: print, first,
// previous, next and last page, the page number, zoom in and out, fit width,
// fit page, one or two pages, close. Esc closes it.
#include "app/PreviewPageArea.h"

#include <QDialog>

class QAction;
class QLabel;
class QSpinBox;

class PrintPreviewWindow : public QDialog {
    Q_OBJECT
public:
    // exec() answers this when the user asked to print from the preview.
    static constexpr int PrintRequested = 2;

    PrintPreviewWindow(int pageCount, const PreviewPaper& paper, PreviewPageDrawer drawer, QWidget* parent = nullptr);

    PreviewPageArea* Pages() const { return pages; }
    // The bar's controls by caption ("Next Page", "Fit Width", …), for tests.
    QAction* Action(const QString& caption) const;
    QSpinBox* PageBox() const { return pageBox; }

private:
    QAction* AddAction(const QString& caption, const QKeySequence& key, void (PrintPreviewWindow::*slot)());
    void ShowPageState(int page);
    void ShowZoom(double zoom);
    void OnPrint();
    void OnFirstPage() { pages->SetCurrentPage(1); }
    void OnPreviousPage() { pages->SetCurrentPage(pages->CurrentPage() - pages->PagesPerRow()); }
    void OnNextPage() { pages->SetCurrentPage(pages->CurrentPage() + pages->PagesPerRow()); }
    void OnLastPage() { pages->SetCurrentPage(pages->PageCount()); }
    void OnZoomIn() { pages->ZoomIn(); }
    void OnZoomOut() { pages->ZoomOut(); }
    void OnFitWidth() { pages->SetZoomMode(PreviewPageArea::ZoomMode::FitWidth); }
    void OnFitPage() { pages->SetZoomMode(PreviewPageArea::ZoomMode::FitPage); }
    void OnOnePage() { pages->SetPagesPerRow(1); ShowPageState(pages->CurrentPage()); }
    void OnTwoPages() { pages->SetPagesPerRow(2); ShowPageState(pages->CurrentPage()); }

    PreviewPageArea* pages = nullptr;
    QSpinBox* pageBox = nullptr;
    QLabel* zoomLabel = nullptr;
};
