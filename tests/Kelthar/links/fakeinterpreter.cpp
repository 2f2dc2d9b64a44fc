#include "fakeinterpreter.h"

#include <exception>

namespace
{
// Echo lengths of the five upload chunks as the unit's interpreter produces them.
constexpr int kEchoLengths[CFakeInterpreter::kUploadChunks] = {662, 1190, 1002, 1011, 481};
// A chunk is one write; the library then waits far longer than this for the echo.
constexpr int kPollMs = 5;
constexpr int kChunkQuietPolls = 6;
}  // namespace

CFakeInterpreter::CFakeInterpreter(int uploadChunks)
    : m_uploadChunks(uploadChunks), m_chunkEcho(kEchoLengths, kEchoLengths + kUploadChunks)
{
    m_thread = std::thread([this] { Run(); });
}

CFakeInterpreter::~CFakeInterpreter()
{
    m_stop = true;
    m_thread.join();
}

void CFakeInterpreter::SetChunkEcho(int chunk, int echoBytes)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_chunkEcho.at(static_cast<size_t>(chunk)) = echoBytes;
}

void CFakeInterpreter::SetReplyEditor(ReplyEditor editor)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_editor = std::move(editor);
}

bool CFakeInterpreter::SendUnasked(const std::string& bytes)
{
    Answer(bytes);
    return m_terminal.WaitReadable(bytes.size(), 1000);
}

std::vector<std::string> CFakeInterpreter::Chunks() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_chunks;
}

std::vector<std::string> CFakeInterpreter::Commands() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_commands;
}

size_t CFakeInterpreter::BytesReceived() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_bytesReceived;
}

void CFakeInterpreter::Run()
{
    std::string pending;
    int quietPolls = 0;
    while (!m_stop)
    {
        const std::string byte = m_terminal.Receive(1, kPollMs);
        std::unique_lock<std::mutex> lock(m_mutex);
        const bool uploading = static_cast<int>(m_chunks.size()) < m_uploadChunks;
        if (byte.empty())
        {
            // Upload: a pause after a burst ends the chunk.
            if (uploading && !pending.empty() && ++quietPolls >= kChunkQuietPolls)
            {
                const int echo = m_chunkEcho[m_chunks.size()];
                m_chunks.push_back(pending);
                std::string reply;
                if (echo >= 0)
                {
                    for (char c : pending)
                        reply += c == '\r' ? std::string("\r\n") : std::string(1, c);
                    reply.resize(static_cast<size_t>(echo), ' ');
                }
                pending.clear();
                lock.unlock();
                Answer(reply);
            }
            continue;
        }
        quietPolls = 0;
        ++m_bytesReceived;
        pending += byte;
        if (!uploading && byte == "\r")
        {
            const std::string line = pending.substr(0, pending.size() - 1);
            pending.clear();
            m_commands.push_back(line);
            std::string reply = CommandReply(line);
            if (m_editor)
                reply = m_editor(line, reply);
            lock.unlock();
            Answer(reply);
        }
    }
}

void CFakeInterpreter::Answer(const std::string& bytes)
{
    if (bytes.empty())
        return;
    try
    {
        m_terminal.Send(bytes);
    }
    catch (const std::exception&)
    {
        // The port side is gone; the test sees the missing reply.
    }
}

std::string CFakeInterpreter::CommandReply(const std::string& line) const
{
    std::string result;
    if (line.rfind("SetLMX", 0) == 0)
        result = "831\r\n";
    else if (line.rfind("Set(", 0) == 0)
        result = "529\r\n";
    return line + "\r\n" + result + ">>> ";
}
