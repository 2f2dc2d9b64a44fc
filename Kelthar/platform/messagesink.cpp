#include "messagesink.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <thread>

namespace kplatform
{
namespace
{
// A handler that never comes (a program without a GUI) must not let distinct messages pile up for
// ever; past this many, messages go to standard error instead.
constexpr size_t kMaxPending = 256;

MessageMode InitialMode()
{
    const char* value = std::getenv("KELTHAR_MESSAGES");
    return value && std::string(value) == "stderr" ? MessageMode::Stderr : MessageMode::Handler;
}

struct SinkState
{
    std::mutex mutex;
    MessageMode mode = InitialMode();
    MessageHandler handler;
    MessageWake wake;
    std::thread::id handlerThread;
    bool delivering = false;
    // The front element stays here while the handler shows it, so repeats of it coalesce.
    std::deque<Message> pending;
};

// Created on first use, so the mode reflects the environment the process runs with, and never
// destroyed: objects torn down at exit may still report.
SinkState& Sink()
{
    static SinkState* const state = new SinkState;
    return *state;
}

bool SameMessage(const Message& a, const Message& b)
{
    return a.icon == b.icon && a.caption == b.caption && a.text == b.text;
}

// One write per line under a lock, so lines from several threads never interleave.
void WriteStderrLine(std::string line)
{
    if (line.empty() || line.back() != '\n')
        line += '\n';
    static std::mutex* const lock = new std::mutex;
    std::lock_guard<std::mutex> guard(*lock);
    std::fflush(stderr);
    const char* data = line.data();
    size_t left = line.size();
    while (left > 0)
    {
        const ssize_t written = ::write(STDERR_FILENO, data, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return;
        data += written;
        left -= static_cast<size_t>(written);
    }
}

std::string StderrLine(const std::string& caption, const std::string& text)
{
    return caption + ": " + text;
}
}  // namespace

void ShowMessage(const std::string& caption, const std::string& text, MessageIcon icon)
{
    SinkState& sink = Sink();
    bool toStderr = false;
    bool deliverHere = false;
    MessageWake wake;
    {
        std::lock_guard<std::mutex> lock(sink.mutex);
        Message message{caption, text, icon};
        bool queued = false;
        if (sink.mode == MessageMode::Stderr)
            toStderr = true;
        else if (std::none_of(sink.pending.begin(), sink.pending.end(),
                              [&message](const Message& m) { return SameMessage(m, message); }))
        {
            if (sink.pending.size() >= kMaxPending)
                toStderr = true;
            else
            {
                sink.pending.push_back(std::move(message));
                queued = true;
            }
        }
        if (sink.handler && !toStderr)
        {
            if (std::this_thread::get_id() == sink.handlerThread)
                deliverHere = !sink.delivering;
            else if (queued)
                wake = sink.wake;
        }
    }
    if (toStderr)
        WriteStderrLine(StderrLine(caption, text));
    if (deliverHere)
        DeliverPendingMessages();
    else if (wake)
        wake();
}

void SetMessageHandler(MessageHandler handler, MessageWake wake)
{
    if (!handler)
    {
        ClearMessageHandler();
        return;
    }
    {
        SinkState& sink = Sink();
        std::lock_guard<std::mutex> lock(sink.mutex);
        sink.handler = std::move(handler);
        sink.wake = std::move(wake);
        sink.handlerThread = std::this_thread::get_id();
    }
    DeliverPendingMessages();
}

void ClearMessageHandler()
{
    SinkState& sink = Sink();
    std::lock_guard<std::mutex> lock(sink.mutex);
    sink.handler = nullptr;
    sink.wake = nullptr;
    sink.handlerThread = std::thread::id();
}

void DeliverPendingMessages()
{
    SinkState& sink = Sink();
    std::unique_lock<std::mutex> lock(sink.mutex);
    const std::thread::id self = std::this_thread::get_id();
    if (!sink.handler || sink.delivering || sink.handlerThread != self)
        return;

    sink.delivering = true;
    // The handler runs without the lock: it may raise messages itself, and a box it shows runs an
    // event loop during which other threads keep reporting.
    while (!sink.pending.empty() && sink.handler && sink.handlerThread == self)
    {
        const Message message = sink.pending.front();
        const MessageHandler handler = sink.handler;
        lock.unlock();
        try
        {
            handler(message);
        }
        catch (...)
        {
            lock.lock();
            sink.pending.pop_front();
            sink.delivering = false;
            throw;
        }
        lock.lock();
        sink.pending.pop_front();
    }
    sink.delivering = false;

    // The handler moved to another thread while this one was delivering: that thread's own delivery
    // was turned away, so ask it to come back for what is left.
    MessageWake wake;
    if (!sink.pending.empty() && sink.handler && sink.handlerThread != self)
        wake = sink.wake;
    lock.unlock();
    if (wake)
        wake();
}

void SetMessageMode(MessageMode mode)
{
    SinkState& sink = Sink();
    std::lock_guard<std::mutex> lock(sink.mutex);
    sink.mode = mode;
}

MessageMode GetMessageMode()
{
    SinkState& sink = Sink();
    std::lock_guard<std::mutex> lock(sink.mutex);
    return sink.mode;
}

size_t PendingMessageCount()
{
    SinkState& sink = Sink();
    std::lock_guard<std::mutex> lock(sink.mutex);
    return sink.pending.size();
}

void Trace(const std::string& text)
{
    WriteStderrLine(text);
}
}  // namespace kplatform
