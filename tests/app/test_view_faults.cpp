// Faults that must not cost the user data: a full disk under Save, a record
// file that changes after it was opened, a header that promises more records
// than the file holds, a PDF that cannot be written.
#include "AppTestSupport.h"
#include "FileSizeLimit.h"

#include "app/COrvik50View.h"
#include "export/DelimitedTextExport.h"
#include "grid/CGridCtrl.h"
#include "sample/SampleRecords.h"

#include <QFile>
#include <QPrinter>
#include <gtest/gtest.h>

namespace {

class ViewFaultTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        view.resize(900, 600);
        view.show();
        view.SetErrorReporter([this](const QString& text) { errors << text; });
    }

    // Every cell text of the grid, row by row.
    std::vector<std::string> Shown()
    {
        std::vector<std::string> texts;
        const CGridCtrl& grid = *view.GetGrid();
        for (int row = 0; row < grid.GetRowCount(); ++row)
            for (int col = 0; col < grid.GetColumnCount(); ++col)
                texts.push_back(grid.GetItemText(row, col));
        return texts;
    }

    RecordFileFolder folder;
    COrvik50View view;
    QStringList errors;
};

// The size limit makes the write fail half-way, as a full disk does; root
// is bound by it too. Text and workbook types alike.
TEST_F(ViewFaultTest, SaveOnAFullDiskKeepsTheOldFileAndSaysSo)
{
    ASSERT_TRUE(view.OpenRecordFile(folder.Write(QStringLiteral("in.bin"), NumberedRecords(40))));
    const std::pair<const char*, int> cases[] = {{"table.txt", 2}, {"table.xlsx", 4}};
    for (const auto& [name, filterIndex] : cases) {
        SCOPED_TRACE(name);
        const QString target = folder.Path(QString::fromUtf8(name));
        QFile old(target);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("the old table\r\n");
        old.close();
        errors.clear();

        bool saved_ok = true;
        {
            const FileSizeLimit limit(2000);
            ASSERT_TRUE(limit.Applied());
            saved_ok = view.SaveRecordFile(target, filterIndex);
        }

        EXPECT_FALSE(saved_ok);
        ASSERT_EQ(errors.size(), 1);
        EXPECT_TRUE(errors[0].contains(QString::fromUtf8(name)) && errors[0].contains(QStringLiteral("too large")))
            << errors[0].toStdString();
        EXPECT_EQ(RecordFileFolder::ReadBytes(target), "the old table\r\n");
    }
}

// What is shown comes from the bytes read at Open; the file is not read again.
TEST_F(ViewFaultTest, RecordFileChangingAfterOpenChangesNothingShownOrSaved)
{
    const std::vector<MeterRecord> records = NumberedRecords(5);
    const RecordList expected = RecordListOf(records);
    const std::pair<const char*, std::function<void(const QString&)>> changes[] = {
        {"rewritten", [this](const QString&) { folder.Write(QStringLiteral("r.bin"), NumberedRecords(9)); }},
        {"shrunk", [](const QString& path) { QFile::resize(path, 40); }},
        {"removed", [](const QString& path) { QFile::remove(path); }},
    };
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name);
        const QString path = folder.Write(QStringLiteral("r.bin"), records);
        ASSERT_TRUE(view.OpenRecordFile(path));
        const std::vector<std::string> before = Shown();
        change(path);
        view.GetGrid()->repaint();
        EXPECT_EQ(Shown(), before);
        const QString saved = folder.Path(QStringLiteral("after-%1.csv").arg(QString::fromUtf8(name)));
        ASSERT_TRUE(view.SaveRecordFile(saved, 3));
        EXPECT_EQ(RecordFileFolder::ReadBytes(saved), FormatDelimitedText(expected, ','));
    }
}

TEST_F(ViewFaultTest, HeaderPromisingAllRecordsOverAnEmptyFileShowsNoneAndSaysSo)
{
    ASSERT_TRUE(view.OpenRecordFile(folder.Write(QStringLiteral("empty.bin"), {}, 65535)));
    EXPECT_EQ(view.GetGrid()->GetRowCount(), 4) << "the header rows and the one empty row of an empty file";
    EXPECT_TRUE(view.StatusText().contains(QStringLiteral("read 0 of 65535 records"))) << view.StatusText().toStdString();
    const QString saved = folder.Path(QStringLiteral("empty.txt"));
    ASSERT_TRUE(view.SaveRecordFile(saved, 2));
    EXPECT_EQ(RecordFileFolder::ReadBytes(saved), FormatDelimitedText(RecordList(), '\t'));
}

// A folder path through a regular file cannot be written, not even by root.
TEST_F(ViewFaultTest, PrintingToAnUnwritablePdfReportsTheFailure)
{
    ASSERT_TRUE(view.OpenRecordFile(folder.Write(QStringLiteral("p.bin"), NumberedRecords(3))));
    const QString pdf = folder.Write(QStringLiteral("not-a-folder"), {}) + QStringLiteral("/report.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    view.PrintReportTo(printer);
    EXPECT_TRUE(view.StatusText().startsWith(QStringLiteral("Cannot print")) && view.StatusText().contains(pdf))
        << view.StatusText().toStdString();
}

} // namespace
