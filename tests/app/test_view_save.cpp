// The Save command with the dialog scripted: bytes of each file type, the
// extension rule, cancelling and a failing write.
#include "AppTestSupport.h"

#include "export/DelimitedTextExport.h"
#include "grid/CGridCtrl.h"
#include "WorkbookCells.h"
#include "spreadsheet/ZipPackage.h"

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

namespace {

// The two records of "in.bin" are open; the Save dialog returns `choice`.
class ViewSaveTest : public ViewTest {
protected:
    void SetUp() override
    {
        view.SetSaveChooser([this](QWidget*, const QStringList& filters) {
            offeredFilters = filters;
            return choice;
        });
        for (const MeterRecord& record : saved)
            records.Add(record);
        Open(saved, QStringLiteral("in.bin"));
    }
    void SaveAs(const char* name, int filterIndex)
    {
        choice = SaveChoice{folder.Path(QString::fromUtf8(name)), filterIndex};
        view.OnFileSave();
    }

    const std::vector<MeterRecord> saved = {VerdictRecord("OLT-A", "ONT-7"), VerdictRecord("OLT,B%d", "ONT-8", false)};
    RecordList records;
    std::optional<SaveChoice> choice;
    QStringList offeredFilters;
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
        SaveAs(c.typedName, c.filterIndex);
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

// The workbook type: the cells as the table shows them, numbers as numbers
// with the table's decimals, pass green as on screen.
TEST_F(ViewSaveTest, WorkbookTypeWritesTheTableAsShown)
{
    SaveAs("table", 4);
    ASSERT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
    const std::string cells = WorkbookCells(QFile::encodeName(folder.Path(QStringLiteral("table.xlsx"))).toStdString());
    std::string row4, row8;   // record 1's first line, record 2's second line
    for (char column = 'A'; column <= 'M'; ++column) {
        row4 += WorkbookLine(cells, column + std::string("4")) + "|";
        row8 += WorkbookLine(cells, column + std::string("8")) + "|";
    }
    EXPECT_EQ(row4, "1\t0\t-\t-|'OLT-A'\tGeneral\t-\t-|'ONT-7'\tGeneral\t-\t-|1310\t0\t-\t-|-20.5\t0.00\t-\t-|"
                    "'dBm'\tGeneral\t-\t-|0\t0.00\t-\t-|'pass'\tGeneral\tFF00FF00\t-|-8\t0.00\t-\t-|-25\t0.00\t-\t-|"
                    "-28\t0.00\t-\t-|'2011/5/12'\tGeneral\t-\t-|'9:05:07'\tGeneral\t-\t-|");
    EXPECT_EQ(row8, "<none>|<none>|<none>|1490\t0\t-\t-|-27\t0.00\t-\t-|<none>|0\t0.00\t-\t-|'off'\tGeneral\t-\t-|"
                    "-8\t0.00\t-\t-|-25\t0.00\t-\t-|-28\t0.00\t-\t-|<none>|<none>|");
    EXPECT_EQ(view.FieldSeparator(), "") << "the workbook has no separator";
    const ZipPackage saved = ZipPackage::Read(QFile::encodeName(folder.Path(QStringLiteral("table.xlsx"))).toStdString());
    const std::string* properties = saved.Find("docProps/core.xml");
    EXPECT_TRUE(properties && properties->find("<dc:title>in.bin</dc:title>") != std::string::npos) << "titled with the record file's name";
}

TEST_F(ViewSaveTest, FailedWriteNamesTheFileAndWritesNothing)
{
    SaveAs("no-such-folder/out.txt", 2);
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
    ASSERT_TRUE(QFile(dir.filePath(QStringLiteral("out.csv"))).open(QIODevice::WriteOnly));
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
    EXPECT_EQ(std::pair(choice->filterIndex, QFileInfo(choice->path).fileName()), std::pair(3, QStringLiteral("out.csv")));
    EXPECT_TRUE(question.contains(QStringLiteral("out.csv"))) << question.toStdString();
}

} // namespace
