#include "scanerwindow.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QRadioButton>

#include "devicethread.h"
#include "globals.h"
#include "parameters.h"
#include "utils.h"

namespace
{
const QString kSection = QStringLiteral("ScanerWindow");
}

CScanerWindow::CScanerWindow(QWidget* parent, IScaner* scaner)
    : CQDockWindow(kSection, parent), m_pScaner(scaner ? scaner : g_DeviceThread.m_pScaner)
{
    setWindowTitle(tr("ScanerChannel Tuner"));
    setAllowedAreas(Qt::NoDockWidgetArea);
    auto* content = new QWidget(this);
    auto* form = new QFormLayout(content);
    m_pNoControlButton = new QRadioButton(tr("No control"), content);
    m_pNoControlButton->setChecked(true);
    m_pFixedFreqButton = new QRadioButton(tr("Fixed Frequency"), content);
    m_pScanRangeButton = new QRadioButton(tr("Scan in Range"), content);
    m_pScanRangeButton->setEnabled(false);
    m_pFreqEdit = new QLineEdit(content);
    form->addRow(m_pNoControlButton);
    form->addRow(m_pFixedFreqButton);
    form->addRow(m_pScanRangeButton);
    form->addRow(tr("Frequency:"), m_pFreqEdit);
    setWidget(content);

    connect(m_pNoControlButton, &QRadioButton::clicked, this, &CScanerWindow::OnNoControlButton);
    connect(m_pFixedFreqButton, &QRadioButton::clicked, this, &CScanerWindow::OnFixedFreqButton);
    connect(m_pScanRangeButton, &QRadioButton::clicked, this, &CScanerWindow::OnScanRangeButton);
    connect(m_pFreqEdit, &QLineEdit::editingFinished, this, &CScanerWindow::OnFreqEdit);

    m_nModelIndex = g_Parameters.GetInt(kSection, QStringLiteral("ScanerIndex"), 0);
    SetFrequency(g_Parameters.GetDouble(kSection, QStringLiteral("FixedFreq"), 0.0));
}

CScanerWindow::~CScanerWindow()
{
    // The numeric frequency is kept, not the one-decimal text, so a typed 145.575 survives the restart.
    g_Parameters.SetDouble(kSection, QStringLiteral("FixedFreq"), m_dFrequency);
}

QString CScanerWindow::FrequencyText(double freqMHz) const
{
    return CUtils::FormatValue(freqMHz, 7, 1) + tr(" MHz");
}

void CScanerWindow::SetFrequency(double freqMHz)
{
    m_dFrequency = freqMHz;
    m_pFreqEdit->setText(FrequencyText(freqMHz));
    if (m_pFixedFreqButton->isChecked())
        emit freqChanged(freqMHz, m_nModelIndex);
    if (m_pScaner)
        m_pScaner->SetFrequency(freqMHz);
}

void CScanerWindow::OnNoControlButton()
{
    if (m_pScaner)
        m_pScaner->StopControl();
    m_pNoControlButton->setChecked(true);
    emit freqChanged(-1.0, 0);
}

void CScanerWindow::OnFixedFreqButton()
{
    if (m_pScaner)
        m_pScaner->StartFixed(m_nModelIndex);
    m_pFixedFreqButton->setChecked(true);
    SetFrequency(m_dFrequency);
}

void CScanerWindow::OnScanRangeButton()
{
    m_pScanRangeButton->setChecked(true);
    emit freqChanged(-1.0, 0);
}

void CScanerWindow::OnFreqEdit()
{
    // Text that is no number keeps the last frequency: the receiver is never sent 0 MHz by a typo.
    // The edit shows one decimal; reading back an unchanged text must not round the stored frequency.
    if (m_pFreqEdit->text() == FrequencyText(m_dFrequency))
    {
        SetFrequency(m_dFrequency);
        return;
    }
    QString text = m_pFreqEdit->text().trimmed();
    const QString unit = tr(" MHz").trimmed();
    if (text.endsWith(unit))
        text.chop(unit.size());
    bool ok = false;
    const double freqMHz = text.trimmed().toDouble(&ok);
    if (!ok)
    {
        SetFrequency(m_dFrequency);
        return;
    }
    SetFrequency(freqMHz);
}
