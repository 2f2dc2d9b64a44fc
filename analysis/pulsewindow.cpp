#include "pulsewindow.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTreeWidget>

#include <algorithm>
#include <cmath>
#include <limits>

#include "devicethread.h"
#include "globals.h"
#include "inputrangedialog.h"
#include "parameters.h"
#include "prompt.h"
#include "pulselogwindow.h"

namespace
{
const QString kSection = QStringLiteral("PulseWindow");
constexpr int kPollMs = 500;
constexpr int kWidth = 550;
constexpr int kHeight = 100;
// A corrupt count must not build millions of rows.
constexpr int kMaxRanges = 1000;
constexpr int kDurationItems = 5;
constexpr double kStepMHz = 61.0;
constexpr int kRangeDecimals = 5;

double CellValue(const QTreeWidgetItem* row, int column)
{
    return row->text(column).toDouble();
}

QString MHzText(double freqMHz)
{
    return QStringLiteral("%1 MHz").arg(QString::number(freqMHz, 'g', QLocale::FloatingPointShortest));
}

QString RangeText(double freqMHz)
{
    return QString::number(freqMHz, 'g', 6);
}

// The stored number of ranges, read as the double it is written as. It is checked before it becomes an
// int: a count that is no number, below one or beyond any int is damaged and loads nothing; a large one
// loads no more than the cap.
int StoredRangeCount()
{
    const double stored = g_Parameters.GetDouble(kSection, QStringLiteral("RangesCount"), 0.0);
    if (!std::isfinite(stored) || stored < 1.0 || stored > std::numeric_limits<int>::max())
        return 0;
    if (stored > kMaxRanges)
        return kMaxRanges;
    return static_cast<int>(stored);
}

QString AppName()
{
    return QCoreApplication::applicationName();
}
}  // namespace

CPulseWindow::CPulseWindow(QWidget* parent) : CQDockWindow(kSection, parent)
{
    // The restored state always opens hidden, with the window's own size beyond the stored corner.
    g_Parameters.SetInt(kSection, QStringLiteral("Right"),
                        g_Parameters.GetInt(kSection, QStringLiteral("Left"), 0) + kWidth);
    g_Parameters.SetInt(kSection, QStringLiteral("Bottom"),
                        g_Parameters.GetInt(kSection, QStringLiteral("Top"), 0) + kHeight);
    g_Parameters.SetInt(kSection, QStringLiteral("Visible"), 0);

    // The dock keeps its settings name as its object name; the form leaves a named dock alone.
    ui.setupUi(this);
    connect(ui.m_pViewLogButton, &QPushButton::clicked, this, &CPulseWindow::OnViewLogButton);
    connect(ui.m_pStartButton, &QPushButton::clicked, this, &CPulseWindow::OnStartButton);
    connect(ui.m_pStopButton, &QPushButton::clicked, this, &CPulseWindow::OnStopButton);
    connect(ui.m_pPrevButton, &QPushButton::clicked, this, &CPulseWindow::OnPrevButton);
    connect(ui.m_pNextButton, &QPushButton::clicked, this, &CPulseWindow::OnNextButton);
    connect(ui.m_pAddButton, &QPushButton::clicked, this, &CPulseWindow::OnAddButton);
    connect(ui.m_pDeleteButton, &QPushButton::clicked, this, &CPulseWindow::OnDeleteButton);
    connect(ui.m_pMaxTimeCombo, qOverload<int>(&QComboBox::activated), this, &CPulseWindow::OnMaxTimeCombo);
    connect(ui.m_pFreqSlider, &QSlider::valueChanged, this, &CPulseWindow::OnFreqSliderMoved);
    connect(ui.m_pAutoRadio, &QRadioButton::clicked, this, &CPulseWindow::OnAutoRadioClicked);
    connect(ui.m_pManualRadio, &QRadioButton::clicked, this, &CPulseWindow::OnManualRadioClicked);
    connect(ui.m_pTriggerLevelEdit, &QLineEdit::returnPressed, this, &CPulseWindow::OnTriggerLevelEdited);
    connect(&m_Timer, &QTimer::timeout, this, &CPulseWindow::OnTimer);

    const int count = StoredRangeCount();
    for (int i = 0; i < count; ++i)
    {
        auto* row = new QTreeWidgetItem(ui.m_pRangesTree);
        row->setText(0,
                     RangeText(g_Parameters.GetDouble(kSection, QStringLiteral("StartFreq%1").arg(i), 0.0)));
        row->setText(1, RangeText(g_Parameters.GetDouble(kSection, QStringLiteral("EndFreq%1").arg(i), 0.0)));
        row->setText(2, tr("MHz"));
    }
    if (ui.m_pRangesTree->topLevelItemCount() == 0)
        new QTreeWidgetItem(ui.m_pRangesTree, {QStringLiteral("500"), QStringLiteral("2500"), tr("MHz")});

    ui.m_pManualRadio->setChecked(true);
    ui.m_pTriggerLevelEdit->setText(
        QString::number(g_Parameters.GetDouble(kSection, QStringLiteral("ThresholdLevel"), 5.0), 'f', 2));
    // An index the combo does not hold would leave it without a duration and send a divider the
    // device has no range for.
    const int maxTime = g_Parameters.GetInt(kSection, QStringLiteral("MaxTime"), 0);
    ui.m_pMaxTimeCombo->setCurrentIndex(maxTime >= 0 && maxTime < kDurationItems ? maxTime : 0);
    ui.m_pStartFreqLabel->clear();
    ui.m_pCurrentFreqLabel->clear();
    ui.m_pEndFreqLabel->clear();
    ui.m_pEnvelopeCheck->setChecked(g_Parameters.GetDouble(kSection, QStringLiteral("ShowEnvelope"), 0.0) !=
                                    0.0);

    m_pLogWindow = new CPulseLogWindow(parent);
    m_pLogWindow->RestoreState();
    connect(m_pLogWindow, &CPulseLogWindow::viewPulse, this, &CPulseWindow::OnViewPulse);
    connect(m_pLogWindow, &CPulseLogWindow::savePulse, this, &CPulseWindow::OnSavePulse);
    connect(m_pLogWindow, &QDockWidget::visibilityChanged, this, &CPulseWindow::OnPulseLogVisibilityChanged);

    if (IChannel* channel = g_DeviceThread.GetChannel(-1))
    {
        const double start = channel->GetStartFreq();
        const double stop = channel->GetViewStopFreq();
        // Setting the range must not retune the receiver.
        ui.m_pFreqSlider->blockSignals(true);
        ui.m_pFreqSlider->setRange(static_cast<int>(start), static_cast<int>(stop));
        ui.m_pFreqSlider->blockSignals(false);
        ui.m_pStartFreqLabel->setText(MHzText(start));
        ui.m_pEndFreqLabel->setText(MHzText(stop));
    }
    ui.m_pAutoRadio->hide();
    ui.m_pManualRadio->hide();
}

