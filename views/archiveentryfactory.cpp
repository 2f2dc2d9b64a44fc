#include "archiveentryfactory.h"

#include <QApplication>

#include <exception>
#include <utility>

#include "devicethread.h"
#include "globals.h"
#include "icontrolbits.h"
#include "isignalsarchive.h"
#include "prompt.h"
#include "viewbase.h"

namespace
{
CArchiveEntryFactory::Question& CurrentQuestion()
{
    static CArchiveEntryFactory::Question question;
    return question;
}

// The group a new entry goes to when nobody chose one: the first group the archive lists.
int FirstGroup()
{
    ISignalsArchive* archive = g_DeviceThread.m_pArchive;
    if (archive == nullptr)
        return 0;
    if (!archive->GetPredefinedGroups().empty())
        return archive->GetPredefinedGroups().front().id;
    if (!archive->GetUserGroups().empty())
        return archive->GetUserGroups().front().id;
    return 0;
}
}  // namespace

CArchiveEntryFactory::Question CArchiveEntryFactory::SetQuestion(Question question)
{
    return std::exchange(CurrentQuestion(), std::move(question));
}

bool CArchiveEntryFactory::Ask(int pane, ARCHIVE_ENTRY_REQUEST* request)
{
    *request = ARCHIVE_ENTRY_REQUEST();
    request->nPane = pane;
    const Question& question = CurrentQuestion();
    return question ? question(pane, request) : AskComment(pane, request);
}

bool CArchiveEntryFactory::AskComment(int pane, ARCHIVE_ENTRY_REQUEST* request)
{
    bool ok = false;
    const QString comment = Prompt().GetText(nullptr, tr("Add Signal to Archive"), tr("Comment:"),
                                             QLineEdit::Normal, QString(), &ok);
    if (!ok)
        return false;
    request->nGroup = FirstGroup();
    request->strComment = comment;
    request->bImage = true;
    request->nPane = pane;
    return true;
}

bool CArchiveEntryFactory::AddEntry(CViewBase* view, int pane, double lowHz, double highHz, double peakHz)
{
    ARCHIVE_ENTRY_REQUEST request;
    if (view == nullptr || !Ask(pane, &request))
        return false;
    if (request.m_SoundRecording.bRecord && !view->CanRecordSound())
        return false;
    view->AddEntryToArchive(request.bImage, request.nPane, request.m_SignalRecording,
                            request.m_SoundRecording, request.nGroup, request.strComment, lowHz, highHz,
                            peakHz, -1.0, -1.0, 0);
    return true;
}

bool CArchiveEntryFactory::AddBandEntry(CViewBase* view, int pane)
{
    IControlBits* bits = g_DeviceThread.m_pControlBits;
    if (view == nullptr || bits == nullptr)
        return false;
    double tuneHz = 0.0;
    double rateHz = 0.0;
    try
    {
        tuneHz = bits->GetTuneFreq();
        rateHz = bits->GetSampleRate(-1);
    }
    catch (const std::exception& e)
    {
        // No current band (the band list changed under the selection): there is no band to file.
        Prompt().Critical(view, QApplication::applicationName(),
                          tr("Failed to add an entry to the archive!") + QLatin1Char(' ') +
                              QString::fromLocal8Bit(e.what()));
        return false;
    }
    return AddEntry(view, pane, tuneHz - rateHz * 0.5, tuneHz + rateHz * 0.5, tuneHz);
}
