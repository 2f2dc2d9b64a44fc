#pragma once

#include <QString>

#include <ctime>
#include <exception>
#include <memory>

#include "dockwindow.h"

class CRecorderWindow;
class ISignalRecorder;
class ISignalsArchive;
class QMenu;
class QPoint;
class QTreeWidgetItem;
struct ARCHIVE_SIGNAL_ENTRY;

namespace Ui
{
class CArchiveWindow;
}

// The signals archive: the groups on the left, the entries of the chosen group on the right. The
// archive itself lives in the library; this window loads it from "archive.xml" when it is built and
// rewrites the file after every change it makes. The main window carries out what the operator asks
// of an entry (tune to it, show its image, replay its recording) through the signals.
class CArchiveWindow : public CQDockWindow
{
    Q_OBJECT

public:
    // Group ids carried by the three top items of the groups tree. The two folders carry the ids of
    // "New Signals" and "Suspicious Signals", so choosing them lists those groups.
    static constexpr int kAllSignals = -1;
    static constexpr int kPredefinedGroups = 0;
    static constexpr int kUserGroups = 3;
    static constexpr int kColumns = 13;
    static constexpr int kMinColumnWidth = 50;

    // `archive` and `recorder` are the device thread's when null; `archiveFile` defaults to
    // "archive.xml" in the writable data folder.
    explicit CArchiveWindow(QWidget* parent = nullptr, ISignalsArchive* archive = nullptr,
                            const QString& archiveFile = QString(), ISignalRecorder* recorder = nullptr);
    ~CArchiveWindow() override;

    // Rewrites the archive file from the library after a change; a failed write is reported and the
    // previous file stays.
    bool SaveArchive();

    void setVisible(bool visible) override;

    // The name of the mode that filed an entry (its Source); empty for an unknown one.
    static QString SourceName(int source);

    const QString& GetArchiveFile() const { return m_strArchiveFile; }
    // Where a damaged archive file was copied at start; empty when it loaded cleanly.
    const QString& GetSetAsidePath() const { return m_strSetAside; }
    // True while the file on disk holds more than the library loaded from it: only a change made by
    // the operator writes over it then, never a show or the program's exit.
    bool IsSaveHeld() const { return m_bSaveHeld; }
    // The group whose entries the list shows.
    int GetShownGroup() const { return m_nShownGroup; }

    // The context menus as the operator gets them; null where none is offered. The caller owns them.
    QMenu* CreateGroupsMenu();
    QMenu* CreateContentMenu();

    const Ui::CArchiveWindow& Form() const { return *m_ui; }

    // Not owned; set by the main window after construction.
    CRecorderWindow* m_pSignalRecorderWindow = nullptr;
    CRecorderWindow* m_pSoundRecorderWindow = nullptr;

signals:
    void loadImage(QString path);
    void closeImages();
    void changeChannel(int channel, double freq = 0.0, bool force = true);
    void groupsChanged();
    void gotoTime(int channel, time_t timestamp, double freq, const QString& recordingPath);

public slots:
    void OnAddGroupButton();
    void OnRenameGroupButton();
    void OnDeleteGroupButton();
    void OnOptionsButton();
    void OnGotoFreqButton();
    void OnGotoTimeButton();
    void OnViewSignalRecordingButton();
    void OnPlaySoundRecordingButton();
    void OnViewImageButton();
    void OnSetCommentButton();
    void OnDeleteButton();
    void OnDeleteAllButton();
    void OnMoveToGroup();
    void OnGroupsTreeClicked(QTreeWidgetItem* item, int column);
    void OnGroupsTreeCurrentItemChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous);
    void OnContentTreeClicked(QTreeWidgetItem* item, int column);
    void OnContentTreeCurrentItemChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous);
    void OnGroupsContextMenu(const QPoint& pos);
    void OnContentContextMenu(const QPoint& pos);
    void OnSaveButton();

protected:
    void changeEvent(QEvent* event) override;

private:
    void RestoreSettings();
    void StoreSettings();
    void LoadArchive();
    void FillGroupsTree();
    void FillContentTree(int group);
    // Makes the groups-tree item of that value current ("All Signals" for -1); false when none has it.
    bool SelectGroup(int group);
    // The current groups-tree item when it is a user group, else null.
    QTreeWidgetItem* CurrentUserGroup() const;
    // A copy of the entry of the current row; false without a current row. Throws the library's
    // out_of_range when the entry is gone.
    bool CurrentEntry(ARCHIVE_SIGNAL_ENTRY* entry);
    // The text of a group cell: the group's name, or its id for a group the archive does not know.
    QString GroupName(int group);
    void ShowCount();
    // The critical message of a failed operation: the message, a blank and what the library said;
    // what the library said alone where the operation has no message of its own.
    void ReportFailure(const QString& message, const std::exception& ex);
    void ReportFailure(const std::exception& ex);
    // The save that showing the window and its destruction make: skipped while the save is held.
    void SaveUnlessHeld();

    std::unique_ptr<Ui::CArchiveWindow> m_ui;
    ISignalsArchive* m_pArchive;
    ISignalRecorder* m_pRecorder;
    QString m_strArchiveFile;
    QString m_strSetAside;
    bool m_bSaveHeld = false;
    int m_nShownGroup = kAllSignals;
};
