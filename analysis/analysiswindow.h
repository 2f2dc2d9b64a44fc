#pragma once

#include <QColor>
#include <QMetaType>
#include <QString>
#include <QTimer>

#include <vector>

#include "dockwindow.h"
#include "kelthar.h"

class IGraphic;
class QPushButton;
class QTreeWidget;

// The floating "Full Range Analysis" window: runs the library's analysis over the live range
// spectrum (the ranges of every enabled template count as known signals), lists what it found and
// tells the main window, which marks the results on the range spectrum and tunes to a chosen one.
// The library keeps the one result list; the window only shows it.
class CAnalysisWindow : public CQDockWindow
{
    Q_OBJECT

public:
    // `spectrumPane` is the range view's "Spec" painter, not owned; without trace data no analysis
    // is started.
    explicit CAnalysisWindow(IGraphic* spectrumPane, QWidget* parent = nullptr);
    ~CAnalysisWindow() override;

    // Forgets the previous analysis and empties the list; the next analysis reports afresh.
    void ClearResults();
    // With true: refills the list, sends the results again and hands the stored analysis settings
    // to the library. With false nothing happens.
    void ApplyOptions(bool refresh);
    void FillTree();

    void setVisible(bool visible) override;

    // Upper frequency limit of the current input, MHz: results ending above it are not listed.
    double m_dUpperLimit = 0.0;

signals:
    void freqChange(double freqMHz, double bandwidthMHz);
    void thresholdVisibilityChanged(bool visible);
    void analysisFinished(const std::vector<ANALYSIS_RESULT_ITEM>& results);
    void addArchiveEntry(int group, QString comment, double freqBeginHz, double freqEndHz, double freqPeakHz,
                         double level, double excess, int source, int channel);

public slots:
    void OnCheckResultTimer();
    void OnAnalyzeButton();
    void OnClearButton();
    void OnTreeItemSelectionChanged();

protected:
    void changeEvent(QEvent* event) override;

private:
    void AddResultItem(int index, const ANALYSIS_RESULT_ITEM& item);
    // The library's results as the window shows them: none while cleared.
    std::vector<ANALYSIS_RESULT_ITEM> Results() const;
    void RetranslateUi();

    QPushButton* m_pAnalyzeButton = nullptr;
    QPushButton* m_pClearButton = nullptr;
    QTreeWidget* m_pTreeWidget = nullptr;
    IGraphic* m_pSpectrumPane = nullptr;
    QTimer m_ResultTimer;
    // Set by clearing, until an analysis started afterwards has finished: the library keeps its
    // published list after ClearResults, and those old results must not come back.
    bool m_bCleared = false;
    QColor m_UnchangedColor{200, 200, 200};
    QColor m_NewColor{Qt::red};
    QColor m_DeleteColor{100, 100, 255};
};

// The result list crosses signal connections (queued ones and signal spies included).
Q_DECLARE_METATYPE(std::vector<ANALYSIS_RESULT_ITEM>)
