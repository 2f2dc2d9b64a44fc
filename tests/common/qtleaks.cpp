// Read by the leak checker of sanitizer builds (and by nothing else). Qt's offscreen platform never
// frees the screen and cursor it creates with the application object. With the default fast
// unwinder the stacks end inside Qt, so the frames named here are the first ones Qt leaves; our own
// leaks still show, as the objects we allocated ourselves.
extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_suppressions()
{
    return "leak:QGuiApplicationPrivate::createPlatformIntegration\n"
           "leak:libqoffscreen.so\n"
           "leak:QScreen::QScreen\n"
           "leak:QPlatformScreen::QPlatformScreen\n"
           "leak:QPlatformCursor::QPlatformCursor\n"
           "leak:QWindowSystemInterface::handleScreenAdded\n"
           "leak:QtSharedPointer::ExternalRefCountData::getAndRef\n"
           "leak:QObject::QObject\n";
}
