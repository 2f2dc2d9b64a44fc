#include "gsmanalysiswindow.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QVBoxLayout>

#include "devicethread.h"
#include "globals.h"
#include "histogramwidget.h"
#include "parameters.h"

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

QRadioButton* NamedRadio(QWidget* parent, const char* name)
{
    auto* radio = new QRadioButton(parent);
    radio->setObjectName(QLatin1String(name));
    return radio;
}

QLineEdit* NamedEdit(QWidget* parent, const char* name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setFixedWidth(50);
    return edit;
}
}  // namespace

CGsmAnalysisWindow::CGsmAnalysisWindow(double spectrumWidthMHz, QWidget* parent)
    : CQDockWindow(QStringLiteral("GsmAnalysisWindow"), parent), m_dSpectrumWidth(spectrumWidthMHz)
{
    setFloating(true);
    setAllowedAreas(Qt::NoDockWidgetArea);
    resize(733, 555);
    setMinimumSize(256, 555);

    auto* content = new QWidget(this);
    auto* layout = new QHBoxLayout(content);
    layout->setContentsMargins(11, 11, 11, 11);
    layout->setSpacing(6);
    m_pHistogramView = new CQHistogramWidget(content);
    m_pHistogramView->setObjectName(QStringLiteral("m_pHistogramView"));
    m_pHistogramView->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    layout->addWidget(m_pHistogramView, 1);
    auto* column = new QVBoxLayout;
    layout->addLayout(column);

    auto* modeBox = new QGroupBox(tr("GSM Mode"), content);
    m_pG900Radio = NamedRadio(modeBox, "m_pG900Radio");
    m_pG1800Radio = NamedRadio(modeBox, "m_pG1800Radio");
    auto* modeLayout = new QVBoxLayout(modeBox);
    modeLayout->addWidget(m_pG900Radio);
    modeLayout->addWidget(m_pG1800Radio);
    column->addWidget(modeBox);

    auto* settingsBox = new QGroupBox(tr("Settings"), content);
    m_pStartFreqEdit = NamedEdit(settingsBox, "m_pStartFreqEdit");
    m_pChannelsSpin = new QSpinBox(settingsBox);
    m_pChannelsSpin->setObjectName(QStringLiteral("m_pChannelsSpin"));
    m_pChannelsSpin->setRange(0, 99);
    m_pBandwidthEdit = NamedEdit(settingsBox, "m_pBandwidthEdit");
    auto* settingsLayout = new QFormLayout(settingsBox);
    settingsLayout->addRow(tr("Start Freq.:"), m_pStartFreqEdit);
    settingsLayout->addRow(tr("Channels:"), m_pChannelsSpin);
    settingsLayout->addRow(tr("Bandwidth:"), m_pBandwidthEdit);
    column->addWidget(settingsBox);

    auto* histBox = new QGroupBox(tr("Histogram Averaging"), content);
    m_pHistAverOff = NamedRadio(histBox, "m_pHistAverOff");
    m_pHistAverPeak = NamedRadio(histBox, "m_pHistAverPeak");
    m_pHistAverPeak->setChecked(true);
    m_pHistAver1 = NamedRadio(histBox, "m_pHistAver1");
    m_pHistAver2 = NamedRadio(histBox, "m_pHistAver2");
    m_pAverCountEdit = NamedEdit(histBox, "m_pAverCountEdit");
    auto* histLayout = new QFormLayout(histBox);
    for (QRadioButton* radio : {m_pHistAverOff, m_pHistAverPeak, m_pHistAver1, m_pHistAver2})
        histLayout->addRow(radio);
    histLayout->addRow(tr("Aver. Count:"), m_pAverCountEdit);
    column->addWidget(histBox);

    auto* channelBox = new QGroupBox(tr("Averaging in channel"), content);
    m_pChAverPeak = NamedRadio(channelBox, "m_pChAverPeak");
    m_pChAverPeak->setChecked(true);
    m_pChAver1 = NamedRadio(channelBox, "m_pChAver1");
    auto* channelLayout = new QVBoxLayout(channelBox);
    channelLayout->addWidget(m_pChAverPeak);
    channelLayout->addWidget(m_pChAver1);
    column->addWidget(channelBox);
    column->addStretch(1);
    m_pStartStopButton = new QPushButton(content);
    m_pStartStopButton->setObjectName(QStringLiteral("m_pStartStopButton"));
    column->addWidget(m_pStartStopButton);
    setWidget(content);
    RetranslateUi();

    m_pHistogramView->m_dUpperLevel = m_pHistogramView->m_dLowerLevel + kHistogramSpanDb;
    m_pHistogramView->m_nMinBarWidth = 10;
    m_pHistogramView->m_bShowValues = false;

    m_pStartFreqEdit->setText(QString::number(ReadKey(QStringLiteral("StartFreq"), 1.0).toDouble(), 'g', 6));
    m_pChannelsSpin->setValue(ReadKey(QStringLiteral("Channels"), 80).toInt());
    m_pBandwidthEdit->setText(QString::number(ReadKey(QStringLiteral("Bandwidth"), 0.2).toDouble(), 'g', 6));
    m_pAverCountEdit->setText(QString::number(ReadKey(QStringLiteral("AverCount"), 4).toInt()));
    (ReadKey(QStringLiteral("BandAver"), 0).toInt() != 0 ? m_pChAver1 : m_pChAverPeak)->setChecked(true);
    const int totalAver = ReadKey(QStringLiteral("TotalAver"), 1).toInt();
    QRadioButton* const histRadios[] = {m_pHistAverOff, m_pHistAverPeak, m_pHistAver1, m_pHistAver2};
    // Another stored value leaves the form's "Peak".
    if (totalAver >= 0 && totalAver < 4)
        histRadios[totalAver]->setChecked(true);

    connect(m_pG900Radio, &QRadioButton::clicked, this, &CGsmAnalysisWindow::OnG900Radio);
    connect(m_pG1800Radio, &QRadioButton::clicked, this, &CGsmAnalysisWindow::OnG1800Radio);
    connect(m_pStartStopButton, &QPushButton::clicked, this, &CGsmAnalysisWindow::OnStartStopButton);
    connect(&m_Timer, &QTimer::timeout, this, &CGsmAnalysisWindow::OnTimer);
    for (QLineEdit* edit : {m_pStartFreqEdit, m_pBandwidthEdit, m_pAverCountEdit})
        connect(edit, &QLineEdit::editingFinished, this, &CGsmAnalysisWindow::OnSettingsChanged);
    connect(m_pChannelsSpin, qOverload<int>(&QSpinBox::valueChanged), this,
            &CGsmAnalysisWindow::OnSettingsChanged);
    for (QRadioButton* radio :
         {m_pChAverPeak, m_pChAver1, m_pHistAverOff, m_pHistAverPeak, m_pHistAver1, m_pHistAver2})
        connect(radio, &QRadioButton::released, this, &CGsmAnalysisWindow::OnSettingsChanged);
    m_bConstructed = true;
}