CPulseWindow::~CPulseWindow()
{
    const int count = ui.m_pRangesTree->topLevelItemCount();
    g_Parameters.SetDouble(kSection, QStringLiteral("RangesCount"), count);
    for (int i = 0; i < count; ++i)
    {
        const QTreeWidgetItem* row = ui.m_pRangesTree->topLevelItem(i);
        g_Parameters.SetDouble(kSection, QStringLiteral("StartFreq%1").arg(i), CellValue(row, 0));
        g_Parameters.SetDouble(kSection, QStringLiteral("EndFreq%1").arg(i), CellValue(row, 1));
    }
    g_Parameters.SetInt(kSection, QStringLiteral("AutoTrigger"), ui.m_pAutoRadio->isChecked() ? 1 : 0);
    g_Parameters.SetDouble(kSection, QStringLiteral("ThresholdLevel"),
                           ui.m_pTriggerLevelEdit->text().toDouble());
    g_Parameters.SetInt(kSection, QStringLiteral("MaxTime"), ui.m_pMaxTimeCombo->currentIndex());
    g_Parameters.SetDouble(kSection, QStringLiteral("ShowEnvelope"),
                           ui.m_pEnvelopeCheck->isChecked() ? 1.0 : 0.0);
    if (m_pLogWindow)
    {
        m_pLogWindow->SaveState();
        // Without a parent nobody else would delete it.
        if (!m_pLogWindow->parent())
            delete m_pLogWindow;
    }
}

CPulseLogWindow* CPulseWindow::LogWindow() const
{
    return m_pLogWindow;
}

void CPulseWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
    {
        // The form's status is the idle one; a running search keeps its own.
        const QString status = ui.m_pStatusLabel->text();
        ui.retranslateUi(this);
        if (m_Timer.isActive())
            ui.m_pStatusLabel->setText(status);
        return;
    }
    CQDockWindow::changeEvent(event);
}

bool CPulseWindow::IsHighFrequencyInput() const
{
    const int type = g_DeviceThread.GetChannelType();
    return type == 0 || type == 3;
}

double CPulseWindow::TriggerLevelVolts() const
{
    // The edit holds mV; a text that is no finite number counts as 0.
    const double mV = ui.m_pTriggerLevelEdit->text().toDouble();
    return std::isfinite(mV) ? mV / 1000.0 : 0.0;
}

bool CPulseWindow::IsShowEnvelope() const
{
    return ui.m_pEnvelopeCheck->isChecked();
}

