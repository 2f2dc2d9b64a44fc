#include "knownfreqranges2window.h"

#include <QCoreApplication>
#include <QEvent>
#include <QSettings>
#include <QTreeWidget>

#include <algorithm>

#include "bandtables.h"
#include "devicethread.h"
#include "globals.h"
#include "inputknownfreqrange.h"
#include "parameters.h"
#include "prompt.h"

namespace
{
constexpr int kRegionCount = 5;
// A damaged count must not make the refill read keys for ever.
constexpr int kMaxRows = 10000;
constexpr int kCheckedState = 2;
constexpr int kDeletedState = -1;
constexpr uint8_t kNoBand = 255;

QString RowKey(const char* name, int row)
{
    return QStringLiteral("KnownFreqRanges2/%1_%2_%3").arg(0).arg(QLatin1String(name)).arg(row);
}

QString CountKey()
{
    return QStringLiteral("KnownFreqRanges2/%1_Count").arg(0);
}

QString CountryKey()
{
    return QStringLiteral("KnownFreqRanges2/Country");
}

QSettings PlainKeys()
{
    return QSettings(g_Parameters.FilePath(), QSettings::IniFormat);
}

int StoredCount(const QSettings& keys)
{
    return std::clamp(keys.value(CountKey(), 0).toInt(), 0, kMaxRows);
}

QString SwitchText(int value)
{
    return value >= 1 && value <= 4 ? QString::number(value) : CKnownFreqRanges2Window::tr("do nothing");
}

// The stored enable value as a check state: 1 shows partly checked; anything but 0 to 2 unchecked.
Qt::CheckState CheckStateOf(int enable)
{
    switch (enable)
    {
        case 1:
            return Qt::PartiallyChecked;
        case kCheckedState:
            return Qt::Checked;
        default:
            return Qt::Unchecked;
    }
}
}  // namespace

CKnownFreqRanges2Window::CKnownFreqRanges2Window(QWidget* parent)
    : CQDockWindow(QStringLiteral("KnownFreqRanges2Window"), parent)
{
    // The dock keeps its settings name as its object name; the form leaves a named dock alone.
    ui.setupUi(this);
    ui.m_pTreeWidget->setColumnWidth(0, 20);
    ui.m_pTreeWidget->setColumnWidth(1, 150);

    connect(ui.m_pAddButton, &QPushButton::clicked, this, &CKnownFreqRanges2Window::OnAddButton);
    connect(ui.m_pEditButton, &QPushButton::clicked, this, &CKnownFreqRanges2Window::OnEditButton);
    connect(ui.m_pDeleteButton, &QPushButton::clicked, this, &CKnownFreqRanges2Window::OnDeleteButton);
    connect(ui.m_pClearButton, &QPushButton::clicked, this, &CKnownFreqRanges2Window::OnClearButton);
    connect(ui.m_pDefaultsButton, &QPushButton::clicked, this, [this] { OnDefaultsButton(); });
    connect(ui.m_pMobileButton, &QPushButton::clicked, this, &CKnownFreqRanges2Window::OnMobileButton);
    connect(ui.m_pBaseButton, &QPushButton::clicked, this, &CKnownFreqRanges2Window::OnBaseButton);
    connect(ui.m_pTreeWidget, &QTreeWidget::itemActivated, this,
            &CKnownFreqRanges2Window::OnTreeItemActivated);
    connect(ui.m_pTreeWidget, &QTreeWidget::itemClicked, this, &CKnownFreqRanges2Window::OnTreeItemClicked);
    connect(ui.m_pCountryCombo, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &CKnownFreqRanges2Window::OnCountryComboChanged);

    int stored = 0;
    {
        QSettings keys = PlainKeys();
        if (!keys.contains(CountryKey()))
            keys.setValue(CountryKey(), 0);
        stored = keys.value(CountryKey(), 0).toInt();
    }
    // A stored region outside the list counts as the first one.
    m_nRegion = stored >= 0 && stored < kRegionCount ? stored : 0;
    {
        const QSignalBlocker blocker(ui.m_pCountryCombo);
        ui.m_pCountryCombo->setCurrentIndex(m_nRegion);
    }
    ui.label->hide();
    ui.m_pAnalysisCheckBox->hide();
    ui.label_3->hide();
    ui.m_pMobileButton->hide();
    ui.m_pBaseButton->hide();
    FillTree();
}

