// The options window's bandwidth table editor: the device's table of DDC bandwidths for the current
// channel type, one entry shown in the fields, and its rows in the settings document.

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "devicethread.h"
#include "globals.h"
#include "icontrolbits.h"
#include "optionswindow.h"
#include "parameters.h"
#include "prompt.h"
#include "utils.h"

namespace
{
const QString kDdcOptions = QStringLiteral("DdcOptions");
const QString kDevice = QStringLiteral("Device");

const QString kName = QStringLiteral("Name");
const QString kDeciCoeff = QStringLiteral("DeciCoeff");
const QString kOutputScaling = QStringLiteral("OutputScaling");
const QString kCorrectAmpl = QStringLiteral("CorrectAmpl");
const QString kFirName = QStringLiteral("FirName");
const QString kBypassFir = QStringLiteral("BypassFir");
const QString kDefaultFir = QStringLiteral("DefaultFir");
const QString kTapCount = QStringLiteral("TapCount");

// The section of a stored row: the prefix, "Bandwidth" and the row number in at least two digits.
QString RowSection(const QString& prefix, int row)
{
    return prefix + QStringLiteral("Bandwidth%1").arg(row, 2, 10, QLatin1Char('0'));
}

QString CountKey(const QString& prefix)
{
    return prefix + QStringLiteral("BandwidthsCount");
}

// A typed whole number, 0 when the text is none; the field keeps its low bits, as the device does.
template <typename Field>
Field TypedField(const QString& text)
{
    bool ok = false;
    const qlonglong value = text.trimmed().toLongLong(&ok);
    return static_cast<Field>(ok ? value : 0);
}

// A typed decimal number; 0 when the text is none (or no finite number).
// A stored number cut toward zero into the field's range; a hand-edited value outside it is limited
// rather than converted into whatever its bits would give.
template <typename Field>
Field StoredField(const QString& section, const QString& key)
{
    const double value = g_Parameters.GetDouble(section, key, 0.0);
    if (!std::isfinite(value))
        return 0;
    const double limited = std::clamp(std::trunc(value), double(std::numeric_limits<Field>::min()),
                                      double(std::numeric_limits<Field>::max()));
    return static_cast<Field>(limited);
}

DDC_BAND_ITEM StoredRow(const QString& section)
{
    DDC_BAND_ITEM row;
    row.Name = g_Parameters.GetString(section, kName, QString()).toStdWString();
    row.DeciCoeff = StoredField<uint16_t>(section, kDeciCoeff);
    row.OutputScaling = StoredField<uint8_t>(section, kOutputScaling);
    const double correctAmpl = g_Parameters.GetDouble(section, kCorrectAmpl, 0.0);
    row.CorrectAmpl = std::isfinite(correctAmpl) ? correctAmpl : 0.0;
    row.FirName = g_Parameters.GetString(section, kFirName, QString()).toStdWString();
    row.BypassFir = StoredField<int32_t>(section, kBypassFir);
    row.DefaultFir = StoredField<int32_t>(section, kDefaultFir);
    row.TapCount = StoredField<uint16_t>(section, kTapCount);
    return row;
}

QString ApplicationName()
{
    return QCoreApplication::applicationName();
}
}  // namespace

void COptionsWindow::LoadBandwidthTable()
{
    IControlBits* bits = g_DeviceThread.m_pControlBits;
    const QString prefix = Prefix();
    const int count = g_Parameters.GetInt(kDdcOptions, CountKey(prefix), 0);
    if (!bits || count < 1)
        return;
    // The rows always describe the whole table; a count without all its rows is no table to trust.
    for (int row = 0; row < count; ++row)
    {
        if (!g_Parameters.HasSection(RowSection(prefix, row)))
            return;
    }
    // The device's table becomes the stored one, rows beyond its built-in size included, so that the
    // operator's inserts and removals outlive the run.
    for (int row = 0; row < count; ++row)
    {
        const DDC_BAND_ITEM item = StoredRow(RowSection(prefix, row));
        if (row < bits->GetDdcBandCount())
            bits->SetDdcBand(row, item);
        else
            bits->InsertDdcBand(row, item);
    }
    while (bits->GetDdcBandCount() > count)
        bits->RemoveDdcBand(bits->GetDdcBandCount() - 1);
}

