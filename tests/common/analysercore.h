#pragma once

// The Morvik analyser behind a library core: the board exchange of the device-memory transfer is played
// by a script that reads the command packets as the board would and answers with framed pages.
// Everything else is the real library core, so the device thread binds as it does in the program.
// What is tested against it is the program's side of the exchange, not the analyser's firmware.

#include <QByteArray>

#include <algorithm>
#include <functional>
#include <vector>

#include "forwardingcore.h"

namespace analyser
{
constexpr int kPage = 512;
constexpr int kFrameOffset = 10;

// Forwards every operation to a real core, except the board exchange and the sample reads, which are
// counted so that a test sees whether the device was touched at all.
class CAnalyserCore : public CForwardingCore
{
public:
    using Exchange = std::function<bool(const std::vector<uint8_t>& command, std::vector<uint8_t>& reply)>;

    Exchange exchange;
    int sendCount = 0;
    int readCount = 0;

    bool SendBlock(std::vector<uint8_t>& command, std::vector<uint8_t>& reply, int& frameOffset) override
    {
        ++sendCount;
        if (frameOffset == 0)
            frameOffset = kFrameOffset;
        return exchange && exchange(command, reply);
    }
    bool ReadData(std::vector<uint8_t>& block, uint64_t time, int* byteCount) override
    {
        ++readCount;
        return m_real->ReadData(block, time, byteCount);
    }
};

inline int BigEndian16(const std::vector<uint8_t>& bytes, size_t at)
{
    return (bytes[at] << 8) | bytes[at + 1];
}

// A reply as the analyser frames it: marker, length in 4-byte units, page (from 1), count and 4 bytes the
// program does not read; returns where the page's 512 bytes go (zeros until the caller fills them).
inline uint8_t* AnswerFrame(std::vector<uint8_t>& reply, int page, int count)
{
    std::fill(reply.begin(), reply.end(), uint8_t{0});
    uint8_t* frame = reply.data() + kFrameOffset;
    frame[0] = 0xB6;
    frame[1] = kPage / 4;
    frame[2] = static_cast<uint8_t>(page >> 8);
    frame[3] = static_cast<uint8_t>(page);
    frame[4] = static_cast<uint8_t>(count >> 8);
    frame[5] = static_cast<uint8_t>(count);
    return frame + 10;
}

// The reply with page `page` of `image` (from (page - 1) x 512, zeros beyond its end).
inline void AnswerPage(std::vector<uint8_t>& reply, int page, int count, const QByteArray& image)
{
    uint8_t* payload = AnswerFrame(reply, page, count);
    const qint64 first = static_cast<qint64>(page - 1) * kPage;
    for (int i = 0; i < kPage; ++i)
    {
        const qint64 at = first + i;
        payload[i] = at >= 0 && at < image.size() ? static_cast<uint8_t>(image[static_cast<int>(at)]) : 0;
    }
}

// The analyser's side of a whole transfer: a download answers pages 1..n of `image` in turn; an upload
// stores every page it is sent. Each exchange may be made to wait for `gate` first, so that a test can
// hold a step on the wire.
class CAnalyserMemory
{
public:
    explicit CAnalyserMemory(QByteArray memory) : image(std::move(memory)) {}

    CAnalyserCore::Exchange Exchange()
    {
        return [this](const std::vector<uint8_t>& command, std::vector<uint8_t>& reply)
        {
            if (gate)
                gate();
            if (command[66] == 0xA2)
            {
                const int page = BigEndian16(command, 68);
                uploaded.resize(
                    static_cast<int>(std::max<qint64>(uploaded.size(), (page + 1) * qint64{kPage})));
                for (int i = 0; i < kPage; ++i)
                    uploaded[page * kPage + i] = static_cast<char>(command[74 + static_cast<size_t>(i)]);
                uploadHeaders.push_back(std::vector<uint8_t>(command.begin() + 63, command.begin() + 74));
                return true;
            }
            const int count = image.size() / kPage;
            next = next % count + 1;
            AnswerPage(reply, next, count, image);
            return true;
        };
    }

    QByteArray image;
    QByteArray uploaded;
    std::vector<std::vector<uint8_t>> uploadHeaders;  // command bytes 63..73 of every upload page
    std::function<void()> gate;
    int next = 0;  // the page answered last
};
}  // namespace analyser
