#include "scanerwindow.h"

#include <QEvent>
#include <QSignalBlocker>

#include <algorithm>
#include <cmath>

#include "devicethread.h"
#include "globals.h"
#include "iscaner.h"
#include "parameters.h"
#include "prompt.h"
#include "scaneroptionsdialog.h"
#include "ui_scanerwindow.h"
#include "utils.h"

namespace
{
const QString kSection = QStringLiteral("ScanerWindow");
// The dial is an endless knob: positions 0..100 (0 and 100 coincide), 0.1 MHz per position. A jump
// of this many positions or more is a pass through the top of the dial the other way round.
constexpr int kDialTop = 100;
constexpr int kDialWrapJump = 34;
constexpr double kDialStepMHz = 0.1;

bool ValidModelIndex(int index)
{
    return index >= 0 && index < IScaner::kModelCount;
}
}  // namespace

CScanerWindow::CScanerWindow(QWidget* parent, IScaner* scaner)
    : CQDockWindow(kSection, parent),
      m_ui(std::make_unique<Ui::CScanerWindowClass>()),
      m_pScaner(scaner ? scaner : g_DeviceThread.m_pScaner)
{
    m_ui->setupUi(this);

    connect(m_ui->m_pNoControlButton, &QPushButton::clicked, this, &CScanerWindow::OnNoControlButton);
    connect(m_ui->m_pFixedFreqButton, &QPushButton::clicked, this, &CScanerWindow::OnFixedFreqButton);
    connect(m_ui->m_pScanRangeButton, &QPushButton::clicked, this, &CScanerWindow::OnScanRangeButton);
    connect(m_ui->m_pOptimizeCheck, &QCheckBox::clicked, this, &CScanerWindow::OnOptimizeCheck);
    connect(m_ui->m_pOptionsButton, &QPushButton::clicked, this, &CScanerWindow::OnOptionsButton);
    connect(m_ui->m_pFreqEdit, &QLineEdit::editingFinished, this, &CScanerWindow::OnFreqEdit);
    connect(m_ui->m_pFreqDial, &QDial::valueChanged, this, &CScanerWindow::OnFreqDial);
    connect(m_ui->m_pEnableButton, &QPushButton::clicked, this, &CScanerWindow::OnEnableButton);
    connect(m_ui->m_pApplyButton, &QPushButton::clicked, this, &CScanerWindow::OnApplyButton);

    // The receiver models start from the factory table; a stored group replaces a model only when it
    // has a name, so an empty or half-written group never leaves a model without IF and bandwidth.
    if (m_pScaner)
    {
        m_pScaner->ResetModels();
        for (int index = 0; index < IScaner::kModelCount; ++index)
        {
            const QString group = QStringLiteral("ScanerChannel%1").arg(index);
            const QString name = g_Parameters.GetString(group, QStringLiteral("Name"), QString());
            if (name.isEmpty())
                continue;
            SCANER_MODEL model;
            model.Name = name.toStdWString();
            model.Speed = g_Parameters.GetInt(group, QStringLiteral("Speed"), 0);
            model.FreqMin = g_Parameters.GetDouble(group, QStringLiteral("FreqMin"), 0.0);
            model.FreqMax = g_Parameters.GetDouble(group, QStringLiteral("FreqMax"), 0.0);
            model.FreqIF = g_Parameters.GetDouble(group, QStringLiteral("FreqIF"), 0.0);
            model.FreqBW = g_Parameters.GetDouble(group, QStringLiteral("FreqBW"), 0.0);
            model.FreqStep = g_Parameters.GetDouble(group, QStringLiteral("FreqStep"), 0.0);
            model.TimePLL = g_Parameters.GetInt(group, QStringLiteral("TimePLL"), 0);
            model.Ampl = g_Parameters.GetDouble(group, QStringLiteral("Ampl"), 0.0);
            m_pScaner->SetModel(index, &model);
        }
    }

    m_nModelIndex = g_Parameters.GetInt(kSection, QStringLiteral("ScanerIndex"), 0);
    SetFrequency(g_Parameters.GetDouble(kSection, QStringLiteral("FixedFreq"), 0.0));
    m_nLastDialPosition = 0;
    ApplyModel();
}

CScanerWindow::~CScanerWindow()
{
    // The frequency itself, not its one-decimal text, so a typed 145.575 survives the restart.
    g_Parameters.SetDouble(kSection, QStringLiteral("FixedFreq"), CurrentFrequency());
}

void CScanerWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
    {
        m_ui->retranslateUi(this);
        return;
    }
    CQDockWindow::changeEvent(event);
}

QString CScanerWindow::FrequencyText(double freqMHz) const
{
    return CUtils::FormatValue(freqMHz, 7, 1) + tr(" MHz");
}

double CScanerWindow::GetEditFrequency(bool* ok) const
{
    const QString first = m_ui->m_pFreqEdit->text().split(QLatin1Char(' ')).first();
    bool number = false;
    double freqMHz = first.toDouble(&number);
    // An infinite or undefined frequency is no frequency for a receiver.
    number = number && std::isfinite(freqMHz);
    if (!number)
        freqMHz = 0.0;
    if (ok)
        *ok = number;
    return freqMHz;
}

double CScanerWindow::CurrentFrequency() const
{
    // The edit shows one decimal: while it shows the stored frequency, that frequency (145.575, not
    // 145.6) is the one in force. Text that is no number keeps it too.
    if (m_ui->m_pFreqEdit->text() == FrequencyText(m_dFrequency))
        return m_dFrequency;
    bool ok = false;
    const double typed = GetEditFrequency(&ok);
    return ok ? typed : m_dFrequency;
}