CKnownFreqRanges2Window::~CKnownFreqRanges2Window() = default;

void CKnownFreqRanges2Window::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        ui.retranslateUi(this);
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
    ui.m_pTreeWidget->clear();
    int count = 0;
    {
        QSettings keys = PlainKeys();
        keys.setValue(CountryKey(), m_nRegion);
        count = StoredCount(keys);
    }
    if (count == 0)
    {
        // A first start, or a cleared list: the band table's rows, without a question (the list is
        // empty) and without a nested refill.
        OnDefaultsButton(1);
        count = StoredCount(PlainKeys());
    }
    IControlBits* controlBits = g_DeviceThread.m_pControlBits;
    if (controlBits)
        controlBits->ClearKnownRanges();
    const QSettings keys = PlainKeys();
    const int regionBit = 1 << m_nRegion;
    for (int i = 0; i < count; ++i)
    {
        if ((keys.value(RowKey("regionMask", i), 0).toInt() & regionBit) == 0)
            continue;
        const int enable = keys.value(RowKey("Enable", i), 0).toInt();
        if (enable == kDeletedState)
            continue;
        const QString name = keys.value(RowKey("Name", i)).toString();
        const double start = keys.value(RowKey("StartFreq", i), 0.0).toDouble();
        const double end = keys.value(RowKey("EndFreq", i), 0.0).toDouble();
        const int switchValue = keys.value(RowKey("Switch", i), 0).toInt();
        auto* row = new QTreeWidgetItem;
        row->setText(1, name);
        row->setText(2, QString::number(start, 'g', 6));
        row->setText(3, QString::number(end, 'g', 6));
        row->setText(4, SwitchText(switchValue));
        if (enable == kCheckedState && controlBits)
            controlBits->AddKnownRange(name.toStdString(), start, end, switchValue);
        row->setData(0, Qt::UserRole, i);
        row->setCheckState(0, CheckStateOf(enable));
        ui.m_pTreeWidget->addTopLevelItem(row);
    }
}

