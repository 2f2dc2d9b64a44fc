#include "templateswindow.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTreeWidget>

#include "devicethread.h"
#include "fromarchivedialog.h"
#include "globals.h"
#include "inputrangedialog.h"
#include "parameters.h"
#include "prompt.h"
#include "templatefile.h"

namespace
{
constexpr int kWidth = 470;
constexpr int kHeight = 87;
constexpr int kColumnWidths[] = {100, 100, 50};
// Row tags under Qt::UserRole: 0 a template row, 1 a range row; the index under Qt::UserRole + 1.
constexpr int kTemplateRow = 0;
constexpr int kRangeRow = 1;
constexpr int kKindRole = Qt::UserRole;
constexpr int kIndexRole = Qt::UserRole + 1;
constexpr double kHzPerMHz = 1000000.0;
constexpr int kDecimals = 2;
const QString kPathsSection = QStringLiteral("FilePaths");
const QString kPathKey = QStringLiteral("TemplatesPath");

// Inputs 4 and 6 work in kHz; the library keeps MHz.
bool ShowsKilohertz()
{
    const int type = g_DeviceThread.GetChannelType();
    return type == 4 || type == 6;
}

QString AppName()
{
    return QCoreApplication::applicationName();
}

int Kind(const QTreeWidgetItem* row)
{
    return row->data(0, kKindRole).toInt();
}

int Index(const QTreeWidgetItem* row)
{
    return row->data(0, kIndexRole).toInt();
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

    // The dock keeps its settings name as its object name; the form leaves a named dock alone.
    ui.setupUi(this);
    for (int column = 0; column < 3; ++column)
        ui.m_pTreeWidget->setColumnWidth(column, kColumnWidths[column]);

    connect(ui.m_pLoadButton, &QPushButton::clicked, this, &CTemplatesWindow::OnLoadButton);
    connect(ui.m_pSaveButton, &QPushButton::clicked, this, &CTemplatesWindow::OnSaveButton);
    connect(ui.m_pAddButton, &QPushButton::clicked, this, &CTemplatesWindow::OnAddButton);
    connect(ui.m_pEditButton, &QPushButton::clicked, this, &CTemplatesWindow::OnEditButton);
    connect(ui.m_pDeleteButton, &QPushButton::clicked, this, &CTemplatesWindow::OnDeleteButton);
    connect(ui.m_pClearButton, &QPushButton::clicked, this, &CTemplatesWindow::OnClearButton);
    connect(ui.m_pFromArchiveButton, &QPushButton::clicked, this, &CTemplatesWindow::OnFromArchiveButton);
    connect(ui.m_pTreeWidget, &QTreeWidget::itemClicked, this, &CTemplatesWindow::OnTreeWidgetItemClicked);
    FillTree();
    OnChangedParams();
    // Hidden, but its slot stays connected and working.
    ui.m_pFromArchiveButton->hide();
}

CTemplatesWindow::~CTemplatesWindow() = default;

ITemplates* CTemplatesWindow::Templates()
{
    return g_DeviceThread.m_pTemplates;
}

void CTemplatesWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
    {
        ui.retranslateUi(this);
        // The unit column is the window's own text.
        FillTree();
    }
    CQDockWindow::changeEvent(event);
}

void CTemplatesWindow::FillTree()
{
    ui.m_pTreeWidget->clear();
    ITemplates* templates = Templates();
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
            parentRow = new QTreeWidgetItem(ui.m_pTreeWidget);
            parentRow->setText(0, QString::fromStdWString(item.name));
            parentRow->setCheckState(0, item.enabled ? Qt::Checked : Qt::Unchecked);
            parentRow->setData(0, kKindRole, kTemplateRow);
            parentRow->setData(0, kIndexRole, i);
        }
        for (size_t j = 0; j < item.entries.size(); ++j)
        {
            auto* row = parentRow ? new QTreeWidgetItem(parentRow) : new QTreeWidgetItem(ui.m_pTreeWidget);
            row->setText(0, QString::number(item.entries[j].FreqBegin * scale, 'f', kDecimals));
            row->setText(1, QString::number(item.entries[j].FreqEnd * scale, 'f', kDecimals));
            row->setText(2, unit);
            row->setData(0, kKindRole, kRangeRow);
            row->setData(0, kIndexRole, static_cast<int>(j));
        }
    }
    ui.m_pTreeWidget->expandAll();
}

