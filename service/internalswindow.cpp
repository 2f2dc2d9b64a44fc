#include "internalswindow.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFormLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolBox>
#include <QVBoxLayout>

#include "devicethread.h"
#include "globals.h"
#include "prompt.h"

namespace
{
QString AppName()
{
    return QCoreApplication::applicationName();
}
}  // namespace

CInternalsWindow::CInternalsWindow(QWidget* parent) : CQDockWindow(QStringLiteral("InternalsWindow"), parent)
{
    setWindowTitle(tr("Internals"));
    setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    setAllowedAreas(Qt::NoDockWidgetArea);

    auto* content = new QWidget(this);
    auto* layout = new QVBoxLayout(content);
    m_pToolBox = new QToolBox(content);
    m_pToolBox->setObjectName(QStringLiteral("toolBox"));
    m_pToolBox->addItem(BuildInformationPage(), tr("Information"));
    m_pToolBox->addItem(BuildCorrectionsPage(), tr("Calibration"));
    m_pToolBox->addItem(BuildOtherPage(), tr("Other"));
    layout->addWidget(m_pToolBox);
    auto* hideButton = new QPushButton(tr("Hide"), content);
    connect(hideButton, &QPushButton::clicked, this, &QWidget::hide);
    layout->addWidget(hideButton);
    setWidget(content);
}

CInternalsWindow::~CInternalsWindow() = default;

QWidget* CInternalsWindow::BuildInformationPage()
{
    m_pTableWidget = new QTableWidget(0, 2);
    m_pTableWidget->setObjectName(QStringLiteral("m_pTableWidget"));
    m_pTableWidget->setHorizontalHeaderLabels({tr("Parameter"), tr("Value")});
    m_pTableWidget->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pTableWidget->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pTableWidget->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pTableWidget->verticalHeader()->hide();
    m_pTableWidget->horizontalHeader()->setStretchLastSection(true);
    m_pTableWidget->setFont(QFont(QStringLiteral("Courier"), 8));
    return m_pTableWidget;
}

QWidget* CInternalsWindow::BuildCorrectionsPage()
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    struct Row
    {
        QString caption;
        void (CInternalsWindow::*import)();
        void (CInternalsWindow::*exportTable)();
        void (CInternalsWindow::*save)();
    };
    const Row rows[] = {
        {tr("dBm corrections"), &CInternalsWindow::OnImpDbmButton, &CInternalsWindow::OnExpDbmButton,
         &CInternalsWindow::OnSaveDbmButton},
        {tr("Oscilloscope corrections"), &CInternalsWindow::OnImpOscButton, &CInternalsWindow::OnExpOscButton,
         &CInternalsWindow::OnSaveOscButton},
        {tr("ADF corrections"), &CInternalsWindow::OnImpAdfButton, &CInternalsWindow::OnExpAdfButton,
         &CInternalsWindow::OnSaveAdfButton},
    };
    int r = 0;
    for (const Row& row : rows)
    {
        grid->addWidget(new QLabel(row.caption, page), r, 0);
        auto* imp = new QPushButton(tr("Import..."), page);
        auto* exp = new QPushButton(tr("Export..."), page);
        auto* save = new QPushButton(tr("Save"), page);
        connect(imp, &QPushButton::clicked, this, row.import);
        connect(exp, &QPushButton::clicked, this, row.exportTable);
        connect(save, &QPushButton::clicked, this, row.save);
        grid->addWidget(imp, r, 1);
        grid->addWidget(exp, r, 2);
        grid->addWidget(save, r, 3);
        ++r;
    }
    grid->setRowStretch(r, 1);
    return page;
}

QWidget* CInternalsWindow::BuildOtherPage()
{
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    m_pDelayEdit = new QLineEdit(QStringLiteral("0"), page);
    m_pDelayEdit->setObjectName(QStringLiteral("m_pDelayEdit"));
    m_pDevNameEdit = new QLineEdit(g_DeviceThread.GetDeviceName(), page);
    m_pDevNameEdit->setObjectName(QStringLiteral("m_pDevNameEdit"));
    m_pClkDivEdit = new QLineEdit(QStringLiteral("0"), page);
    m_pClkDivEdit->setObjectName(QStringLiteral("m_pClkDivEdit"));
    auto* showOsc = new QCheckBox(tr("Show Osc Button"), page);
    auto* useDdcCorr = new QCheckBox(tr("Use DDC FFT Correction"), page);
    useDdcCorr->setChecked(true);
    form->addRow(tr("CycleDelay:"), m_pDelayEdit);
    form->addRow(tr("Device Name:"), m_pDevNameEdit);
    form->addRow(showOsc);
    form->addRow(useDdcCorr);
    form->addRow(tr("ClkDivCnt"), m_pClkDivEdit);
    // Line edits act on Enter only, so a half-typed value never reaches the device.
    connect(m_pDelayEdit, &QLineEdit::returnPressed, this, &CInternalsWindow::OnDelayEdit);
    connect(m_pDevNameEdit, &QLineEdit::returnPressed, this, &CInternalsWindow::OnDevNameEdit);
    connect(m_pClkDivEdit, &QLineEdit::returnPressed, this, &CInternalsWindow::OnClkDivEdit);
    connect(showOsc, &QCheckBox::clicked, this, &CInternalsWindow::OnShowOscBtnCheck);
    connect(useDdcCorr, &QCheckBox::clicked, this, &CInternalsWindow::OnUseDdcFftCorrCheck);
    return page;
}

