#pragma once

// What the header of a PCM WAV file declares, next to what the file really holds, so a test can tell
// a file closed with its sizes from one left with the sizes of its start.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtEndian>

struct SWavFile
{
    bool read = false;  // a RIFF/WAVE file with a "fmt " and a "data" chunk
    int channels = 0;
    int rate = 0;
    int bits = 0;
    qint64 riffBytes = 0;      // the RIFF chunk's declared size
    qint64 dataBytes = 0;      // the data chunk's declared size
    qint64 fileBytes = 0;      // the whole file
    qint64 dataAvailable = 0;  // bytes after the data chunk's header
};

inline SWavFile ReadWavFile(const QString& path)
{
    SWavFile wav;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return wav;
    const QByteArray bytes = file.readAll();
    wav.fileBytes = bytes.size();
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return wav;
    const auto* raw = reinterpret_cast<const uchar*>(bytes.constData());
    wav.riffBytes = qFromLittleEndian<quint32>(raw + 4);
    bool format = false;
    int at = 12;
    while (at + 8 <= bytes.size())
    {
        const QByteArray id = bytes.mid(at, 4);
        const quint32 size = qFromLittleEndian<quint32>(raw + at + 4);
        if (id == "fmt " && at + 8 + 16 <= bytes.size())
        {
            wav.channels = qFromLittleEndian<quint16>(raw + at + 10);
            wav.rate = static_cast<int>(qFromLittleEndian<quint32>(raw + at + 12));
            wav.bits = qFromLittleEndian<quint16>(raw + at + 22);
            format = true;
        }
        else if (id == "data")
        {
            wav.dataBytes = size;
            wav.dataAvailable = bytes.size() - (at + 8);
            wav.read = format;
            return wav;
        }
        at += 8 + static_cast<int>(size) + static_cast<int>(size & 1);
    }
    return wav;
}
