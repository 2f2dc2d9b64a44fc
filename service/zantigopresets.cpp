// The generator's stored settings, its user signals and the signal-list files. Everything is kept as
// plain INI keys beside the settings document in the program's settings file; QSettings merges what it
// writes into that file, so the document's own array and these keys survive each other's saves.

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

#include <algorithm>
#include <cstring>

#include "generatorsignallist.h"
#include "parameters.h"
#include "prompt.h"
#include "ui_zantigo.h"
#include "zantigo.h"
#include "zantigobytes.h"

static_assert(CGeneratorSignalList::kBlockSize == Zantigo::kBlockSize,
              "signal lists carry the whole generator block");
static_assert(CGeneratorSignalList::kBandCount == Zantigo::kBandCount &&
                  CGeneratorSignalList::kSelectionCount == Zantigo::kSelectionCount,
              "the validator checks the window's bands and selections");

namespace
{
using namespace ZantigoBytes;

using Block = CGeneratorSignalList::Block;

const QString kAvailableKey = QStringLiteral("available3400");
const QString kFreqStepKey = QStringLiteral("FreqStepSlider");
const QString kOptionsArray = QStringLiteral("Options");
const QString kComboSizeKey = QStringLiteral("UserComboSize");
const QString kComboArray = QStringLiteral("UserCombo");
const QString kTitleKey = QStringLiteral("title");
const QString kByteKey = QStringLiteral("b");

// Band 0's carrier field (kHz) of the two built-in user signals.
constexpr uint32_t kCarRemoteKHz = 433000;
constexpr uint32_t kTetraKHz = 555000;

QString UserArray(int n)
{
    return QStringLiteral("User_%1").arg(n);
}

QSettings OpenSettings()
{
    return QSettings(g_Parameters.FilePath(), QSettings::IniFormat);
}

// Exactly 224 entries whatever size the array claims; a missing entry reads as 0 and each value keeps
// its low 8 bits.
Block ReadStoredBlock(QSettings& settings, const QString& array)
{
    Block block{};
    settings.beginReadArray(array);
    for (int i = 0; i < CGeneratorSignalList::kBlockSize; ++i)
    {
        settings.setArrayIndex(i);
        block[static_cast<size_t>(i)] = CGeneratorSignalList::ByteOf(settings.value(kByteKey).toString());
    }
    settings.endArray();
    return block;
}

void WriteStoredBlock(QSettings& settings, const QString& array, const uint8_t* block)
{
    settings.beginWriteArray(array, CGeneratorSignalList::kBlockSize);
    for (int i = 0; i < CGeneratorSignalList::kBlockSize; ++i)
    {
        settings.setArrayIndex(i);
        settings.setValue(kByteKey, static_cast<int>(block[i]));
    }
    settings.endArray();
}

void WriteTitles(QSettings& settings, const QStringList& titles)
{
    settings.setValue(kComboSizeKey, titles.size());
    settings.beginWriteArray(kComboArray, titles.size());
    for (int i = 0; i < titles.size(); ++i)
    {
        settings.setArrayIndex(i);
        settings.setValue(kTitleKey, titles[i]);
    }
    settings.endArray();
}

// The user signals' titles: the list's items after "NOT SELECTED".
QStringList UserTitles(const QComboBox& combo)
{
    QStringList titles;
    for (int i = 1; i < combo.count(); ++i)
        titles << combo.itemText(i);
    return titles;
}

// A stored index past the end of its list shows the list's first item.
void SelectItem(QComboBox* combo, int index)
{
    combo->setCurrentIndex(index < combo->count() ? index : 0);
}

void SetCarrierField(uint8_t* block, int band, uint32_t value)
{
    uint8_t* field = block + kCarrierByte + 4 * band;
    for (int i = 0; i < 4; ++i)
        field[i] = static_cast<uint8_t>(value >> (8 * i));
}

QString SignalListFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
}

QString SignalListFilter()
{
    return Zantigo::tr("Signal List files (*.xml)");
}
}  // namespace

