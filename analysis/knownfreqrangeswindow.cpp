#include "knownfreqrangeswindow.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "devicethread.h"
#include "fftoptions.h"
#include "globals.h"

CKnownFreqRangesWindow::CKnownFreqRangesWindow(QWidget* parent)
    : CQDockWindow(QStringLiteral("KnownFreqRangesWindow"), parent)
{
    resize(525, 500);
    setFloating(true);
    setAllowedAreas(Qt::NoDockWidgetArea);
    auto* content = new QWidget(this);
    auto* layout = new QVBoxLayout(content);
    auto* buttons = new QHBoxLayout;
    m_pMobileButton = new QPushButton(content);
    m_pMobileButton->setObjectName(QStringLiteral("m_pMobileButton"));
    m_pBaseButton = new QPushButton(content);
    m_pBaseButton->setObjectName(QStringLiteral("m_pBaseButton"));
    buttons->addWidget(m_pMobileButton);
    buttons->addWidget(m_pBaseButton);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    m_pTreeWidget = new QTreeWidget(content);
    m_pTreeWidget->setObjectName(QStringLiteral("m_pTreeWidget"));
    m_pTreeWidget->setColumnCount(9);
    m_pTreeWidget->setRootIsDecorated(false);
    m_pTreeWidget->setColumnWidth(0, 20);
    m_pTreeWidget->setColumnWidth(1, 150);
    layout->addWidget(m_pTreeWidget, 1);
    setWidget(content);
    RetranslateUi();

    connect(m_pMobileButton, &QPushButton::clicked, this, &CKnownFreqRangesWindow::OnMobileButton);
    connect(m_pBaseButton, &QPushButton::clicked, this, &CKnownFreqRangesWindow::OnBaseButton);
    connect(m_pTreeWidget, &QTreeWidget::itemClicked, this, &CKnownFreqRangesWindow::OnTreeItemClicked);
    FillTree();
}

CKnownFreqRangesWindow::~CKnownFreqRangesWindow() = default;

void CKnownFreqRangesWindow::RetranslateUi()
{
    setWindowTitle(tr("Frequency Ranges OLD"));
    m_pMobileButton->setText(tr("Select mobile"));
    m_pBaseButton->setText(tr("Select base"));
    m_pTreeWidget->setHeaderLabels({QString(), tr("Name"), tr("Start Freq"), tr("End Freq"), tr("Band"),
                                    tr("Step"), tr("Start Channel"), tr("End Channel"), tr("Averaging")});
}

void CKnownFreqRangesWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
    {
        RetranslateUi();
        FillTree();
    }
    CQDockWindow::changeEvent(event);
}

void CKnownFreqRangesWindow::FillTree()
{
    m_pTreeWidget->clear();
    IKnownFreqDetect* detector = g_DeviceThread.m_pKnownFreq1;
    if (!detector)
        return;
    for (int i = 0; i < detector->GetRangeCount(); ++i)
    {
        const KNOWN_FREQ_RANGE* range = detector->GetRange(i);
        if (!range)
            continue;
        auto* row = new QTreeWidgetItem(m_pTreeWidget);
        row->setCheckState(0, Qt::Unchecked);
        row->setData(0, Qt::UserRole, i);
        row->setText(1, QString::fromStdWString(range->Name));
        row->setText(2, QString::number(range->StartFreq, 'g', 6));
        row->setText(3, QString::number(range->EndFreq, 'g', 6));
        row->setText(4, QString::number(range->Band, 'g', 6));
        row->setText(5, QString::number(range->Step, 'g', 6));
        row->setText(6, QString::number(range->StartChannel));
        row->setText(7, QString::number(range->EndChannel));
        // A stored averaging outside the list shows as its number.
        const QString averaging = g_FftOptions.GetAveragingName(range->Averaging);
        row->setText(8, averaging.isEmpty() ? QString::number(range->Averaging) : averaging);
        row->setData(8, Qt::UserRole, range->Averaging);
    }
}

void CKnownFreqRangesWindow::EmitSelection()
{
    QVector<int> positions;
    for (int i = 0; i < m_pTreeWidget->topLevelItemCount(); ++i)
    {
        const QTreeWidgetItem* row = m_pTreeWidget->topLevelItem(i);
        if (row->checkState(0) == Qt::Checked)
            positions.push_back(row->data(0, Qt::UserRole).toInt());
    }
    std::sort(positions.begin(), positions.end());
    if (!positions.isEmpty())
        emit multipleFreqRangesSelected(positions);
}

void CKnownFreqRangesWindow::SelectByNameEnd(const QString& ending)
{
    for (int i = 0; i < m_pTreeWidget->topLevelItemCount(); ++i)
    {
        QTreeWidgetItem* row = m_pTreeWidget->topLevelItem(i);
        row->setCheckState(0, row->text(1).endsWith(ending, Qt::CaseSensitive) ? Qt::Checked : Qt::Unchecked);
    }
    EmitSelection();
}

void CKnownFreqRangesWindow::OnMobileButton()
{
    SelectByNameEnd(QStringLiteral("mobile"));
}

void CKnownFreqRangesWindow::OnBaseButton()
{
    SelectByNameEnd(QStringLiteral("base"));
}

void CKnownFreqRangesWindow::OnTreeItemClicked(QTreeWidgetItem* item, int column)
{
    if (item && column == 0)
        EmitSelection();
}
