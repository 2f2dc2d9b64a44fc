#include "gsmanalysiswindow.h"

#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>

#include <cmath>

#include "devicethread.h"
#include "globals.h"
#include "histogramwidget.h"
#include "parameters.h"
#include "utils.h"

namespace
{
constexpr int kPollMs = 10;
constexpr double kHistogramSpanDb = 30.0;

// The window's keys are plain keys of the settings file, beside the settings document.
QVariant ReadKey(const QString& key, const QVariant& defaultValue)
{
    return QSettings(g_Parameters.FilePath(), QSettings::IniFormat)
        .value(QStringLiteral("GsmAnalysisWindow/") + key, defaultValue);
}

void WriteKey(const QString& key, const QVariant& value)
{
    QSettings(g_Parameters.FilePath(), QSettings::IniFormat)
        .setValue(QStringLiteral("GsmAnalysisWindow/") + key, value);
}

// A start or bandwidth text that is not a finite number reads as 0 ("nan" and "inf" parse, but a
// channel grid cannot start or step there).
double FiniteOr0(double value)
{
    return std::isfinite(value) ? value : 0.0;
}

QString ShowNumber(double value)
{
    return QString::number(FiniteOr0(value), 'g', 6);
}
}  // namespace

CGsmAnalysisWindow::CGsmAnalysisWindow(double spectrumWidthMHz, QWidget* parent)
    : CQDockWindow(QStringLiteral("GsmAnalysisWindow"), parent), m_dSpectrumWidth(spectrumWidthMHz)
{
    // The dock keeps its settings name as its object name; the form leaves a named dock alone.
    ui.setupUi(this);
    CQHistogramWidget* histogram = ui.m_pHistogramView;
    histogram->m_dUpperLevel = histogram->m_dLowerLevel + kHistogramSpanDb;
    histogram->m_nMinBarWidth = 10;
    histogram->m_bShowValues = false;

    ui.m_pStartFreqEdit->setText(ShowNumber(ReadKey(QStringLiteral("StartFreq"), 1.0).toDouble()));
    ui.m_pChannelsSpin->setValue(ReadKey(QStringLiteral("Channels"), 80).toInt());
    ui.m_pBandwidthEdit->setText(ShowNumber(ReadKey(QStringLiteral("Bandwidth"), 0.2).toDouble()));
    ui.m_pAverCountEdit->setText(QString::number(ReadKey(QStringLiteral("AverCount"), 4).toInt()));
    (ReadKey(QStringLiteral("BandAver"), 0).toInt() != 0 ? ui.m_pChAver1 : ui.m_pChAverPeak)
        ->setChecked(true);
    const int totalAver = ReadKey(QStringLiteral("TotalAver"), 1).toInt();
    QRadioButton* const histRadios[] = {ui.m_pHistAverOff, ui.m_pHistAverPeak, ui.m_pHistAver1,
                                        ui.m_pHistAver2};
    // Another stored value leaves the form's "Peak".
    if (totalAver >= 0 && totalAver < 4)
        histRadios[totalAver]->setChecked(true);

    // Connected after the widgets were filled, so filling them started nothing.
    connect(ui.m_pG900Radio, &QRadioButton::clicked, this, &CGsmAnalysisWindow::OnG900Radio);
    connect(ui.m_pG1800Radio, &QRadioButton::clicked, this, &CGsmAnalysisWindow::OnG1800Radio);
    connect(ui.m_pStartStopButton, &QPushButton::clicked, this, &CGsmAnalysisWindow::OnStartStopButton);
    connect(&m_Timer, &QTimer::timeout, this, &CGsmAnalysisWindow::OnTimer);
    for (QLineEdit* edit : {ui.m_pStartFreqEdit, ui.m_pBandwidthEdit, ui.m_pAverCountEdit})
        connect(edit, &QLineEdit::editingFinished, this, &CGsmAnalysisWindow::OnSettingsChanged);
    connect(ui.m_pChannelsSpin, qOverload<int>(&QSpinBox::valueChanged), this,
            &CGsmAnalysisWindow::OnSettingsChanged);
    for (QRadioButton* radio : {ui.m_pChAverPeak, ui.m_pChAver1, ui.m_pHistAverOff, ui.m_pHistAverPeak,
                                ui.m_pHistAver1, ui.m_pHistAver2})
        connect(radio, &QRadioButton::released, this, &CGsmAnalysisWindow::OnSettingsChanged);
    m_bConstructed = true;
}

CGsmAnalysisWindow::~CGsmAnalysisWindow()
{
    // A running analysis stops, and the synthesiser it had parked scans again.
    setVisible(false);
    m_Timer.stop();
}

void CGsmAnalysisWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
    {
        ui.retranslateUi(this);
        // The form says "Start"; a running analysis says "Stop".
        UpdateButtonText();
    }
    CQDockWindow::changeEvent(event);
}

void CGsmAnalysisWindow::UpdateButtonText()
{
    ui.m_pStartStopButton->setText(g_DeviceThread.m_pGsmAnalysis->IsRunning() ? tr("Stop") : tr("Start"));
}

void CGsmAnalysisWindow::setVisible(bool visible)
{
    if (m_bConstructed)
    {
        if (!visible)
        {
            const bool wasRunning = g_DeviceThread.m_pGsmAnalysis->IsRunning();
            g_DeviceThread.m_pGsmAnalysis->Stop();
            m_Timer.stop();
            // A running analysis had parked the synthesiser on the tuned frequency.
            if (wasRunning)
                g_DeviceThread.m_pAdf->SetEnabled(true);
        }
        UpdateButtonText();
        if (visible)
        {
            const bool gsm1800 = ReadKey(QStringLiteral("GsmMode"), 0).toInt() != 0;
            (gsm1800 ? ui.m_pG1800Radio : ui.m_pG900Radio)->setChecked(true);
            WriteKey(QStringLiteral("GsmMode"), gsm1800 ? 1 : 0);
            emit ddcFreqChanged(gsm1800 ? kGsm1800FreqMHz : kGsm900FreqMHz);
        }
    }
    CQDockWindow::setVisible(visible);
}

void CGsmAnalysisWindow::OnSettingsChanged()
{
    const double start = CUtils::TypedNumber(ui.m_pStartFreqEdit->text());
    const int channels = ui.m_pChannelsSpin->value();
    const double width = CUtils::TypedNumber(ui.m_pBandwidthEdit->text());
    const int count = ui.m_pAverCountEdit->text().toInt();
    const int channelMode = ui.m_pChAver1->isChecked() ? 1 : 0;
    const int histMode = ui.m_pHistAverPeak->isChecked() ? 1
                         : ui.m_pHistAver1->isChecked()  ? 2
                         : ui.m_pHistAver2->isChecked()  ? 3
                                                         : 0;
    g_DeviceThread.m_pGsmAnalysis->SetBand(start, channels, width, m_dSpectrumWidth);
    g_DeviceThread.m_pGsmAnalysis->SetAveraging(count, channelMode, histMode);
    WriteKey(QStringLiteral("StartFreq"), start);
    WriteKey(QStringLiteral("Channels"), channels);
    WriteKey(QStringLiteral("Bandwidth"), width);
    WriteKey(QStringLiteral("AverCount"), count);
    WriteKey(QStringLiteral("BandAver"), channelMode);
    WriteKey(QStringLiteral("TotalAver"), histMode);
}

void CGsmAnalysisWindow::OnStartStopButton()
{
    if (g_DeviceThread.m_pGsmAnalysis->IsRunning())
    {
        g_DeviceThread.m_pGsmAnalysis->Stop();
        m_Timer.stop();
        g_DeviceThread.m_pAdf->SetEnabled(true);
    }
    else
    {
        g_DeviceThread.m_pAdf->SetEnabled(false);
        OnSettingsChanged();
        g_DeviceThread.m_pGsmAnalysis->Start();
        m_Timer.start(kPollMs);
    }
    UpdateButtonText();
}

void CGsmAnalysisWindow::OnG900Radio()
{
    WriteKey(QStringLiteral("GsmMode"), 0);
    emit ddcFreqChanged(kGsm900FreqMHz);
}

void CGsmAnalysisWindow::OnG1800Radio()
{
    WriteKey(QStringLiteral("GsmMode"), 1);
    emit ddcFreqChanged(kGsm1800FreqMHz);
}

void CGsmAnalysisWindow::OnTimer()
{
    if (g_DeviceThread.m_pGsmAnalysis->IsReady())
    {
        // The scale follows the levels shown until now; the new ones come in below.
        ui.m_pHistogramView->AutoFit();
        m_Levels = g_DeviceThread.m_pGsmAnalysis->GetResults();
    }
    std::vector<HISTOGRAM_BAR> bars;
    bars.reserve(m_Levels.size());
    for (size_t i = 0; i < m_Levels.size(); ++i)
        bars.push_back({QString::number(i + 1), m_Levels[i]});
    ui.m_pHistogramView->m_Bars = std::move(bars);
    ui.m_pHistogramView->update();
}
