#pragma once
// The page area of the print preview: the report's pages one under the other
// (one or two to a row), each drawn when it comes into view, straight onto the
// screen at the resolution of the zoom shown, so a one-pixel box line stays
// one pixel at every zoom and nothing is kept per page.
#include <QAbstractScrollArea>
#include <QPointF>
#include <QSizeF>
#include <functional>

class CDC;

// Paper size and the top left corner of its printable area, in inches: the
// report's origin lies at that corner, as on the printer.
struct PreviewPaper {
    QSizeF size{8.27, 11.69};
    QPointF printableOrigin{0.0, 0.0};
};

// Draws 1-based `page` onto a context through the printing hooks.
using PreviewPageDrawer = std::function<void(CDC& dc, int page)>;

class PreviewPageArea : public QAbstractScrollArea {
    Q_OBJECT
public:
    enum class ZoomMode { Fixed, FitWidth, FitPage };
    static constexpr double kMinZoom = 0.1;
    static constexpr double kMaxZoom = 4.0;

    PreviewPageArea(int pageCount, const PreviewPaper& paper, PreviewPageDrawer drawer, QWidget* parent = nullptr);

    int PageCount() const { return pageCount; }
    int CurrentPage() const { return currentPage; }
    // Shows `page` (clamped to the report) at the top of the area.
    void SetCurrentPage(int page);

    // 1.0 shows the paper at its real size on this screen.
    double Zoom() const { return zoom; }
    ZoomMode GetZoomMode() const { return zoomMode; }
    void SetZoom(double newZoom);
    void ZoomIn();
    void ZoomOut();
    void SetZoomMode(ZoomMode mode);
    // One or two pages side by side.
    int PagesPerRow() const { return pagesPerRow; }
    void SetPagesPerRow(int pages);

    // The resolution the pages are drawn at (LOGPIXELSX/Y of their context).
    int PageDpi() const;
    // Draws `page` onto `dc`, as the area paints it.
    void DrawPage(CDC& dc, int page) const;

signals:
    void CurrentPageChanged(int page);
    void ZoomChanged(double zoom);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QSize PagePixels() const;
    int RowPitch() const;
    int RowCount() const;
    int ContentWidth() const;
    // Left edge of the row's first page in viewport coordinates.
    int RowLeft() const;
    // The zoom that fits the mode into the viewport.
    double FittedZoom(ZoomMode mode) const;
    // Recomputes the zoom of a fitting mode and the scroll ranges, keeping the current page in view.
    void Relayout();
    void ScrollToPage(int page);
    void SetZoomValue(double newZoom);

    int pageCount;
    PreviewPaper paper;
    PreviewPageDrawer drawer;
    int currentPage = 1;
    double zoom = 1.0;
    ZoomMode zoomMode = ZoomMode::FitPage;
    int pagesPerRow = 1;
    bool navigating = false;   // scrolling on behalf of SetCurrentPage
};
