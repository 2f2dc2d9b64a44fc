#pragma once

#include <QVector>

#include <cstdint>

#include "dockwindow.h"
#include "ui_knownfreqranges2window.h"

class QTreeWidgetItem;

// The floating "Frequency Ranges" window: the operator's list of known frequency ranges by world
// region, kept as plain keys of the settings file (the band table's rows when there is none). The
// checked rows of the chosen region are the device's known-range list while the window is shown;
// hidden, the device list is empty.
class CKnownFreqRanges2Window : public CQDockWindow
{
    Q_OBJECT

    Ui::CKnownFreqRanges2WindowClass ui{};

public:
    explicit CKnownFreqRanges2Window(QWidget* parent = nullptr);
    ~CKnownFreqRanges2Window() override;

    // Rebuilds the list and the device's known ranges from the stored rows of the region; a list
    // without rows gets the band table's first.
    void FillTree();

    const Ui::CKnownFreqRanges2WindowClass& Form() const { return ui; }

signals:
    // Declared for the form's sake; this window never sends it.
    void multipleFreqRangesSelected(QVector<int> indices);

public slots:
    void setVisible(bool visible) override;
    void OnMobileButton();
    void OnBaseButton();
    void OnAddButton();
    void OnEditButton();
    void OnDeleteButton();
    void OnClearButton();
    // type 0: ask when the list holds rows, write the band table's rows and refill; type 1: only write.
    void OnDefaultsButton(int type = 0);
    void OnTreeItemActivated(QTreeWidgetItem* item, int column);
    void OnTreeItemClicked(QTreeWidgetItem* item, int column);
    void OnCountryComboChanged(int index);
    // The band table row of the chosen region that holds the frequency (Hz), 255 when none does.
    uint8_t IsFreqDigitBand(float f);

protected:
    void changeEvent(QEvent* event) override;

private:
    int m_nRegion = 0;
};
