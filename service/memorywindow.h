#pragma once

#include <QByteArray>
#include <QString>
#include <QTimer>

#include <functional>
#include <vector>

#include "dockwindow.h"
#include "memorydirectory.h"
#include "ui_memorywindow.h"

class QMenu;
class QPoint;
class QTreeWidgetItem;

// The analyser's internal memory: download it page by page, keep it as a ".mem" file, load one back,
// list its spectrogram records, analyses and pattern, delete entries, hand signals to the archive and
// send a pattern to the analyser. The window never talks to the device: it starts and cancels
// transfers on the device thread and polls their progress every 200 ms; while the window is shown the
// device thread does no acquisition. The image itself is decoded by CMemoryImage; this class renders
// what it finds.
class CMemoryWindow : public CQDockWindow
{
    Q_OBJECT

public:
    static constexpr int kUploadPages = 5991;
    static constexpr int kPollIntervalMs = 200;
    static constexpr int kColumns = 5;
    static constexpr int kMinColumnWidth = 50;
    static constexpr int kArchiveSource = 4;  // "Device memory mode"
    // The analyser holds radio signals: its entries are filed on input type 0.
    static constexpr int kArchiveChannel = 0;

    explicit CMemoryWindow(QWidget* parent = nullptr);
    ~CMemoryWindow() override;

    void setVisible(bool visible) override;

    // Decodes the image's directory into the device thread's counts and offsets (the pattern offset is
    // where an upload reads from) and fills the three views.
    void ParseMemoryImage();
    // A raw level of the record header read last, in dBm; NaN when the header indexes past a table.
    double LevelToDbm(double raw) const;

    // Downloaded data not yet saved, or deletions not yet saved.
    bool HasUnsavedData() const;
    // Before unsaved data is replaced or dropped (Load, the program's close): asks whether to save it.
    // True when the caller may go on: nothing was unsaved, the operator said No, or the save completed.
    bool AskToSaveChanges();

    bool IsChanged() const { return m_bChanged; }
    bool IsTransferTimerActive() const { return m_TransferTimer.isActive(); }
    int GetCurrentAnalysis() const { return m_nCurrentAnalysis; }

    // The context menus as the operator gets them; the caller owns them.
    QMenu* CreateContentMenu();
    QMenu* CreateGroupsMenu();
    QMenu* CreateDataMenu();

    Ui::CMemoryWindowClass ui{};

signals:
    // group, comment, low, high and centre frequency (Hz), level and excess (dBm), source (4: device
    // memory), channel.
    void addArchiveEntry(int group, QString comment, double freqBegin, double freqEnd, double freqPeak,
                         double level, double excess, int source, int channel);

public slots:
    void OnGroupsTreeCurrentItemChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous);
    void OnDataTreeCurrentItemChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous);
    void OnDownloadButton();
    void OnLoadButton();
    void OnSaveButton();
    void OnUploadButton();
    void OnCancelButton();
    void OnTimer();
    void OnTreeContextMenu(const QPoint& pos);
    void OnAddToArchive();
    void OnDeleteAction();
    void OnGroupTreeContextMenu(const QPoint& pos);
    void OnGroupDeleteAction();
    void OnDataTreeContextMenu(const QPoint& pos);
    void OnDataDeleteAction();

protected:
    void changeEvent(QEvent* event) override;

private:
    bool IsTransferRunning() const;
    // Download, Upload, Load and Save wait while a transfer runs.
    void UpdateButtons();
    void EndTransfer();
    void ShowTransferWarning();
    // Writes the image to a file the operator picks; true when it was written.
    bool SaveImage();
    QString StartFolder() const;
    void StoreFolder(const QString& path);
    void RestoreLayout();
    void StoreLayout();

    void FillSpectrograms();
    void FillAnalyses();
    void FillPattern();
    void FillSignals(QTreeWidgetItem* current);
    // The trace's top, maximum and minimum as levels beside a CLabel.
    void ShowLevels(const CLabel& trace, QLabel* top, QLabel* maxCaption, QLabel* max, QLabel* bottom);
    QString LevelText(double raw) const;
    void ShowCount();
    void ReportFailure(const QString& message, const std::exception& e);
    // Deletes the records behind the tree's selected items; offsetOf gives an item's record offset in
    // the image, or -1 for an index that names no record.
    void DeleteSelectedRecords(const QTreeWidget* tree, const std::function<qint64(int)>& offsetOf);

    QTimer m_TransferTimer;
    bool m_bChanged = false;
    int m_nCurrentAnalysis = -1;
    QByteArray m_RecordHeader;
    QByteArray m_EntryTable;
    int m_nEntriesInImage = 0;  // entries of m_EntryTable that lie wholly inside the image
    MEMORY_DIRECTORY m_Directory;
    // The traces' samples, kept as the labels were given them.
    std::vector<short> m_GraphSamples;
    std::vector<short> m_PatternSamples;
};