void COptionsWindow::StoreBandwidthTable()
{
    IControlBits* bits = g_DeviceThread.m_pControlBits;
    const QString prefix = Prefix();
    const int count = bits->GetDdcBandCount();
    g_Parameters.SetInt(kDdcOptions, CountKey(prefix), count);
    // Every number is written as a double, whole ones included.
    for (int row = 0; row < count; ++row)
    {
        const DDC_BAND_ITEM& item = bits->GetDdcBand(row);
        const QString section = RowSection(prefix, row);
        g_Parameters.SetString(section, kName, QString::fromStdWString(item.Name));
        g_Parameters.SetDouble(section, kDeciCoeff, item.DeciCoeff);
        g_Parameters.SetDouble(section, kOutputScaling, item.OutputScaling);
        g_Parameters.SetDouble(section, kCorrectAmpl, item.CorrectAmpl);
        g_Parameters.SetString(section, kFirName, QString::fromStdWString(item.FirName));
        g_Parameters.SetDouble(section, kBypassFir, item.BypassFir);
        g_Parameters.SetDouble(section, kDefaultFir, item.DefaultFir);
        g_Parameters.SetDouble(section, kTapCount, item.TapCount);
    }
}

void COptionsWindow::StoreBandwidthIndex(int index)
{
    g_Parameters.SetInt(kDevice, Prefix() + QStringLiteral("Bandwidth"), index);
}

void COptionsWindow::ApplyBandwidth(int index)
{
    IControlBits* bits = g_DeviceThread.m_pControlBits;
    bits->SetBandwidthIndex(index);
    bits->SetAuxFlag(true);
    // The index stays set after a failed load; the device then runs the entry without its filter.
    if (bits->LoadFir() == 1)
        Prompt().Critical(this, ApplicationName(),
                          tr("Failed to load filter data! Notice, that the file should be in subfolder Data "
                             "of program folder!"),
                          QMessageBox::Ok);
}

void COptionsWindow::UpdateRemoveBandButton()
{
    ui.m_pDdcRemoveBandButton->setEnabled(ui.m_pDdcBandNameCombo->count() > 1);
}

void COptionsWindow::OnDdcBandsCombo(int index)
{
    IControlBits* bits = g_DeviceThread.m_pControlBits;
    // -1: the combo was cleared. The combo mirrors the table, so a larger index only comes from a
    // table changed behind its back; the device would throw for it.
    if (index < 0 || !bits || index >= bits->GetDdcBandCount())
        return;
    const DDC_BAND_ITEM& band = bits->GetDdcBand(index);
    ui.m_pDdcDeciCoeffEdit->setText(QString::number(band.DeciCoeff));
    ui.m_pDdcOutputScalingEdit->setText(QString::number(band.OutputScaling));
    // A tap count the list does not offer leaves no item current.
    ui.m_pDdcTapCountCombo->setCurrentIndex(
        ui.m_pDdcTapCountCombo->findText(QString::number(band.TapCount), Qt::MatchExactly));
    ui.m_pDdcCorrectAmplEdit->setText(QString::number(band.CorrectAmpl, 'g', 6));
    ui.m_pDdcEnableFirCheck->setChecked(band.BypassFir == 0);
    ui.m_pDdcDefaultFirCheck->setChecked(band.DefaultFir != 0);
    ui.m_pDdcFirNameEdit->setText(QString::fromStdWString(band.FirName));
}

