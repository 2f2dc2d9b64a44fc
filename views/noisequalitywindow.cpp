#include "noisequalitywindow.h"

#include <QEvent>

#include "noisequalityview.h"
#include "ui_noisequalitywindow.h"

CNoiseQualityWindow::CNoiseQualityWindow(QWidget* parent)
    : CQDockWindow(QStringLiteral("NoiseQualityWindow"), parent),
      m_ui(std::make_unique<Ui::CNoiseQualityWindow>())
{
    m_ui->setupUi(this);
}

CNoiseQualityWindow::~CNoiseQualityWindow() = default;

void CNoiseQualityWindow::SetData(const std::vector<double>& values)
{
    m_ui->m_pVectorGraphView->SetData(values);
    m_ui->m_pVectorGraphView->repaint();
}

void CNoiseQualityWindow::SetEntropy(double value)
{
    m_ui->m_pEntropyLabel->setText(QString::number(value, 'g', 6));
}

void CNoiseQualityWindow::SetEntropyCoef(double value)
{
    m_ui->m_pEntropyCoefLabel->setText(QString::number(value, 'g', 6));
}

CNoiseQualityView* CNoiseQualityWindow::GetView() const
{
    return m_ui->m_pVectorGraphView;
}

QString CNoiseQualityWindow::GetEntropyText() const
{
    return m_ui->m_pEntropyLabel->text();
}

QString CNoiseQualityWindow::GetEntropyCoefText() const
{
    return m_ui->m_pEntropyCoefLabel->text();
}

void CNoiseQualityWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
    {
        m_ui->retranslateUi(this);
        return;
    }
    // The dock's own handling keeps its toggle action and title bar in step with a new title.
    CQDockWindow::changeEvent(event);
}
