#include "memoryreader.h"

uint8_t CMemoryReader::U8(qint64 offset) const
{
    if (offset < 0 || offset >= m_bytes.size())
        return 0;
    return static_cast<uint8_t>(m_bytes[static_cast<int>(offset)]);
}

uint16_t CMemoryReader::U16(qint64 offset) const
{
    return static_cast<uint16_t>(U8(offset) | (U8(offset + 1) << 8));
}

uint32_t CMemoryReader::U32(qint64 offset) const
{
    return static_cast<uint32_t>(U16(offset)) | (static_cast<uint32_t>(U16(offset + 2)) << 16);
}

QByteArray CMemoryReader::Bytes(qint64 offset, int count) const
{
    QByteArray out(count > 0 ? count : 0, '\0');
    for (int i = 0; i < out.size(); ++i)
        out[i] = static_cast<char>(U8(offset + i));
    return out;
}

bool CMemoryReader::Contains(qint64 offset, qint64 count) const
{
    return offset >= 0 && count >= 0 && offset + count <= m_bytes.size();
}
