// The device's calibration files: synthesizer rows, oscilloscope scales and level corrections. The values
// live in the library; these operations move them between the library and the files of the per-user
// data folder (or files the operator picks in the internals window).

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

#include <array>
#include <functional>
#include <optional>

#include "correctionfiles.h"
#include "devicethread.h"

namespace
{
const char kAdfFile[] = "/adf_corr.dat";
const char kOscFile[] = "/osc_corr.dat";
const char kDbmFile[] = "/dbm_corr.dat";

constexpr int kOscDecimals = 6;
constexpr int kDbmDecimals = 2;

// The start-up channel: the whole radio range.
constexpr double kStartFreqMHz = 40.0;
constexpr double kStopFreqMHz = 6030.0;
constexpr double kSampleRateHz = 61000000.0;

QString DataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
}

// The whole file, or nothing when it cannot be read or is far too large for a calibration table (an
// operator can pick any file, a device file without end included).
std::optional<QByteArray> ReadSmallFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray text = file.read(CCorrectionFiles::kMaxFileBytes + 1);
    if (text.size() > CCorrectionFiles::kMaxFileBytes || file.error() != QFileDevice::NoError)
        return std::nullopt;
    return text;
}

// The calibration is the operator's only copy: a file is replaced whole or left as it was; a table
// that holds a value no file can carry (NaN, infinity) is not written at all.
bool WriteWhole(const QString& path, const std::optional<QByteArray>& text)
{
    if (!text)
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(*text) != text->size())
    {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

// Into the data folder, which does not exist before the first settings are written.
bool SaveToDataFolder(const char* name, const std::function<bool(const QString&)>& exporter)
{
    const QString folder = DataFolder();
    return QDir().mkpath(folder) && exporter(folder + QLatin1String(name));
}
}  // namespace

void CDeviceThread::LoadCorrections()
{
    m_pControlBits->ClearChannels();
    const QString name = QCoreApplication::translate("QObject", "Radio Channel (%1-%2 MHz)")
                             .arg(static_cast<int>(kStartFreqMHz))
                             .arg(static_cast<int>(kStopFreqMHz));
    IChannel* channel = m_pControlBits->AddChannel(0, L"HRF", name.toStdWString(), kSampleRateHz);
    channel->SetStartFreq(kStartFreqMHz);
    channel->SetStopFreq(kStopFreqMHz);
    channel->SetViewStopFreq(kStopFreqMHz);
    m_pAdf->SetFreqLimits(channel->GetStartFreq(), channel->GetStopFreq());

    // A missing or refused file leaves the library's own values for its whole table.
    const QString folder = DataFolder();
    LoadAdfCorrections(folder + QLatin1String(kAdfFile));
    LoadOscCorrections(folder + QLatin1String(kOscFile));
    LoadDbmCorrections(folder + QLatin1String(kDbmFile));
}

// Each loader reads the whole file and checks all of it (CCorrectionFiles) before it hands a single value
// to the library, so a refused file leaves the calibration exactly as it was.
bool CDeviceThread::LoadAdfCorrections(const QString& path)
{
    const std::optional<QByteArray> text = ReadSmallFile(path);
    if (!text)
        return false;
    const auto rows = CCorrectionFiles::ReadAdf(*text);
    if (!rows)
        return false;
    // A short file leaves the rows after its last one as they were.
    for (size_t i = 0; i < rows->size(); ++i)
    {
        const int row = static_cast<int>(i);
        m_pAdf->SetCorrAmpl(row, (*rows)[i].amplitude);
        m_pAdf->SetShiftFrac(row, (*rows)[i].fracShift);
        m_pAdf->SetShiftGarm(row, (*rows)[i].garmShift);
    }
    return true;
}

bool CDeviceThread::LoadOscCorrections(const QString& path)
{
    const std::optional<QByteArray> text = ReadSmallFile(path);
    if (!text)
        return false;
    const auto values = CCorrectionFiles::ReadChannels(*text, m_pControlBits->GetChannelCount(), false);
    if (!values)
        return false;
    for (size_t c = 0; c < values->channels.size(); ++c)
    {
        IChannel* channel = m_pControlBits->GetChannel(static_cast<int>(c));
        for (int k = 0; k < 3; ++k)
            channel->SetOscCorrection(k, values->channels[c][static_cast<size_t>(k)]);
    }
    return true;
}

