#include "app/PreviewPageArea.h"

#include "platform/QPainterDC.h"

#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace {

constexpr int kGap = 16;          // pixels around and between pages
constexpr int kShadow = 3;
constexpr std::array kZoomSteps{0.1, 0.25, 0.5, 0.75, 1.0, 1.25, 1.5, 2.0, 3.0, 4.0};
const QColor kBackground(128, 128, 128);
const QColor kShadowColour(64, 64, 64);

} // namespace

PreviewPageArea::PreviewPageArea(int pageCount, const PreviewPaper& paper, PreviewPageDrawer drawer, QWidget* parent)
    : QAbstractScrollArea(parent)
    , pageCount(std::max(1, pageCount))
    , paper(paper)
    , drawer(std::move(drawer))
{
    // Always there, so fitting the width never makes it come and go.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    verticalScrollBar()->setSingleStep(40);
    horizontalScrollBar()->setSingleStep(40);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    // A screen reader announces the page shown, whichever way it was reached.
    const auto namePage = [this] {
        setAccessibleName(QStringLiteral("Page %1 of %2").arg(currentPage).arg(this->pageCount));
    };
    namePage();
    connect(this, &PreviewPageArea::CurrentPageChanged, this, namePage);
}

int PreviewPageArea::PageDpi() const
{
    return std::max(1, static_cast<int>(std::lround(logicalDpiX() * zoom)));
}

QSize PreviewPageArea::PagePixels() const
{
    const int dpi = PageDpi();
    return QSize(static_cast<int>(std::ceil(paper.size.width() * dpi)),
                 static_cast<int>(std::ceil(paper.size.height() * dpi)));
}

int PreviewPageArea::RowPitch() const { return PagePixels().height() + kGap; }

int PreviewPageArea::RowCount() const { return (pageCount + pagesPerRow - 1) / pagesPerRow; }

int PreviewPageArea::ContentWidth() const { return pagesPerRow * (PagePixels().width() + kGap) + kGap; }

int PreviewPageArea::RowLeft() const
{
    const int spare = viewport()->width() - ContentWidth();
    return kGap + (spare > 0 ? spare / 2 : -horizontalScrollBar()->value());
}

double PreviewPageArea::FittedZoom(ZoomMode mode) const
{
    const double dpi = logicalDpiX();
    const double width = double(viewport()->width() - (pagesPerRow + 1) * kGap) / pagesPerRow;
    double fitted = width / (paper.size.width() * dpi);
    if (mode == ZoomMode::FitPage)
        fitted = std::min(fitted, double(viewport()->height() - 2 * kGap) / (paper.size.height() * dpi));
    return fitted;
}

void PreviewPageArea::Relayout()
{
    // New ranges may clamp the scroll position; the current page stays.
    const QScopedValueRollback keepPage(navigating, true);
    if (zoomMode != ZoomMode::Fixed)
        SetZoomValue(FittedZoom(zoomMode));
    const int contentHeight = RowCount() * RowPitch() + kGap;
    verticalScrollBar()->setPageStep(viewport()->height());
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setRange(0, std::max(0, ContentWidth() - viewport()->width()));
    verticalScrollBar()->setRange(0, std::max(0, contentHeight - viewport()->height()));
    ScrollToPage(currentPage);
    viewport()->update();
}

void PreviewPageArea::SetZoomValue(double newZoom)
{
    newZoom = std::clamp(newZoom, kMinZoom, kMaxZoom);
    if (newZoom == zoom)
        return;
    zoom = newZoom;
    emit ZoomChanged(zoom);
}

void PreviewPageArea::SetZoom(double newZoom)
{
    zoomMode = ZoomMode::Fixed;
    SetZoomValue(newZoom);
    Relayout();
}

void PreviewPageArea::ZoomIn()
{
    double next = kMaxZoom;
    for (auto step = kZoomSteps.rbegin(); step != kZoomSteps.rend() && *step > zoom * 1.001; ++step)
        next = *step;
    SetZoom(next);
}

