#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "pseudoterminal.h"

// Plays the front-end unit's interpreter on the far end of a pseudo-terminal, on a thread of its own.
//
// It first takes the upload: each burst of bytes followed by a pause is one chunk, answered by an
// echo of the scripted length (the interpreter echoes each line and adds its prompts). After the
// upload every line ending in a carriage return is a command, answered as the interpreter answers
// at its prompt: the line, a line break, the function's result and a line break when it has one
// ("Set" 529, the synthesizer loads 831), then the prompt ">>> ". A switch line of 51 characters
// so comes back as 57 bytes.
class CFakeInterpreter
{
public:
    static constexpr int kUploadChunks = 5;
    // Gives the reply to send for a command line (without its carriage return), given the one the
    // interpreter would send; an empty reply is silence.
    using ReplyEditor = std::function<std::string(const std::string& line, const std::string& reply)>;

    // uploadChunks: how many chunks to take before commands (0 when the test skips the upload).
    explicit CFakeInterpreter(int uploadChunks = kUploadChunks);
    ~CFakeInterpreter();
    CFakeInterpreter(const CFakeInterpreter&) = delete;
    CFakeInterpreter& operator=(const CFakeInterpreter&) = delete;

    const std::string& PortPath() const { return m_terminal.PortPath(); }

    // The echo length of upload chunk 0..4; -1 leaves the chunk unanswered. Set before the upload.
    void SetChunkEcho(int chunk, int echoBytes);
    void SetReplyEditor(ReplyEditor editor);
    // Sends bytes nobody asked for and waits until they can be read at the port.
    bool SendUnasked(const std::string& bytes);

    std::vector<std::string> Chunks() const;
    // Command lines in the order they came, without their carriage returns.
    std::vector<std::string> Commands() const;
    size_t BytesReceived() const;

private:
    void Run();
    void Answer(const std::string& bytes);
    std::string CommandReply(const std::string& line) const;

    CPseudoTerminal m_terminal;
    mutable std::mutex m_mutex;
    int m_uploadChunks;
    std::vector<int> m_chunkEcho;
    ReplyEditor m_editor;
    std::vector<std::string> m_chunks;
    std::vector<std::string> m_commands;
    size_t m_bytesReceived = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};
