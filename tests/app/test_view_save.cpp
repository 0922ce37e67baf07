// The Save command with the dialog scripted: bytes of each file type, the
// extension rule, cancelling and a failing write.
#include "AppTestSupport.h"

#include "app/COrvik50View.h"
#include "app/SaveFileTypes.h"
#include "export/DelimitedTextExport.h"
#include "grid/CGridCtrl.h"
#include "WorkbookReader.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

class ViewSaveTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        view.SetOpenChooser([this](QWidget*) { return std::optional<QString>(openPath); });
        view.SetSaveChooser([this](QWidget*, const QStringList& filters) {
            offeredFilters = filters;
            return choice;
        });
        view.SetErrorReporter([this](const QString& text) { errors << text; });
        const std::vector<MeterRecord> saved = {VerdictRecord("OLT-A", "ONT-7"), VerdictRecord("OLT,B%d", "ONT-8", false)};
        for (const MeterRecord& record : saved)
            records.Add(record);
        openPath = folder.Write(QStringLiteral("in.bin"), saved);
        view.OnFileOpen();
    }

    RecordFileFolder folder;
    COrvik50View view;
    RecordList records;
    QString openPath;
    std::optional<SaveChoice> choice;
    QStringList offeredFilters;
    QStringList errors;
};

// The chosen type decides the separator, not the typed extension.
TEST_F(ViewSaveTest, WritesTheRecordsWithTheChosenTypesSeparator)
{
    const struct {
        const char* typedName;
        int filterIndex;
        const char* writtenName;
        char separator;
    } cases[] = {{"out", 1, "out.xls", '\t'}, {"out", 2, "out.txt", '\t'}, {"out", 3, "out.csv", ','},
                 {"table.csv", 2, "table.csv", '\t'}, {"table.txt", 3, "table.txt", ','}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.typedName) + " as type " + std::to_string(c.filterIndex));
        choice = SaveChoice{folder.Path(QString::fromUtf8(c.typedName)), c.filterIndex};
        view.OnFileSave();
        EXPECT_EQ(RecordFileFolder::ReadBytes(folder.Path(QString::fromUtf8(c.writtenName))),
                  FormatDelimitedText(records, c.separator));
        EXPECT_EQ(view.FieldSeparator(), std::string(1, c.separator));
    }
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(ViewSaveTest, DialogOffersTheFourTypesAndCancelWritesNothing)
{
    view.OnFileSave();
    EXPECT_EQ(offeredFilters, QStringList({QStringLiteral("Microsoft Office Excel Workbook(*.xls)"),
                                           QStringLiteral("Text(Tab delimited)(*.txt)"),
                                           QStringLiteral("csv(Comma delimited)(*.csv)"),
                                           QStringLiteral("Excel Workbook (*.xlsx)")}));
    EXPECT_EQ(QDir(folder.Path(QString())).entryList(QDir::Files), QStringList({QStringLiteral("in.bin")}));
    EXPECT_EQ(view.FieldSeparator(), "");
}

// The workbook type: every cell the table shows, as the workbook shows it.
TEST_F(ViewSaveTest, WorkbookTypeWritesTheTableAsShown)
{
    choice = SaveChoice{folder.Path(QStringLiteral("table")), 4};
    view.OnFileSave();
    ASSERT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
    const ReadSheet sheet = ReadWorkbookFile(QFile::encodeName(folder.Path(QStringLiteral("table.xlsx"))).toStdString()).sheets.at(0);
    CGridCtrl* grid = view.GetGrid();
    const int recordRows = grid->GetRowCount() - 4;
    for (int row = 3; row < 3 + recordRows; ++row) {
        const bool firstOfRecord = (row - 3) % 3 == 0;
        for (int column = 0; column < grid->GetColumnCount(); ++column) {
            const ReadCell& cell = sheet.At(row + 1, column + 1);
            const bool perRecord = column <= 2 || column == 5 || column >= 11;
            if (perRecord && !firstOfRecord)
                continue;   // under the record's block
            std::string shown = cell.text;
            if (cell.kind == ReadCell::Kind::Number) {
                const bool twoDecimals = cell.numberFormat == "0.00";
                EXPECT_TRUE(twoDecimals || cell.numberFormat == "0") << cell.numberFormat;
                shown = QString::number(cell.number, 'f', twoDecimals ? 2 : 0).toStdString();
            }
            EXPECT_EQ(shown, grid->GetItemText(row, column)) << row << "," << column;
        }
    }
    EXPECT_EQ(sheet.At(4, 8).fillColor, "FF00FF00") << "pass is green as on screen";
    EXPECT_EQ(view.FieldSeparator(), "") << "the workbook has no separator";
}

