#include "analysislegenddialog.h"

#include "ui_analysislegenddialog.h"

CAnalysisLegendDialog::CAnalysisLegendDialog(QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::CAnalysisLegendDialogClass>())
{
    m_ui->setupUi(this);
    connect(m_ui->m_pCloseButton, &QPushButton::clicked, this, &QDialog::close);
}

CAnalysisLegendDialog::~CAnalysisLegendDialog() = default;

QString CAnalysisLegendDialog::FrameStyle(const QColor& color)
{
    return QStringLiteral("QFrame { background: ") + color.name() + QStringLiteral("}");
}

int CAnalysisLegendDialog::exec()
{
    m_ui->m_pUnchangedFrame->setStyleSheet(FrameStyle(m_UnchangedColor));
    m_ui->m_pNewFrame->setStyleSheet(FrameStyle(m_NewColor));
    m_ui->m_pDeleteFrame->setStyleSheet(FrameStyle(m_DeleteColor));
    return QDialog::exec();
}
