// Load and save of a 10,000-entry signals archive. The archive window loads the file once at start and
// rewrites it whole after every change, so a save is paid on every edit and every entry a view files.
// Budget: each under 300 ms. The archive is a well-used one: 40 user groups, comments, image paths on a
// third of the entries, a signal recording on every tenth (some shared) and a sound on every twentieth.
// The counters give the mean and the worst time per operation in ms and the file's size.

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "archivefile.h"
#include "benchsupport.h"
#include "isignalsarchive.h"
#include "kelthar.h"

namespace
{
constexpr int kEntries = 10000;
constexpr int kUserGroups = 40;
constexpr double kBudgetMs = 300.0;
constexpr int kRuns = 20;

// A library core of its own per archive: archive ids only grow, so each load needs a fresh one.
class CArchive
{
public:
    CArchive()
    {
        IKelthar* core = nullptr;
        FPGAQueryInterface(&core);
        m_core.reset(core);
        void* archive = nullptr;
        if (m_core && m_core->GetInterface(13, &archive))
            m_archive = static_cast<ISignalsArchive*>(archive);
        if (!m_archive)
            std::abort();
        // As the archive window does before loading.
        m_archive->AddPredefinedGroup(0, L"New Signals");
        m_archive->AddPredefinedGroup(1, L"Legal Signals");
        m_archive->AddPredefinedGroup(2, L"Dangerous Signals");
        m_archive->AddPredefinedGroup(3, L"Suspicious Signals");
    }
    ISignalsArchive& Get() { return *m_archive; }

private:
    std::unique_ptr<IKelthar> m_core;
    ISignalsArchive* m_archive = nullptr;
};

void Fill(ISignalsArchive& archive, const QString& folder)
{
    archive.SetFolder(folder.toStdWString());
    for (int g = 0; g < kUserGroups; ++g)
        archive.AddUserGroup(4 + g, L"Group " + std::to_wstring(g) + L" – диапазон");
    std::mt19937 random(11);
    std::uniform_real_distribution<double> freq(30e6, 3600e6);
    std::uniform_real_distribution<double> width(1e3, 20e6);
    std::uniform_real_distribution<double> level(-110.0, -20.0);
    for (int i = 0; i < kEntries; ++i)
    {
        ARCHIVE_SIGNAL_ENTRY entry;
        entry.GroupIndex = i % (4 + kUserGroups);
        entry.Timestamp = 1700000000 + static_cast<int64_t>(i) * 37;
        entry.FreqPeak = freq(random);
        const double half = width(random) / 2.0;
        entry.FreqBegin = entry.FreqPeak - half;
        entry.FreqEnd = entry.FreqPeak + half;
        entry.Level = level(random);
        entry.Excess = i % 4 == 0 ? -1.0 : entry.Level + 105.0;
        entry.Comment = L"Signal " + std::to_wstring(i) + (i % 2 == 0 ? L" near the link <A&B>" : L" сигнал");
        if (i % 3 == 0)
        {
            const std::wstring stem = L"20240101_" + std::to_wstring(i);
            entry.RangeImageFile = L"r" + stem + L".rsd";
            entry.DdcImageFile = L"d" + stem + L".dsd";
            entry.DemodImageFile = L"m" + stem + L".mod";
        }
        if (i % 10 == 0)
            entry.SignalRecordingNo =
                archive.AddRecording(i % 50 == 0 ? L"shared.rec" : L"rec_" + std::to_wstring(i) + L".rec");
        if (i % 20 == 0)
            entry.SoundRecordingFile = L"sound_" + std::to_wstring(i) + L".wav";
        entry.Channel = i % 7;
        entry.Source = i % 5;
        archive.AddSignal(entry);
    }
}

void Report(benchmark::State& state, std::vector<double>& timesMs, const QString& file)
{
    ReportTimes(state, timesMs);
    state.counters["budget_ms"] = kBudgetMs;
    state.counters["file_kB"] = static_cast<double>(QFileInfo(file).size()) / 1024.0;
}

void BM_ArchiveSave(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("archive.xml"));
    CArchive archive;
    Fill(archive.Get(), dir.path());
    std::vector<double> timesMs;
    for (auto _ : state)
    {
        QString error;
        const auto start = std::chrono::steady_clock::now();
        const bool saved = CArchiveFile::Save(archive.Get(), path, &error);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (!saved)
        {
            state.SkipWithError(error.toStdString().c_str());
            break;
        }
        state.SetIterationTime(seconds);
        timesMs.push_back(seconds * 1000.0);
    }
    Report(state, timesMs, path);
}
BENCHMARK(BM_ArchiveSave)->Iterations(BenchIterations(kRuns))->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_ArchiveLoad(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("archive.xml"));
    {
        CArchive archive;
        Fill(archive.Get(), dir.path());
        QString error;
        if (!CArchiveFile::Save(archive.Get(), path, &error))
        {
            state.SkipWithError(error.toStdString().c_str());
            return;
        }
    }
    std::vector<double> timesMs;
    for (auto _ : state)
    {
        // The core is built before the window loads; only the load is timed.
        CArchive archive;
        archive.Get().SetFolder(dir.path().toStdWString());
        QString error;
        const auto start = std::chrono::steady_clock::now();
        const CArchiveFile::LoadResult result = CArchiveFile::Load(archive.Get(), path, &error);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::vector<ARCHIVE_SIGNAL_ENTRY> entries;
        archive.Get().GetSignalsOfGroup(entries, -1);
        if (result != CArchiveFile::LoadResult::Complete || entries.size() != static_cast<size_t>(kEntries))
        {
            state.SkipWithError(("incomplete load: " + error.toStdString()).c_str());
            break;
        }
        state.SetIterationTime(seconds);
        timesMs.push_back(seconds * 1000.0);
    }
    Report(state, timesMs, path);
}
BENCHMARK(BM_ArchiveLoad)->Iterations(BenchIterations(kRuns))->UseManualTime()->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv)
{
    KeepBenchmarkToThisRun("bench_archive");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
