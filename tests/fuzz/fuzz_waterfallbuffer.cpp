// Hands arbitrary bytes to the waterfall buffer-file reader as if they were a buffer file (it lives
// on disk while the program runs and can be cut short or altered) and checks what the reader
// promises: it stops at the first damaged record, never returns more than asked, every line has the
// page's point count, times fall strictly along the walk, and each line is exactly the bytes of the
// record it came from.
//
// Input: byte 0 chooses the point count (1..16), bytes 1-2 (little-endian) the record to start from,
// the rest is the file.

#include <QBuffer>
#include <QByteArray>
#include <QtEndian>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "waterfallpage.h"

namespace
{
void Check(bool condition)
{
    if (!condition)
        std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3)
        return 0;
    const int count = data[0] % 16 + 1;
    const int recordIndex = data[1] | (data[2] << 8);
    const QByteArray file(reinterpret_cast<const char*>(data + 3), static_cast<int>(size - 3));
    const qint64 recordSize = WaterfallPage::RecordSize(count);
    // Mostly on the grid of records; now and then one byte off it.
    const qint64 offset =
        WaterfallPage::kFirstRecordOffset + recordIndex / 2 * recordSize + (recordIndex & 1 ? 0 : 1);
    const int maxRecords = 1 + data[1] % 40;

    QBuffer buffer;
    buffer.setData(file);
    Check(buffer.open(QIODevice::ReadOnly));
    WaterfallLineList lines;
    const int read = WaterfallPage::ReadRecordsBack(buffer, offset, count, maxRecords, lines);
    Check(read == lines.size());
    Check(read >= 0 && read <= maxRecords);
    for (int i = 0; i < read; ++i)
    {
        const WaterfallLine& line = *lines[i];
        Check(static_cast<int>(line.levels.size()) == count);
        if (i > 0)
            Check(line.timeMs < lines[i - 1]->timeMs);
        const qint64 at = offset - i * recordSize;
        Check(at >= WaterfallPage::kFirstRecordOffset && at + recordSize <= file.size());
        const char* record = file.constData() + at;
        Check(record[0] == 'T' && record[9] == 'F');
        Check(qFromLittleEndian<qint64>(record + 1) == line.timeMs);
        for (int k = 0; k < count; ++k)
        {
            quint64 bits = 0;
            std::memcpy(&bits, &line.levels[static_cast<size_t>(k)], 8);
            Check(qFromLittleEndian<quint64>(record + 10 + 8 * k) == bits);
        }
    }
    return 0;
}
