#include "spectrumdialog.h"

#include <QMutexLocker>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>
#include <array>

#include "globals.h"
#include "ui_spectrumdialog.h"

namespace
{
const char* const kKeys[4] = {"SpectrumDialog/F0_Start", "SpectrumDialog/F0_End", "SpectrumDialog/F1_Start",
                              "SpectrumDialog/F1_End"};
constexpr int kDefaults[4] = {4500, 5000, 5000, 5500};

// A number, field width 2, filled with '0', then its unit.
QString Value(int number, const QString& unit)
{
    return QStringLiteral("%1 %2").arg(number, 2, 10, QLatin1Char('0')).arg(unit);
}
}  // namespace

CSpectrumDialog::CSpectrumDialog(QWidget* parent)
    : CQDockWindow(QStringLiteral("SpectrumDialog"), parent), m_ui(std::make_unique<Ui::CSpectrumDialog>())
{
    m_ui->setupUi(this);
    connect(m_ui->m_pAdaptButton, &QPushButton::clicked, this, &CSpectrumDialog::OnAdaptButton);
    connect(m_ui->m_pSendButton, &QPushButton::clicked, this, &CSpectrumDialog::OnSendButton);
    connect(&m_Timer, &QTimer::timeout, this, &CSpectrumDialog::OnTimer);
    m_Timer.start(500);
    // The F0/F1 edits and "Apply" are for service use; the service key sequence shows them.
    m_ui->m_pAdaptButton->hide();
    m_ui->m_pStepLabel->hide();
    m_ui->m_pOkButton->hide();
    m_ui->m_pDebugGroupBox->hide();
    m_pDebugGroupBox = m_ui->m_pDebugGroupBox;
    m_ui->m_pGraphLabel->SetArrays(m_Current.data(), m_Second.data());
    ReadWindows();
    m_nApply = 1;
}

CSpectrumDialog::~CSpectrumDialog()
{
    m_Timer.stop();
}

QString CSpectrumDialog::SettingsPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
           QStringLiteral("/settings.ini");
}

void CSpectrumDialog::ReadWindows()
{
    int* const values[4] = {&m_nF0_Start, &m_nF0_End, &m_nF1_Start, &m_nF1_End};
    QLineEdit* const edits[4] = {m_ui->m_pF0_StartEdit, m_ui->m_pF0_EndEdit, m_ui->m_pF1_StartEdit,
                                 m_ui->m_pF1_EndEdit};
    for (int k = 0; k < 4; ++k)
    {
        QSettings settings(SettingsPath(), QSettings::IniFormat);
        *values[k] = settings.value(QLatin1String(kKeys[k]), kDefaults[k]).toInt();
        edits[k]->setText(QString::number(*values[k]));
    }
}

void CSpectrumDialog::OnAdaptButton()
{
    // Kept for the form's hidden "Adapt" button; it has no function.
}

void CSpectrumDialog::OnSendButton()
{
    QLineEdit* const edits[4] = {m_ui->m_pF0_StartEdit, m_ui->m_pF0_EndEdit, m_ui->m_pF1_StartEdit,
                                 m_ui->m_pF1_EndEdit};
    int* const values[4] = {&m_nF0_Start, &m_nF0_End, &m_nF1_Start, &m_nF1_End};
    std::array<int, 4> typed{};
    bool changed = false;
    for (int k = 0; k < 4; ++k)
    {
        typed[static_cast<size_t>(k)] = edits[k]->text().toInt(nullptr, 10);
        changed = changed || typed[static_cast<size_t>(k)] != *values[k];
    }
    if (!changed)
        return;
    for (int k = 0; k < 4; ++k)
    {
        *values[k] = typed[static_cast<size_t>(k)];
        QSettings settings(SettingsPath(), QSettings::IniFormat);
        settings.setValue(QLatin1String(kKeys[k]), *values[k]);
    }
    m_nApply = 1;
}

QString CSpectrumDialog::ReadOut(const double* bins, int count) const
{
    if (count <= 0)
        return QString();
    int max = static_cast<int>(bins[0]);
    int maxIndex = 0;
    long long sum = 0;
    for (int i = 1; i < count; ++i)
    {
        const int value = static_cast<int>(bins[i]);
        if (value > max)
        {
            max = value;
            maxIndex = i;
        }
        sum += value;
    }
    const int mean = static_cast<int>(sum / count);
    const int freq =
        m_nSweepStart +
        static_cast<int>(maxIndex * ((m_nSweepEnd - m_nSweepStart) / static_cast<double>(count)));
    return tr("Maximum:") + QLatin1Char('\n') + Value(freq, tr("MHz")) + QLatin1Char('\n') +
           Value(max - 100, tr("dB")) + QStringLiteral("\n\n") + tr("Noise:") + QLatin1Char('\n') +
           Value(mean - 100, tr("dB"));
}

void CSpectrumDialog::OnTimer()
{
    if (!isVisible())
        return;
    {
        QMutexLocker lock(&g_DataMutex);
        std::copy(g_LmxPanorama, g_LmxPanorama + kLmxPanoramaSize, m_Current.begin());
        std::copy(g_LmxPanorama2, g_LmxPanorama2 + kLmxPanoramaSize, m_Second.begin());
    }
    m_ui->m_pGraphLabel->update();
    m_ui->m_pBeginLabel_2->setText(m_strBegin);
    m_ui->m_pEndLabel_2->setText(m_strEnd);
    m_ui->m_pStepLabel->setText(m_strStep);

    m_ui->m_pMaxLabel->setText(ReadOut(m_Current.data(), kLmxPanoramaSize));
    const CLabel2* graph = m_ui->m_pGraphLabel;
    m_ui->m_pTopLabel->setText(
        QStringLiteral("+") +
        Value(graph->GetScaleHeight() / graph->GetPixelsPerDb() + graph->GetFloorLevel() - 100, tr("dB")));
    m_ui->m_pBottomLabel->setText(Value(graph->GetFloorLevel() - 100, tr("dB")));
}
