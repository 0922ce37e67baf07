#include "app/PrintPreviewWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QSpinBox>
#include <QToolBar>
#include <QVBoxLayout>
#include <cmath>

PrintPreviewWindow::PrintPreviewWindow(int pageCount, const PreviewPaper& paper, PreviewPageDrawer drawer,
                                       QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Print Preview"));
    pages = new PreviewPageArea(pageCount, paper, std::move(drawer), this);
    auto* bar = new QToolBar(this);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(pages, 1);

    pageBox = new QSpinBox(this);
    pageBox->setRange(1, pages->PageCount());
    pageBox->setKeyboardTracking(false);   // go to the page on Enter, not on every digit
    pageBox->setAccelerated(true);
    zoomLabel = new QLabel(this);
    zoomLabel->setMinimumWidth(zoomLabel->fontMetrics().horizontalAdvance(QStringLiteral(" 400% ")));
    zoomLabel->setAlignment(Qt::AlignCenter);

    bar->addAction(AddAction(QStringLiteral("Print..."), QKeySequence::Print, &PrintPreviewWindow::OnPrint));
    bar->addSeparator();
    bar->addAction(AddAction(QStringLiteral("First Page"), QKeySequence(), &PrintPreviewWindow::OnFirstPage));
    bar->addAction(AddAction(QStringLiteral("Prev Page"), QKeySequence(), &PrintPreviewWindow::OnPreviousPage));
    bar->addWidget(pageBox);
    bar->addWidget(new QLabel(QStringLiteral(" of %1 ").arg(pages->PageCount()), this));
    bar->addAction(AddAction(QStringLiteral("Next Page"), QKeySequence(), &PrintPreviewWindow::OnNextPage));
    bar->addAction(AddAction(QStringLiteral("Last Page"), QKeySequence(), &PrintPreviewWindow::OnLastPage));
    bar->addSeparator();
    bar->addAction(AddAction(QStringLiteral("Zoom In"), QKeySequence::ZoomIn, &PrintPreviewWindow::OnZoomIn));
    bar->addWidget(zoomLabel);
    bar->addAction(AddAction(QStringLiteral("Zoom Out"), QKeySequence::ZoomOut, &PrintPreviewWindow::OnZoomOut));
    bar->addAction(AddAction(QStringLiteral("Fit Width"), QKeySequence(), &PrintPreviewWindow::OnFitWidth));
    bar->addAction(AddAction(QStringLiteral("Fit Page"), QKeySequence(), &PrintPreviewWindow::OnFitPage));
    bar->addSeparator();
    auto* perRow = new QActionGroup(this);
    for (const char* caption : {"One Page", "Two Pages"}) {
        QAction* action = AddAction(QString::fromLatin1(caption), QKeySequence(),
                           caption[1] == 'n' ? &PrintPreviewWindow::OnOnePage : &PrintPreviewWindow::OnTwoPages);
        action->setCheckable(true);
        action->setChecked(caption[1] == 'n');
        perRow->addAction(action);
        bar->addAction(action);
    }
    bar->addSeparator();
    bar->addAction(AddAction(QStringLiteral("Close"), QKeySequence(), &PrintPreviewWindow::reject));

    connect(pageBox, &QSpinBox::valueChanged, pages, &PreviewPageArea::SetCurrentPage);
    connect(pages, &PreviewPageArea::CurrentPageChanged, this, &PrintPreviewWindow::ShowPageState);
    connect(pages, &PreviewPageArea::ZoomChanged, this, &PrintPreviewWindow::ShowZoom);
    ShowPageState(pages->CurrentPage());
    ShowZoom(pages->Zoom());
    pages->setFocus();
}

QAction* PrintPreviewWindow::AddAction(const QString& caption, const QKeySequence& key,
                                       void (PrintPreviewWindow::*slot)())
{
    auto* action = new QAction(caption, this);
    action->setObjectName(caption);
    if (!key.isEmpty())
        action->setShortcut(key);
    addAction(action);
    connect(action, &QAction::triggered, this, slot);
    return action;
}

QAction* PrintPreviewWindow::Action(const QString& caption) const
{
    return findChild<QAction*>(caption, Qt::FindDirectChildrenOnly);
}

void PrintPreviewWindow::ShowPageState(int page)
{
    const QSignalBlocker quiet(pageBox);
    pageBox->setValue(page);
    // Moving within the row shown would change nothing on the screen.
    const int perRow = pages->PagesPerRow();
    const bool firstRow = (page - 1) / perRow == 0;
    const bool lastRow = (page - 1) / perRow == (pages->PageCount() - 1) / perRow;
    Action(QStringLiteral("First Page"))->setEnabled(!firstRow);
    Action(QStringLiteral("Prev Page"))->setEnabled(!firstRow);
    Action(QStringLiteral("Next Page"))->setEnabled(!lastRow);
    Action(QStringLiteral("Last Page"))->setEnabled(!lastRow);
}

void PrintPreviewWindow::ShowZoom(double zoom)
{
    zoomLabel->setText(QStringLiteral("%1%").arg(std::lround(zoom * 100)));
    Action(QStringLiteral("Zoom In"))->setEnabled(zoom < PreviewPageArea::kMaxZoom);
    Action(QStringLiteral("Zoom Out"))->setEnabled(zoom > PreviewPageArea::kMinZoom);
}

void PrintPreviewWindow::OnPrint()
{
    done(PrintRequested);
}