bool CDeviceThread::LoadDbmCorrections(const QString& path)
{
    const std::optional<QByteArray> text = ReadSmallFile(path);
    if (!text)
        return false;
    const auto values = CCorrectionFiles::ReadChannels(*text, m_pControlBits->GetChannelCount(), true);
    if (!values)
        return false;
    for (size_t c = 0; c < values->channels.size(); ++c)
    {
        IChannel* channel = m_pControlBits->GetChannel(static_cast<int>(c));
        for (int k = 0; k < 3; ++k)
            channel->SetDbmCorrection(k, values->channels[c][static_cast<size_t>(k)]);
    }
    if (values->bands)
    {
        // The per-band corrections are indexed 1 to 8 in the library.
        IChannel* first = m_pControlBits->GetChannel(0);
        for (int j = 1; j <= CCorrectionFiles::kBandCorrections; ++j)
            first->SetDbmCorrection2(j, (*values->bands)[static_cast<size_t>(j - 1)]);
    }
    return true;
}

bool CDeviceThread::ExportAdfCorrections(const QString& path)
{
    std::array<ADF_CORRECTION_ROW, CCorrectionFiles::kAdfRows> rows;
    for (int i = 0; i < CCorrectionFiles::kAdfRows; ++i)
        rows[static_cast<size_t>(i)] = {m_pAdf->GetCorrAmpl(i), m_pAdf->GetShiftFrac(i),
                                        m_pAdf->GetShiftGarm(i)};
    return WriteWhole(path, CCorrectionFiles::FormatAdf(rows));
}

bool CDeviceThread::ExportOscCorrections(const QString& path)
{
    CHANNEL_CORRECTIONS values;
    const int count = m_pControlBits->GetChannelCount();
    for (int c = 0; c < count; ++c)
    {
        IChannel* channel = m_pControlBits->GetChannel(c);
        values.channels.push_back(
            {channel->GetOscCorrection(0), channel->GetOscCorrection(1), channel->GetOscCorrection(2)});
    }
    return WriteWhole(path, CCorrectionFiles::FormatChannels(values, kOscDecimals));
}

bool CDeviceThread::ExportDbmCorrections(const QString& path)
{
    CHANNEL_CORRECTIONS values;
    const int count = m_pControlBits->GetChannelCount();
    for (int c = 0; c < count; ++c)
    {
        IChannel* channel = m_pControlBits->GetChannel(c);
        values.channels.push_back(
            {channel->GetDbmCorrection(0), channel->GetDbmCorrection(1), channel->GetDbmCorrection(2)});
        if (c == 0)
        {
            std::array<double, CCorrectionFiles::kBandCorrections> bands{};
            for (int j = 1; j <= CCorrectionFiles::kBandCorrections; ++j)
                bands[static_cast<size_t>(j - 1)] = channel->GetDbmCorrection2(j);
            values.bands = bands;
        }
    }
    return WriteWhole(path, CCorrectionFiles::FormatChannels(values, kDbmDecimals));
}

bool CDeviceThread::SaveAdfCorrections()
{
    return SaveToDataFolder(kAdfFile, [this](const QString& path) { return ExportAdfCorrections(path); });
}

bool CDeviceThread::SaveOscCorrections()
{
    const bool saved =
        SaveToDataFolder(kOscFile, [this](const QString& path) { return ExportOscCorrections(path); });
    // A spare copy in the temporary folder; QFile::copy keeps an earlier copy there.
    QFile::copy(DataFolder() + QLatin1String(kOscFile),
                QStandardPaths::writableLocation(QStandardPaths::TempLocation) + QLatin1String(kOscFile));
    return saved;
}

bool CDeviceThread::SaveDbmCorrections()
{
    return SaveToDataFolder(kDbmFile, [this](const QString& path) { return ExportDbmCorrections(path); });
}
