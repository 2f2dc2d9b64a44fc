// Hands arbitrary bytes to the archive loader as its "archive.xml", over the library's real archive,
// and checks what the loader promises: it never throws, it reports exactly when it did not take
// everything, a file it cannot read leaves the archive empty, it changes no file (neither the archive
// file nor the images and recordings it names), and what it took saves and loads back whole: the
// second save is byte-identical to the first, which stays beside it as the ".bak".

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "archivefile.h"
#include "isignalsarchive.h"
#include "kelthar.h"

namespace
{
void Check(bool condition)
{
    if (!condition)
        std::abort();
}

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    Check(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size());
}

// Files in the archive folder that the seeds name as images and recordings.
const char* const kNamedFiles[] = {"a.rec", "b.png", "c.wav", "d.png"};

// A fresh library core per archive: its ids only grow, so no archive serves two loads.
class CArchive
{
public:
    explicit CArchive(const QString& folder)
    {
        IKelthar* core = nullptr;
        FPGAQueryInterface(&core);
        m_core.reset(core);
        void* archive = nullptr;
        Check(m_core && m_core->GetInterface(13, &archive));
        m_archive = static_cast<ISignalsArchive*>(archive);
        m_archive->SetFolder(folder.toStdWString());
        // As the archive window does before loading.
        for (int id = 0; id < 4; ++id)
            m_archive->AddPredefinedGroup(id, L"predefined");
    }
    ISignalsArchive& operator*() { return *m_archive; }

private:
    std::unique_ptr<IKelthar> m_core;
    ISignalsArchive* m_archive = nullptr;
};

size_t EntryCount(ISignalsArchive& archive)
{
    std::vector<ARCHIVE_SIGNAL_ENTRY> entries;
    archive.GetSignalsOfGroup(entries, -1);
    return entries.size();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir folder;
    static const bool prepared = []
    {
        for (const char* name : kNamedFiles)
            WriteBytes(folder.path() + QLatin1Char('/') + QLatin1String(name), name);
        return true;
    }();
    Check(prepared && folder.isValid());

    const QString dir = folder.path();
    const QString path = dir + QStringLiteral("/archive.xml");
    const QString saved = dir + QStringLiteral("/saved.xml");
    QFile::remove(saved);
    QFile::remove(saved + QStringLiteral(".bak"));
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<int>(size));
    WriteBytes(path, input);

    CArchive archive(dir);
    QString error;
    const CArchiveFile::LoadResult result = CArchiveFile::Load(*archive, path, &error);
    Check(result != CArchiveFile::LoadResult::Missing);
    Check(error.isEmpty() == (result == CArchiveFile::LoadResult::Complete));
    if (result == CArchiveFile::LoadResult::Unreadable)
        Check((*archive).GetUserGroups().empty() && EntryCount(*archive) == 0);
    Check(ReadBytes(path) == input);
    for (const char* name : kNamedFiles)
        Check(ReadBytes(dir + QLatin1Char('/') + QLatin1String(name)) == name);
    if (result == CArchiveFile::LoadResult::Unreadable)
        return 0;

    QString saveError;
    Check(CArchiveFile::Save(*archive, saved, &saveError));
    const QByteArray first = ReadBytes(saved);

    CArchive reloaded(dir);
    QString reloadError;
    Check(CArchiveFile::Load(*reloaded, saved, &reloadError) == CArchiveFile::LoadResult::Complete);
    Check((*reloaded).GetUserGroups().size() == (*archive).GetUserGroups().size());
    Check(EntryCount(*reloaded) == EntryCount(*archive));
    Check(CArchiveFile::Save(*reloaded, saved, &saveError));
    Check(ReadBytes(saved) == first);
    Check(ReadBytes(saved + QStringLiteral(".bak")) == first);
    return 0;
}