void CTemplatesWindow::OnChangedParams()
{
    bool enabled = false;
    ITemplates* templates = Templates();
    for (int i = 0; templates && i < templates->GetCount() && !enabled; ++i)
        enabled = templates->Get(i).enabled;
    emit templateActivated(enabled);
    g_Parameters.SetInt(GetSettingsName(), g_DeviceThread.GetChannelPrefix(-1) + QStringLiteral("Enable"),
                        enabled ? 1 : 0);
}

double CTemplatesWindow::WideningMargin(double widthMHz)
{
    if (widthMHz < 0.5)
        return 1.0;
    if (widthMHz < 2.0)
        return 2.0 * widthMHz;
    if (widthMHz < 10.0)
        return 0.5 * widthMHz;
    if (widthMHz < 100.0)
        return 0.2 * widthMHz;
    return 0.1 * widthMHz;
}

void CTemplatesWindow::SetUpRangeDialog(CInputRangeDialog& dialog) const
{
    dialog.SetTexts(tr("New template range"), tr("Start frequency"), tr("End frequency"));
    if (ShowsKilohertz())
        dialog.AddUnit(tr("kHz"), 1000.0);
    else
        dialog.AddUnit(tr("MHz"), 1.0);
}

int CTemplatesWindow::TemplateOfRange(const QTreeWidgetItem* row)
{
    // A top-level range belongs to the unnamed template, which exists when it has a row.
    return row->parent() ? Index(row->parent()) : Templates()->GetFreeIndex();
}

void CTemplatesWindow::WarnTooManyTemplates()
{
    Prompt().Warning(this, AppName(), tr("Maximum of 14 templates are supported!"));
}

bool CTemplatesWindow::AddToUnnamedTemplate(const std::vector<ARCHIVE_SIGNAL_ENTRY>& ranges)
{
    ITemplates* templates = Templates();
    // Looked at before GetFreeIndex, which would append a fifteenth place that the library then
    // refuses to fill.
    const int before = templates->GetCount();
    if (before >= kMaxTemplates)
    {
        WarnTooManyTemplates();
        return false;
    }
    const int index = templates->GetFreeIndex();
    TEMPLATE_ITEM copy = templates->Get(index);
    copy.entries.insert(copy.entries.end(), ranges.begin(), ranges.end());
    // The name is empty: the library merges the copy into the unnamed template and switches it on.
    if (!templates->Add(copy))
    {
        // The unnamed template's place was appended just now and would be a fifteenth template.
        if (templates->GetCount() > before)
            templates->Remove(index);
        WarnTooManyTemplates();
        return false;
    }
    FillTree();
    OnChangedParams();
    return true;
}

void CTemplatesWindow::OnAddButton()
{
    for (;;)
    {
        CInputRangeDialog dialog(QStringLiteral("TemplateRange"), this);
        SetUpRangeDialog(dialog);
        if (Prompt().Exec(dialog) != QDialog::Accepted)
            return;
        ARCHIVE_SIGNAL_ENTRY range;
        range.FreqBegin = dialog.GetFirstValue();
        range.FreqEnd = dialog.GetSecondValue();
        // Outside the device's limits or reversed, a range would mark nothing. (The dialog reads text
        // that is no finite number as 0.)
        const bool valid = range.FreqBegin >= g_DeviceThread.GetMinFreq(-1) &&
                           range.FreqEnd <= g_DeviceThread.GetMaxFreq(-1) && range.FreqBegin <= range.FreqEnd;
        if (valid)
        {
            AddToUnnamedTemplate({range});
            return;
        }
        Prompt().Warning(this, AppName(), tr("Wrong frequency range!"));
    }
}

void CTemplatesWindow::OnEditButton()
{
    const QTreeWidgetItem* row = ui.m_pTreeWidget->currentItem();
    if (!row || Kind(row) != kRangeRow)
        return;
    ITemplates* templates = Templates();
    const int templateIndex = TemplateOfRange(row);
    const int rangeIndex = Index(row);
    TEMPLATE_ITEM copy = templates->Get(templateIndex);
    if (rangeIndex < 0 || static_cast<size_t>(rangeIndex) >= copy.entries.size())
        return;
    ARCHIVE_SIGNAL_ENTRY& range = copy.entries[static_cast<size_t>(rangeIndex)];

    CInputRangeDialog dialog(QStringLiteral("TemplateRange"), this);
    SetUpRangeDialog(dialog);
    dialog.SetFirstValue(range.FreqBegin, kDecimals);
    dialog.SetSecondValue(range.FreqEnd, kDecimals);
    if (Prompt().Exec(dialog) != QDialog::Accepted)
        return;
    // The device's limits do not apply here.
    range.FreqBegin = dialog.GetFirstValue();
    range.FreqEnd = dialog.GetSecondValue();
    templates->Set(templateIndex, copy);
    FillTree();
    OnChangedParams();
}

