#include "fromarchivedialog.h"

#include "archivegroupcombo.h"
#include "ui_fromarchivedialog.h"

CFromArchiveDialog::CFromArchiveDialog(QWidget* parent, ISignalsArchive* archive)
    : QDialog(parent), m_ui(std::make_unique<Ui::CFromArchiveDialog>())
{
    m_ui->setupUi(this);
    FillArchiveGroupCombo(m_ui->m_pGroupsCombo, archive);
    connect(m_ui->m_pOkButton, &QPushButton::clicked, this, &CFromArchiveDialog::OnOkButton);
    connect(m_ui->m_pCancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

CFromArchiveDialog::~CFromArchiveDialog() = default;

void CFromArchiveDialog::OnOkButton()
{
    const QVariant id = m_ui->m_pGroupsCombo->currentData();
    // An empty list offers no group to take.
    if (!id.isValid())
        return;
    m_nGroup = id.toInt();
    m_bIncrease = m_ui->m_pIncreaseCheck->isChecked();
    accept();
}
