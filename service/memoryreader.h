#pragma once

#include <QByteArray>

#include <cstdint>

// Reads fields of an analyser memory image, little-endian, with every access checked against the
// image's size: a byte before the start or beyond the end reads as 0, so a short or damaged image
// never leads a read outside its buffer. Offsets are 64-bit so that offset arithmetic on hostile
// counts cannot wrap.
class CMemoryReader
{
public:
    explicit CMemoryReader(const QByteArray& bytes) : m_bytes(bytes) {}

    uint8_t U8(qint64 offset) const;
    uint16_t U16(qint64 offset) const;
    int16_t I16(qint64 offset) const { return static_cast<int16_t>(U16(offset)); }
    uint32_t U32(qint64 offset) const;
    // `count` bytes from `offset`, zeros where the image has none.
    QByteArray Bytes(qint64 offset, int count) const;
    // True when all of [offset, offset + count) lies inside the image.
    bool Contains(qint64 offset, qint64 count) const;

    int Size() const { return m_bytes.size(); }

private:
    const QByteArray& m_bytes;
};
