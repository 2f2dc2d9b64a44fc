#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "platformexport.h"

namespace kplatform
{
enum class MessageIcon
{
    Information,
    Warning,
    Error
};

struct Message
{
    std::string caption;
    std::string text;
    MessageIcon icon;
};

// Handler: messages go to the installed handler (the program shows a box on its GUI thread).
// Stderr: each message is one line "caption: text" on standard error and nothing is queued.
enum class MessageMode
{
    Handler,
    Stderr
};

using MessageHandler = std::function<void(const Message&)>;
// Asks the handler's thread to call DeliverPendingMessages soon; must not block.
using MessageWake = std::function<void()>;

// What the library calls where a system message box would appear. It never waits for the operator:
// the device thread may hold the data lock while it reports. In Handler mode a message is handed to
// the handler at once when the caller is the handler's thread (and not already inside the handler);
// otherwise it is queued, wake is called and the call returns. A message equal (caption, text and
// icon) to one still pending, including the one being shown, is dropped, so a fault repeated on
// every call shows one box.
KPLATFORM_API void ShowMessage(const std::string& caption, const std::string& text, MessageIcon icon);

// The calling thread becomes the handler's thread; messages queued so far are delivered, in order,
// before this returns. An empty handler is the same as ClearMessageHandler.
KPLATFORM_API void SetMessageHandler(MessageHandler handler, MessageWake wake);
// Later messages queue until a handler is set again.
KPLATFORM_API void ClearMessageHandler();
// Hands every pending message to the handler, oldest first. Does nothing unless called on the
// handler's thread, and nothing when called from inside the handler (the outer call goes on).
KPLATFORM_API void DeliverPendingMessages();

// Starts as Stderr when KELTHAR_MESSAGES is "stderr", else Handler.
KPLATFORM_API void SetMessageMode(MessageMode mode);
KPLATFORM_API MessageMode GetMessageMode();
// Messages not yet handled; the one the handler is showing counts until the handler returns.
KPLATFORM_API size_t PendingMessageCount();

// A diagnostic line on standard error (a newline is added when the text lacks one).
KPLATFORM_API void Trace(const std::string& text);
}  // namespace kplatform
