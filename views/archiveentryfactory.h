#pragma once

#include <QCoreApplication>
#include <QString>

#include <functional>

#include "archiveentryrequest.h"

class CViewBase;

// Files the archive entries of the three signal views. It asks the operator for the entry (group,
// comment, image, recordings) through an exchangeable question, the new-entry dialog unless another
// one is installed, and hands the answers with the band's frequencies to the view, which writes the
// pane image and the entry.
class CArchiveEntryFactory
{
    Q_DECLARE_TR_FUNCTIONS(CArchiveEntryFactory)

public:
    // Fills the request for a pane (0 range, 1 band, 2 demodulation); false when the operator cancels.
    using Question = std::function<bool(int pane, ARCHIVE_ENTRY_REQUEST* request)>;

    // Makes `question` the one asked (an empty one: the new-entry dialog again) and returns the
    // previous one.
    static Question SetQuestion(Question question);
    static bool Ask(int pane, ARCHIVE_ENTRY_REQUEST* request);

    // The whole add-to-archive action of a view: asks, refuses a sound recording the band's rate does
    // not allow (the view warns), and files the entry for the band between lowHz and highHz with its
    // peak at peakHz; level and excess are not measured (-1.0), source 0 (a view). True when the
    // entry went to the view.
    static bool AddEntry(CViewBase* view, int pane, double lowHz, double highHz, double peakHz);
    // AddEntry for the band receiver's current band: tune - rate / 2 to tune + rate / 2, peak at the
    // tune frequency (Hz). A band the device cannot give is reported and nothing is filed.
    static bool AddBandEntry(CViewBase* view, int pane);

private:
    // The new-entry dialog for the pane, run modally.
    static bool AskDialog(int pane, ARCHIVE_ENTRY_REQUEST* request);
};
