#pragma once

#include <QString>

#include <ctime>

#include "dockwindow.h"

class CRecorderWindow;
class ISignalsArchive;
class QLabel;
class QSplitter;
class QTreeWidget;
class QTreeWidgetItem;

// The signals archive: the groups on the left, the entries of the chosen group on the right. The
// archive itself lives in the library; this window loads it from "archive.xml" when it is built and
// rewrites the file after every change. The main window carries out what the operator asks of an
// entry (tune to it, show its image, replay its recording) through the signals.
class CArchiveWindow : public CQDockWindow
{
    Q_OBJECT

public:
    // Group ids carried by the three top items of the groups tree.
    static constexpr int kAllSignals = -1;
    static constexpr int kPredefinedGroups = 0;
    static constexpr int kUserGroups = 3;

    // `archive` is the device thread's archive when null; `archiveFile` defaults to "archive.xml" in
    // the writable data folder.
    explicit CArchiveWindow(QWidget* parent = nullptr, ISignalsArchive* archive = nullptr,
                            const QString& archiveFile = QString());
    ~CArchiveWindow() override;

    // Rewrites the archive file from the library after a change; a failed write is reported and the
    // previous file stays.
    bool SaveArchive();

    void setVisible(bool visible) override;

    const QString& GetArchiveFile() const { return m_strArchiveFile; }
    // Where a damaged archive file was copied at start; empty when it loaded cleanly.
    const QString& GetSetAsidePath() const { return m_strSetAside; }
    // True while the file on disk holds more than the library loaded from it: only a change made by
    // the operator writes over it then, never a show or the program's exit.
    bool IsSaveHeld() const { return m_bSaveHeld; }

    // Not owned; set by the main window after construction.
    CRecorderWindow* m_pSignalRecorderWindow = nullptr;
    CRecorderWindow* m_pSoundRecorderWindow = nullptr;

    QSplitter* m_pSplitter = nullptr;
    QTreeWidget* m_pGroupsTree = nullptr;
    QTreeWidget* m_pContentTree = nullptr;
    QLabel* m_pCountLabel = nullptr;

signals:
    void loadImage(QString path);
    void closeImages();
    void changeChannel(int channel, double freq, bool force);
    void gotoTime(int channel, time_t timestamp, double freq, const QString& recordingPath);
    void groupsChanged();

private:
    void LoadArchive();
    void FillGroupsTree();
    void FillList(int groupId);
    // The save that showing the window and its destruction make: skipped while the save is held.
    void SaveUnlessHeld();

    ISignalsArchive* m_pArchive;
    QString m_strArchiveFile;
    QString m_strSetAside;
    bool m_bSaveHeld = false;
};