void CPulseWindow::ApplyTriggerSettings()
{
    PULSE_DETECT_PARAMS params = g_DeviceThread.m_pPulseDetect->GetSettings();
    params.autoThreshold = ui.m_pAutoRadio->isChecked();
    params.level = TriggerLevelVolts();
    g_DeviceThread.m_pPulseDetect->SetSettings(params);
}

void CPulseWindow::SetCurrentFreq(double freqMHz)
{
    ui.m_pFreqSlider->setValue(static_cast<int>(freqMHz));
}

void CPulseWindow::setTriggerLevel(double levelVolts)
{
    ui.m_pAutoRadio->setChecked(false);
    ui.m_pManualRadio->setChecked(true);
    ui.m_pTriggerLevelEdit->setText(QString::number(levelVolts * 1000.0, 'f', 2));
    emit enableTrigger(true);
    emit triggerLevelChanged(TriggerLevelVolts());
}

void CPulseWindow::OnAddButton()
{
    CInputRangeDialog dialog(QStringLiteral("FrequencyRange"));
    dialog.SetTexts(tr("Frequency Range"), tr("Start frequency:"), tr("End frequency:"));
    dialog.AddUnit(tr("MHz"), 1.0);
    dialog.SetFirstValue(m_dStartFreq, kRangeDecimals);
    dialog.SetSecondValue(m_dEndFreq, kRangeDecimals);
    IChannel* channel = g_DeviceThread.GetChannel(-1);
    const double lo = channel ? channel->GetStartFreq() : 0.0;
    const double hi = channel ? channel->GetViewStopFreq() : 0.0;
    while (Prompt().Exec(dialog) == QDialog::Accepted)
    {
        const double start = dialog.GetFirstValue();
        const double end = dialog.GetSecondValue();
        // Written so that a value that is no number fails its check too.
        QString warning;
        if (!(lo <= start))
            warning = tr("Wrong start frequency!");
        else if (!(end <= hi))
            warning = tr("Wrong end frequency!");
        else if (!(start <= end))
            warning = tr("Wrong range!");
        if (warning.isEmpty())
        {
            new QTreeWidgetItem(ui.m_pRangesTree, {RangeText(start), RangeText(end), tr("MHz")});
            return;
        }
        Prompt().Warning(this, AppName(), warning);
        // Asked again with what was typed, to be corrected.
        dialog.SetFirstValue(start, kRangeDecimals);
        dialog.SetSecondValue(end, kRangeDecimals);
    }
}

void CPulseWindow::OnDeleteButton()
{
    delete ui.m_pRangesTree->currentItem();
}

bool CPulseWindow::ApplyRanges()
{
    if (ui.m_pRangesTree->topLevelItemCount() == 0)
    {
        Prompt().Warning(this, AppName(), tr("No one frequency range specified!"));
        return false;
    }
    IChannel* channel = g_DeviceThread.GetChannel(-1);
    const double lo = channel ? channel->GetStartFreq() : 0.0;
    const double hi = channel ? channel->GetViewStopFreq() : 0.0;
    std::vector<PULSE_RANGE> ranges;
    for (int i = 0; i < ui.m_pRangesTree->topLevelItemCount(); ++i)
    {
        const QTreeWidgetItem* row = ui.m_pRangesTree->topLevelItem(i);
        const double start = CellValue(row, 0);
        const double end = CellValue(row, 1);
        // A "nan" cell passes every comparison; it must not tune the receiver.
        const bool finite = std::isfinite(start) && std::isfinite(end);
        if (!finite || lo > start || start > hi || lo > end || end > hi || start > end)
        {
            Prompt().Warning(this, AppName(), tr("Wrong frequency ranges specified!"));
            return false;
        }
        ranges.push_back({start, end});
    }
    PULSE_DETECT_PARAMS params = g_DeviceThread.m_pPulseDetect->GetSettings();
    params.ranges = std::move(ranges);
    g_DeviceThread.m_pPulseDetect->SetSettings(params);
    return true;
}

void CPulseWindow::SetSearching(bool searching)
{
    for (QWidget* control : std::initializer_list<QWidget*>{
             ui.m_pRangesTree, ui.m_pAddButton, ui.m_pDeleteButton, ui.m_pMaxTimeCombo, ui.m_pAutoRadio,
             ui.m_pManualRadio, ui.m_pTriggerLevelEdit, ui.m_pFreqSlider, ui.m_pPrevButton, ui.m_pNextButton,
             ui.m_pStartButton})
        control->setEnabled(!searching);
    ui.m_pStopButton->setEnabled(searching);
}

