#include "analysisoptionsdialog.h"

#include <QSettings>

#include "devicethread.h"
#include "globals.h"
#include "parameters.h"
#include "ui_analysisoptionsdialog.h"
#include "utils.h"

namespace
{
const QString kSection = QStringLiteral("Analysis");

// A number typed by the operator; anything else, "nan" and "inf" included, counts as 0.
QString DoubleToText(double value)
{
    return QString::number(value, 'g', 6);
}
}  // namespace

CAnalysisOptionsDialog::CAnalysisOptionsDialog(int mode, QWidget* parent, IAnalysis* analysis)
    : QDialog(parent),
      m_nMode(mode),
      m_ui(std::make_unique<Ui::CAnalysisOptionsDialogClass>()),
      m_pAnalysis(analysis ? analysis : g_DeviceThread.m_pAnalysis)
{
    m_ui->setupUi(this);
    connect(m_ui->m_pApplyButton, &QPushButton::clicked, this, &CAnalysisOptionsDialog::OnApplyButton);
    m_ui->m_pThresCheck->hide();
}

CAnalysisOptionsDialog::~CAnalysisOptionsDialog() = default;

void CAnalysisOptionsDialog::Load()
{
    m_nType = g_Parameters.GetInt(kSection, QStringLiteral("TypeSquelch"), 0);
    m_dValue1 = g_Parameters.GetDouble(kSection, QStringLiteral("SquelchValue1"), 0.0);
    m_dValue2 = g_Parameters.GetDouble(kSection, QStringLiteral("SquelchValue2"), 0.0);
    m_nAveraging = g_Parameters.GetInt(kSection, QStringLiteral("AverValue"), 0);
    m_bShowThreshold = g_Parameters.GetInt(kSection, QStringLiteral("ShowAveraging"), 0) != 0;
    m_bMerge = g_Parameters.GetInt(kSection, QStringLiteral("DoMerge"), 0) != 0;
    m_bUseHysteresis = g_Parameters.GetInt(kSection, QStringLiteral("UseHysteresis"), 0) != 0;
    m_dHysteresis = g_Parameters.GetDouble(kSection, QStringLiteral("Hysteresis"), 0.0);

    Ui::CAnalysisOptionsDialogClass& ui = *m_ui;
    if (m_nMode != 0)
    {
        // Only the threshold over the averaged spectrum is offered.
        ui.m_pSquelchRadio1->hide();
        ui.m_pSquelchEdit1->hide();
        ui.label_2->hide();
        m_nType = 1;
    }
    ui.m_pSquelchRadio1->setChecked(m_nType == 0);
    ui.m_pSquelchRadio2->setChecked(m_nType != 0);

    ui.m_pSquelchEdit1->setText(DoubleToText(m_dValue1));
    ui.m_pSquelchEdit2->setText(DoubleToText(m_dValue2));
    ui.m_pHysteresisEdit->setText(DoubleToText(m_dHysteresis));
    ui.m_pAverEdit->setText(QString::number(m_nAveraging));
    ui.m_pThresCheck->setChecked(m_bShowThreshold);
    ui.m_pDoMergeCheck->setChecked(m_bMerge);
    ui.m_pHysteresisCheck->setChecked(m_bUseHysteresis);

    // Not offered to the operator; their stored values go out with every Apply as they are.
    ui.m_pHysteresisCheck->hide();
    ui.m_pHysteresisEdit->hide();
    ui.m_pDoMergeCheck->hide();
}

int CAnalysisOptionsDialog::StoredRegion()
{
    return QSettings(g_Parameters.FilePath(), QSettings::IniFormat)
        .value(QStringLiteral("KnownFreqRanges2/Country"), 0)
        .toInt();
}

int CAnalysisOptionsDialog::exec()
{
    Load();
    return QDialog::exec();
}

void CAnalysisOptionsDialog::OnApplyButton()
{
    const Ui::CAnalysisOptionsDialogClass& ui = *m_ui;
    m_nType = ui.m_pSquelchRadio1->isChecked() ? 0 : 1;
    m_dValue1 = CUtils::TypedNumber(ui.m_pSquelchEdit1->text());
    m_dValue2 = CUtils::TypedNumber(ui.m_pSquelchEdit2->text());
    bool ok = false;
    m_nAveraging = ui.m_pAverEdit->text().toInt(&ok);
    if (!ok)
        m_nAveraging = 0;
    m_bShowThreshold = ui.m_pThresCheck->isChecked();
    m_bMerge = ui.m_pDoMergeCheck->isChecked();
    m_bUseHysteresis = ui.m_pHysteresisCheck->isChecked();
    m_dHysteresis = CUtils::TypedNumber(ui.m_pHysteresisEdit->text());

    if (m_pAnalysis)
        m_pAnalysis->SetParameters(m_nType, m_dValue1, m_dValue2, m_nAveraging,
                                   m_bUseHysteresis ? m_dHysteresis : 0.0, m_bMerge, StoredRegion());

    g_Parameters.SetInt(kSection, QStringLiteral("TypeSquelch"), m_nType);
    g_Parameters.SetDouble(kSection, QStringLiteral("SquelchValue1"), m_dValue1);
    g_Parameters.SetDouble(kSection, QStringLiteral("SquelchValue2"), m_dValue2);
    g_Parameters.SetInt(kSection, QStringLiteral("AverValue"), m_nAveraging);
    g_Parameters.SetInt(kSection, QStringLiteral("ShowAveraging"), m_bShowThreshold ? 1 : 0);
    g_Parameters.SetInt(kSection, QStringLiteral("UseHysteresis"), m_bUseHysteresis ? 1 : 0);
    g_Parameters.SetDouble(kSection, QStringLiteral("Hysteresis"), m_dHysteresis);
    g_Parameters.SetInt(kSection, QStringLiteral("DoMerge"), m_bMerge ? 1 : 0);
    emit applyPressed();
}
