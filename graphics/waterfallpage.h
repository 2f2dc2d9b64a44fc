#pragma once

#include <QFile>
#include <QIODevice>
#include <QImage>
#include <QMap>
#include <QString>
#include <QtGlobal>

#include <memory>
#include <vector>

#include "waterfallline.h"

// One waterfall history with its image and its optional buffer file. The buffer file is a plain run
// of fixed-size little-endian records from offset 4 on (bytes 0-3 are never written):
//   'T' | int64 time in ms | 'F' | count doubles
// with no header: the reader takes count from the page.
class WaterfallPage
{
public:
    WaterfallPage();
    ~WaterfallPage();
    WaterfallPage(const WaterfallPage&) = delete;
    WaterfallPage& operator=(const WaterfallPage&) = delete;

    static constexpr qint64 kFirstRecordOffset = 4;
    static qint64 RecordSize(int count) { return 10 + 8 * static_cast<qint64>(count); }

    // Starts a new buffer file (truncated). The previous file of this page is closed and, when this
    // page created it, deleted. An empty name leaves the page without a file and returns true.
    bool SetFile(const QString& name);
    // Closes the buffer file and deletes it from disk.
    void CloseFile();
    bool HasFile() const { return m_file != nullptr; }
    QString GetFileName() const { return m_fileName; }
    // Current size of the buffer file in bytes; 0 without a file.
    qint64 FileSize() const;

    // Appends the record of a line (count points) and maps its time to the record's offset. A short
    // write stops spilling: the file is closed (and deleted) and the history stays in memory.
    bool WriteLine(const WaterfallLine& line);
    // The same, and the line object stands for its record when the record is read back while the
    // line is still held (see ReadBack).
    bool WriteLine(const WaterfallLinePtr& line);
    // Rewrites the record of a line already in the file (after its levels were raised by a merge).
    bool RewriteLine(const WaterfallLine& line);
    bool RewriteLine(const WaterfallLinePtr& line);
    // Offset of the record whose time is nearest to timeMs, -1 when none lies within 1000 ms.
    qint64 FindOffset(qint64 timeMs) const;

    // Reads up to maxRecords records of count points backwards in time, starting with the record at
    // offset, newest first, into lines. Stops at the first record that is short, not framed by 'T' and
    // 'F', not older than the one read before, or at the first record of the file. Returns the number
    // of lines appended.
    static int ReadRecordsBack(QIODevice& device, qint64 offset, int count, int maxRecords,
                               WaterfallLineList& lines);
    // ReadRecordsBack on the buffer file, except that a record whose line is still held in memory
    // (written or read back before, with the same time and content) hands over that line instead
    // of reading and decoding its levels again; its frame and time are still read and checked. The
    // file is written by this page only, which forgets a record's line whenever it writes the
    // record.
    int ReadBack(qint64 offset, int maxRecords, WaterfallLineList& lines);
    // How many recent records ReadBack may recognise (the lines a history can hold); at most 65536.
    void SetKnownRecords(int records);

    // Forgets the whole history: lines, rows, newest line, offsets and count; the file content is
    // logically discarded (the next record goes to the first offset again).
    void Clear();

    WaterfallLineList lines;  // newest first
    WaterfallLineList rows;   // merged image rows, newest first
    WaterfallLinePtr newest;  // the most recent line, the merge target
    QMap<qint64, qint64> offsets;
    qint64 writePosition = kFirstRecordOffset;
    QImage image;
    int count = 0;
    bool rebuild = false;
    bool recolour = false;
    qint64 lastMappedTime = 0;

private:
    // A record whose line may still be in memory. A weak reference: the history alone decides
    // what stays in memory.
    struct KnownRecord
    {
        qint64 offset = -1;
        quint64 content = 0;
        std::weak_ptr<WaterfallLine> line;
    };

    bool WriteRecord(qint64 offset, const WaterfallLine& line);
    KnownRecord* KnownSlot(qint64 offset);
    void Remember(qint64 offset, const WaterfallLinePtr& line);
    void ForgetKnownRecords();
    static int ReadBackFrom(QIODevice& device, qint64 offset, int count, int maxRecords,
                            WaterfallLineList& lines, WaterfallPage* known);

    QString m_fileName;
    std::unique_ptr<QFile> m_file;
    bool m_created = false;            // this page created m_fileName, so it may delete it
    std::vector<KnownRecord> m_known;  // by record number modulo its size
    std::vector<char> m_record;        // the record being written
};
