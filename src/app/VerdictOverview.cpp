#include "app/VerdictOverview.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QtCharts/QAreaSeries>
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSet>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QStackedBarSeries>
#include <QtCharts/QValueAxis>
#include <algorithm>
#include <bit>
#include <cmath>
#include <map>

namespace {

constexpr std::array<ThresholdVerdict, 4> kVerdicts{ThresholdVerdict::Pass, ThresholdVerdict::Wrng,
                                                    ThresholdVerdict::Fail, ThresholdVerdict::Off};
// A histogram of more bins than this gets wider bins.
constexpr double kMostBins = 80;

QColor ColourOf(ThresholdVerdict verdict)
{
    const COLORREF colour = VerdictColour(verdict);
    if (colour == CLR_DEFAULT)
        return QColor(200, 200, 200);   // "off" has no colour in the table
    return QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

QString WavelengthName(int wavelength)
{
    return QString::fromLatin1(WavelengthLabel(wavelength).data()) + QStringLiteral(" nm");
}

std::size_t Count(const VerdictCounts& counts, int wavelength, ThresholdVerdict verdict)
{
    return counts[static_cast<std::size_t>(wavelength)][static_cast<std::size_t>(verdict)];
}

// 0.5, 1, 2, 5, 10, 20, 50 ... dB: the narrowest that needs at most kMostBins.
double BinWidthFor(double low, double high)
{
    double width = 0.5;
    for (int step = 0; (high - low) / width > kMostBins - 1; ++step)
        width *= step % 3 == 2 ? 2.5 : 2;
    return width;
}

void FillBins(PowerHistogram& histogram, const std::vector<float>& readings)
{
    if (readings.empty())
        return;
    const auto [low, high] = std::minmax_element(readings.begin(), readings.end());
    histogram.binWidth = BinWidthFor(*low, *high);
    histogram.firstEdge = std::floor(*low / histogram.binWidth) * histogram.binWidth;
    const auto binCount = static_cast<std::size_t>((*high - histogram.firstEdge) / histogram.binWidth) + 1;
    histogram.bins.assign(binCount, 0);
    for (float power : readings) {
        const auto bin = static_cast<std::size_t>((power - histogram.firstEdge) / histogram.binWidth);
        ++histogram.bins[std::min(bin, binCount - 1)];
    }
}

PowerHistogram CountPowers(const RecordList& records)
{
    PowerHistogram histogram;
    std::vector<float> readings;
    // Threshold sets by their bits, so that NaN thresholds compare too.
    std::map<std::array<std::uint32_t, 3>, std::size_t> thresholdSets;
    for (std::size_t position = 0; position < records.GetSize(); ++position) {
        const MeterRecord& record = records[position];
        if (record.unitMode != 0)
            continue;   // readings in dB are relative: they do not belong on a dBm scale
        for (const WavelengthReading& reading : record.readings) {
            if (!(reading.power >= LOW_POWER_LIMIT))
                ++histogram.low;
            else if (!std::isfinite(reading.power))
                ++histogram.other;
            else
                readings.push_back(reading.power);
            if (record.thresholdMode != 0)
                ++thresholdSets[{std::bit_cast<std::uint32_t>(reading.passThreshold),
                                 std::bit_cast<std::uint32_t>(reading.warnThreshold),
                                 std::bit_cast<std::uint32_t>(reading.failThreshold)}];
        }
    }
    FillBins(histogram, readings);
    const auto commonest = std::max_element(thresholdSets.begin(), thresholdSets.end(),
                                            [](const auto& a, const auto& b) { return a.second < b.second; });
    if (commonest != thresholdSets.end())
        histogram.thresholds = std::array<float, 3>{std::bit_cast<float>(commonest->first[0]),
                                                    std::bit_cast<float>(commonest->first[1]),
                                                    std::bit_cast<float>(commonest->first[2])};
    return histogram;
}

QChartView* MakeChartView(QChart* chart, QWidget* parent)
{
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->setAlignment(Qt::AlignBottom);
    auto* view = new QChartView(chart, parent);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(380, 300);
    return view;
}

} // namespace

OverviewFigures CountOverviewFigures(const RecordList& records)
{
    return {records.GetSize(), CountVerdicts(records), CountPowers(records)};
}

VerdictOverview::VerdictOverview(QWidget* parent)
    : QDialog(parent)
    , verdictChart(new QChart)
    , powerChart(new QChart)
    , table(new QTableWidget(WAVELENGTH_COUNT, static_cast<int>(kVerdicts.size()), this))
    , powerNote(new QLabel(this))
{
    setModal(false);
    auto* charts = new QHBoxLayout;
    charts->addWidget(MakeChartView(verdictChart, this), 1);
    charts->addWidget(MakeChartView(powerChart, this), 1);

    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->setFixedHeight(table->horizontalHeader()->height() + 3 * table->verticalHeader()->defaultSectionSize() + 4);
    auto* copy = new QPushButton(QStringLiteral("Copy"), this);
    copy->setToolTip(QStringLiteral("Copies the table as tab-separated text"));
    connect(copy, &QPushButton::clicked, this, &VerdictOverview::CopyTable);
    auto* copyKey = new QShortcut(QKeySequence::Copy, this);
    connect(copyKey, &QShortcut::activated, this, &VerdictOverview::CopyTable);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    auto* below = new QHBoxLayout;
    below->addWidget(powerNote, 1);
    below->addWidget(copy);
    below->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(charts, 1);
    layout->addWidget(table);
    layout->addLayout(below);
    resize(960, 620);
}

void VerdictOverview::Describe(const RecordList& records, const QString& path)
{
    figures = CountOverviewFigures(records);
    setWindowTitle(QStringLiteral("Verdict Overview - %1 as opened (%2 records)")
                       .arg(QFileInfo(path).fileName())
                       .arg(figures.recordCount));
    FillVerdictChart();
    FillPowerChart();
    FillTable();
}

// Empties a chart of its series and axes for a new description, under `title`.
static void ClearChart(QChart& chart, const QString& title)
{
    chart.removeAllSeries();
    for (QAbstractAxis* axis : chart.axes()) {
        chart.removeAxis(axis);
        delete axis;   // a removed axis is handed back, not deleted
    }
    chart.setTitle(title);
}

void VerdictOverview::FillVerdictChart()
{
    ClearChart(*verdictChart, QStringLiteral("Verdicts per wavelength"));
    auto* series = new QStackedBarSeries;
    for (ThresholdVerdict verdict : kVerdicts) {
        auto* set = new QBarSet(QString::fromLatin1(VerdictWord(verdict).data()));
        set->setColor(ColourOf(verdict));
        set->setBorderColor(Qt::darkGray);
        for (int wavelength = 0; wavelength < WAVELENGTH_COUNT; ++wavelength)
            set->append(static_cast<qreal>(Count(figures.verdicts, wavelength, verdict)));
        connect(set, &QBarSet::clicked, this, [this, verdict](int index) { emit VerdictChosen(index, verdict); });
        series->append(set);
    }
    verdictChart->addSeries(series);
    auto* wavelengths = new QBarCategoryAxis;
    for (int wavelength = 0; wavelength < WAVELENGTH_COUNT; ++wavelength)
        wavelengths->append(WavelengthName(wavelength));
    verdictChart->addAxis(wavelengths, Qt::AlignBottom);
    series->attachAxis(wavelengths);
    auto* counts = new QValueAxis;
    counts->setRange(0, std::max<qreal>(1, static_cast<qreal>(figures.recordCount)));
    counts->applyNiceNumbers();
    counts->setLabelFormat(QStringLiteral("%d"));
    verdictChart->addAxis(counts, Qt::AlignLeft);
    series->attachAxis(counts);
}

void VerdictOverview::FillPowerChart()
{
    ClearChart(*powerChart, QStringLiteral("Power readings (dBm)"));
    const PowerHistogram& powers = figures.powers;
    // The bins as one stepped outline with the area under it filled.
    auto* outline = new QLineSeries;
    double left = powers.firstEdge, right = powers.firstEdge + powers.binWidth * static_cast<double>(powers.bins.size());
    std::size_t tallest = 1;
    for (std::size_t bin = 0; bin < powers.bins.size(); ++bin) {
        const double edge = powers.firstEdge + powers.binWidth * static_cast<double>(bin);
        const auto count = static_cast<qreal>(powers.bins[bin]);
        outline->append(edge, 0);
        outline->append(edge, count);
        outline->append(edge + powers.binWidth, count);
        outline->append(edge + powers.binWidth, 0);
        tallest = std::max(tallest, powers.bins[bin]);
    }
    auto* area = new QAreaSeries(outline);
    outline->setParent(area);   // the area does not own its outline; it goes with the area
    area->setName(QStringLiteral("readings"));
    area->setColor(QColor(70, 120, 200));
    area->setBorderColor(QColor(40, 70, 140));
    powerChart->addSeries(area);
    auto* xAxis = new QValueAxis;
    auto* yAxis = new QValueAxis;
    std::vector<QLineSeries*> lines;
    if (powers.thresholds) {
        const char* names[] = {"PASS", "WRNG", "FAIL"};
        for (std::size_t i = 0; i < 3; ++i) {
            const float level = (*powers.thresholds)[i];
            if (!std::isfinite(level))
                continue;
            auto* line = new QLineSeries;
            line->setName(QStringLiteral("%1 %2").arg(QLatin1String(names[i]), QString::fromStdString(LevelText(level))));
            line->append(level, 0);
            line->append(level, static_cast<qreal>(tallest));
            line->setPen(QPen(ColourOf(kVerdicts[i]).darker(120), 2, Qt::DashLine));
            lines.push_back(line);
            left = std::min(left, static_cast<double>(level) - 1);
            right = std::max(right, static_cast<double>(level) + 1);
        }
    }
    for (QLineSeries* line : lines)
        powerChart->addSeries(line);
    xAxis->setRange(left, powers.bins.empty() && lines.empty() ? left + 1 : right);
    xAxis->applyNiceNumbers();
    xAxis->setLabelFormat(QStringLiteral("%g"));
    xAxis->setTitleText(QStringLiteral("dBm"));
    yAxis->setRange(0, static_cast<qreal>(tallest));
    yAxis->applyNiceNumbers();   // ticks on whole counts
    yAxis->setLabelFormat(QStringLiteral("%d"));
    powerChart->addAxis(xAxis, Qt::AlignBottom);
    powerChart->addAxis(yAxis, Qt::AlignLeft);
    for (QAbstractSeries* series : powerChart->series()) {
        series->attachAxis(xAxis);
        series->attachAxis(yAxis);
    }
    std::size_t numbers = 0;
    for (std::size_t count : powers.bins)
        numbers += count;
    powerNote->setText(QStringLiteral("dBm readings: %1 in the histogram, %2 Low, %3 other non-numbers")
                           .arg(numbers).arg(powers.low).arg(powers.other));
}

void VerdictOverview::FillTable()
{
    QStringList headings;
    for (ThresholdVerdict verdict : kVerdicts)
        headings << QString::fromLatin1(VerdictWord(verdict).data());
    table->setHorizontalHeaderLabels(headings);
    QStringList wavelengths;
    for (int wavelength = 0; wavelength < WAVELENGTH_COUNT; ++wavelength) {
        wavelengths << WavelengthName(wavelength);
        for (int column = 0; column < static_cast<int>(kVerdicts.size()); ++column) {
            auto* item = new QTableWidgetItem(
                QString::number(Count(figures.verdicts, wavelength, kVerdicts[static_cast<std::size_t>(column)])));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(wavelength, column, item);
        }
    }
    table->setVerticalHeaderLabels(wavelengths);
}

QString VerdictOverview::TableText() const
{
    QString text = QStringLiteral("Wavelength");
    for (int column = 0; column < table->columnCount(); ++column)
        text += QLatin1Char('\t') + table->horizontalHeaderItem(column)->text();
    for (int row = 0; row < table->rowCount(); ++row) {
        text += QLatin1Char('\n') + table->verticalHeaderItem(row)->text();
        for (int column = 0; column < table->columnCount(); ++column)
            text += QLatin1Char('\t') + table->item(row, column)->text();
    }
    return text + QLatin1Char('\n');
}

QString VerdictOverview::PowerNote() const
{
    return powerNote->text();
}

void VerdictOverview::CopyTable() const
{
    QApplication::clipboard()->setText(TableText());
}
