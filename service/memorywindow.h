#pragma once

#include <QByteArray>
#include <QString>
#include <QTimer>

#include "dockwindow.h"

class QProgressBar;
class QPushButton;
class QLabel;

// The analyser's internal memory: download it page by page, keep it as a ".mem" file, load one back
// and send its pattern to the analyser. The window never talks to the device: it sets the device
// thread's memory-transfer fields and polls their progress every 200 ms; while the window is shown the
// device thread does no acquisition.
class CMemoryWindow : public CQDockWindow
{
    Q_OBJECT

public:
    static constexpr int kUploadPages = 5991;
    static constexpr int kPollIntervalMs = 200;

    explicit CMemoryWindow(QWidget* parent = nullptr);
    ~CMemoryWindow() override;

    void setVisible(bool visible) override;

    // Decodes the image's directory into the device thread's counts and offsets (the pattern offset is
    // where an upload reads from).
    void ParseMemoryImage();

    bool IsChanged() const { return m_bChanged; }
    bool IsTransferTimerActive() const { return m_TransferTimer.isActive(); }

    QPushButton* m_pDownloadButton = nullptr;
    QPushButton* m_pSaveButton = nullptr;
    QPushButton* m_pLoadButton = nullptr;
    QPushButton* m_pUploadButton = nullptr;
    QPushButton* m_pCancelButton = nullptr;
    QProgressBar* m_pProgressBar = nullptr;
    QLabel* m_pDirectoryLabel = nullptr;

signals:
    // group, comment, low, high and centre frequency (Hz), level and excess (dBm), source (4: device
    // memory), channel.
    void addArchiveEntry(int group, QString comment, double freqBegin, double freqEnd, double freqPeak,
                         double level, double excess, int source, int channel);

public slots:
    void OnDownloadButton();
    void OnLoadButton();
    void OnSaveButton();
    void OnUploadButton();
    void OnCancelButton();
    void OnTimer();

private:
    // The shared transfer fields back to "shown and idle", as a cancel leaves them.
    void EndTransfer();
    void ShowTransferWarning();
    QString StartFolder() const;
    void StoreFolder(const QString& path);

    QTimer m_TransferTimer;
    bool m_bChanged = false;
};