void CInternalsWindow::SetInfoRow(int row, const QString& name, const QString& value)
{
    if (row < 0)
        return;
    if (row >= m_pTableWidget->rowCount())
        m_pTableWidget->setRowCount(row + 1);
    m_pTableWidget->setItem(row, 0, new QTableWidgetItem(name));
    m_pTableWidget->setItem(row, 1, new QTableWidgetItem(value));
}

void CInternalsWindow::OnDelayEdit()
{
    // An empty field means no delay; anything else must be a whole number of milliseconds within the
    // limit, otherwise the loop keeps its delay and the field says so by its colour.
    const QString text = m_pDelayEdit->text().trimmed();
    bool ok = true;
    const int delayMs = text.isEmpty() ? 0 : text.toInt(&ok);
    if (!ok || delayMs < 0 || delayMs > kMaxCycleDelayMs)
    {
        m_pDelayEdit->setStyleSheet(QStringLiteral("color: red;"));
        return;
    }
    m_pDelayEdit->setStyleSheet(QString());
    g_DeviceThread.m_nExtraDelayMs = delayMs;
}

void CInternalsWindow::OnDevNameEdit()
{
    g_DeviceThread.SetDeviceName(m_pDevNameEdit->text());
}

void CInternalsWindow::OnClkDivEdit()
{
    bool ok = false;
    const int count = m_pClkDivEdit->text().trimmed().toInt(&ok);
    if (!ok)
    {
        m_pClkDivEdit->setStyleSheet(QStringLiteral("color: red;"));
        return;
    }
    m_pClkDivEdit->setStyleSheet(QString());
    emit clkDivCntChanged(count);
}

void CInternalsWindow::OnShowOscBtnCheck(bool checked)
{
    emit showOscButton(checked);
}

void CInternalsWindow::OnUseDdcFftCorrCheck(bool checked)
{
    emit useDdcFftCorr(checked);
}

void CInternalsWindow::Import(Table table)
{
    static const char* const kCaptions[] = {QT_TR_NOOP("Open DBM corrections"),
                                            QT_TR_NOOP("Open oscilloscope corrections"),
                                            QT_TR_NOOP("Open ADF corrections")};
    const QString path = Prompt().GetOpenFileName(this, tr(kCaptions[static_cast<int>(table)]),
                                                  QDir::homePath(), tr("Corrections files (*.dat)"));
    // A cancelled dialog is the operator's choice, not a failed load: nothing to report.
    if (path.isEmpty())
        return;
    bool loaded = false;
    switch (table)
    {
        case Table::Dbm:
            loaded = g_DeviceThread.LoadDbmCorrections(path);
            break;
        case Table::Osc:
            loaded = g_DeviceThread.LoadOscCorrections(path);
            break;
        case Table::Adf:
            loaded = g_DeviceThread.LoadAdfCorrections(path);
            break;
    }
    if (!loaded)
        Prompt().Warning(this, AppName(), tr("Failed to load corrections data file!"));
}

void CInternalsWindow::Export(Table table)
{
    static const char* const kCaptions[] = {QT_TR_NOOP("Save DBM corrections"),
                                            QT_TR_NOOP("Save oscilloscope corrections"),
                                            QT_TR_NOOP("Save ADF corrections")};
    const QString home = QDir::homePath();
    const QString proposed = table == Table::Dbm   ? home + QStringLiteral("/dbm_corr.dat")
                             : table == Table::Osc ? home + QStringLiteral("/osc_corr.dat")
                                                   : home;
    const QString path = Prompt().GetSaveFileName(this, tr(kCaptions[static_cast<int>(table)]), proposed,
                                                  tr("Corrections files (*.dat)"));
    if (path.isEmpty())
        return;
    bool written = false;
    switch (table)
    {
        case Table::Dbm:
            written = g_DeviceThread.ExportDbmCorrections(path);
            break;
        case Table::Osc:
            written = g_DeviceThread.ExportOscCorrections(path);
            break;
        case Table::Adf:
            written = g_DeviceThread.ExportAdfCorrections(path);
            break;
    }
    if (!written)
        WarnWriteFailed();
}

void CInternalsWindow::Save(Table table)
{
    bool written = false;
    switch (table)
    {
        case Table::Dbm:
            written = g_DeviceThread.SaveDbmCorrections();
            break;
        case Table::Osc:
            written = g_DeviceThread.SaveOscCorrections();
            break;
        case Table::Adf:
            written = g_DeviceThread.SaveAdfCorrections();
            break;
    }
    if (!written)
        WarnWriteFailed();
}

void CInternalsWindow::WarnWriteFailed()
{
    Prompt().Warning(this, AppName(), tr("Failed to write corrections data file!"));
}

void CInternalsWindow::OnImpDbmButton()
{
    Import(Table::Dbm);
}
void CInternalsWindow::OnImpOscButton()
{
    Import(Table::Osc);
}
void CInternalsWindow::OnImpAdfButton()
{
    Import(Table::Adf);
}
void CInternalsWindow::OnExpDbmButton()
{
    Export(Table::Dbm);
}
void CInternalsWindow::OnExpOscButton()
{
    Export(Table::Osc);
}
void CInternalsWindow::OnExpAdfButton()
{
    Export(Table::Adf);
}
void CInternalsWindow::OnSaveDbmButton()
{
    Save(Table::Dbm);
}
void CInternalsWindow::OnSaveOscButton()
{
    Save(Table::Osc);
}
void CInternalsWindow::OnSaveAdfButton()
{
    Save(Table::Adf);
}