void CPulseWindow::OnStartButton()
{
    if (!ApplyRanges())
        return;
    const bool automatic = ui.m_pAutoRadio->isChecked();
    const double level = TriggerLevelVolts();
    SetSearching(true);
    PULSE_DETECT_PARAMS params = g_DeviceThread.m_pPulseDetect->GetSettings();
    params.autoThreshold = automatic;
    params.level = level;
    g_DeviceThread.m_pPulseDetect->SetSettings(params);
    g_DeviceThread.m_pPulseDetect->Start();
    emit triggerLevelChanged(level);
    m_Timer.start(kPollMs);
    ui.m_pStatusLabel->setText(tr("Digital signals detection started"));
    emit closeViewPulse();
    emit started();
}

void CPulseWindow::OnStopButton()
{
    m_Timer.stop();
    g_DeviceThread.m_pPulseDetect->Stop();
    SetSearching(false);
    ui.m_pStatusLabel->setText(tr("Ready"));
    emit stopped();
    emit clkDivCntChanged(2 * ui.m_pMaxTimeCombo->currentIndex());
}

void CPulseWindow::OnTimer()
{
    const double freq = g_DeviceThread.m_pPulseDetect->GetCurrentFreq();
    ui.m_pFreqSlider->setValue(static_cast<int>(freq));
    ui.m_pCurrentFreqLabel->setText(MHzText(freq));
    ui.m_pStatusLabel->setText(tr("Searching for digital signals. %1 signals found so far...")
                                   .arg(g_DeviceThread.m_pPulseDetect->GetPulseCount()));
    emit triggerLevelChanged(g_DeviceThread.m_pPulseDetect->GetThresholdLevel());
}

void CPulseWindow::OnFreqSliderMoved(int freqMHz)
{
    ui.m_pCurrentFreqLabel->setText(MHzText(freqMHz));
    if (!g_DeviceThread.m_pPulseDetect->IsRunning())
        g_DeviceThread.m_pPulseDetect->SetCurrentFreq(freqMHz);
}

void CPulseWindow::StepTo(double freqMHz)
{
    g_DeviceThread.m_pPulseDetect->SetCurrentFreq(freqMHz);
    ui.m_pCurrentFreqLabel->setText(MHzText(freqMHz));
    ui.m_pFreqSlider->setValue(static_cast<int>(freqMHz));
}

void CPulseWindow::OnNextButton()
{
    IChannel* channel = g_DeviceThread.GetChannel(-1);
    if (!channel)
        return;
    StepTo(std::min(channel->GetViewStopFreq(), g_DeviceThread.m_pPulseDetect->GetCurrentFreq() + kStepMHz));
}

void CPulseWindow::OnPrevButton()
{
    IChannel* channel = g_DeviceThread.GetChannel(-1);
    if (!channel)
        return;
    StepTo(std::max(channel->GetStartFreq(), g_DeviceThread.m_pPulseDetect->GetCurrentFreq() - kStepMHz));
}

void CPulseWindow::OnMaxTimeCombo(int index)
{
    emit clkDivCntChanged(2 * index);
}

void CPulseWindow::OnAutoRadioClicked(bool checked)
{
    if (checked)
        emit enableTrigger(true);
}

void CPulseWindow::OnManualRadioClicked(bool checked)
{
    if (!checked)
        return;
    emit enableTrigger(true);
    emit triggerLevelChanged(TriggerLevelVolts());
}

void CPulseWindow::OnTriggerLevelEdited()
{
    emit triggerLevelChanged(TriggerLevelVolts());
}

void CPulseWindow::OnViewLogButton()
{
    m_pLogWindow->setEnabled(true);
    m_pLogWindow->setVisible(true);
}

void CPulseWindow::OnViewPulse(const std::vector<double>& envelope)
{
    // The search would replace the shown pulse with live samples.
    OnStopButton();
    emit viewPulse(envelope);
}

void CPulseWindow::OnSavePulse(const QString& path)
{
    emit savePulse(path);
}

void CPulseWindow::OnPulseLogVisibilityChanged(bool visible)
{
    if (!visible)
        emit closeViewPulse();
}

void CPulseWindow::setVisible(bool visible)
{
    if (IsHighFrequencyInput())
    {
        IAdf4350* adf = g_DeviceThread.m_pAdf;
        if (visible)
        {
            adf->SetEnabled(false);
            m_bSavedOnlyDdc = adf->IsOnlyDdc();
            adf->SetOnlyDdc(true);
            emit enableTrigger(true);
            if (!ui.m_pAutoRadio->isChecked())
                emit triggerLevelChanged(TriggerLevelVolts());
            emit clkDivCntChanged(2 * ui.m_pMaxTimeCombo->currentIndex());
        }
        else
        {
            if (g_DeviceThread.m_pPulseDetect->IsRunning())
                OnStopButton();
            adf->SetOnlyDdc(m_bSavedOnlyDdc);
            if (!m_bSavedOnlyDdc)
                adf->SetEnabled(true);
            emit enableTrigger(false);
            emit clkDivCntChanged(0);
        }
    }
    CQDockWindow::setVisible(visible);
}
