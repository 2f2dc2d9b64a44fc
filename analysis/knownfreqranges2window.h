#pragma once

#include "dockwindow.h"

class QComboBox;
class QTreeWidget;
class QTreeWidgetItem;

// The floating "Frequency Ranges" window: the operator's list of known frequency ranges by world
// region, kept as plain keys of the settings file. The checked rows of the chosen region are the
// device's known-range list while the window is shown; hidden, the device list is empty.
class CKnownFreqRanges2Window : public CQDockWindow
{
    Q_OBJECT

public:
    explicit CKnownFreqRanges2Window(QWidget* parent = nullptr);
    ~CKnownFreqRanges2Window() override;

    // Rebuilds the list and the device's known ranges from the stored rows of the region.
    void FillTree();

    void setVisible(bool visible) override;

public slots:
    void OnTreeItemClicked(QTreeWidgetItem* item, int column);
    void OnCountryComboChanged(int index);

protected:
    void changeEvent(QEvent* event) override;

private:
    void RetranslateUi();

    QComboBox* m_pCountryCombo = nullptr;
    QTreeWidget* m_pTreeWidget = nullptr;
    int m_nRegion = 0;
};