void Zantigo::LoadSettings(int n)
{
    if (n == -1 || OpenSettings().value(kAvailableKey).toInt() == 0)
    {
        if (n == -1)
            n = 0;
        MakeFactoryBlock();
        SaveSettings(0);
        SetCarrierField(m_Block, 0, kCarRemoteKHz);
        SaveSettings(1);
        SetCarrierField(m_Block, 0, kTetraKHz);
        SaveSettings(2);
        // SaveSettings wrote the titles of the list as it stood; the factory list replaces them.
        QSettings titles = OpenSettings();
        WriteTitles(titles, {QStringLiteral("Car Remote 433MHz"), QStringLiteral("Tetra")});
        titles.sync();
    }

    QSettings settings = OpenSettings();
    Block block{};
    if (n == 0)
    {
        m_ui->m_pFreqStepSlider->setValue(settings.value(kFreqStepKey, 3).toInt());
        m_ui->m_pUserCombo->clear();
        m_ui->m_pUserCombo->addItem(tr("NOT SELECTED"));
        const int count = settings.value(kComboSizeKey, 0).toInt();
        settings.beginReadArray(kComboArray);
        for (int i = 0; i < count; ++i)
        {
            settings.setArrayIndex(i);
            m_ui->m_pUserCombo->addItem(settings.value(kTitleKey).toString());
        }
        settings.endArray();
        m_ui->m_pUserCombo->setCurrentIndex(0);

        block = ReadStoredBlock(settings, kOptionsArray);
        if (CGeneratorSignalList::IsValidBlock(block.data()))
        {
            std::memcpy(m_Block, block.data(), sizeof(m_Block));
        }
        else
        {
            // A stored block whose band or selections point outside the window's tables is not
            // shown; the window starts from the factory settings instead.
            MakeFactoryBlock();
        }
    }
    else
    {
        block = ReadStoredBlock(settings, UserArray(n));
        if (!CGeneratorSignalList::IsValidBlock(block.data()))
        {
            // The window keeps what it has: nothing of the damaged signal is shown or sent.
            Prompt().Critical(this, tr("Error"), tr("File data error!"));
            return;
        }
        std::memcpy(m_Block, block.data(), sizeof(m_Block));
    }

    m_Block[kSmsCounterByte] = 0;
    ShowBlock();
}

void Zantigo::SaveSettings(int n)
{
    QSettings settings = OpenSettings();
    settings.setValue(kAvailableKey, 1);
    if (n == 0)
    {
        settings.setValue(kFreqStepKey, m_ui->m_pFreqStepSlider->value());
        WriteStoredBlock(settings, kOptionsArray, m_Block);
    }
    else
    {
        WriteStoredBlock(settings, UserArray(n), m_Block);
    }
    WriteTitles(settings, UserTitles(*m_ui->m_pUserCombo));
}

void Zantigo::SaveUserPreset(int from, int to)
{
    if (from == 0 || to == 0)
        return;
    QSettings settings = OpenSettings();
    const Block block = ReadStoredBlock(settings, UserArray(from));
    WriteStoredBlock(settings, UserArray(to), block.data());
}

void Zantigo::ShowBlock()
{
    const int band = m_Block[kBandByte];
    const int sel = band < kBandCount ? m_Block[kSelectionByte + band] : 0;

    SelectItem(m_ui->m_pDeviationFreqCombo, m_Block[kDeviationByte]);
    SelectItem(m_ui->m_pBandFreqCombo, m_Block[kFreqBandByte]);
    SelectItem(m_ui->m_pNumChCombo, m_Block[kChannelsByte]);
    SelectItem(m_ui->m_pNumPtCombo, m_Block[kPointsByte + sel]);
    SelectItem(m_ui->m_pCarrierTypeCombo, m_Block[kCarrierTypeByte]);
    SelectItem(m_ui->m_pRatioCombo, m_Block[kRatioByte]);

    const bool powered = band <= 1 ? m_Block[kPowerSentByte] != 0 : m_Block[kLfStepByte] != 0;
    m_ui->m_pPowerCheckBox->setChecked(powered);
    // The RF step shown is the one sent, or, while the stored signal is unpowered, the step chosen: the
    // next block takes the list's index, so item 0 here would replace the signal's chosen step.
    const int rfStep = m_Block[kPowerSentByte] != 0 ? m_Block[kPowerSentByte] : m_Block[kRfStepByte];
    SelectItem(m_ui->m_pPowerRFCombo, std::max(rfStep - 1, 0));
    SelectItem(m_ui->m_pPowerLFCombo, std::max(m_Block[kLfStepByte] - 1, 0));

    m_ui->m_pTimeOnSecSpin->setValue(m_Block[kPulseFirstByte]);
    m_ui->m_pTimeOnMSecSpin->setValue(m_Block[kPulseFirstByte + 1]);
    m_ui->m_pTimeOnMMSecSpin->setValue(m_Block[kPulseFirstByte + 2]);
    m_ui->m_pTimeOffMinSpin->setValue(m_Block[kPulseFirstByte + 3]);
    m_ui->m_pTimeOffSecSpin->setValue(m_Block[kPulseFirstByte + 4]);
    m_ui->m_pTimeOffMSecSpin->setValue(m_Block[kPulseFirstByte + 5]);
    m_ui->m_pTimeOffMMSecSpin->setValue(m_Block[kPulseFirstByte + 6]);
    UpdateFrequencySpin();

    if (band < kBandCount)
        SelectBand(band);
    RestoreModulationSelection();
}

void Zantigo::OnUserCombo(int index)
{
    if (index < 0)
        return;
    if (index == 0)
    {
        m_ui->m_pUserTitleEdit->clear();
        m_ui->m_pUserSaveButton->setEnabled(false);
        return;
    }
    // A damaged signal is reported and not loaded; its title and "Save Changes" still follow the list,
    // so the operator can store the window's settings over it.
    LoadSettings(index);
    m_ui->m_pUserTitleEdit->setText(m_ui->m_pUserCombo->itemText(index));
    m_ui->m_pUserSaveButton->setEnabled(true);
}

