#pragma once

#include <QColor>
#include <QMetaType>
#include <QString>
#include <QTimer>

#include <vector>

#include "dockwindow.h"
#include "kelthar.h"
#include "ui_analysiswindow.h"

class IAnalysis;
class IGraphic;
class QMenu;
class QPoint;
class QTreeWidgetItem;

// The floating "Full Range Analysis" window: runs the library's analysis over the live range
// spectrum (the ranges of every enabled template count as known signals), lists what it found and
// tells the main window, which marks the results on the range spectrum and tunes to a chosen one.
// The library keeps the one result list; the window only shows it, and writes what the operator
// changes (a deleted result, a comment) into that list itself.
class CAnalysisWindow : public CQDockWindow
{
    Q_OBJECT

    Ui::CAnalysisWindowClass ui{};

public:
    // `spectrumPane` is the range view's "Spec" painter, not owned; without trace data no analysis
    // is started. `analysis` is the device thread's analysis when null.
    explicit CAnalysisWindow(IGraphic* spectrumPane, QWidget* parent = nullptr,
                             IAnalysis* analysis = nullptr);
    ~CAnalysisWindow() override;

    // Forgets the previous analysis and empties the list; the next analysis reports afresh.
    void ClearResults();
    // With true: refills the list, sends the results again and hands the stored analysis settings
    // to the library. With false nothing happens.
    void ApplyOptions(bool refresh);
    // Rebuilds the list from the library's results, sorted ascending by the current column. A failure
    // of the library is shown, and the rows added until then stay.
    void FillTree();
    // The column titles in the current language, each column 100 pixels wide.
    void SetHeaderLabels();

    // The context menu of the list as the operator gets it (owned by the caller), or null when there
    // is no current row of the library's present list.
    QMenu* CreateContextMenu();

    const Ui::CAnalysisWindowClass& Form() const { return ui; }

    // Upper frequency limit of the current input, MHz: results ending above it are not listed.
    double m_dUpperLimit = 0.0;

signals:
    void freqChange(double freqMHz, double bandwidthMHz);
    void thresholdVisibilityChanged(bool visible);
    void analysisFinished(const std::vector<ANALYSIS_RESULT_ITEM>& results);
    void addArchiveEntry(int group, QString comment, double freqBeginHz, double freqEndHz, double freqPeakHz,
                         double level, double excess, int source, int channel);

public slots:
    void setVisible(bool visible) override;
    void OnCheckResultTimer();
    void OnAnalyzeButton();
    void OnOptionsButton();
    void OnSaveButton();
    void OnClearButton();
    void OnLegendButton();
    void OnTreeContextMenu(const QPoint& pos);
    void OnTreeItemSelectionChanged();
    void OnAddToArchive();
    void OnAddCommentMenu();
    void OnDeleteRecordMenu();
    void OnGoto2ndHarmMenu();
    void OnGoto3rdHarmMenu();
    void OnApplyPressed();

protected:
    void changeEvent(QEvent* event) override;

private:
    void AddResultItem(int index, const ANALYSIS_RESULT_ITEM& item);
    void FillRows();
    // The library's results as the window shows them: none while cleared.
    std::vector<ANALYSIS_RESULT_ITEM> Results() const;
    // The library's result a row stands for, or null when the row's index is not in the present list
    // (a new analysis rebuilds the list before the next poll refills the rows).
    ANALYSIS_RESULT_ITEM* ResultAt(int index) const;
    static int RowIndex(const QTreeWidgetItem* row);
    // The library indexes of the selected rows, in selection order.
    std::vector<int> SelectedIndexes() const;
    int CurrentIndex() const;
    void GotoHarmonic(int harmonic);

    IGraphic* m_pSpectrumPane = nullptr;
    QTimer m_ResultTimer;
    IAnalysis* m_pAnalysis = nullptr;
    // Set by clearing, until an analysis started afterwards has finished: the library keeps its
    // published list after ClearResults, and those old results must not come back.
    bool m_bCleared = false;
    QColor m_UnchangedColor{200, 200, 200};
    QColor m_NewColor{Qt::red};
    QColor m_DeleteColor{100, 100, 255};
};

// The result list crosses signal connections (queued ones and signal spies included).
Q_DECLARE_METATYPE(std::vector<ANALYSIS_RESULT_ITEM>)