CGsmAnalysisWindow::~CGsmAnalysisWindow()
{
    m_Timer.stop();
}

void CGsmAnalysisWindow::RetranslateUi()
{
    setWindowTitle(tr("GSM Analysis"));
    m_pG900Radio->setText(tr("GSM 900"));
    m_pG1800Radio->setText(tr("GSM 1800"));
    m_pHistAverOff->setText(tr("Off"));
    m_pHistAverPeak->setText(tr("Peak"));
    m_pHistAver1->setText(tr("Arithm. Average"));
    m_pHistAver2->setText(tr("RMS Average"));
    m_pChAverPeak->setText(tr("Peak"));
    m_pChAver1->setText(tr("Arithm. Average"));
    m_pStartStopButton->setText(tr("Start"));
}

void CGsmAnalysisWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        RetranslateUi();
    CQDockWindow::changeEvent(event);
}

void CGsmAnalysisWindow::UpdateButtonText()
{
    m_pStartStopButton->setText(g_DeviceThread.m_pGsmAnalysis->IsRunning() ? tr("Stop") : tr("Start"));
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
            (gsm1800 ? m_pG1800Radio : m_pG900Radio)->setChecked(true);
            WriteKey(QStringLiteral("GsmMode"), gsm1800 ? 1 : 0);
            emit ddcFreqChanged(gsm1800 ? kGsm1800FreqMHz : kGsm900FreqMHz);
        }
    }
    CQDockWindow::setVisible(visible);
}

void CGsmAnalysisWindow::OnSettingsChanged()
{
    const double start = m_pStartFreqEdit->text().toDouble();
    const int channels = m_pChannelsSpin->value();
    const double width = m_pBandwidthEdit->text().toDouble();
    const int count = m_pAverCountEdit->text().toInt();
    const int channelMode = m_pChAver1->isChecked() ? 1 : 0;
    const int histMode = m_pHistAverPeak->isChecked() ? 1
                         : m_pHistAver1->isChecked()  ? 2
                         : m_pHistAver2->isChecked()  ? 3
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
        m_pHistogramView->AutoFit();
        m_Levels = g_DeviceThread.m_pGsmAnalysis->GetResults();
    }
    std::vector<HISTOGRAM_BAR> bars;
    bars.reserve(m_Levels.size());
    for (size_t i = 0; i < m_Levels.size(); ++i)
        bars.push_back({QString::number(i + 1), m_Levels[i]});
    m_pHistogramView->m_Bars = std::move(bars);
    m_pHistogramView->update();
}
