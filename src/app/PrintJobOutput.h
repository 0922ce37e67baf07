#pragma once
// What a print job needs around its pages: a PDF written under a temporary
// name until the last page is done, and the box that shows the page being
// printed and lets the user cancel between pages.
#include <QDialog>
#include <QString>

class QLabel;
class QPrinter;

// While it lives, a printer that writes a PDF file writes it under a
// temporary name beside the chosen one. Commit() puts the finished file under
// the chosen name (replacing an older one); otherwise the temporary file goes,
// so a cancelled or failed job leaves nothing half-written behind.
class PendingPdfOutput {
public:
    explicit PendingPdfOutput(QPrinter& printer);
    ~PendingPdfOutput();
    PendingPdfOutput(const PendingPdfOutput&) = delete;
    PendingPdfOutput& operator=(const PendingPdfOutput&) = delete;

    // False when the finished file could not take the chosen name.
    bool Commit();
    const QString& ChosenName() const { return chosenName; }

private:
    QPrinter& printer;
    QString chosenName;     // empty when the printer writes no file
    QString temporaryName;
};

// "Printing page N of M" with a Cancel button; Esc cancels too. Modal to the
// application, so nothing else can change the records while pages print.
class PrintProgressBox : public QDialog {
    Q_OBJECT
public:
    explicit PrintProgressBox(QWidget* parent);
    void ShowPage(unsigned page, unsigned lastPage);
    bool Cancelled() const { return cancelled; }

    void reject() override;

private:
    QLabel* pageLabel = nullptr;
    bool cancelled = false;
};

// The status and progress text of a page being printed.
QString PrintingPageText(unsigned page, unsigned lastPage);
