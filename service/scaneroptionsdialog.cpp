#include "scaneroptionsdialog.h"

#include <QEvent>

#include <cmath>
#include <limits>

#include "devicethread.h"
#include "globals.h"
#include "iscaner.h"
#include "parameters.h"
#include "ui_scaneroptionsdialog.h"
#include "utils.h"

namespace
{
QString NumberText(double value)
{
    return QString::number(value, 'g', 6);
}

// The whole part of the text's number, toward zero; 0 when it is none or no int can hold it.
int TruncatedInt(const QString& text)
{
    const double value = text.toDouble();
    if (!std::isfinite(value) || value <= static_cast<double>(std::numeric_limits<int>::min()) - 1.0 ||
        value >= static_cast<double>(std::numeric_limits<int>::max()) + 1.0)
        return 0;
    return static_cast<int>(value);
}
}  // namespace

CScanerOptionsDialog::CScanerOptionsDialog(QWidget* parent, IScaner* scaner)
    : QDialog(parent),
      m_ui(std::make_unique<Ui::CScanerOptionsDialogClass>()),
      m_pScaner(scaner ? scaner : g_DeviceThread.m_pScaner)
{
    m_ui->setupUi(this);
    connect(m_ui->m_pIcR8500Radio, &QRadioButton::clicked, this, &CScanerOptionsDialog::OnIcR8500Radio);
    connect(m_ui->m_pAr5000Radio, &QRadioButton::clicked, this, &CScanerOptionsDialog::OnAr5000Radio);
    connect(m_ui->m_pAr8600Radio, &QRadioButton::clicked, this, &CScanerOptionsDialog::OnAr8600Radio);
    connect(m_ui->m_pAr3000ARadio, &QRadioButton::clicked, this, &CScanerOptionsDialog::OnAr3000ARadio);
    connect(m_ui->m_pCustom1Radio, &QRadioButton::clicked, this, &CScanerOptionsDialog::OnCustom1Radio);
    connect(m_ui->m_pCustom2Radio, &QRadioButton::clicked, this, &CScanerOptionsDialog::OnCustom2Radio);
    connect(m_ui->m_pCustom3Radio, &QRadioButton::clicked, this, &CScanerOptionsDialog::OnCustom3Radio);
    connect(m_ui->m_pCustom4Radio, &QRadioButton::clicked, this, &CScanerOptionsDialog::OnCustom4Radio);
    connect(m_ui->m_pResetButton, &QPushButton::clicked, this, &CScanerOptionsDialog::OnResetButton);
    connect(m_ui->m_pSaveButton, &QPushButton::clicked, this, &CScanerOptionsDialog::OnSaveButton);
    connect(m_ui->m_pOkButton, &QPushButton::clicked, this, &CScanerOptionsDialog::OnOkButton);

    m_nModelIndex = g_Parameters.GetInt(QStringLiteral("ScanerWindow"), QStringLiteral("ScanerIndex"), 0);
    QRadioButton* const radios[IScaner::kModelCount] = {
        m_ui->m_pIcR8500Radio, m_ui->m_pAr5000Radio,  m_ui->m_pAr8600Radio,  m_ui->m_pAr3000ARadio,
        m_ui->m_pCustom1Radio, m_ui->m_pCustom2Radio, m_ui->m_pCustom3Radio, m_ui->m_pCustom4Radio};
    // A stored index that names no model checks nothing and shows nothing.
    if (m_nModelIndex >= 0 && m_nModelIndex < IScaner::kModelCount)
    {
        radios[m_nModelIndex]->setChecked(true);
        ShowModel(m_nModelIndex);
    }
}

CScanerOptionsDialog::~CScanerOptionsDialog() = default;

void CScanerOptionsDialog::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        m_ui->retranslateUi(this);
    QDialog::changeEvent(event);
}