TEST_F(ViewSaveTest, FailedWriteNamesTheFileAndWritesNothing)
{
    choice = SaveChoice{folder.Path(QStringLiteral("no-such-folder/out.txt")), 2};
    view.OnFileSave();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(QStringLiteral("no-such-folder/out.txt"))) << errors[0].toStdString();
    EXPECT_FALSE(QFileInfo::exists(folder.Path(QStringLiteral("no-such-folder/out.txt"))));
}

TEST_F(ViewSaveTest, SaveWithoutRecordsWritesTheTwoHeaderLines)
{
    COrvik50View empty;
    empty.SetSaveChooser([this](QWidget*, const QStringList&) {
        return std::optional<SaveChoice>(SaveChoice{folder.Path(QStringLiteral("empty")), 2});
    });
    empty.OnFileSave();
    EXPECT_EQ(RecordFileFolder::ReadBytes(folder.Path(QStringLiteral("empty.txt"))),
              FormatDelimitedText(RecordList(), '\t'));
}

// The Save dialog: choosing a type changes the suffix added to a bare name,
// so the overwrite question names the file that Save then writes.
TEST(SaveDialogTest, SuffixFollowsTheChosenTypeAndTheOverwriteQuestionNamesThatFile)
{
    QTemporaryDir dir;
    QFile existing(dir.filePath(QStringLiteral("out.csv")));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    QString question;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (!types || !name) {
            dialog->reject();
            FAIL() << "the dialog has no type list or name field";
        }
        dialog->setDirectory(dir.path());
        QTest::keyClick(types, Qt::Key_Down);   // the user picks the third type
        QTest::keyClick(types, Qt::Key_Down);
        name->setText(QStringLiteral("out"));
        QTimer::singleShot(0, [&question] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                question = box->text();
                box->button(QMessageBox::Yes)->click();
            }
        });
        QTest::keyClick(name, Qt::Key_Return);
    });
    const std::optional<SaveChoice> choice = DefaultSaveChooser()(nullptr, COrvik50View().SaveNameFilters());
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(choice->filterIndex, 3);
    EXPECT_EQ(QFileInfo(choice->path).fileName().toStdString(), "out.csv");
    EXPECT_TRUE(question.contains(QStringLiteral("out.csv"))) << question.toStdString();
}

TEST(SaveFileTypesTest, FilterTextGivesExtensionsAddedOnlyToNamesWithoutOne)
{
    const auto types = ParseFileDialogFilter(
        "Microsoft Office Excel Workbook(*.xls)|*.xls|Text(Tab delimited)(*.txt)|*.txt |csv(Comma delimited)(*.csv)|*.csv||");
    ASSERT_EQ(types.size(), 3u);
    EXPECT_EQ(types[1].pattern, "*.txt ");
    EXPECT_EQ(types[0].extension + types[1].extension + types[2].extension, ".xls.txt.csv");
    EXPECT_EQ(WithTypeExtension("/tmp/out", ".txt"), "/tmp/out.txt");
    EXPECT_EQ(WithTypeExtension("/tmp/out.csv", ".txt"), "/tmp/out.csv");
    EXPECT_EQ(WithTypeExtension("/tmp/dir.d/out", ".txt"), "/tmp/dir.d/out.txt");
}

} // namespace
