// Faults that must not cost the user data: a full disk under Save, a record
// file that changes after it was opened, a header that promises more records
// than the file holds, a PDF that cannot be written.
#include "AppTestSupport.h"
#include "FileSizeLimit.h"

#include "export/DelimitedTextExport.h"
#include "grid/CGridCtrl.h"
#include "sample/SampleRecords.h"

#include <QPrinter>

namespace {

using ViewFaultTest = ViewTest;

// The size limit makes the write fail half-way, as a full disk does; root
// is bound by it too. Text and workbook types alike.
TEST_F(ViewFaultTest, SaveOnAFullDiskKeepsTheOldFileAndSaysSo)
{
    Open(NumberedRecords(40));
    for (const auto& [name, filterIndex] : {std::pair{"table.txt", 2}, std::pair{"table.xlsx", 4}}) {
        SCOPED_TRACE(name);
        const QString target = folder.WriteBytes(QString::fromUtf8(name), "the old table\r\n");
        errors.clear();
        bool saved = true;
        {
            const FileSizeLimit limit(2000);
            ASSERT_TRUE(limit.Applied());
            saved = view.SaveRecordFile(target, filterIndex);
        }
        EXPECT_FALSE(saved);
        ASSERT_EQ(errors.size(), 1);
        EXPECT_TRUE(errors[0].contains(QString::fromUtf8(name)) && errors[0].contains(QStringLiteral("too large")))
            << errors[0].toStdString();
        EXPECT_EQ(RecordFileFolder::ReadBytes(target), "the old table\r\n");
    }
}

// What is shown and saved comes from the bytes read at Open; the file is not
// read again, not even to paint.
TEST_F(ViewFaultTest, RecordFileChangingAfterOpenChangesNothingShownOrSaved)
{
    view.resize(900, 600);
    view.show();
    const std::pair<const char*, std::function<void(const QString&)>> changes[] = {
        {"rewritten", [this](const QString&) { folder.Write(QStringLiteral("r.bin"), NumberedRecords(9)); }},
        {"shrunk", [](const QString& path) { QFile::resize(path, 40); }},
        {"removed", [](const QString& path) { QFile::remove(path); }},
    };
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name);
        Open(NumberedRecords(5));
        change(folder.Path(QStringLiteral("r.bin")));
        view.GetGrid()->repaint();
        EXPECT_EQ(std::pair(view.GetGrid()->GetRowCount(), view.GetGrid()->GetItemText(15, 1)), std::pair(19, std::string("OLT-5")));
        const QString saved = folder.Path(QStringLiteral("after-%1.csv").arg(QString::fromUtf8(name)));
        ASSERT_TRUE(view.SaveRecordFile(saved, 3));
        EXPECT_EQ(RecordFileFolder::ReadBytes(saved), FormatDelimitedText(RecordListOf(NumberedRecords(5)), ','));
    }
}

// A read-only file whose header promises all records it cannot hold replaces
// the open table (and its grid) with none and says so.
TEST_F(ViewFaultTest, HeaderPromisingAllRecordsOverAnEmptyFileShowsNoneAndSaysSo)
{
    Open(NumberedRecords(3));
    const QString empty = folder.Write(QStringLiteral("empty.bin"), {}, 65535);
    QFile::setPermissions(empty, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    ASSERT_TRUE(view.OpenRecordFile(empty));
    EXPECT_EQ(view.GetGrid()->GetRowCount(), 4) << "the header rows and the one empty row of an empty file";
    EXPECT_EQ(view.findChildren<CGridCtrl*>().size(), 1) << "the old grid is destroyed";
    EXPECT_TRUE(view.StatusText().contains(QStringLiteral("read 0 of 65535 records"))) << view.StatusText().toStdString();
    const QString saved = folder.Path(QStringLiteral("empty.txt"));
    ASSERT_TRUE(view.SaveRecordFile(saved, 2));
    EXPECT_EQ(RecordFileFolder::ReadBytes(saved), FormatDelimitedText(RecordList(), '\t'));
}

// A folder path through a regular file cannot be written, not even by root.
TEST_F(ViewFaultTest, PrintingToAnUnwritablePdfReportsTheFailure)
{
    Open(NumberedRecords(3));
    const QString pdf = folder.WriteBytes(QStringLiteral("not-a-folder"), "") + QStringLiteral("/report.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    view.PrintReportTo(printer);
    EXPECT_TRUE(view.StatusText().startsWith(QStringLiteral("Cannot print")) && view.StatusText().contains(pdf))
        << view.StatusText().toStdString();
}

} // namespace
