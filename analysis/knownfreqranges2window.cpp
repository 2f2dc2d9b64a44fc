#include "knownfreqranges2window.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QSettings>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "devicethread.h"
#include "globals.h"
#include "parameters.h"

namespace
{
constexpr int kRegionCount = 5;
// A damaged count must not make the refill read keys for ever.
constexpr int kMaxRows = 10000;
constexpr int kCheckedState = 2;
constexpr int kDeletedState = -1;

QString RowKey(const char* name, int row)
{
    return QStringLiteral("KnownFreqRanges2/0_%1_%2").arg(QLatin1String(name)).arg(row);
}

QString SwitchText(int value)
{
    return value >= 1 && value <= 4 ? QString::number(value) : CKnownFreqRanges2Window::tr("do nothing");
}
}  // namespace

CKnownFreqRanges2Window::CKnownFreqRanges2Window(QWidget* parent)
    : CQDockWindow(QStringLiteral("KnownFreqRanges2Window"), parent)
{
    resize(606, 500);
    setFloating(true);
    setAllowedAreas(Qt::NoDockWidgetArea);
    auto* content = new QWidget(this);
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(11, 11, 11, 11);
    layout->setSpacing(6);
    auto* regionRow = new QFormLayout;
    m_pCountryCombo = new QComboBox(content);
    m_pCountryCombo->setObjectName(QStringLiteral("m_pCountryCombo"));
    m_pCountryCombo->addItems({QString(), QString(), QString(), QString(), QString()});
    regionRow->addRow(tr("World region:"), m_pCountryCombo);
    layout->addLayout(regionRow);
    m_pTreeWidget = new QTreeWidget(content);
    m_pTreeWidget->setObjectName(QStringLiteral("m_pTreeWidget"));
    m_pTreeWidget->setColumnCount(5);
    m_pTreeWidget->setRootIsDecorated(false);
    m_pTreeWidget->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pTreeWidget->setColumnWidth(0, 20);
    m_pTreeWidget->setColumnWidth(1, 150);
    layout->addWidget(m_pTreeWidget, 1);
    setWidget(content);
    RetranslateUi();

    // A stored region outside the list counts as the first one.
    const int stored = QSettings(g_Parameters.FilePath(), QSettings::IniFormat)
                           .value(QStringLiteral("KnownFreqRanges2/Country"), 0)
                           .toInt();
    m_nRegion = stored >= 0 && stored < kRegionCount ? stored : 0;
    m_pCountryCombo->setCurrentIndex(m_nRegion);
    connect(m_pCountryCombo, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &CKnownFreqRanges2Window::OnCountryComboChanged);
    connect(m_pTreeWidget, &QTreeWidget::itemClicked, this, &CKnownFreqRanges2Window::OnTreeItemClicked);
}

CKnownFreqRanges2Window::~CKnownFreqRanges2Window() = default;

void CKnownFreqRanges2Window::RetranslateUi()
{
    setWindowTitle(tr("Frequency Ranges"));
    const QStringList regions = {tr("Europe"), tr("Italy"), tr("Indonesia"), tr("Korea"), tr("Americas")};
    for (int i = 0; i < regions.size(); ++i)
        m_pCountryCombo->setItemText(i, regions[i]);
    m_pTreeWidget->setHeaderLabels({QString(), tr("Name"), tr("Start Freq"), tr("End Freq"), tr("Switch")});
}

void CKnownFreqRanges2Window::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        RetranslateUi();
    CQDockWindow::changeEvent(event);
}

void CKnownFreqRanges2Window::setVisible(bool visible)
{
    CQDockWindow::setVisible(visible);
    if (visible)
        FillTree();
    else if (g_DeviceThread.m_pControlBits)
        g_DeviceThread.m_pControlBits->ClearKnownRanges();
}

void CKnownFreqRanges2Window::FillTree()
{
    m_pTreeWidget->clear();
    QSettings settings(g_Parameters.FilePath(), QSettings::IniFormat);
    settings.setValue(QStringLiteral("KnownFreqRanges2/Country"), m_nRegion);
    const int count =
        std::clamp(settings.value(QStringLiteral("KnownFreqRanges2/0_Count"), 0).toInt(), 0, kMaxRows);
    IControlBits* controlBits = g_DeviceThread.m_pControlBits;
    controlBits->ClearKnownRanges();
    const int regionBit = 1 << m_nRegion;
    for (int i = 0; i < count; ++i)
    {
        if ((settings.value(RowKey("regionMask", i), 0).toInt() & regionBit) == 0)
            continue;
        const int enable = settings.value(RowKey("Enable", i), 0).toInt();
        if (enable == kDeletedState)
            continue;
        const QString name = settings.value(RowKey("Name", i)).toString();
        const double start = settings.value(RowKey("StartFreq", i), 0.0).toDouble();
        const double end = settings.value(RowKey("EndFreq", i), 0.0).toDouble();
        const int switchValue = settings.value(RowKey("Switch", i), 0).toInt();
        auto* row = new QTreeWidgetItem;
        row->setText(1, name);
        row->setText(2, QString::number(start, 'g', 6));
        row->setText(3, QString::number(end, 'g', 6));
        row->setText(4, SwitchText(switchValue));
        if (enable == kCheckedState)
            controlBits->AddKnownRange(name.toStdString(), start, end, switchValue);
        row->setData(0, Qt::UserRole, i);
        row->setCheckState(0, enable == kCheckedState ? Qt::Checked : Qt::Unchecked);
        m_pTreeWidget->addTopLevelItem(row);
    }
}

void CKnownFreqRanges2Window::OnTreeItemClicked(QTreeWidgetItem* item, int column)
{
    if (!item || column != 0)
        return;
    QSettings(g_Parameters.FilePath(), QSettings::IniFormat)
        .setValue(RowKey("Enable", item->data(0, Qt::UserRole).toInt()),
                  item->checkState(0) == Qt::Checked ? kCheckedState : 0);
    FillTree();
}

void CKnownFreqRanges2Window::OnCountryComboChanged(int index)
{
    m_nRegion = index >= 0 && index < kRegionCount ? index : 0;
    FillTree();
}
