#include "archiveentryfactory.h"

#include <QApplication>

#include <exception>
#include <utility>

#include "devicethread.h"
#include "globals.h"
#include "icontrolbits.h"
#include "newsignalentrydialog.h"
#include "prompt.h"
#include "viewbase.h"

namespace
{
CArchiveEntryFactory::Question& CurrentQuestion()
{
    static CArchiveEntryFactory::Question question;
    return question;
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
    return question ? question(pane, request) : AskDialog(pane, request);
}

bool CArchiveEntryFactory::AskDialog(int pane, ARCHIVE_ENTRY_REQUEST* request)
{
    CNewSignalEntryDialog dialog(pane, nullptr);
    if (Prompt().Exec(dialog) != QDialog::Accepted)
        return false;
    request->nGroup = dialog.m_nGroup;
    request->strComment = dialog.m_strComment;
    request->bImage = dialog.m_bImage;
    request->nPane = dialog.m_nPane;
    request->m_SignalRecording = dialog.m_SignalRecording;
    request->m_SoundRecording = dialog.m_SoundRecording;
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
