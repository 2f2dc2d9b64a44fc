#include "measurementswindow.h"

#include <QEvent>
#include <QHeaderView>
#include <QResizeEvent>
#include <QTableWidgetItem>

#include "prompt.h"
#include "selectmeasurementsdialog.h"
#include "ui_measurementswindow.h"
#include "utils.h"

namespace
{
// Added to the rows' height: the title bar, the header, the button and the margins.
constexpr int kFrameHeight = 75;

QString Indented(const QString& title)
{
    return QStringLiteral("    ") + title;
}

void SetCell(QTableWidget* table, int row, int column, const QString& text)
{
    // Cells are reused from one refresh to the next: the table is rebuilt on every data cycle.
    if (QTableWidgetItem* item = table->item(row, column))
        item->setText(text);
    else
        table->setItem(row, column, new QTableWidgetItem(text));
}
}  // namespace

CMeasurementsWindow::CMeasurementsWindow(const QString& name, QWidget* parent)
    : CQDockWindow(name, parent), m_ui(std::make_unique<Ui::CMeasurementsWindowClass>())
{
    m_ui->setupUi(this);
    BuildLists();
    m_currentList = SpectrumList;
    UpdateTable();
    connect(m_ui->m_pSelectButton, &QPushButton::clicked, this, &CMeasurementsWindow::OnSelectButton);
}

CMeasurementsWindow::~CMeasurementsWindow() = default;

void CMeasurementsWindow::BuildLists()
{
    MeasurementList& spectrum = m_lists[SpectrumList];
    spectrum.Clear();
    spectrum.SetPrefix(QStringLiteral("Spectrum"));
    spectrum.Add(QStringLiteral("Sep1"), tr("Frequency measurements:"), QString());
    spectrum.Add(QStringLiteral("FreqMax"), Indented(tr("Max frequency")), QString());
    spectrum.Add(QStringLiteral("FreqLevelMax"), Indented(tr("Max freq. level")), QString());
    spectrum.Add(QStringLiteral("Sep2"), tr("Level measurements:"), QString());
    spectrum.Add(QStringLiteral("LevelIntegral"), Indented(tr("Integral level")), QString());
    spectrum.Add(QStringLiteral("Sep3"), tr("Cursor measurements:"), QString());
    spectrum.Add(QStringLiteral("FreqCursorMax"), Indented(tr("Max cursor freq.")), QString());
    spectrum.Add(QStringLiteral("FreqLevelCursorMax"), Indented(tr("Max cursor level")), QString());
    spectrum.Add(QStringLiteral("LevelIntegralCursor"), Indented(tr("Cursor integral level")), QString());

    MeasurementList& osc = m_lists[OscList];
    osc.Clear();
    osc.SetPrefix(QStringLiteral("Oscillator"));
    osc.Add(QStringLiteral("LevelRms"), tr("RMS level"), QString());
    osc.Add(QStringLiteral("LevelPkPk"), tr("Peak-peak level"), QString());
    osc.Add(QStringLiteral("LevelMax"), tr("Max level"), QString());
    osc.Add(QStringLiteral("LevelDisp"), tr("Disp. level"), QString());

    MeasurementList& spectrumIq = m_lists[SpectrumIqList];
    spectrumIq.Clear();
    spectrumIq.SetPrefix(QStringLiteral("SpectrumIQ"));
    spectrumIq.Add(QStringLiteral("Sep4"), tr("Frequency measurements:"), QString());
    spectrumIq.Add(QStringLiteral("FreqMax"), Indented(tr("Max frequency")), QString());
    spectrumIq.Add(QStringLiteral("FreqLevelMax"), Indented(tr("Max level freq.")), QString());
    spectrumIq.Add(QStringLiteral("Sep5"), tr("Level measurements:"), QString());
    spectrumIq.Add(QStringLiteral("LevelIntegral"), Indented(tr("Integral level")), QString());
    spectrumIq.Add(QStringLiteral("LevelRmsI"), Indented(tr("RMS Level I")), QString());
    spectrumIq.Add(QStringLiteral("LevelPkPkI"), Indented(tr("Peak-peak level I")), QString());
    spectrumIq.Add(QStringLiteral("LevelMaxI"), Indented(tr("Max level I")), QString());
    spectrumIq.Add(QStringLiteral("LevelDispI"), Indented(tr("Mean level I")), QString());
    spectrumIq.Add(QStringLiteral("LevelRmsQ"), Indented(tr("RMS Level Q")), QString());
    spectrumIq.Add(QStringLiteral("LevelPkPkQ"), Indented(tr("Peak-peak level Q")), QString());
    spectrumIq.Add(QStringLiteral("LevelMaxQ"), Indented(tr("Max level Q")), QString());
    spectrumIq.Add(QStringLiteral("LevelDispQ"), Indented(tr("Mean level Q")), QString());
    spectrumIq.Add(QStringLiteral("Sep6"), tr("Cursor measurements:"), QString());
    spectrumIq.Add(QStringLiteral("FreqCursorMax"), Indented(tr("Max cursor freq.")), QString());
    spectrumIq.Add(QStringLiteral("FreqLevelCursorMax"), Indented(tr("Max cursor level")), QString());
    spectrumIq.Add(QStringLiteral("LevelIntegralCursor"), Indented(tr("Cursor integral level")), QString());

    MeasurementList& oscIq = m_lists[OscIqList];
    oscIq.Clear();
    oscIq.SetPrefix(QStringLiteral("OscillatorIQ"));
    oscIq.Add(QStringLiteral("LevelRmsI"), tr("RMS Level I"), QString());
    oscIq.Add(QStringLiteral("LevelPkPkI"), tr("Peak-peak level I"), QString());
    oscIq.Add(QStringLiteral("LevelMaxI"), tr("Max level I"), QString());
    oscIq.Add(QStringLiteral("LevelDispI"), tr("Disp. level I"), QString());
    oscIq.Add(QStringLiteral("LevelRmsQ"), tr("RMS Level Q"), QString());
    oscIq.Add(QStringLiteral("LevelPkPkQ"), tr("Peak-peak level Q"), QString());
    oscIq.Add(QStringLiteral("LevelMaxQ"), tr("Max level Q"), QString());
    oscIq.Add(QStringLiteral("LevelDispQ"), tr("Disp. level Q"), QString());
}