void PreviewPageArea::ZoomOut()
{
    double next = kMinZoom;
    for (auto step = kZoomSteps.begin(); step != kZoomSteps.end() && *step < zoom * 0.999; ++step)
        next = *step;
    SetZoom(next);
}

void PreviewPageArea::SetZoomMode(ZoomMode mode)
{
    zoomMode = mode;
    Relayout();
}

void PreviewPageArea::SetPagesPerRow(int pages)
{
    pagesPerRow = std::clamp(pages, 1, 2);
    Relayout();
}

void PreviewPageArea::SetCurrentPage(int page)
{
    page = std::clamp(page, 1, pageCount);
    ScrollToPage(page);
    if (page != currentPage) {
        currentPage = page;
        emit CurrentPageChanged(page);
    }
}

void PreviewPageArea::ScrollToPage(int page)
{
    const QScopedValueRollback keepPage(navigating, true);
    verticalScrollBar()->setValue((page - 1) / pagesPerRow * RowPitch());
}

void PreviewPageArea::scrollContentsBy(int dx, int dy)
{
    // What stays on the screen moves; only the pages in the uncovered strip are drawn.
    viewport()->scroll(dx, dy);
    if (navigating)
        return;
    // Scrolled by the user: the current page is the one at the top of the view.
    const int probe = verticalScrollBar()->value() + std::min(viewport()->height(), RowPitch()) / 2;
    const int row = std::clamp(probe / RowPitch(), 0, RowCount() - 1);
    const int page = row * pagesPerRow + 1;
    if (page != currentPage) {
        currentPage = page;
        emit CurrentPageChanged(page);
    }
}

void PreviewPageArea::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    Relayout();
}

void PreviewPageArea::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_PageDown: SetCurrentPage(currentPage + pagesPerRow); break;
    case Qt::Key_PageUp: SetCurrentPage(currentPage - pagesPerRow); break;
    case Qt::Key_Home: SetCurrentPage(1); break;
    case Qt::Key_End: SetCurrentPage(pageCount); break;
    default: QAbstractScrollArea::keyPressEvent(event); return;
    }
}

void PreviewPageArea::DrawPage(CDC& dc, int page) const
{
    drawer(dc, page);
}

void PreviewPageArea::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    painter.fillRect(event->rect(), kBackground);
    const QSize pageSize = PagePixels();
    const int pitch = RowPitch();
    const int top = verticalScrollBar()->value();
    const int firstRow = std::max(0, (top + event->rect().top() - kGap) / pitch);
    const int lastRow = std::min(RowCount() - 1, (top + event->rect().bottom()) / pitch);
    const int dpi = PageDpi();
    const QPoint origin(static_cast<int>(std::lround(paper.printableOrigin.x() * dpi)),
                        static_cast<int>(std::lround(paper.printableOrigin.y() * dpi)));
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = 0; column < pagesPerRow; ++column) {
            const int page = row * pagesPerRow + column + 1;
            if (page > pageCount)
                break;
            const QRect sheet(RowLeft() + column * (pageSize.width() + kGap), kGap + row * pitch - top,
                              pageSize.width(), pageSize.height());
            const QRect exposed = sheet.intersected(event->rect());
            painter.fillRect(sheet.translated(kShadow, kShadow), kShadowColour);
            painter.fillRect(sheet, Qt::white);
            if (exposed.isEmpty())
                continue;
            // Only what is exposed of the page is drawn; the context reports
            // the zoom's resolution, so the report maps itself to this size.
            painter.save();
            painter.setClipRect(exposed);
            painter.translate(sheet.topLeft() + origin);
            QPainterDC dc(&painter);
            dc.SetLogPixels(dpi, dpi);
            DrawPage(dc, page);
            painter.restore();
        }
    }
}
