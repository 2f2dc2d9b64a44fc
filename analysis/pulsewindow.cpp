#include "pulsewindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cmath>

#include "devicethread.h"
#include "globals.h"
#include "parameters.h"
#include "prompt.h"

namespace
{
const QString kSection = QStringLiteral("PulseWindow");
constexpr int kPollMs = 500;
constexpr int kWidth = 550;
constexpr int kHeight = 100;
// A corrupt count must not build millions of rows.
constexpr int kMaxRanges = 1000;

double CellValue(const QTreeWidgetItem* row, int column)
{
    return row->text(column).toDouble();
}

QString MHzText(double freqMHz)
{
    return QStringLiteral("%1 MHz").arg(QString::number(freqMHz, 'g', QLocale::FloatingPointShortest));
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

    setFloating(true);
    setAllowedAreas(Qt::NoDockWidgetArea);
    resize(474, 376);
    auto* content = new QWidget(this);
    auto* layout = new QVBoxLayout(content);
    m_pRangesTree = new QTreeWidget(content);
    m_pRangesTree->setObjectName(QStringLiteral("m_pRangesTree"));
    m_pRangesTree->setColumnCount(3);
    m_pRangesTree->setRootIsDecorated(false);
    layout->addWidget(m_pRangesTree, 1);

    auto* settingsRow = new QHBoxLayout;
    m_pMaxTimeCombo = new QComboBox(content);
    m_pMaxTimeCombo->setObjectName(QStringLiteral("m_pMaxTimeCombo"));
    m_pMaxTimeCombo->addItems({QString::fromUtf8("0.1 µs - 0.4 ms"), QString::fromUtf8("10 µs - 3.2 ms"),
                               QString::fromUtf8("50 µs - 13 ms"), QString::fromUtf8("200 µs - 52 ms"),
                               QString::fromUtf8("1 ms - 208 ms")});
    m_pEnvelopeCheck = new QCheckBox(content);
    m_pEnvelopeCheck->setObjectName(QStringLiteral("m_pEnvelopeCheck"));
    m_pTriggerLevelEdit = new QLineEdit(content);
    m_pTriggerLevelEdit->setObjectName(QStringLiteral("m_pTriggerLevelEdit"));
    m_pTriggerLevelEdit->setMaximumWidth(70);
    m_pAutoRadio = new QRadioButton(content);
    m_pAutoRadio->setObjectName(QStringLiteral("m_pAutoRadio"));
    m_pManualRadio = new QRadioButton(content);
    m_pManualRadio->setObjectName(QStringLiteral("m_pManualRadio"));
    settingsRow->addWidget(m_pMaxTimeCombo);
    settingsRow->addWidget(m_pEnvelopeCheck);
    settingsRow->addWidget(m_pTriggerLevelEdit);
    settingsRow->addWidget(m_pAutoRadio);
    settingsRow->addWidget(m_pManualRadio);
    layout->addLayout(settingsRow);

    m_pFreqSlider = new QSlider(Qt::Horizontal, content);
    m_pFreqSlider->setObjectName(QStringLiteral("m_pFreqSlider"));
    m_pFreqSlider->setPageStep(64);
    layout->addWidget(m_pFreqSlider);
    auto* labelsRow = new QHBoxLayout;
    m_pStartFreqLabel = new QLabel(content);
    m_pCurrentFreqLabel = new QLabel(content);
    m_pCurrentFreqLabel->setObjectName(QStringLiteral("m_pCurrentFreqLabel"));
    m_pEndFreqLabel = new QLabel(content);
    labelsRow->addWidget(m_pStartFreqLabel);
    labelsRow->addStretch(1);
    labelsRow->addWidget(m_pCurrentFreqLabel);
    labelsRow->addStretch(1);
    labelsRow->addWidget(m_pEndFreqLabel);
    layout->addLayout(labelsRow);

    auto* buttonsRow = new QHBoxLayout;
    m_pStartButton = new QPushButton(content);
    m_pStartButton->setObjectName(QStringLiteral("m_pStartButton"));
    m_pStopButton = new QPushButton(content);
    m_pStopButton->setObjectName(QStringLiteral("m_pStopButton"));
    m_pStopButton->setEnabled(false);
    m_pStatusLabel = new QLabel(content);
    m_pStatusLabel->setObjectName(QStringLiteral("m_pStatusLabel"));
    buttonsRow->addWidget(m_pStartButton);
    buttonsRow->addWidget(m_pStopButton);
    buttonsRow->addStretch(1);
    buttonsRow->addWidget(m_pStatusLabel);
    buttonsRow->addStretch(1);
    layout->addLayout(buttonsRow);
    setWidget(content);
    RetranslateUi();

    connect(m_pStartButton, &QPushButton::clicked, this, &CPulseWindow::OnStartButton);
    connect(m_pStopButton, &QPushButton::clicked, this, &CPulseWindow::OnStopButton);
    connect(&m_Timer, &QTimer::timeout, this, &CPulseWindow::OnTimer);
    connect(m_pFreqSlider, &QSlider::valueChanged, this, &CPulseWindow::OnFreqSliderMoved);
    connect(m_pMaxTimeCombo, qOverload<int>(&QComboBox::activated), this, &CPulseWindow::OnMaxTimeCombo);
    connect(m_pTriggerLevelEdit, &QLineEdit::returnPressed, this, &CPulseWindow::OnTriggerLevelEdited);

    // The count is stored as a double.
    const int count = std::min(
        static_cast<int>(g_Parameters.GetDouble(kSection, QStringLiteral("RangesCount"), 0.0)), kMaxRanges);
    for (int i = 0; i < count; ++i)
    {
        auto* row = new QTreeWidgetItem(m_pRangesTree);
        row->setText(
            0, QString::number(g_Parameters.GetDouble(kSection, QStringLiteral("StartFreq%1").arg(i), 0.0),
                               'g', 6));
        row->setText(
            1, QString::number(g_Parameters.GetDouble(kSection, QStringLiteral("EndFreq%1").arg(i), 0.0), 'g',
                               6));
        row->setText(2, tr("MHz"));
    }
    if (m_pRangesTree->topLevelItemCount() == 0)
        new QTreeWidgetItem(m_pRangesTree, {QStringLiteral("500"), QStringLiteral("2500"), tr("MHz")});

    m_pManualRadio->setChecked(true);
    m_pTriggerLevelEdit->setText(
        QString::number(g_Parameters.GetDouble(kSection, QStringLiteral("ThresholdLevel"), 5.0), 'f', 2));
    m_pMaxTimeCombo->setCurrentIndex(g_Parameters.GetInt(kSection, QStringLiteral("MaxTime"), 0));
    m_pEnvelopeCheck->setChecked(g_Parameters.GetDouble(kSection, QStringLiteral("ShowEnvelope"), 0.0) !=
                                 0.0);

    if (IChannel* channel = g_DeviceThread.GetChannel(-1))
    {
        const double start = channel->GetStartFreq();
        const double stop = channel->GetViewStopFreq();
        m_pFreqSlider->blockSignals(true);
        m_pFreqSlider->setRange(static_cast<int>(start), static_cast<int>(stop));
        m_pFreqSlider->blockSignals(false);
        m_pStartFreqLabel->setText(MHzText(start));
        m_pEndFreqLabel->setText(MHzText(stop));
    }
    m_pAutoRadio->hide();
    m_pManualRadio->hide();
}

CPulseWindow::~CPulseWindow()
{
    const int count = m_pRangesTree->topLevelItemCount();
    g_Parameters.SetDouble(kSection, QStringLiteral("RangesCount"), count);
    for (int i = 0; i < count; ++i)
    {
        const QTreeWidgetItem* row = m_pRangesTree->topLevelItem(i);
        g_Parameters.SetDouble(kSection, QStringLiteral("StartFreq%1").arg(i), CellValue(row, 0));
        g_Parameters.SetDouble(kSection, QStringLiteral("EndFreq%1").arg(i), CellValue(row, 1));
    }
    g_Parameters.SetInt(kSection, QStringLiteral("AutoTrigger"), m_pAutoRadio->isChecked() ? 1 : 0);
    g_Parameters.SetDouble(kSection, QStringLiteral("ThresholdLevel"),
                           m_pTriggerLevelEdit->text().toDouble());
    g_Parameters.SetInt(kSection, QStringLiteral("MaxTime"), m_pMaxTimeCombo->currentIndex());
    g_Parameters.SetDouble(kSection, QStringLiteral("ShowEnvelope"),
                           m_pEnvelopeCheck->isChecked() ? 1.0 : 0.0);
}

void CPulseWindow::RetranslateUi()
{
    setWindowTitle(tr("Pulse Detector Window"));
    m_pRangesTree->setHeaderLabels({tr("Start Frequency"), tr("End Frequency"), tr("Unit")});
    m_pEnvelopeCheck->setText(tr("Show Envelope"));
    m_pAutoRadio->setText(tr("Automatic"));
    m_pManualRadio->setText(tr("Manual"));
    m_pStartButton->setText(tr("Start"));
    m_pStopButton->setText(tr("Stop"));
    if (!m_Timer.isActive())
        m_pStatusLabel->setText(tr("Ready"));
}

void CPulseWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        RetranslateUi();
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
    const double mV = m_pTriggerLevelEdit->text().toDouble();
    return std::isfinite(mV) ? mV / 1000.0 : 0.0;
}