void CMeasurementsWindow::SetCurrentList(int i)
{
    if (i < 0 || i >= ListCount)
        return;
    m_currentList = i;
    UpdateTable();
}

void CMeasurementsWindow::SetMeasurementValue(const QString& id, double value, int kind, int precision)
{
    m_lists[m_currentList].SetValue(id, CUtils::FormatValue(value, kind, precision));
}

void CMeasurementsWindow::ClearMeasurementValue(const QString& id)
{
    m_lists[m_currentList].SetValue(id, QString());
}

void CMeasurementsWindow::UpdateTable()
{
    const MeasurementList& list = m_lists[m_currentList];
    QTableWidget* table = m_ui->m_pTableView;
    const int visibleCount = list.VisibleCount();
    table->setRowCount(visibleCount);
    int row = 0;
    for (int i = 0; i < list.Count(); ++i)
    {
        if (!list.IsVisible(i))
            continue;
        SetCell(table, row, 0, list.GetTitle(i));
        SetCell(table, row, 1, list.GetValue(i));
        table->setRowHeight(row, kRowHeight);
        ++row;
    }
    setFixedHeight(visibleCount * kRowHeight + kFrameHeight);
}

void CMeasurementsWindow::OnSelectButton()
{
    CSelectMeasurementsDialog dialog(&m_lists[m_currentList]);
    Prompt().Exec(dialog);
    UpdateTable();
}

void CMeasurementsWindow::resizeEvent(QResizeEvent* event)
{
    event->accept();
    const int width = this->width() - 40;
    m_ui->m_pTableView->setColumnWidth(0, width * 2 / 3);
    m_ui->m_pTableView->setColumnWidth(1, width / 3);
}

void CMeasurementsWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        m_ui->retranslateUi(this);
    else
        CQDockWindow::changeEvent(event);
}
