#pragma once
// The record table view: owns the records of the last opened record file and
// the grid that shows them (three header rows, three rows per record, 13
// columns), and carries the Open, Save, print and template-export commands,
// finding (with the find bar under the grid) and the verdict overview.
#include "app/CCmdTarget.h"
#include "app/FileChoosers.h"
#include "export/ExcelAutomation.h"
#include "export/TemplateExport.h"
#include "app/RecordRowTexts.h"
#include "grid/GridFind.h"
#include "grid/store/GridCell.h"
#include "platform/PrintInfo.h"
#include "records/MeterRecord.h"
#include "records/RecordList.h"
#include "records/RecordTexts.h"

#include <QFrame>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <string>

class CDC;
class CGridCtrl;
class FindBar;
class QPrinter;
class VerdictOverview;
struct RECT;

class COrvik50View : public QFrame, public CCmdTarget {
    Q_OBJECT
public:
    explicit COrvik50View(QWidget* parent = nullptr);
    ~COrvik50View() override;

    // Start-up and File New: the view shows no grid and holds no records.
    void OnInitialUpdate();

    bool OnCmdMsg(UINT id, bool execute) override;
    // The menu's update rule beyond having a handler: the edit commands
    // follow the grid's own rules.
    bool IsCommandEnabled(UINT id) const;

    // --- Open ---
    // Asks for a record file and opens it (OpenRecordFile).
    void OnFileOpen();
    // Reads `path` and shows its records in a new grid. A file that cannot be
    // read changes nothing; the status text says which file and why.
    bool OpenRecordFile(const QString& path);

    // --- Save: the records as delimited text or as a workbook ---
    void OnFileSave();
    // Writes the records to `path` as the 1-based type index says (the three
    // text types, then the workbook); reports a failure through the error reporter.
    bool SaveRecordFile(const QString& path, int filterIndex);

    // --- Template export (the blank menu-bar entry) ---
    void OnTemplateExport();
    // The dispatch holders of the template export; empty between runs.
    const ExcelAutomation::Holders& ExcelHolders() const { return excel; }

    // --- Printing: the report drawn through the framework's hooks ---
    // Print asks through the print dialog; direct printing goes to the
    // default printer without it.
    void OnFilePrint();
    void OnFilePrintDirect();
    void OnFilePrintPreview();
    // Prints every page of the report on `printer` without a dialog, through
    // the same hooks as Print (used by tests).
    void PrintReportTo(QPrinter& printer);
    // Runs the printing hooks over the job's pages on `dc`, one page after
    // the other; `startPage` (page, last page) runs before each page and
    // stops the job by answering false. True when every page was drawn.
    using PageStart = std::function<bool(UINT page, UINT lastPage)>;
    bool PrintReportPages(CDC& dc, CPrintInfo& info, const PageStart& startPage);
    bool OnPreparePrinting(CPrintInfo* info);
    void OnBeginPrinting(CDC* dc, CPrintInfo* info);
    void OnPrepareDC(CDC* dc, CPrintInfo* info);
    void OnPrint(CDC* dc, CPrintInfo* info);
    void OnEndPrinting(CDC* dc, CPrintInfo* info);
    // The view's own drawing adds nothing to the screen or to a page.
    void OnDraw(CDC* dc);

    // --- Find, failing records and the verdict overview ---
    // Opens the find bar with the keyboard in it.
    void OnEditFind();
    // The next (previous) match after the focus cell; opens the find bar
    // when nothing is sought yet.
    void FindAgain(bool forward);
    // The verdict cell of the next (previous) record with a wrng or fail verdict.
    void GoToFailingRecord(bool forward);
    // Shows the overview of the file as opened, made anew for each file.
    void OnVerdictOverview();
    FindBar* GetFindBar() const { return findBar; }
    VerdictOverview* Overview() const;
    // Where counting the matches stands: true while it goes on.
    bool IsCountingMatches() const { return countTimer.isActive(); }

    // --- State, for the frame and for tests ---
    CGridCtrl* GetGrid() const { return grid; }
    const RecordList& Records() const { return recordList; }
    const std::string& SaveFilter() const { return saveFilter; }
    const std::string& FieldSeparator() const { return fieldSeparator; }
    // Qt name filters of the Save dialog, in the order of the filter text.
    QStringList SaveNameFilters() const;
    QString StatusText() const { return statusText; }