void Zantigo::OnUserAddButton()
{
    const QString title = m_ui->m_pUserTitleEdit->text();
    if (title.isEmpty())
    {
        Prompt().Warning(this, tr("Error"), tr("'Title' must be filled!"));
        return;
    }
    m_ui->m_pUserCombo->addItem(title);
    const int index = m_ui->m_pUserCombo->count() - 1;
    SaveSettings(index);
    m_ui->m_pUserCombo->setCurrentIndex(index);
}

void Zantigo::OnUserSaveButton()
{
    const QString title = m_ui->m_pUserTitleEdit->text();
    if (title.isEmpty())
    {
        Prompt().Warning(this, tr("Error"), tr("'Title' must be filled!"));
        return;
    }
    const int index = m_ui->m_pUserCombo->currentIndex();
    // "NOT SELECTED" is no user signal: saving over it would rename it and store the current settings.
    if (index < 1)
        return;
    if (Prompt().Question(this, QCoreApplication::applicationName(),
                          tr("Do you really want to save changes?"),
                          QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    m_ui->m_pUserCombo->setItemText(index, title);
    SaveSettings(index);
}

void Zantigo::OnUserDeleteButton()
{
    const int index = m_ui->m_pUserCombo->currentIndex();
    if (index < 1)
    {
        Prompt().Warning(this, tr("Error"), tr("This item cannot be deleted!"));
        return;
    }
    if (Prompt().Question(this, QCoreApplication::applicationName(),
                          tr("Do you really want to delete this item?"),
                          QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;

    const int last = m_ui->m_pUserCombo->count() - 1;
    for (int c = index; c < last; ++c)
        SaveUserPreset(c + 1, c);
    {
        // The freed last slot is cleared, whatever a longer earlier list left after it.
        QSettings settings = OpenSettings();
        const Block zeros{};
        WriteStoredBlock(settings, UserArray(last), zeros.data());
    }
    m_ui->m_pUserCombo->removeItem(index);
    QSettings settings = OpenSettings();
    WriteTitles(settings, UserTitles(*m_ui->m_pUserCombo));
}

void Zantigo::OnUserSaveListButton()
{
    const QString path =
        Prompt().GetSaveFileName(this, tr("Save Signal List  As"), SignalListFolder(), SignalListFilter());
    if (path.isEmpty())
        return;

    // The stored signals are read as they are: the window's own settings stay in the window and
    // nothing reaches the transmitter.
    QVector<CGeneratorSignalList::Signal> signalList;
    {
        QSettings settings = OpenSettings();
        for (int k = 1; k < m_ui->m_pUserCombo->count(); ++k)
            signalList.append({m_ui->m_pUserCombo->itemText(k), ReadStoredBlock(settings, UserArray(k))});
    }

    const QByteArray bytes = CGeneratorSignalList::Write(signalList);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        Prompt().Critical(this, tr("Error"), tr("File error!"));
}

void Zantigo::OnUserLoadListButton()
{
    if (Prompt().Question(this, QCoreApplication::applicationName(),
                          tr("Do you really want to load another list of signals?"),
                          QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    const QString path =
        Prompt().GetOpenFileName(this, tr("Load Signal List"), SignalListFolder(), SignalListFilter());
    if (path.isEmpty())
        return;

    // The whole file is read and checked before anything is stored: a refused file leaves the user
    // signals, their titles and the window as they were.
    QVector<CGeneratorSignalList::Signal> signalList;
    switch (CGeneratorSignalList::ReadFile(path, &signalList))
    {
        case CGeneratorSignalList::Error::None:
            break;
        case CGeneratorSignalList::Error::File:
            Prompt().Critical(this, tr("Error"), tr("File error!"));
            return;
        case CGeneratorSignalList::Error::Content:
            Prompt().Critical(this, tr("Error"), tr("File content error!"));
            return;
        case CGeneratorSignalList::Error::Data:
            Prompt().Critical(this, tr("Error"), tr("File data error!"));
            return;
    }

    // The signals go straight into their slots; the working block is not involved, so the window's
    // settings stay and nothing is sent.
    QStringList titles;
    {
        QSettings settings = OpenSettings();
        settings.setValue(kAvailableKey, 1);
        for (int k = 0; k < signalList.size(); ++k)
        {
            WriteStoredBlock(settings, UserArray(k + 1), signalList[k].block.data());
            titles << signalList[k].title;
        }
        WriteTitles(settings, titles);
    }

    m_ui->m_pUserCombo->clear();
    m_ui->m_pUserCombo->addItem(tr("NOT SELECTED"));
    m_ui->m_pUserCombo->addItems(titles);
    m_ui->m_pUserCombo->setCurrentIndex(0);
}
