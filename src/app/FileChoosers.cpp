#include "app/FileChoosers.h"

#include <QFileDialog>
#include <QRegularExpression>

namespace {

// "*.txt" from "Text(Tab delimited)(*.txt)": the pattern in the last parentheses.
QString SuffixOfNameFilter(const QString& nameFilter)
{
    static const QRegularExpression pattern(QStringLiteral("\\(\\*\\.([^)\\s]*)\\s*\\)\\s*$"));
    const QRegularExpressionMatch match = pattern.match(nameFilter);
    return match.hasMatch() ? match.captured(1) : QString();
}

} // namespace

OpenFileChooser DefaultOpenChooser()
{
    return [](QWidget* parent) -> std::optional<QString> {
        QFileDialog dialog(parent);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilter(QStringLiteral("Open Files (*.bin)"));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().constFirst();
    };
}

SaveFileChooser DefaultSaveChooser()
{
    return [](QWidget* parent, const QStringList& nameFilters) -> std::optional<SaveChoice> {
        QFileDialog dialog(parent);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setNameFilters(nameFilters);
        // The default suffix follows the chosen type, so the dialog asks
        // about overwriting the file that will really be written.
        auto followType = [&dialog](const QString& filter) { dialog.setDefaultSuffix(SuffixOfNameFilter(filter)); };
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, followType);
        if (!nameFilters.isEmpty()) {
            dialog.selectNameFilter(nameFilters.constFirst());
            followType(nameFilters.constFirst());
        }
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        const int index = static_cast<int>(nameFilters.indexOf(dialog.selectedNameFilter()));
        return SaveChoice{dialog.selectedFiles().constFirst(), index < 0 ? 1 : index + 1};
    };
}