    // --- Replaceable user interaction (tests script these) ---
    void SetOpenChooser(OpenFileChooser chooser) { openChooser = std::move(chooser); }
    void SetSaveChooser(SaveFileChooser chooser) { saveChooser = std::move(chooser); }
    // Shows why a save failed; the default is a warning message box.
    void SetErrorReporter(std::function<void(const QString&)> reporter) { errorReporter = std::move(reporter); }
    // Shows the print dialog for `printer`; false when the user cancels.
    void SetPrintDialogRunner(std::function<bool(QPrinter&, CPrintInfo&)> runner) { printDialogRunner = std::move(runner); }
    // Adjusts the default printer of Print and direct printing before the
    // job starts (tests send the job to a PDF file).
    void SetPrinterSetup(std::function<void(QPrinter&)> setup) { printerSetup = std::move(setup); }
    // What the blank menu-bar entry runs; the template export by default.
    void SetTemplateExport(std::function<void()> exporter) { templateExport = std::move(exporter); }
    // Shows the template export's messages; the default is a message box.
    void SetTemplateMessageBox(MessageBoxFunction box) { templateMessageBox = std::move(box); }

signals:
    // A new text for the status bar's message pane.
    void StatusTextChanged(const QString& text);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void ConnectFindBar();
    // The grid's part of the client area: all of it but the find bar.
    QRect GridArea() const;
    void LayoutChildren();
    // Searches from the focus cell as the text sought changes.
    void SearchAsTyped();
    void FindFromFocus(bool forward, bool includeFrom);
    // Focus, selection and scrolling onto a cell (its whole block when merged).
    void GoToCell(CellId cell);
    // Counting all matches, a slice of rows at a time between other events.
    void StartCounting(CellId current);
    void CountSlice();
    // The first record with `verdict` at `wavelength` in the file as opened.
    void GoToFirstVerdict(int wavelength, ThresholdVerdict verdict);
    // The status text, kept and announced.
    void SetStatusText(const QString& text);
    // Deletes the grid (cells, then window and object), if there is one.
    void DestroyGrid();
    // Builds and fills a grid for `recordList` over `clientRect`.
    void BuildGrid(const RECT& clientRect);
    void FillHeaderRows();
    void FillRecordRows();
    // Applies fillItem to (row, column).
    void ApplyFillItem(int row, int column);
    // Print and direct printing on the default printer.
    void PrintOnDefaultPrinter(bool direct);
    // The print job of Print and PrintReportTo: page after page to the
    // printer, with progress and Cancel between pages.
    void RunPrintLoop(QPrinter& printer, CPrintInfo& info);
    // One page through OnPrepareDC and OnPrint, for a job and the preview;
    // false when the page does not exist.
    bool DrawJobPage(CDC& dc, CPrintInfo& info, UINT page);
    // The framework's preparation: the print dialog unless printing directly or previewing.
    bool DoPreparePrinting(CPrintInfo* info);

    // Members in the order the view keeps them.
    std::string saveFilter;
    std::string fieldSeparator;
    CGridCtrl* grid = nullptr;       // owned; null when no file is shown
    GridItem fillItem;               // reused for every cell the Open command fills
    RecordList recordList;
    RecordRowTexts recordTexts{recordList};   // the record rows' texts, made when the grid asks

    OpenFileChooser openChooser;
    SaveFileChooser saveChooser;
    std::function<void(const QString&)> errorReporter;
    std::function<bool(QPrinter&, CPrintInfo&)> printDialogRunner;
    std::function<void(QPrinter&)> printerSetup;
    std::function<void()> templateExport;
    MessageBoxFunction templateMessageBox;
    ExcelAutomation::Holders excel;
    QPrinter* activePrinter = nullptr;   // the printer of the job being prepared
    QString statusText;
    QString openedPath;   // the file the records were read from

    FindBar* findBar;
    QPointer<VerdictOverview> overview;
    // Counting the matches: the search, the next position to count, the
    // position of the match shown, and the counts so far.
    struct MatchCount {
        GridTextMatcher matcher;
        long long next = 0, current = 0, total = 0, before = 0;
    } count;
    QTimer countTimer;
};
