#include "inputknownfreqrange.h"

#include <QCoreApplication>

#include <cmath>
#include <limits>

#include "devicethread.h"
#include "fftoptions.h"
#include "globals.h"
#include "ichannel.h"
#include "prompt.h"
#include "utils.h"

namespace
{
// A number typed into an edit; text that is no number, or no finite one, counts as 0. An edit the
// operator did not touch keeps the exact value it was filled with, not its 6-digit text.
double ReadDouble(const QLineEdit& edit, double filled)
{
    if (!edit.isModified())
        return std::isfinite(filled) ? filled : 0.0;
    return CUtils::TypedNumber(edit.text());
}

int ReadInt(const QLineEdit& edit, int filled)
{
    if (!edit.isModified())
        return filled;
    bool ok = false;
    const int value = edit.text().trimmed().toInt(&ok, 10);
    return ok ? value : 0;
}
}  // namespace

CInputKnownFreqRange::CInputKnownFreqRange(int type, QWidget* parent) : QDialog(parent)
{
    ui.setupUi(this);
    g_FftOptions.FillAveragingCombo(ui.m_pAverCombo);
    // The end channel is always derived.
    ui.label_9->hide();
    ui.m_pEndChannelEdit->hide();
    ui.label_10->hide();
    if (type == 0)
    {
        ui.label_16->hide();
        ui.m_pSwitchCombo->hide();
        ui.label_17->hide();
    }
    else
    {
        for (QWidget* widget :
             {static_cast<QWidget*>(ui.label_6), static_cast<QWidget*>(ui.m_pBandEdit),
              static_cast<QWidget*>(ui.label_11), static_cast<QWidget*>(ui.label_7),
              static_cast<QWidget*>(ui.m_pStepEdit), static_cast<QWidget*>(ui.label_12),
              static_cast<QWidget*>(ui.label_8), static_cast<QWidget*>(ui.m_pStartChannelEdit),
              static_cast<QWidget*>(ui.label_13), static_cast<QWidget*>(ui.label_14),
              static_cast<QWidget*>(ui.m_pAverCombo), static_cast<QWidget*>(ui.label_15)})
            widget->hide();
    }
    connect(ui.m_pOkButton, &QPushButton::clicked, this, &CInputKnownFreqRange::OnOkButton);
    connect(ui.m_pCancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

CInputKnownFreqRange::~CInputKnownFreqRange() = default;

void CInputKnownFreqRange::CopyFieldsToInputs()
{
    ui.m_pNameEdit->setText(m_Name);
    ui.m_pStartFreqEdit->setText(QString::number(m_StartFreq, 'g', 6));
    ui.m_pEndFreqEdit->setText(QString::number(m_EndFreq, 'g', 6));
    ui.m_pBandEdit->setText(QString::number(m_Band, 'g', 6));
    ui.m_pStepEdit->setText(QString::number(m_Step, 'g', 6));
    ui.m_pStartChannelEdit->setText(QString::number(m_StartChannel));
    ui.m_pEndChannelEdit->setText(QString::number(m_EndChannel));
    ui.m_pAverCombo->setCurrentIndex(m_Averaging);
    ui.m_pSwitchCombo->setCurrentIndex(m_Switch);
}

int CInputKnownFreqRange::exec()
{
    CopyFieldsToInputs();
    return QDialog::exec();
}

void CInputKnownFreqRange::OnOkButton()
{
    m_Name = ui.m_pNameEdit->text();
    m_StartFreq = ReadDouble(*ui.m_pStartFreqEdit, m_StartFreq);
    m_EndFreq = ReadDouble(*ui.m_pEndFreqEdit, m_EndFreq);
    m_Band = ReadDouble(*ui.m_pBandEdit, m_Band);
    m_Step = ReadDouble(*ui.m_pStepEdit, m_Step);
    m_StartChannel = ReadInt(*ui.m_pStartChannelEdit, m_StartChannel);
    // A value the combo has no entry for stays as it was.
    if (ui.m_pAverCombo->currentIndex() >= 0)
        m_Averaging = ui.m_pAverCombo->currentIndex();
    if (ui.m_pSwitchCombo->currentIndex() >= 0)
        m_Switch = ui.m_pSwitchCombo->currentIndex();

    IChannel* channel = g_DeviceThread.GetChannel(-1);
    const double low = channel ? channel->GetStartFreq() : 0.0;
    const double high = channel ? channel->GetStopFreq() : 0.0;
    const double span = m_EndFreq - m_StartFreq;
    QString warning;
    if (m_StartFreq >= m_EndFreq || low > m_StartFreq || m_EndFreq > high)
        warning = tr("Wrong frequency range!");
    else if (m_Band > 500.0 || m_Band >= span)
        warning = tr("The band is too wide!");
    else if (m_Step >= span)
        warning = tr("The step is too big!");
    else if (m_Step == 0.0 && m_StartChannel != 0)
        warning = tr("The step cannot be zero!");
    double endChannel = 0.0;
    if (warning.isEmpty() && m_Step != 0.0)
    {
        // Truncating a channel number outside the 32-bit range is undefined, and the detector would
        // build that many channels.
        endChannel = std::trunc(span / m_Step + m_StartChannel - 1.0);
        if (!(endChannel >= std::numeric_limits<int32_t>::min() &&
              endChannel <= std::numeric_limits<int32_t>::max()))
            warning = tr("The step is too small!");
    }
    if (!warning.isEmpty())
    {
        Prompt().Warning(this, QCoreApplication::applicationName(), warning);
        return;
    }
    if (m_Step != 0.0)
        m_EndChannel = static_cast<int>(endChannel);
    accept();
}
