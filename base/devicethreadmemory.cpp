// The device-memory transfer: while the memory window has set transfer mode 2, every loop pass moves one
// 512-byte page of the analyser's memory through one command/reply exchange with the board. The pages
// go through a buffer of the transfer's own; the window's image is never touched from this thread.

#include <QMutexLocker>

#include <algorithm>

#include "devicethread.h"

namespace
{
constexpr size_t kCommandSize = 1095;
constexpr size_t kReplySize = 1024;
constexpr int kPageSize = 512;

// Command packet layout.
constexpr size_t kHeaderEnd = 74;  // bytes 0..73 are rebuilt for every packet
constexpr size_t kSync0 = 63;
constexpr size_t kSync1 = 64;
constexpr size_t kSync2 = 65;
constexpr size_t kWriteCode = 66;
constexpr size_t kImageKind = 67;
constexpr size_t kPageField = 68;
constexpr size_t kCountField = 70;
constexpr size_t kPayload = 74;
constexpr uint8_t kWriteCommand = 0xA2;
constexpr int kImageKindByte = 14;  // the image byte that an upload repeats in the header

// Reply frame layout, from the frame offset.
constexpr size_t kFramePage = 2;
constexpr size_t kFrameCount = 4;
constexpr size_t kFramePayload = 10;

void PutBigEndian16(std::vector<uint8_t>& packet, size_t at, int value)
{
    packet[at] = static_cast<uint8_t>((value >> 8) & 0xFF);
    packet[at + 1] = static_cast<uint8_t>(value & 0xFF);
}

int GetBigEndian16(const std::vector<uint8_t>& packet, size_t at)
{
    return (packet[at] << 8) | packet[at + 1];
}

uint8_t ImageByte(const QByteArray& image, qint64 position)
{
    return position >= 0 && position < image.size() ? static_cast<uint8_t>(image[static_cast<int>(position)])
                                                    : 0;
}
}  // namespace

void CDeviceThread::StartMemoryDownload()
{
    QMutexLocker lock(&m_TransferMutex);
    ++m_nTransferGeneration;
    m_TransferBuffer = QByteArray();
    m_bTransferComplete = false;
    m_bTransferUpload = false;
    m_bMemoryUpload = false;
    m_nMemoryDone = 0;
    m_nMemoryTotal = 0;
    // The mode goes last: it hands the transfer to the loop.
    m_nTransferMode = 2;
}

void CDeviceThread::StartMemoryUpload(const QByteArray& image, int patternOffset, int pages)
{
    QByteArray copy(std::max(pages, 0) * kPageSize, '\0');
    for (int i = 0; i < copy.size(); ++i)
        copy[i] = static_cast<char>(ImageByte(image, static_cast<qint64>(patternOffset) + i));

    QMutexLocker lock(&m_TransferMutex);
    ++m_nTransferGeneration;
    m_TransferBuffer = copy;
    m_nUploadDeviceByte = ImageByte(image, kImageKindByte);
    m_bTransferComplete = false;
    m_bTransferUpload = true;
    m_bMemoryUpload = true;
    m_nMemoryDone = 0;
    m_nMemoryTotal = std::max(pages, 0);
    m_nTransferMode = 2;
}

void CDeviceThread::CancelMemoryTransfer()
{
    QMutexLocker lock(&m_TransferMutex);
    ++m_nTransferGeneration;
    m_TransferBuffer = QByteArray();
    m_bTransferComplete = false;
    m_bMemoryUpload = false;
    m_nTransferMode = 1;
}

bool CDeviceThread::TakeDownloadedImage(QByteArray& image)
{
    QMutexLocker lock(&m_TransferMutex);
    if (!m_bTransferComplete || m_bTransferUpload)
        return false;
    image = m_TransferBuffer;
    m_TransferBuffer = QByteArray();
    m_bTransferComplete = false;
    return true;
}

QByteArray CDeviceThread::MemoryTransferBuffer() const
{
    QMutexLocker lock(&m_TransferMutex);
    return m_TransferBuffer;
}

bool CDeviceThread::MemoryTransferStep()
{
    if (m_CommandPacket.size() != kCommandSize)
        m_CommandPacket.assign(kCommandSize, 0);
    if (m_ReplyPacket.size() != kReplySize)
        m_ReplyPacket.assign(kReplySize, 0);

    std::fill(m_CommandPacket.begin(), m_CommandPacket.begin() + kHeaderEnd, uint8_t{0});
    m_CommandPacket[kSync0] = 0x6F;
    m_CommandPacket[kSync1] = 0x67;
    m_CommandPacket[kSync2] = 0x80;

    quint64 generation = 0;
    bool upload = false;
    {
        QMutexLocker lock(&m_TransferMutex);
        generation = m_nTransferGeneration;
        upload = m_bTransferUpload;
        if (upload)
        {
            const int page = m_nMemoryDone;
            m_CommandPacket[kWriteCode] = kWriteCommand;
            m_CommandPacket[kImageKind] = m_nUploadDeviceByte;
            PutBigEndian16(m_CommandPacket, kPageField, page);
            PutBigEndian16(m_CommandPacket, kCountField, m_nMemoryTotal);
            const qint64 first = static_cast<qint64>(page) * kPageSize;
            for (int i = 0; i < kPageSize; ++i)
                m_CommandPacket[kPayload + static_cast<size_t>(i)] = ImageByte(m_TransferBuffer, first + i);
        }
    }
    // A download leaves the payload as the last upload left it; the board ignores it.

    // The exchange runs without the lock: the window may cancel or start anew meanwhile.
    if (!m_pKelthar->SendBlock(m_CommandPacket, m_ReplyPacket, m_nReplyFrameOffset))
        return false;

    QMutexLocker lock(&m_TransferMutex);
    // A reply to a transfer that was cancelled or replaced while it was on the wire is dropped.
    if (generation != m_nTransferGeneration || m_nTransferMode != 2)
        return true;
    if (upload)
        ++m_nMemoryDone;
    else if (!StoreDownloadedPage())
        return false;

    if (m_nMemoryTotal != 0 && m_nMemoryDone == m_nMemoryTotal)
    {
        m_bTransferComplete = true;
        m_nTransferMode = 1;
    }
    return true;
}

bool CDeviceThread::StoreDownloadedPage()
{
    // The core has verified the frame and its checksum; a frame offset that leaves no room for a whole
    // page in the reply packet is refused rather than read past its end.
    const size_t frame = static_cast<size_t>(std::max(m_nReplyFrameOffset, 0));
    if (frame + kFramePayload + kPageSize > m_ReplyPacket.size())
        return false;
    const int page = GetBigEndian16(m_ReplyPacket, frame + kFramePage);
    if (page == 1)
    {
        // QByteArray leaves grown bytes undefined; pages the board never sends read as zero.
        const int total = GetBigEndian16(m_ReplyPacket, frame + kFrameCount);
        m_TransferBuffer = QByteArray(total * kPageSize, '\0');
        m_nMemoryTotal = total;
    }
    // Pages count from 1; a page before the announcing page 1, or beyond its count, is not stored.
    if (page >= 1 && page <= m_nMemoryTotal && page * kPageSize <= m_TransferBuffer.size())
    {
        const int first = (page - 1) * kPageSize;
        for (int i = 0; i < kPageSize; ++i)
            m_TransferBuffer[first + i] =
                static_cast<char>(m_ReplyPacket[frame + kFramePayload + static_cast<size_t>(i)]);
    }
    // The page number is published last, so the window never sees the count reached before the bytes.
    m_nMemoryDone = page;
    return true;
}
