#include "vectorwindow.h"

#include <QEvent>

#include "ui_vectorwindow.h"
#include "vectorview.h"

CVectorWindow::CVectorWindow(QWidget* parent)
    : CQDockWindow(QStringLiteral("VectorWindow"), parent), m_ui(std::make_unique<Ui::CQVectorWindowClass>())
{
    m_ui->setupUi(this);
}

CVectorWindow::~CVectorWindow() = default;

void CVectorWindow::SetData(const std::vector<double>& i, const std::vector<double>& q)
{
    m_ui->m_pVectorGraphView->SetOscIQData(i, q);
}

void CVectorWindow::SetShowLines(bool on)
{
    m_ui->m_pVectorGraphView->SetShowLines(on);
}

void CVectorWindow::SetSamples(int n)
{
    m_ui->m_pVectorGraphView->SetSamples(n);
}

CVectorView* CVectorWindow::GetView() const
{
    return m_ui->m_pVectorGraphView;
}

void CVectorWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
    {
        setWindowTitle(QCoreApplication::translate("CQVectorWindowClass", "Vector"));
        return;
    }
    // The dock's own handling keeps its toggle action and title bar in step with a new title.
    CQDockWindow::changeEvent(event);
}