bool COptionsWindow::BandFromControls(DDC_BAND_ITEM* band)
{
    band->Name = ui.m_pDdcBandNameCombo->currentText().toStdWString();
    band->DeciCoeff = TypedField<uint16_t>(ui.m_pDdcDeciCoeffEdit->text());
    band->OutputScaling = TypedField<uint8_t>(ui.m_pDdcOutputScalingEdit->text());
    band->TapCount = ui.m_pDdcTapCountCombo->currentIndex() < 0
                         ? 0
                         : TypedField<uint16_t>(ui.m_pDdcTapCountCombo->currentText());
    band->CorrectAmpl = CUtils::TypedNumber(ui.m_pDdcCorrectAmplEdit->text());
    band->BypassFir = ui.m_pDdcEnableFirCheck->isChecked() ? 0 : 1;
    band->DefaultFir = ui.m_pDdcDefaultFirCheck->isChecked() ? 1 : 0;
    band->TrimCount = 0;
    band->reserved2 = 0;
    band->FirName = ui.m_pDdcFirNameEdit->text().toStdWString();
    // The device divides its sample rate by the decimation: 0 is no bandwidth.
    if (band->DeciCoeff == 0)
    {
        Prompt().Warning(this, ApplicationName(), tr("DeciCoeff must not be 0!"));
        return false;
    }
    return true;
}

bool COptionsWindow::ApplyBandFromControls()
{
    const int index = ui.m_pDdcBandNameCombo->currentIndex();
    if (index < 0)
        return false;
    DDC_BAND_ITEM band;
    if (!BandFromControls(&band))
        return false;
    g_DeviceThread.m_pControlBits->SetDdcBand(index, band);
    // The item names the entry it stands for.
    ui.m_pDdcBandNameCombo->setItemText(index, QString::fromStdWString(band.Name));
    ApplyBandwidth(index);
    StoreBandwidthIndex(index);
    emit bandwidthsChanged();
    return true;
}

void COptionsWindow::OnDdcApplyButton()
{
    // The change lasts for this run only, unless Update, Insert or Remove stores the table later.
    ApplyBandFromControls();
}

void COptionsWindow::OnDdcUpdateButton()
{
    if (Prompt().Question(this, ApplicationName(),
                          tr("Do you really want to store the bandwidth data permanently?"),
                          QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton) != QMessageBox::Yes)
        return;
    if (ApplyBandFromControls())
        StoreBandwidthTable();
}

void COptionsWindow::OnDdcInsertButton()
{
    if (Prompt().Question(this, ApplicationName(), tr("Do you really want to insert new bandwidth?"),
                          QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton) != QMessageBox::Yes)
        return;
    DDC_BAND_ITEM band;
    if (!BandFromControls(&band))
        return;
    // The new entry takes the current one's place; into an empty table it goes first.
    const int index = std::max(ui.m_pDdcBandNameCombo->currentIndex(), 0);
    if (!g_DeviceThread.m_pControlBits->InsertDdcBand(index, band))
        return;
    StoreBandwidthTable();
    StoreBandwidthIndex(index);
    ui.m_pDdcBandNameCombo->insertItem(index, QString::fromStdWString(band.Name));
    ui.m_pDdcBandNameCombo->setCurrentIndex(index);
    UpdateRemoveBandButton();
    ApplyBandwidth(index);
    emit bandwidthsChanged();
}

void COptionsWindow::OnDdcRemoveButton()
{
    if (Prompt().Question(this, ApplicationName(), tr("Do you really want to delete the bandwidth?"),
                          QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton) == QMessageBox::Yes)
    {
        const int index = ui.m_pDdcBandNameCombo->currentIndex();
        // The last entry stays: without any, the device has no bandwidth to run.
        if (index >= 0 && ui.m_pDdcBandNameCombo->count() > 1 &&
            g_DeviceThread.m_pControlBits->RemoveDdcBand(index))
        {
            ui.m_pDdcBandNameCombo->removeItem(index);
            UpdateRemoveBandButton();
            StoreBandwidthTable();
            // The entry the combo shows now, so that device and combo agree after removing the last.
            ApplyBandwidth(ui.m_pDdcBandNameCombo->currentIndex());
        }
    }
    emit bandwidthsChanged();
}

void COptionsWindow::OnDdcOpenFirButton()
{
    const QString path = Prompt().GetOpenFileName(
        this, tr("Open FIR File"), QCoreApplication::applicationDirPath() + QStringLiteral("/Data"),
        tr("Filter files (*.fir)"));
    // A cancelled dialog keeps the file that was named.
    if (!path.isEmpty())
        ui.m_pDdcFirNameEdit->setText(path);
}
