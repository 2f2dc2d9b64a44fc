#pragma once

#include <QObject>

#include "messagesink.h"

// Shows the device library's messages to the operator. The library reports through the platform
// message sink from any thread, sometimes while the device thread holds g_DataMutex, and sometimes
// before the application object exists. This handler receives them on the GUI thread only: a message
// raised there is shown at once; one raised on another thread is queued by the sink and this object
// is asked, through a queued call, to show it later, so the reporting thread never waits for the
// operator. Messages queued before Install are shown by Install, in the order they were raised.
//
//   QApplication app(argc, argv);
//   CMessageHandler::Install();
//
// Each message is a box through the prompt facade, captioned with the library's caption.
class CMessageHandler : public QObject
{
    Q_OBJECT

public:
    // Makes the calling thread, which must be the application's GUI thread, the one that shows the
    // library's messages, and shows those queued so far. False (and nothing installed) when there is
    // no application object yet or the caller is not its thread. Installing again is harmless.
    static bool Install();
    // Later messages queue in the sink until Install is called again.
    static void Uninstall();
    // True while this handler is the sink's handler.
    static bool IsInstalled();

    // The box of one message.
    static void Show(const kplatform::Message& message);

private:
    explicit CMessageHandler(QObject* parent);

    // Reached through a queued call whenever another thread left a message in the sink.
    Q_INVOKABLE void DeliverPending();
};
