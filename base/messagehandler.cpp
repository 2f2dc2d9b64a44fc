#include "messagehandler.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

#include "prompt.h"

namespace
{
// The object the reporting threads post to. It is never destroyed: a thread may have taken the wake
// from the sink just before the application went away, and its post must still find a live object.
CMessageHandler* g_handler = nullptr;
bool g_installed = false;
// The application whose end switches the messages to standard error.
QCoreApplication* g_watchedApp = nullptr;

QMessageBox::Icon BoxIcon(kplatform::MessageIcon icon)
{
    switch (icon)
    {
        case kplatform::MessageIcon::Information:
            return QMessageBox::Information;
        case kplatform::MessageIcon::Warning:
            return QMessageBox::Warning;
        case kplatform::MessageIcon::Error:
            break;
    }
    return QMessageBox::Critical;
}

void TraceMessage(const kplatform::Message& message)
{
    kplatform::Trace(message.caption + ": " + message.text);
}

// Once the application is gone no box can be shown: what the library still reports while the
// process winds down (the device thread's core is destroyed after main) goes to standard error.
void OnApplicationDestroyed()
{
    g_installed = false;
    g_watchedApp = nullptr;
    kplatform::SetMessageHandler(&TraceMessage, nullptr);
}
}  // namespace

CMessageHandler::CMessageHandler(QObject* parent) : QObject(parent)
{
}

bool CMessageHandler::Install()
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread())
        return false;
    if (!g_handler)
        g_handler = new CMessageHandler(nullptr);
    if (g_watchedApp != app)
    {
        QObject::connect(app, &QObject::destroyed, g_handler, &OnApplicationDestroyed, Qt::DirectConnection);
        g_watchedApp = app;
    }
    g_installed = true;

    // The wake runs on the reporting thread and only posts an event, whatever the GUI is doing.
    CMessageHandler* target = g_handler;
    kplatform::SetMessageHandler(
        &CMessageHandler::Show,
        [target] { QMetaObject::invokeMethod(target, "DeliverPending", Qt::QueuedConnection); });
    return true;
}

void CMessageHandler::Uninstall()
{
    g_installed = false;
    kplatform::ClearMessageHandler();
}

bool CMessageHandler::IsInstalled()
{
    return g_installed;
}

void CMessageHandler::Show(const kplatform::Message& message)
{
    if (!QCoreApplication::instance())
    {
        TraceMessage(message);
        return;
    }
    try
    {
        Prompt().Message(nullptr, BoxIcon(message.icon), QString::fromStdString(message.caption),
                         QString::fromStdString(message.text), QMessageBox::Ok, QMessageBox::NoButton);
    }
    catch (...)
    {
        // A box that could not be shown still leaves a trace.
        TraceMessage(message);
    }
}

void CMessageHandler::DeliverPending()
{
    kplatform::DeliverPendingMessages();
}