bool CPulseWindow::IsShowEnvelope() const
{
    return m_pEnvelopeCheck->isChecked();
}

void CPulseWindow::ApplyTriggerSettings()
{
    PULSE_DETECT_PARAMS params = g_DeviceThread.m_pPulseDetect->GetSettings();
    params.autoThreshold = m_pAutoRadio->isChecked();
    params.level = TriggerLevelVolts();
    g_DeviceThread.m_pPulseDetect->SetSettings(params);
}

void CPulseWindow::SetCurrentFreq(double freqMHz)
{
    m_pFreqSlider->setValue(static_cast<int>(freqMHz));
}

void CPulseWindow::setTriggerLevel(double levelVolts)
{
    m_pAutoRadio->setChecked(false);
    m_pManualRadio->setChecked(true);
    m_pTriggerLevelEdit->setText(QString::number(levelVolts * 1000.0, 'f', 2));
    emit enableTrigger(true);
    emit triggerLevelChanged(TriggerLevelVolts());
}

bool CPulseWindow::ApplyRanges()
{
    const QString title = QCoreApplication::applicationName();
    if (m_pRangesTree->topLevelItemCount() == 0)
    {
        Prompt().Warning(this, title, tr("No one frequency range specified!"));
        return false;
    }
    IChannel* channel = g_DeviceThread.GetChannel(-1);
    const double lo = channel ? channel->GetStartFreq() : 0.0;
    const double hi = channel ? channel->GetViewStopFreq() : 0.0;
    std::vector<PULSE_RANGE> ranges;
    for (int i = 0; i < m_pRangesTree->topLevelItemCount(); ++i)
    {
        const QTreeWidgetItem* row = m_pRangesTree->topLevelItem(i);
        const double start = CellValue(row, 0);
        const double end = CellValue(row, 1);
        // A "nan" cell passes every comparison; it must not tune the receiver.
        const bool finite = std::isfinite(start) && std::isfinite(end);
        if (!finite || lo > start || start > hi || lo > end || end > hi || start > end)
        {
            Prompt().Warning(this, title, tr("Wrong frequency ranges specified!"));
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
    for (QWidget* control :
         std::initializer_list<QWidget*>{m_pRangesTree, m_pMaxTimeCombo, m_pAutoRadio, m_pManualRadio,
                                         m_pTriggerLevelEdit, m_pFreqSlider})
        control->setEnabled(!searching);
    m_pStartButton->setEnabled(!searching);
    m_pStopButton->setEnabled(searching);
}

void CPulseWindow::OnStartButton()
{
    if (!ApplyRanges())
        return;
    const double level = TriggerLevelVolts();
    SetSearching(true);
    PULSE_DETECT_PARAMS params = g_DeviceThread.m_pPulseDetect->GetSettings();
    params.autoThreshold = m_pAutoRadio->isChecked();
    params.level = level;
    g_DeviceThread.m_pPulseDetect->SetSettings(params);
    g_DeviceThread.m_pPulseDetect->Start();
    emit triggerLevelChanged(level);
    m_Timer.start(kPollMs);
    m_pStatusLabel->setText(tr("Digital signals detection started"));
    emit closeViewPulse();
    emit started();
}

void CPulseWindow::OnStopButton()
{
    m_Timer.stop();
    g_DeviceThread.m_pPulseDetect->Stop();
    SetSearching(false);
    m_pStatusLabel->setText(tr("Ready"));
    emit stopped();
    emit clkDivCntChanged(2 * m_pMaxTimeCombo->currentIndex());
}

void CPulseWindow::OnTimer()
{
    const double freq = g_DeviceThread.m_pPulseDetect->GetCurrentFreq();
    m_pFreqSlider->setValue(static_cast<int>(freq));
    m_pCurrentFreqLabel->setText(MHzText(freq));
    m_pStatusLabel->setText(tr("Searching for digital signals. %1 signals found so far...")
                                .arg(g_DeviceThread.m_pPulseDetect->GetPulseCount()));
    emit triggerLevelChanged(g_DeviceThread.m_pPulseDetect->GetThresholdLevel());
}

void CPulseWindow::OnFreqSliderMoved(int freqMHz)
{
    m_pCurrentFreqLabel->setText(MHzText(freqMHz));
    if (!g_DeviceThread.m_pPulseDetect->IsRunning())
        g_DeviceThread.m_pPulseDetect->SetCurrentFreq(freqMHz);
}

void CPulseWindow::OnMaxTimeCombo(int index)
{
    emit clkDivCntChanged(2 * index);
}

void CPulseWindow::OnTriggerLevelEdited()
{
    emit triggerLevelChanged(TriggerLevelVolts());
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
            if (!m_pAutoRadio->isChecked())
                emit triggerLevelChanged(TriggerLevelVolts());
            emit clkDivCntChanged(2 * m_pMaxTimeCombo->currentIndex());
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
