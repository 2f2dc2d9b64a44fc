#include "selectmeasurementsdialog.h"

#include "measurementlist.h"
#include "ui_selectmeasurementsdialog.h"

namespace
{
// Rows without a title get no entry, so each entry carries the index of its row in the list.
constexpr int kListIndexRole = Qt::UserRole;
}  // namespace

CSelectMeasurementsDialog::CSelectMeasurementsDialog(MeasurementList* list, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::CSelectMeasurementsDialogClass>()), m_pList(list)
{
    m_ui->setupUi(this);
    for (int i = 0; i < m_pList->Count(); ++i)
    {
        const QString title = m_pList->GetTitle(i);
        if (title.isEmpty())
            continue;
        auto* item = new QTreeWidgetItem(m_ui->m_pTreeWidget);
        item->setText(0, title);
        item->setData(0, kListIndexRole, i);
        item->setCheckState(0, m_pList->IsVisible(i) ? Qt::Checked : Qt::Unchecked);
    }
}

CSelectMeasurementsDialog::~CSelectMeasurementsDialog() = default;

void CSelectMeasurementsDialog::accept()
{
    for (int t = 0; t < m_ui->m_pTreeWidget->topLevelItemCount(); ++t)
    {
        const QTreeWidgetItem* item = m_ui->m_pTreeWidget->topLevelItem(t);
        m_pList->SetVisible(item->data(0, kListIndexRole).toInt(), item->checkState(0) == Qt::Checked);
    }
    QDialog::accept();
}
