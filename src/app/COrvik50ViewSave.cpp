// The Save command: the records as delimited text or as a workbook of the chosen type.
#include "app/COrvik50View.h"

#include "platform/BusyCursor.h"
#include "app/SaveFileTypes.h"
#include "export/DelimitedTextExport.h"
#include "export/RecordWorkbook.h"

#include <QFile>
#include <QFileInfo>

QStringList COrvik50View::SaveNameFilters() const
{
    QStringList filters;
    for (const SaveFileType& type : ParseFileDialogFilter(saveFilter))
        filters << QString::fromStdString(type.description);
    return filters;
}

void COrvik50View::OnFileSave()
{
    if (!saveChooser)
        return;
    const std::optional<SaveChoice> choice = saveChooser(this, SaveNameFilters());
    if (!choice)
        return;
    SaveRecordFile(choice->path, choice->filterIndex);
}

bool COrvik50View::SaveRecordFile(const QString& path, int filterIndex)
{
    const std::vector<SaveFileType> types = ParseFileDialogFilter(saveFilter);
    if (filterIndex < 1 || filterIndex > static_cast<int>(types.size()))
        return false;
    const SaveFileType& type = types[static_cast<std::size_t>(filterIndex - 1)];
    // The type chosen in the dialog decides the format, whatever the
    // extension typed; a name typed without one gets the type's.
    const std::string target = WithTypeExtension(QFile::encodeName(path).toStdString(), type.extension);
    const std::optional<char> separator = SeparatorForFilterIndex(filterIndex);
    if (!separator && type.extension != ".xlsx")
        return false;
    const QString shownTarget = QFile::decodeName(target.c_str());
    const QString statusBefore = statusText;
    ExportResult result;
    {
        const BusyCursor busy;
        SetStatusText(QStringLiteral("Saving %1 records to %2...").arg(recordList.GetSize()).arg(shownTarget));
        if (separator) {
            fieldSeparator.assign(1, *separator);
            result = WriteDelimitedTextFile(target, recordList, *separator);
        } else {
            // The record file's name titles the workbook and heads its printed pages.
            result = WriteRecordWorkbookFile(target, recordList, QFileInfo(openedPath).fileName().toStdString());
        }
    }
    SetStatusText(statusBefore);
    if (!result) {
        // Nothing was written; an existing file keeps its old contents.
        if (errorReporter)
            errorReporter(QStringLiteral("Cannot save %1:\n%2").arg(shownTarget, QString::fromStdString(result.error)));
        return false;
    }
    return true;
}
