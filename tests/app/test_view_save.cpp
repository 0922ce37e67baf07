// The Save command with the dialog scripted: bytes of each file type, the
// extension rule, cancelling and a failing write.
#include "AppTestSupport.h"

#include "app/COrvik50View.h"
#include "app/SaveFileTypes.h"
#include "export/DelimitedTextExport.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

class ViewSaveTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        view.SetOpenChooser([this](QWidget*) { return std::optional<QString>(openPath); });
        view.SetSaveChooser([this](QWidget*, const QStringList& filters) -> std::optional<SaveChoice> {
            offeredFilters = filters;
            return choice;
        });
        view.SetErrorReporter([this](const QString& text) { errors << text; });
        records = {VerdictRecord("OLT-A", "ONT-7"), VerdictRecord("OLT,B%d", "ONT-8", false)};
        openPath = folder.Write(QStringLiteral("in.bin"), records);
        view.OnFileOpen();
    }

    std::string SaveAs(const QString& name, int filterIndex)
    {
        choice = SaveChoice{folder.Path(name), filterIndex};
        view.OnFileSave();
        return RecordFileFolder::ReadBytes(folder.Path(name));
    }

    RecordFileFolder folder;
    COrvik50View view;
    std::vector<MeterRecord> records;
    QString openPath;
    std::optional<SaveChoice> choice;
    QStringList offeredFilters;
    QStringList errors;
};

RecordList ToList(const std::vector<MeterRecord>& records)
{
    RecordList list;
    for (const MeterRecord& record : records)
        list.Add(record);
    return list;
}

struct TypeCase {
    const char* typedName;
    int filterIndex;
    const char* writtenName;
    char separator;
};

class SaveTypeTest : public ViewSaveTest, public ::testing::WithParamInterface<TypeCase> {};

TEST_P(SaveTypeTest, WritesTheRecordsWithTheTypesSeparator)
{
    const TypeCase& c = GetParam();
    choice = SaveChoice{folder.Path(QString::fromUtf8(c.typedName)), c.filterIndex};
    view.OnFileSave();
    const std::string written = RecordFileFolder::ReadBytes(folder.Path(QString::fromUtf8(c.writtenName)));
    EXPECT_EQ(written, FormatDelimitedText(ToList(records), c.separator));
    EXPECT_EQ(view.FieldSeparator(), std::string(1, c.separator));
    EXPECT_TRUE(errors.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Types, SaveTypeTest,
    ::testing::Values(TypeCase{"out", 1, "out.xls", '\t'}, TypeCase{"out", 2, "out.txt", '\t'},
                      TypeCase{"out", 3, "out.csv", ','},
                      // The chosen type decides the separator, not the typed extension.
                      TypeCase{"table.csv", 2, "table.csv", '\t'}, TypeCase{"table.txt", 3, "table.txt", ','}));

TEST_F(ViewSaveTest, DialogOffersTheThreeTypesInOrder)
{
    choice.reset();
    view.OnFileSave();
    ASSERT_EQ(offeredFilters.size(), 3);
    EXPECT_EQ(offeredFilters[0], QStringLiteral("Microsoft Office Excel Workbook(*.xls)"));
    EXPECT_EQ(offeredFilters[1], QStringLiteral("Text(Tab delimited)(*.txt)"));
    EXPECT_EQ(offeredFilters[2], QStringLiteral("csv(Comma delimited)(*.csv)"));
}

TEST_F(ViewSaveTest, ExcelAndTextTypesGiveIdenticalBytes)
{
    EXPECT_EQ(SaveAs(QStringLiteral("a.xls"), 1), SaveAs(QStringLiteral("a.txt"), 2));
}

TEST_F(ViewSaveTest, CancelWritesNothingAndKeepsTheSeparator)
{
    choice.reset();
    view.OnFileSave();
    EXPECT_TRUE(QDir(folder.Path(QString())).entryList(QDir::Files).contains(QStringLiteral("in.bin")));
    EXPECT_EQ(QDir(folder.Path(QString())).entryList(QDir::Files).size(), 1);
    EXPECT_EQ(view.FieldSeparator(), "");
}

TEST_F(ViewSaveTest, FailedWriteNamesTheFileAndWritesNothing)
{
    SaveAs(QStringLiteral("no-such-folder/out.txt"), 2);
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

TEST(SaveFileTypesTest, FilterTextGivesTypesAndExtensions)
{
    const auto types = ParseFileDialogFilter(
        "Microsoft Office Excel Workbook(*.xls)|*.xls|Text(Tab delimited)(*.txt)|*.txt |csv(Comma delimited)(*.csv)|*.csv||");
    ASSERT_EQ(types.size(), 3u);
    EXPECT_EQ(types[1].pattern, "*.txt ");
    EXPECT_EQ(types[0].extension, ".xls");
    EXPECT_EQ(types[1].extension, ".txt");
    EXPECT_EQ(types[2].extension, ".csv");
}

TEST(SaveFileTypesTest, ExtensionAddedOnlyToNamesWithoutOne)
{
    EXPECT_EQ(WithTypeExtension("/tmp/out", ".txt"), "/tmp/out.txt");
    EXPECT_EQ(WithTypeExtension("/tmp/out.csv", ".txt"), "/tmp/out.csv");
    EXPECT_EQ(WithTypeExtension("/tmp/dir.d/out", ".txt"), "/tmp/dir.d/out.txt");
}

} // namespace
