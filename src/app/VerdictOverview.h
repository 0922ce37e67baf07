#pragma once
// The verdict overview of a record file as it was opened: per wavelength the
// pass, wrng, fail and off counts as stacked bars, a histogram of the dBm
// power readings with the commonest thresholds, and the counts as a table
// that can be copied. Edits made in the record table afterwards do not
// change it; opening another file rebuilds it.
#include "export/RecordWorkbook.h"
#include "records/RecordList.h"
#include "records/RecordTexts.h"

#include <QDialog>
#include <array>
#include <optional>
#include <vector>

class QChart;
class QChartView;
class QLabel;
class QTableWidget;

// The power readings of the records measured in dBm.
struct PowerHistogram {
    double firstEdge = 0;    // left edge of the first bin, dBm
    double binWidth = 1;
    std::vector<std::size_t> bins;
    std::size_t low = 0;     // shown as "Low" (below -90 dBm, or no number at all)
    std::size_t other = 0;   // the other readings that are no number (infinities)
    // PASS, WRNG and FAIL of the threshold set most of these readings were
    // judged by; none when no reading was judged.
    std::optional<std::array<float, 3>> thresholds;
};

struct OverviewFigures {
    std::size_t recordCount = 0;
    VerdictCounts verdicts{};   // counted as orvik50-export --summary counts them
    PowerHistogram powers;
};

OverviewFigures CountOverviewFigures(const RecordList& records);

class VerdictOverview : public QDialog {
    Q_OBJECT
public:
    explicit VerdictOverview(QWidget* parent = nullptr);

    // Shows the figures of `records`, opened from `path`.
    void Describe(const RecordList& records, const QString& path);
    const OverviewFigures& Figures() const { return figures; }
    QTableWidget* Table() const { return table; }
    // The table as tab-separated lines, headings first, as Copy gives it.
    QString TableText() const;
    QChart* VerdictChart() const { return verdictChart; }
    QChart* PowerChart() const { return powerChart; }
    QString PowerNote() const;

signals:
    // A bar segment was clicked: the verdict at the wavelength (0 = 1310 nm).
    void VerdictChosen(int wavelength, ThresholdVerdict verdict);

private:
    void FillVerdictChart();
    void FillPowerChart();
    void FillTable();
    void CopyTable() const;

    OverviewFigures figures;
    QChart* verdictChart;
    QChart* powerChart;
    QTableWidget* table;
    QLabel* powerNote;
};
