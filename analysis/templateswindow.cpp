#include "templateswindow.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "devicethread.h"
#include "globals.h"
#include "parameters.h"

namespace
{
constexpr int kWidth = 470;
constexpr int kHeight = 87;
// Row tags under Qt::UserRole: 0 a template row, 1 a range row; the index under Qt::UserRole + 1.
constexpr int kTemplateRow = 0;
constexpr int kRangeRow = 1;

// Inputs 4 and 6 work in kHz; the library keeps MHz.
bool ShowsKilohertz()
{
    const int type = g_DeviceThread.GetChannelType();
    return type == 4 || type == 6;
}
}  // namespace

CTemplatesWindow::CTemplatesWindow(QWidget* parent) : CQDockWindow(QStringLiteral("TemplatesWindow"), parent)
{
    // The stored position stays; the size is the window's own on every start.
    const QString& section = GetSettingsName();
    g_Parameters.SetInt(section, QStringLiteral("Right"),
                        g_Parameters.GetInt(section, QStringLiteral("Left"), 0) + kWidth);
    g_Parameters.SetInt(section, QStringLiteral("Bottom"),
                        g_Parameters.GetInt(section, QStringLiteral("Top"), 0) + kHeight);

    setFloating(true);
    setAllowedAreas(Qt::NoDockWidgetArea);
    resize(470, 355);
    auto* content = new QWidget(this);
    auto* layout = new QVBoxLayout(content);
    m_pTreeWidget = new QTreeWidget(content);
    m_pTreeWidget->setObjectName(QStringLiteral("m_pTreeWidget"));
    m_pTreeWidget->setColumnCount(3);
    m_pTreeWidget->setColumnWidth(0, 100);
    m_pTreeWidget->setColumnWidth(1, 100);
    m_pTreeWidget->setColumnWidth(2, 50);
    layout->addWidget(m_pTreeWidget, 1);
    auto* buttons = new QHBoxLayout;
    m_pClearButton = new QPushButton(content);
    m_pClearButton->setObjectName(QStringLiteral("m_pClearButton"));
    buttons->addStretch(1);
    buttons->addWidget(m_pClearButton);
    layout->addLayout(buttons);
    setWidget(content);
    RetranslateUi();

    connect(m_pClearButton, &QPushButton::clicked, this, &CTemplatesWindow::OnClearButton);
    connect(m_pTreeWidget, &QTreeWidget::itemClicked, this, &CTemplatesWindow::OnTreeWidgetItemClicked);
    FillTree();
    OnChangedParams();
}

CTemplatesWindow::~CTemplatesWindow() = default;

void CTemplatesWindow::RetranslateUi()
{
    setWindowTitle(tr("Templates Window"));
    m_pTreeWidget->setHeaderLabels({tr("Start Freq"), tr("End Freq"), tr("Unit")});
    m_pClearButton->setText(tr("Delete All"));
}

void CTemplatesWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
    {
        RetranslateUi();
        FillTree();
    }
    CQDockWindow::changeEvent(event);
}

void CTemplatesWindow::FillTree()
{
    m_pTreeWidget->clear();
    ITemplates* templates = g_DeviceThread.m_pTemplates;
    if (!templates)
        return;
    const bool kilohertz = ShowsKilohertz();
    const double scale = kilohertz ? 1000.0 : 1.0;
    const QString unit = kilohertz ? tr("kHz") : tr("MHz");
    for (int i = 0; i < templates->GetCount(); ++i)
    {
        const TEMPLATE_ITEM& item = templates->Get(i);
        QTreeWidgetItem* parentRow = nullptr;
        if (!item.name.empty())
        {
            parentRow = new QTreeWidgetItem(m_pTreeWidget);
            parentRow->setText(0, QString::fromStdWString(item.name));
            parentRow->setCheckState(0, item.enabled ? Qt::Checked : Qt::Unchecked);
            parentRow->setData(0, Qt::UserRole, kTemplateRow);
            parentRow->setData(0, Qt::UserRole + 1, i);
        }
        for (size_t j = 0; j < item.entries.size(); ++j)
        {
            auto* row = parentRow ? new QTreeWidgetItem(parentRow) : new QTreeWidgetItem(m_pTreeWidget);
            row->setText(0, QString::number(item.entries[j].FreqBegin * scale, 'f', 2));
            row->setText(1, QString::number(item.entries[j].FreqEnd * scale, 'f', 2));
            row->setText(2, unit);
            row->setData(0, Qt::UserRole, kRangeRow);
            row->setData(0, Qt::UserRole + 1, static_cast<int>(j));
        }
    }
    m_pTreeWidget->expandAll();
}

void CTemplatesWindow::OnChangedParams()
{
    bool enabled = false;
    ITemplates* templates = g_DeviceThread.m_pTemplates;
    for (int i = 0; templates && i < templates->GetCount() && !enabled; ++i)
        enabled = templates->Get(i).enabled;
    emit templateActivated(enabled);
    g_Parameters.SetInt(GetSettingsName(), g_DeviceThread.GetChannelPrefix(-1) + QStringLiteral("Enable"),
                        enabled ? 1 : 0);
}

void CTemplatesWindow::OnClearButton()
{
    g_DeviceThread.m_pTemplates->Clear();
    m_pTreeWidget->clear();
    OnChangedParams();
}

void CTemplatesWindow::OnTreeWidgetItemClicked(QTreeWidgetItem* item, int column)
{
    if (!item || column != 0 || item->data(0, Qt::UserRole).toInt() != kTemplateRow)
        return;
    ITemplates* templates = g_DeviceThread.m_pTemplates;
    const int index = item->data(0, Qt::UserRole + 1).toInt();
    if (index < 0 || index >= templates->GetCount())
        return;
    TEMPLATE_ITEM copy = templates->Get(index);
    copy.enabled = item->checkState(0) == Qt::Checked;
    templates->Set(index, copy);
    OnChangedParams();
}

void CTemplatesWindow::OnRefreshGroups()
{
    FillTree();
}