void CKnownFreqRanges2Window::OnDefaultsButton(int type)
{
    if (ui.m_pTreeWidget->topLevelItemCount() > 0 &&
        Prompt().Question(this, QCoreApplication::applicationName(),
                          tr("Do you really want to reset the list to default?"),
                          QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    {
        QSettings keys = PlainKeys();
        keys.setValue(CountKey(), static_cast<int>(BandTableA.size()));
        for (size_t i = 0; i < BandTableA.size(); ++i)
        {
            const FREQ_BAND_ITEM& item = BandTableA[i];
            const int row = static_cast<int>(i);
            keys.setValue(RowKey("Name", row), QString::fromStdWString(item.Name));
            keys.setValue(RowKey("StartFreq", row), item.StartFreq);
            keys.setValue(RowKey("EndFreq", row), item.EndFreq);
            keys.setValue(RowKey("Switch", row), 0);
            keys.setValue(RowKey("Enable", row), 0);
            keys.setValue(RowKey("regionMask", row), item.regionMask);
        }
    }
    if (type == 0)
        FillTree();
}

void CKnownFreqRanges2Window::OnAddButton()
{
    CInputKnownFreqRange dialog(1);
    if (Prompt().Exec(dialog) != QDialog::Accepted)
        return;
    {
        QSettings keys = PlainKeys();
        const int row = StoredCount(keys);
        keys.setValue(CountKey(), row + 1);
        keys.setValue(RowKey("Name", row), dialog.m_Name);
        keys.setValue(RowKey("StartFreq", row), dialog.m_StartFreq);
        keys.setValue(RowKey("EndFreq", row), dialog.m_EndFreq);
        keys.setValue(RowKey("Switch", row), dialog.m_Switch);
        keys.setValue(RowKey("Enable", row), 0);
        keys.setValue(RowKey("regionMask", row), 1 << m_nRegion);
    }
    FillTree();
}

void CKnownFreqRanges2Window::OnEditButton()
{
    const QTreeWidgetItem* item = ui.m_pTreeWidget->currentItem();
    if (!item)
        return;
    const int row = item->data(0, Qt::UserRole).toInt();
    // Filled from the stored values, so edges the operator leaves alone keep their exact values.
    CInputKnownFreqRange dialog(1);
    {
        const QSettings keys = PlainKeys();
        dialog.m_Name = keys.value(RowKey("Name", row)).toString();
        dialog.m_StartFreq = keys.value(RowKey("StartFreq", row), 0.0).toDouble();
        dialog.m_EndFreq = keys.value(RowKey("EndFreq", row), 0.0).toDouble();
        const int switchValue = keys.value(RowKey("Switch", row), 0).toInt();
        dialog.m_Switch = switchValue >= 0 && switchValue <= 4 ? switchValue : 0;
    }
    if (Prompt().Exec(dialog) != QDialog::Accepted)
        return;
    {
        // The edited row leaves every other region.
        QSettings keys = PlainKeys();
        keys.setValue(RowKey("Name", row), dialog.m_Name);
        keys.setValue(RowKey("StartFreq", row), dialog.m_StartFreq);
        keys.setValue(RowKey("EndFreq", row), dialog.m_EndFreq);
        keys.setValue(RowKey("Switch", row), dialog.m_Switch);
        keys.setValue(RowKey("regionMask", row), 1 << m_nRegion);
    }
    FillTree();
}

void CKnownFreqRanges2Window::OnDeleteButton()
{
    const QTreeWidgetItem* item = ui.m_pTreeWidget->currentItem();
    if (!item)
        return;
    PlainKeys().setValue(RowKey("Enable", item->data(0, Qt::UserRole).toInt()), kDeletedState);
    FillTree();
}

void CKnownFreqRanges2Window::OnClearButton()
{
    if (Prompt().Question(this, QCoreApplication::applicationName(),
                          tr("Do you really want to clear the list?"),
                          QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    PlainKeys().setValue(CountKey(), 0);
    FillTree();
}

void CKnownFreqRanges2Window::OnTreeItemClicked(QTreeWidgetItem* item, int column)
{
    if (!item || column != 0)
        return;
    PlainKeys().setValue(RowKey("Enable", item->data(0, Qt::UserRole).toInt()),
                         item->checkState(0) == Qt::Checked ? kCheckedState : 0);
    FillTree();
}

void CKnownFreqRanges2Window::OnCountryComboChanged(int index)
{
    m_nRegion = index >= 0 && index < kRegionCount ? index : 0;
    FillTree();
}

uint8_t CKnownFreqRanges2Window::IsFreqDigitBand(float f)
{
    const int row = FindBandTableARow(f / 1e6f, m_nRegion);
    return row < 0 ? kNoBand : static_cast<uint8_t>(row);
}

// The multiple-range controls are hidden on this window; their slots stay for the form's sake.
void CKnownFreqRanges2Window::OnMobileButton()
{
    // This window selects by its check boxes only: its select buttons stay hidden and choose nothing
    // (the regional window is the one that selects mobile or base bands).
}

void CKnownFreqRanges2Window::OnBaseButton()
{
    // Hidden and inert, as "Select mobile" above.
}

void CKnownFreqRanges2Window::OnTreeItemActivated(QTreeWidgetItem* /*item*/, int /*column*/)
{
    // A double click keeps the rows as they are here: the checked rows are the device's list, and only
    // a click on a check box changes it.
}
