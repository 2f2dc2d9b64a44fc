#include "internalswindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>

#include <cmath>

#include "devicethread.h"
#include "globals.h"
#include "iadf4350.h"
#include "ichannel.h"
#include "icontrolbits.h"
#include "idlacontrol.h"
#include "ikelthar.h"
#include "iskycontrol.h"
#include "prompt.h"
#include "ui_internalswindow.h"

namespace
{
// Identifiers of the control-bits object's sub-objects.
constexpr int kSkyControlId = 2;
constexpr int kDlaControlId = 3;

// The channel tables: rows 0..2 hold each channel's three values; the dBm table's rows 3..10 the first
// channel's per-band corrections, indexed 1..8 in the library.
constexpr int kChannelRows = 3;
constexpr int kBandRows = 8;
constexpr int kAdfRows = 9;
constexpr int kAdfAmplColumn = 0;
constexpr int kAdfFracColumn = 1;
constexpr int kAdfGarmColumn = 2;

constexpr int kDbmDecimals = 2;
constexpr int kOscDecimals = 6;
constexpr int kAdfDecimals = 6;

// The packet-size item i asks for code 6 - i: the first item is the largest packet.
constexpr int kLargestPacketCode = 6;

// The text a fill wrote into a cell, kept beside the text the operator may change.
constexpr int kFilledTextRole = Qt::UserRole;

const QString kRefusedStyle = QStringLiteral("color: red;");

QString AppName()
{
    return QCoreApplication::applicationName();
}

QString Decimals(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

template <typename T>
T* SubObject(IControlBits* controlBits, int id)
{
    void* out = nullptr;
    if (controlBits == nullptr || !controlBits->GetInterface(id, &out))
        return nullptr;
    return static_cast<T*>(out);
}

QString HeaderText(QTableWidgetItem* item, int index)
{
    return item != nullptr ? item->text() : QString::number(index + 1);
}
}  // namespace

CInternalsWindow::CInternalsWindow(QWidget* parent, IDlaControl* dla)
    : CQDockWindow(QStringLiteral("InternalsWindow"), parent),
      m_ui(std::make_unique<Ui::CInternalsWindowClass>()),
      m_pDlaControl(dla != nullptr ? dla
                                   : SubObject<IDlaControl>(g_DeviceThread.m_pControlBits, kDlaControlId))
{
    m_ui->setupUi(this);
    m_pTableWidget = m_ui->m_pTableWidget;
    // The form creates these columns before it sets their width, so they would keep Qt's own width.
    for (QTableWidget* table : {m_ui->m_pTableWidget, m_ui->m_pAdfCorrTable})
        for (int column = 0; column < table->columnCount(); ++column)
            table->setColumnWidth(column, table->horizontalHeader()->defaultSectionSize());

    connect(m_ui->m_pDelayEdit, &QLineEdit::returnPressed, this, &CInternalsWindow::OnDelayEdit);
    connect(m_ui->m_pDevNameEdit, &QLineEdit::returnPressed, this, &CInternalsWindow::OnDevNameEdit);
    connect(m_ui->m_pShowOscBtnCheck, &QCheckBox::clicked, this, &CInternalsWindow::OnShowOscBtnCheck);
    connect(m_ui->m_pHideButton, &QPushButton::clicked, this, &QWidget::hide);

    // Both channel tables get one column per channel, headed by the channel's short name.
    QStringList names;
    const int channels = g_DeviceThread.GetChannelCount();
    for (int c = 0; c < channels; ++c)
    {
        IChannel* channel = g_DeviceThread.GetChannel(c);
        names << (channel != nullptr ? QString::fromStdWString(channel->GetShortName()) : QString());
    }
    for (QTableWidget* table : {m_ui->m_pOscCorrTable, m_ui->m_pDbmCorrTable})
    {
        table->setColumnCount(channels);
        table->setHorizontalHeaderLabels(names);
    }

    m_ui->m_pScanSpeedEdit->setText(QString::number(g_DeviceThread.m_pAdf->GetScanSpeed()));

    FillAdfTable();
    FillOscTable();
    FillDbmTable();

    connect(m_ui->m_pRestoreCorrButton, &QPushButton::clicked, this, &CInternalsWindow::OnRestoreAdfButton);
    connect(m_ui->m_pSaveCorrButton, &QPushButton::clicked, this, &CInternalsWindow::OnSaveAdfButton);
    connect(m_ui->m_pImpCorrButton, &QPushButton::clicked, this, &CInternalsWindow::OnImpAdfButton);
    connect(m_ui->m_pExpCorrButton, &QPushButton::clicked, this, &CInternalsWindow::OnExpAdfButton);
    connect(m_ui->m_pRestoreOscButton, &QPushButton::clicked, this, &CInternalsWindow::OnRestoreOscButton);
    connect(m_ui->m_pSaveOscButton, &QPushButton::clicked, this, &CInternalsWindow::OnSaveOscButton);
    connect(m_ui->m_pImpOscButton, &QPushButton::clicked, this, &CInternalsWindow::OnImpOscButton);
    connect(m_ui->m_pExpOscButton, &QPushButton::clicked, this, &CInternalsWindow::OnExpOscButton);
    connect(m_ui->m_pRestoreDbmButton, &QPushButton::clicked, this, &CInternalsWindow::OnRestoreDbmButton);
    connect(m_ui->m_pSaveDbmButton, &QPushButton::clicked, this, &CInternalsWindow::OnSaveDbmButton);
    connect(m_ui->m_pImpDbmButton, &QPushButton::clicked, this, &CInternalsWindow::OnImpDbmButton);
    connect(m_ui->m_pExpDbmButton, &QPushButton::clicked, this, &CInternalsWindow::OnExpDbmButton);
    connect(m_ui->m_pUseDdcFftCorrCheck, &QCheckBox::clicked, this, &CInternalsWindow::OnUseDdcFftCorrCheck);
    // Only the operator's choice counts, not a programmatic index change.
    connect(m_ui->m_pPackSizeCombo, QOverload<int>::of(&QComboBox::activated), this,
            &CInternalsWindow::OnPackSizeCombo);
    connect(m_ui->m_pAlterChannelCheck, &QCheckBox::clicked, this, &CInternalsWindow::OnAlterChannelCheck);
    connect(m_ui->m_pClkDivEdit, &QLineEdit::returnPressed, this, &CInternalsWindow::OnClkDivEdit);
    connect(m_ui->m_pIgnoreIdentCheck, &QCheckBox::clicked, this, &CInternalsWindow::OnIgnoreIdentCheck);
    connect(m_ui->m_pEnableAdf4350Check, &QCheckBox::clicked, this, &CInternalsWindow::OnEnableAdf4350Check);
    connect(m_ui->m_pQuasiIQCheck, &QCheckBox::clicked, this, &CInternalsWindow::OnQuasiIQCheck);
    connect(m_ui->m_pQuasiIQDiffCheck, &QCheckBox::clicked, this, &CInternalsWindow::OnQuasiIQDiffCheck);
    connect(m_ui->m_pHalfBandEnableCheck, &QCheckBox::clicked, this,
            &CInternalsWindow::OnOnHalfBandEnableCheck);
    connect(m_ui->m_pOnlyDdcCheck, &QCheckBox::clicked, this, &CInternalsWindow::OnOnlyDdcCheck);
    connect(m_ui->m_pWithoutDdcCheck, &QCheckBox::clicked, this, &CInternalsWindow::OnWithoutDdcCheck);
    connect(m_ui->m_pScanSpeedEdit, &QLineEdit::returnPressed, this, &CInternalsWindow::OnScanSpeedEdit);
    connect(m_ui->m_pSkyStrobEdit, &QLineEdit::returnPressed, this, &CInternalsWindow::OnSkyStrobEdit);
    connect(m_ui->m_pSkyAmplEdit, &QLineEdit::returnPressed, this, &CInternalsWindow::OnSkyAmplEdit);
    connect(m_ui->m_pSkyGainEdit, &QLineEdit::returnPressed, this, &CInternalsWindow::OnSkyGainEdit);
    connect(m_ui->m_pSkyFreqEdit, &QLineEdit::returnPressed, this, &CInternalsWindow::OnSkyFreqEdit);
    connect(m_ui->m_pSkyStepEdit, &QLineEdit::returnPressed, this, &CInternalsWindow::OnSkyStepEdit);
    connect(m_ui->m_pSkyStepStrobEdit, &QLineEdit::returnPressed, this,
            &CInternalsWindow::OnSkyStepStrobEdit);
    connect(m_ui->m_pGainPwmEdit, &QLineEdit::returnPressed, this, &CInternalsWindow::OnGainPwmEdit);
    connect(this, &QDockWidget::visibilityChanged, this, &CInternalsWindow::OnVisibilityChanged);
    connect(m_ui->m_pTestButton, &QPushButton::clicked, this, &CInternalsWindow::OnTestButton);

    m_pSkyControl = SubObject<ISkyControl>(g_DeviceThread.m_pControlBits, kSkyControlId);
    if (m_pSkyControl != nullptr)
    {
        m_ui->m_pSkyStrobEdit->setText(QString::number(m_pSkyControl->GetStrob()));
        m_ui->m_pSkyAmplEdit->setText(QString::number(m_pSkyControl->GetAmpl()));
        m_ui->m_pSkyGainEdit->setText(QString::number(m_pSkyControl->GetGain()));
        m_ui->m_pSkyFreqEdit->setText(QString::number(m_pSkyControl->GetFreq()));
        m_ui->m_pSkyStepEdit->setText(QString::number(m_pSkyControl->GetStep()));
        m_ui->m_pSkyStepStrobEdit->setText(QString::number(m_pSkyControl->GetStepStrob()));
    }

    m_ui->m_pGainPwmEdit->setText(QString::number(g_DeviceThread.m_pControlBits->GetGainPwm()));
    m_ui->m_pDevNameEdit->setText(g_DeviceThread.GetDeviceName());
}

CInternalsWindow::~CInternalsWindow() = default;

void CInternalsWindow::SetInfoRow(int row, const QString& parameter, const QString& value)
{
    if (row < 0)
        return;
    if (row >= m_pTableWidget->rowCount())
        m_pTableWidget->setRowCount(row + 1);
    m_pTableWidget->setItem(row, 0, new QTableWidgetItem(parameter));
    m_pTableWidget->setItem(row, 1, new QTableWidgetItem(value));
}

void CInternalsWindow::keyPressEvent(QKeyEvent* event)
{
    CQDockWindow::keyPressEvent(event);
    if (event->key() == Qt::Key_Escape)
        hide();
}

// ---- Other page -------------------------------------------------------------------------------------

void CInternalsWindow::MarkRefused(QLineEdit* edit, bool refused)
{
    edit->setStyleSheet(refused ? kRefusedStyle : QString());
}

void CInternalsWindow::OnDelayEdit()
{
    // Text that is no number means no extra sleep, and so does a negative delay. A delay beyond the
    // limit is refused: the loop keeps its delay and the field says so by its colour. Digits too many
    // for a number are such a delay too, not text that means 0.
    const QString text = m_ui->m_pDelayEdit->text().trimmed();
    bool ok = false;
    qlonglong delayMs = text.toLongLong(&ok, 10);
    if (!ok)
    {
        static const QRegularExpression kDigits(QStringLiteral("^[+-]?\\d+$"));
        const bool tooManyDigits = kDigits.match(text).hasMatch();
        delayMs = tooManyDigits && !text.startsWith(QLatin1Char('-')) ? kMaxCycleDelayMs + 1LL : 0;
    }
    if (delayMs > kMaxCycleDelayMs)
    {
        MarkRefused(m_ui->m_pDelayEdit, true);
        return;
    }
    MarkRefused(m_ui->m_pDelayEdit, false);
    g_DeviceThread.m_nExtraDelayMs = delayMs > 0 ? static_cast<int>(delayMs) : 0;
}

void CInternalsWindow::OnDevNameEdit()
{
    g_DeviceThread.SetDeviceName(m_ui->m_pDevNameEdit->text());
}

void CInternalsWindow::OnShowOscBtnCheck(bool checked)
{
    emit showOscButton(checked);
}

void CInternalsWindow::OnUseDdcFftCorrCheck(bool checked)
{
    emit useDdcFftCorr(checked);
}

void CInternalsWindow::OnPackSizeCombo(int index)
{
    g_DeviceThread.m_pControlBits->SetPacketSizeCode(kLargestPacketCode - index);
}

void CInternalsWindow::OnAlterChannelCheck(bool /*checked*/)
{
    // Deliberately nothing: this device has no alternate channel to switch to. The box stays on the
    // form for the engineers who know it, and a click must not reach the hardware.
}

void CInternalsWindow::OnClkDivEdit()
{
    // Text that is no number gives 0, as the divider's own default.
    emit clkDivCntChanged(m_ui->m_pClkDivEdit->text().trimmed().toInt());
}

void CInternalsWindow::OnIgnoreIdentCheck(bool checked)
{
    g_DeviceThread.m_pKelthar->SetIgnoreProbeIdent(checked);
}

void CInternalsWindow::SendByte(QLineEdit* edit, const std::function<void(uint8_t)>& setter)
{
    // These registers hold one byte. Anything but a whole number 0..255 would reach the hardware as 0
    // or cut to its low 8 bits (300 as 44), so such text sends nothing and stays marked until a value
    // is accepted.
    bool ok = false;
    const uint value = edit->text().trimmed().toUInt(&ok, 10);
    if (!ok || value > 255u)
    {
        MarkRefused(edit, true);
        return;
    }
    MarkRefused(edit, false);
    setter(static_cast<uint8_t>(value));
}

void CInternalsWindow::OnSkyStrobEdit()
{
    SendByte(m_ui->m_pSkyStrobEdit, [this](uint8_t value) { m_pSkyControl->SetStrob(value); });
}

void CInternalsWindow::OnSkyAmplEdit()
{
    SendByte(m_ui->m_pSkyAmplEdit, [this](uint8_t value) { m_pSkyControl->SetAmpl(value); });
}

void CInternalsWindow::OnSkyGainEdit()
{
    SendByte(m_ui->m_pSkyGainEdit, [this](uint8_t value) { m_pSkyControl->SetGain(value); });
}

void CInternalsWindow::OnSkyFreqEdit()
{
    SendByte(m_ui->m_pSkyFreqEdit, [this](uint8_t value) { m_pSkyControl->SetFreq(value); });
}

void CInternalsWindow::OnSkyStepEdit()
{
    SendByte(m_ui->m_pSkyStepEdit, [this](uint8_t value) { m_pSkyControl->SetStep(value); });
}

void CInternalsWindow::OnSkyStepStrobEdit()
{
    SendByte(m_ui->m_pSkyStepStrobEdit, [this](uint8_t value) { m_pSkyControl->SetStepStrob(value); });
}

void CInternalsWindow::OnGainPwmEdit()
{
    SendByte(m_ui->m_pGainPwmEdit, [](uint8_t value) { g_DeviceThread.m_pControlBits->SetGainPwm(value); });
}

void CInternalsWindow::OnVisibilityChanged(bool visible)
{
    if (m_pDlaControl != nullptr)
        m_pDlaControl->SetDebugMode(visible);
}

void CInternalsWindow::OnTestButton()
{
    // Deliberately nothing: a spare button for bench work on a development build; in the program a
    // click must not reach the device.
}

// ---- ADF page -----------------------------------------------------------------------------------------

void CInternalsWindow::OnEnableAdf4350Check(bool checked)
{
    g_DeviceThread.m_pAdf->SetEnabled(checked);
}

void CInternalsWindow::OnQuasiIQCheck(bool checked)
{
    g_DeviceThread.m_pAdf->SetQuasiIQ(checked);
}

void CInternalsWindow::OnQuasiIQDiffCheck(bool checked)
{
    g_DeviceThread.m_pAdf->SetQuasiIQDiff(checked);
}

void CInternalsWindow::OnOnHalfBandEnableCheck(bool checked)
{
    g_DeviceThread.m_pAdf->SetHalfBandEnable(checked);
}

void CInternalsWindow::OnOnlyDdcCheck(bool checked)
{
    g_DeviceThread.m_pAdf->SetOnlyDdc(checked);
}

void CInternalsWindow::OnWithoutDdcCheck(bool checked)
{
    g_DeviceThread.m_pAdf->SetWithoutDdc(checked);
}

void CInternalsWindow::OnScanSpeedEdit()
{
    SendByte(m_ui->m_pScanSpeedEdit, [](uint8_t value) { g_DeviceThread.m_pAdf->SetScanSpeed(value); });
}

// ---- Correction tables --------------------------------------------------------------------------------

void CInternalsWindow::SetFilledCell(QTableWidget* table, int row, int column, const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setData(kFilledTextRole, text);
    table->setItem(row, column, item);
}

void CInternalsWindow::FillDbmTable()
{
    QTableWidget* table = m_ui->m_pDbmCorrTable;
    table->clearContents();
    const int channels = g_DeviceThread.GetChannelCount();
    for (int c = 0; c < channels; ++c)
    {
        for (int r = 0; r < kChannelRows; ++r)
            SetFilledCell(table, r, c, Decimals(g_DeviceThread.GetDbmCorrection(c, r), kDbmDecimals));
        if (c != 0)
            continue;
        for (int band = 1; band <= kBandRows; ++band)
            SetFilledCell(table, kChannelRows + band - 1, 0,
                          Decimals(g_DeviceThread.GetAdfDbmCorrection(0, band), kDbmDecimals));
    }
}

void CInternalsWindow::FillOscTable()
{
    QTableWidget* table = m_ui->m_pOscCorrTable;
    table->clearContents();
    const int channels = g_DeviceThread.GetChannelCount();
    for (int c = 0; c < channels; ++c)
        for (int r = 0; r < kChannelRows; ++r)
            SetFilledCell(table, r, c, Decimals(g_DeviceThread.GetOscCorrection(c, r), kOscDecimals));
}

void CInternalsWindow::FillAdfTable()
{
    QTableWidget* table = m_ui->m_pAdfCorrTable;
    table->clearContents();
    IAdf4350* adf = g_DeviceThread.m_pAdf;
    for (int i = 0; i < kAdfRows; ++i)
    {
        SetFilledCell(table, i, kAdfAmplColumn, Decimals(adf->GetCorrAmpl(i), kAdfDecimals));
        SetFilledCell(table, i, kAdfFracColumn, Decimals(adf->GetShiftFrac(i), kAdfDecimals));
        SetFilledCell(table, i, kAdfGarmColumn, Decimals(adf->GetShiftGarm(i), kAdfDecimals));
    }
}

std::optional<std::vector<CInternalsWindow::CellValue>> CInternalsWindow::ChangedCells(
    QTableWidget* table, const std::function<CellKind(int, int)>& kindOf)
{
    // Only the cells the operator changed go to the device: the table shows rounded values (the dBm
    // table two decimals), and writing an untouched cell back would round the device's value with it.
    // One bad cell stops the whole table, so the device never holds half an edit.
    std::vector<CellValue> changed;
    for (int row = 0; row < table->rowCount(); ++row)
    {
        for (int column = 0; column < table->columnCount(); ++column)
        {
            const CellKind kind = kindOf(row, column);
            const QTableWidgetItem* item = table->item(row, column);
            if (kind == CellKind::Ignored || item == nullptr ||
                item->text() == item->data(kFilledTextRole).toString())
                continue;
            bool ok = false;
            double value = item->text().toDouble(&ok);
            // A shift is stored in 16 bits: truncated toward zero it must fit them, rather than wrap
            // (-1 would become 65535).
            if (ok && kind == CellKind::Shift)
            {
                value = std::trunc(value);
                ok = value >= 0.0 && value <= 65535.0;
            }
            if (!ok || !std::isfinite(value))
            {
                Prompt().Warning(this, AppName(),
                                 tr("Wrong value in row \"%1\", column \"%2\"!")
                                     .arg(HeaderText(table->verticalHeaderItem(row), row),
                                          HeaderText(table->horizontalHeaderItem(column), column)));
                return std::nullopt;
            }
            changed.push_back({row, column, value});
        }
    }
    return changed;
}

bool CInternalsWindow::ApplyDbmTable()
{
    // The per-band rows exist for the first channel only; the other columns' cells there are ignored.
    const auto cells =
        ChangedCells(m_ui->m_pDbmCorrTable, [](int row, int column)
                     { return row < kChannelRows || column == 0 ? CellKind::Value : CellKind::Ignored; });
    if (!cells)
        return false;
    for (const CellValue& cell : *cells)
    {
        if (cell.row < kChannelRows)
            g_DeviceThread.SetDbmCorrection(cell.column, cell.row, cell.value);
        else
            g_DeviceThread.SetAdfDbmCorrection(0, cell.row - kChannelRows + 1, cell.value);
    }
    return true;
}

bool CInternalsWindow::ApplyOscTable()
{
    const auto cells = ChangedCells(m_ui->m_pOscCorrTable, [](int, int) { return CellKind::Value; });
    if (!cells)
        return false;
    for (const CellValue& cell : *cells)
        g_DeviceThread.SetOscCorrection(cell.column, cell.row, cell.value);
    return true;
}

bool CInternalsWindow::ApplyAdfTable()
{
    const auto cells = ChangedCells(m_ui->m_pAdfCorrTable, [](int, int column)
                                    { return column == kAdfAmplColumn ? CellKind::Value : CellKind::Shift; });
    if (!cells)
        return false;
    IAdf4350* adf = g_DeviceThread.m_pAdf;
    for (const CellValue& cell : *cells)
    {
        if (cell.column == kAdfAmplColumn)
            adf->SetCorrAmpl(cell.row, cell.value);
        else if (cell.column == kAdfFracColumn)
            adf->SetShiftFrac(cell.row, static_cast<uint16_t>(cell.value));
        else
            adf->SetShiftGarm(cell.row, static_cast<uint16_t>(cell.value));
    }
    return true;
}

void CInternalsWindow::Fill(Table table)
{
    switch (table)
    {
        case Table::Dbm:
            FillDbmTable();
            break;
        case Table::Osc:
            FillOscTable();
            break;
        case Table::Adf:
            FillAdfTable();
            break;
    }
}

bool CInternalsWindow::Apply(Table table)
{
    switch (table)
    {
        case Table::Dbm:
            return ApplyDbmTable();
        case Table::Osc:
            return ApplyOscTable();
        case Table::Adf:
            return ApplyAdfTable();
    }
    return false;
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
    // The file's values replace the table's unapplied edits: it is not applied first.
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
    {
        Prompt().Warning(this, AppName(), tr("Failed to load corrections data file!"));
        return;
    }
    Fill(table);
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
    if (path.isEmpty() || !Apply(table))
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
    if (!Apply(table))
        return;
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

void CInternalsWindow::OnRestoreAdfButton()
{
    Fill(Table::Adf);
}

void CInternalsWindow::OnSaveAdfButton()
{
    Save(Table::Adf);
}

void CInternalsWindow::OnImpAdfButton()
{
    Import(Table::Adf);
}

void CInternalsWindow::OnExpAdfButton()
{
    Export(Table::Adf);
}

void CInternalsWindow::OnRestoreOscButton()
{
    Fill(Table::Osc);
}

void CInternalsWindow::OnSaveOscButton()
{
    Save(Table::Osc);
}

void CInternalsWindow::OnImpOscButton()
{
    Import(Table::Osc);
}

void CInternalsWindow::OnExpOscButton()
{
    Export(Table::Osc);
}

void CInternalsWindow::OnRestoreDbmButton()
{
    Fill(Table::Dbm);
}

void CInternalsWindow::OnSaveDbmButton()
{
    Save(Table::Dbm);
}

void CInternalsWindow::OnImpDbmButton()
{
    Import(Table::Dbm);
}

void CInternalsWindow::OnExpDbmButton()
{
    Export(Table::Dbm);
}