void CScanerWindow::SetFrequency(double freqMHz)
{
    m_dFrequency = freqMHz;
    m_ui->m_pFreqEdit->setText(FrequencyText(freqMHz));
    if (m_ui->m_pFixedFreqButton->isChecked())
        emit freqChanged(freqMHz, m_nModelIndex);
    if (m_pScaner)
        m_pScaner->SetFrequency(freqMHz);
}

void CScanerWindow::CheckModeButton(int mode)
{
    m_ui->m_pNoControlButton->setChecked(mode == 0);
    m_ui->m_pFixedFreqButton->setChecked(mode == 1);
    m_ui->m_pScanRangeButton->setChecked(mode == 2);
}

void CScanerWindow::ApplyModel()
{
    SCANER_MODEL model;
    if (!m_pScaner || !m_pScaner->GetModel(m_nModelIndex, &model))
        return;
    if (m_nMode >= 0 && m_nMode <= 2)
        CheckModeButton(m_nMode);
    m_ui->m_pOptimizeCheck->setChecked(m_bOptimize);
    m_ui->m_pTunerModelLabel->setText(QString::fromStdWString(model.Name));
    m_ui->m_pSubstractCheck->setChecked(m_bSubstractBypass);
    m_ui->m_pMaxRangeCheck->setChecked(m_bMaxRange);
    m_ui->m_pStartEdit->setText(CUtils::FormatValue(m_dRangeStart, 2, 6));
    m_ui->m_pStopEdit->setText(CUtils::FormatValue(m_dRangeStop, 2, 6));
    m_ui->m_pFreqEdit->setText(FrequencyText(m_dFrequency));
}

void CScanerWindow::OnNoControlButton()
{
    if (m_pScaner)
        m_pScaner->StopControl();
    emit freqChanged(-1.0, 0);
    m_nMode = 0;
    CheckModeButton(0);
}

void CScanerWindow::OnFixedFreqButton()
{
    // Without a receiver model (only a damaged "ScanerIndex" gives none) there is no IF to analyse:
    // the receiver mode cannot start, so the window stays as it was.
    if (!ValidModelIndex(m_nModelIndex))
    {
        m_ui->m_pFixedFreqButton->setChecked(false);
        return;
    }
    if (m_pScaner)
        m_pScaner->StartFixed(m_nModelIndex);
    m_nMode = 1;
    CheckModeButton(1);
    SetFrequency(CurrentFrequency());
}

void CScanerWindow::OnScanRangeButton()
{
    m_nMode = 2;
    CheckModeButton(2);
    emit freqChanged(-1.0, 0);
}

void CScanerWindow::OnOptimizeCheck()
{
    // The spectrum scale is not optimised for a receiver yet; the check stays disabled.
}

void CScanerWindow::OnApplyButton()
{
    // Scanning a range is not offered yet; the button stays disabled.
}

void CScanerWindow::OnOptionsButton()
{
    {
        CScanerOptionsDialog dialog(nullptr, m_pScaner);
        Prompt().Exec(dialog);
    }
    // However the dialog was closed, models saved or reset in it are in force now.
    ApplyModel();
    emit modelChanged();
}

void CScanerWindow::OnFreqEdit()
{
    bool ok = false;
    const double typed = GetEditFrequency(&ok);
    if (m_ui->m_pFreqEdit->text() == FrequencyText(m_dFrequency))
    {
        SetFrequency(m_dFrequency);
        return;
    }
    if (!ok)
    {
        // A typo sends nothing: the receiver stays where it is and the edit shows it again.
        m_ui->m_pFreqEdit->setText(FrequencyText(m_dFrequency));
        return;
    }
    SetFrequency(typed);
}

void CScanerWindow::OnFreqDial(int position)
{
    const double freqMHz = CurrentFrequency();
    SCANER_MODEL model;
    if (!m_pScaner || !m_pScaner->GetModel(m_nModelIndex, &model))
        return;

    const int last = m_nLastDialPosition;
    int setTo = -1;  // the dial's new position when it must be moved, else -1
    double next = freqMHz;
    if (position == kDialTop)
    {
        setTo = 1;
        next = freqMHz + kDialStepMHz;
    }
    else if (position == 0)
    {
        setTo = kDialTop - 1;
        next = freqMHz - kDialStepMHz;
    }
    else if (position > last)
    {
        if (position - last >= kDialWrapJump)
        {
            setTo = kDialTop - 1;
            next = freqMHz - kDialStepMHz;
        }
        else
            next = freqMHz + (position - last) * kDialStepMHz;
    }
    else if (last - position >= kDialWrapJump)
    {
        setTo = 0;
        next = freqMHz + kDialStepMHz;
    }
    else
        next = freqMHz - (last - position) * kDialStepMHz;

    if (setTo >= 0)
    {
        // Moving the dial from its own handler would run the handler again with the new position and
        // send a second frequency; this step's result is the one that stands.
        const QSignalBlocker blocker(m_ui->m_pFreqDial);
        m_ui->m_pFreqDial->setValue(setTo);
    }
    m_nLastDialPosition = setTo >= 0 ? setTo : position;
    // FreqMax wins over a larger FreqMin.
    SetFrequency(std::min(model.FreqMax, std::max(model.FreqMin, next)));
}

void CScanerWindow::OnEnableButton()
{
    if (!m_bReceiverEnabled)
    {
        if (m_pScaner)
            m_pScaner->Enable();
        m_bReceiverEnabled = true;
    }
    else
    {
        if (m_pScaner)
            m_pScaner->Disable();
        m_bReceiverEnabled = false;
    }
}