void CScanerOptionsDialog::ShowModel(int index)
{
    SCANER_MODEL model;
    if (!m_pScaner || !m_pScaner->GetModel(index, &model))
        return;
    m_ui->m_pNameEdit->setText(QString::fromStdWString(model.Name));
    m_ui->m_pSpeedCombo->setCurrentIndex(model.Speed);
    m_ui->m_pFreqMinEdit->setText(NumberText(model.FreqMin));
    m_ui->m_pFreqMaxEdit->setText(NumberText(model.FreqMax));
    m_ui->m_pFreqIFEdit->setText(NumberText(model.FreqIF));
    m_ui->m_pIFBandEdit->setText(NumberText(model.FreqBW));
    m_ui->m_pFreqStepEdit->setText(NumberText(model.FreqStep));
    m_ui->m_pAmplEdit->setText(NumberText(model.Ampl));
    m_ui->m_pFreqPllEdit->setText(QString::number(model.TimePLL));
}

void CScanerOptionsDialog::SelectModel(int index)
{
    m_nModelIndex = index;
    ShowModel(index);
}

void CScanerOptionsDialog::OnIcR8500Radio()
{
    SelectModel(0);
}

void CScanerOptionsDialog::OnAr5000Radio()
{
    SelectModel(1);
}

void CScanerOptionsDialog::OnAr8600Radio()
{
    SelectModel(2);
}

void CScanerOptionsDialog::OnAr3000ARadio()
{
    SelectModel(3);
}

void CScanerOptionsDialog::OnCustom1Radio()
{
    SelectModel(4);
}

void CScanerOptionsDialog::OnCustom2Radio()
{
    SelectModel(5);
}

void CScanerOptionsDialog::OnCustom3Radio()
{
    SelectModel(6);
}

void CScanerOptionsDialog::OnCustom4Radio()
{
    SelectModel(7);
}

void CScanerOptionsDialog::OnResetButton()
{
    if (m_pScaner)
        m_pScaner->ResetModels();
    ShowModel(m_nModelIndex);
}

void CScanerOptionsDialog::OnSaveButton()
{
    if (!m_pScaner)
        return;
    // No validation: text that is no finite number is 0.
    SCANER_MODEL model;
    model.Name = m_ui->m_pNameEdit->text().toStdWString();
    model.Speed = m_ui->m_pSpeedCombo->currentIndex();
    model.FreqMin = CUtils::TypedNumber(m_ui->m_pFreqMinEdit->text());
    model.FreqMax = CUtils::TypedNumber(m_ui->m_pFreqMaxEdit->text());
    model.FreqIF = CUtils::TypedNumber(m_ui->m_pFreqIFEdit->text());
    model.FreqBW = CUtils::TypedNumber(m_ui->m_pIFBandEdit->text());
    model.FreqStep = CUtils::TypedNumber(m_ui->m_pFreqStepEdit->text());
    model.Ampl = CUtils::TypedNumber(m_ui->m_pAmplEdit->text());
    model.TimePLL = TruncatedInt(m_ui->m_pFreqPllEdit->text());
    m_pScaner->SetModel(m_nModelIndex, &model);
}

void CScanerOptionsDialog::OnOkButton()
{
    // What the receiver's table holds for the chosen model is stored, not the fields: edits that were
    // not saved with "Save Values" are dropped.
    SCANER_MODEL model;
    if (m_pScaner && m_pScaner->GetModel(m_nModelIndex, &model))
    {
        const QString group = QStringLiteral("ScanerChannel%1").arg(m_nModelIndex);
        g_Parameters.SetString(group, QStringLiteral("Name"), QString::fromStdWString(model.Name));
        g_Parameters.SetInt(group, QStringLiteral("Speed"), model.Speed);
        g_Parameters.SetDouble(group, QStringLiteral("FreqMin"), model.FreqMin);
        g_Parameters.SetDouble(group, QStringLiteral("FreqMax"), model.FreqMax);
        g_Parameters.SetDouble(group, QStringLiteral("FreqIF"), model.FreqIF);
        g_Parameters.SetDouble(group, QStringLiteral("FreqBW"), model.FreqBW);
        g_Parameters.SetDouble(group, QStringLiteral("FreqStep"), model.FreqStep);
        g_Parameters.SetInt(group, QStringLiteral("TimePLL"), model.TimePLL);
        g_Parameters.SetDouble(group, QStringLiteral("Ampl"), model.Ampl);
    }
    g_Parameters.SetInt(QStringLiteral("ScanerWindow"), QStringLiteral("ScanerIndex"), m_nModelIndex);
    accept();
}
