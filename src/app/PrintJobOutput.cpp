#include "app/PrintJobOutput.h"

#include "files/FileModes.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryFile>
#include <QVBoxLayout>
#include <cstdio>
#include <sys/stat.h>

namespace {

// The permissions a new file gets from the user's umask, or those of the file it replaces.
mode_t FinishedFileMode(const QString& chosenName)
{
    struct stat existing {};
    if (::stat(QFile::encodeName(chosenName).constData(), &existing) == 0)
        return existing.st_mode & 07777;
    return NewFileMode();
}

} // namespace

PendingPdfOutput::PendingPdfOutput(QPrinter& printer)
    : printer(printer)
{
    if (printer.outputFormat() != QPrinter::PdfFormat || printer.outputFileName().isEmpty())
        return;
    QTemporaryFile reserved(printer.outputFileName() + QStringLiteral(".XXXXXX.part"));
    reserved.setAutoRemove(false);
    if (!reserved.open())
        return;   // the folder takes no new file: the job fails to start, as it would under the chosen name
    chosenName = printer.outputFileName();
    temporaryName = reserved.fileName();
    reserved.close();
    printer.setOutputFileName(temporaryName);
}

PendingPdfOutput::~PendingPdfOutput()
{
    if (!temporaryName.isEmpty())
        QFile::remove(temporaryName);
    if (!chosenName.isEmpty())
        printer.setOutputFileName(chosenName);
}

bool PendingPdfOutput::Commit()
{
    if (temporaryName.isEmpty())
        return true;
    ::chmod(QFile::encodeName(temporaryName).constData(), FinishedFileMode(chosenName));
    // rename() replaces an older file at once: there is never a moment without one.
    if (std::rename(QFile::encodeName(temporaryName).constData(), QFile::encodeName(chosenName).constData()) != 0)
        return false;
    temporaryName.clear();
    return true;
}

QString PrintingPageText(unsigned page, unsigned lastPage)
{
    return QStringLiteral("Printing page %1 of %2").arg(page).arg(lastPage);
}

PrintProgressBox::PrintProgressBox(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Printing"));
    setWindowModality(Qt::ApplicationModal);
    pageLabel = new QLabel(this);
    pageLabel->setMinimumWidth(pageLabel->fontMetrics().horizontalAdvance(PrintingPageText(88888, 88888)) + 20);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &PrintProgressBox::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pageLabel);
    layout->addWidget(buttons);
}

void PrintProgressBox::ShowPage(unsigned page, unsigned lastPage)
{
    pageLabel->setText(PrintingPageText(page, lastPage));
    if (!isVisible())
        show();
}

void PrintProgressBox::reject()
{
    // The job stops before its next page and then closes the box.
    cancelled = true;
}
