#pragma once

#include <QString>
#include <QVector>

#include "dockwindow.h"
#include "ui_knownfreqrangeswindow.h"

class IKnownFreqDetect;
class QTreeWidgetItem;

// The floating "Frequency Ranges OLD" window: the ranges of the first known-frequency detector for one
// world region, kept in a file per region in the data folder (a region without a file starts from its
// default bands). The operator picks ranges for the multi-range scan; the choice goes out as
// multipleFreqRangesSelected with the ranges' list positions in ascending order, never empty.
class CKnownFreqRangesWindow : public CQDockWindow
{
    Q_OBJECT

    Ui::CKnownFreqRangesWindowClass ui{};

public:
    // `detector` is the device thread's first known-frequency detector when null; not owned.
    explicit CKnownFreqRangesWindow(QWidget* parent = nullptr, IKnownFreqDetect* detector = nullptr);
    ~CKnownFreqRangesWindow() override;

    // Rebuilds the list from the detector, every row unchecked.
    void FillTree();

    const Ui::CKnownFreqRangesWindowClass& Form() const { return ui; }

    // The region's file: the data folder, "regionfreq_", the region's untranslated name, ".xml".
    static QString RegionFilePath(int region);

signals:
    void multipleFreqRangesSelected(const QVector<int>& positions);

public slots:
    void OnMobileButton();
    void OnBaseButton();
    void OnAddButton();
    void OnEditButton();
    void OnDeleteButton();
    void OnClearButton();
    // force 1: no question even when the list holds ranges.
    void OnDefaultsButton(int force = 0);
    void OnTreeItemActivated(QTreeWidgetItem* item, int column);
    void OnTreeItemClicked(QTreeWidgetItem* item, int column);
    void OnCountryComboChanged(int index);
    void OnAnalysisCheckBox();

protected:
    void changeEvent(QEvent* event) override;

private:
    // Loads the region's file into the empty detector list, or its defaults (then written) when the
    // region has no file.
    void LoadRegion();
    void SaveRegion();
    void AddDefaults();
    // Checks the rows whose name ends with the word and sends the selection.
    void SelectByNameEnd(const QString& ending);
    // Sends the checked positions; an empty selection is not sent.
    void EmitSelection();

    IKnownFreqDetect* m_pDetector = nullptr;
    int m_nRegion = 0;
};