void CTemplatesWindow::OnDeleteButton()
{
    const QTreeWidgetItem* row = ui.m_pTreeWidget->currentItem();
    if (!row)
        return;
    ITemplates* templates = Templates();
    if (Kind(row) == kTemplateRow)
    {
        const int index = Index(row);
        if (index >= 0 && index < templates->GetCount())
            templates->Remove(index);
    }
    else
    {
        const int templateIndex = TemplateOfRange(row);
        const int rangeIndex = Index(row);
        TEMPLATE_ITEM copy = templates->Get(templateIndex);
        if (rangeIndex >= 0 && static_cast<size_t>(rangeIndex) < copy.entries.size())
        {
            copy.entries.erase(copy.entries.begin() + rangeIndex);
            templates->Set(templateIndex, copy);
        }
    }
    FillTree();
    OnChangedParams();
}

void CTemplatesWindow::OnClearButton()
{
    Templates()->Clear();
    ui.m_pTreeWidget->clear();
    OnChangedParams();
}

void CTemplatesWindow::OnFromArchiveButton()
{
    CFromArchiveDialog dialog;
    if (Prompt().Exec(dialog) != QDialog::Accepted)
        return;
    std::vector<ARCHIVE_SIGNAL_ENTRY> entries;
    g_DeviceThread.m_pArchive->GetSignalsOfGroup(entries, dialog.m_nGroup);
    // The archive counts in Hz, templates in MHz.
    for (ARCHIVE_SIGNAL_ENTRY& entry : entries)
    {
        entry.FreqBegin /= kHzPerMHz;
        entry.FreqEnd /= kHzPerMHz;
        if (dialog.m_bIncrease)
        {
            const double margin = WideningMargin(entry.FreqEnd - entry.FreqBegin);
            entry.FreqBegin -= margin;
            entry.FreqEnd += margin;
        }
    }
    AddToUnnamedTemplate(entries);
}

void CTemplatesWindow::OnTreeWidgetItemClicked(QTreeWidgetItem* item, int column)
{
    if (!item || column != 0 || Kind(item) != kTemplateRow)
        return;
    ITemplates* templates = Templates();
    const int index = Index(item);
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

QString CTemplatesWindow::TemplatesFolder()
{
    return g_Parameters.GetString(kPathsSection, kPathKey,
                                  QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

void CTemplatesWindow::StoreTemplatesFolder(const QString& path)
{
    g_Parameters.SetString(kPathsSection, kPathKey, QFileInfo(path).absolutePath());
}

void CTemplatesWindow::OnLoadButton()
{
    const QString path =
        Prompt().GetOpenFileName(this, tr("Load Template"), TemplatesFolder(), tr("Template files (*.xml)"));
    if (path.isEmpty())
        return;
    StoreTemplatesFolder(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;

    TEMPLATE_ITEM item;
    item.enabled = true;
    item.name = CTemplateFile::TemplateName(path).toStdWString();
    item.entries = CTemplateFile::Read(file.readAll());
    if (Templates()->Add(item))
        FillTree();
    else
        WarnTooManyTemplates();
    OnChangedParams();
}

void CTemplatesWindow::OnSaveButton()
{
    const QString path = Prompt().GetSaveFileName(this, tr("Save Template As"), TemplatesFolder(),
                                                  tr("Template files (*.xml)"));
    if (path.isEmpty())
        return;
    StoreTemplatesFolder(path);

    // Every range of the tree in its order, named and unnamed templates alike, from the library's
    // MHz values rather than the rounded texts of the tree.
    ITemplates* templates = Templates();
    std::vector<ARCHIVE_SIGNAL_ENTRY> ranges;
    for (int i = 0; i < templates->GetCount(); ++i)
    {
        const std::vector<ARCHIVE_SIGNAL_ENTRY>& entries = templates->Get(i).entries;
        ranges.insert(ranges.end(), entries.begin(), entries.end());
    }
    // Written aside and renamed at the end: a failed save leaves the file that was there.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(CTemplateFile::Write(ranges));
    file.commit();
}
