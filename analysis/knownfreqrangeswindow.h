#pragma once

#include <QVector>

#include "dockwindow.h"

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The floating "Frequency Ranges OLD" window: lists the ranges of the first known-frequency detector
// and lets the operator pick the ones the range view shows side by side; the choice goes out as
// multipleFreqRangesSelected with the ranges' list positions in ascending order.
class CKnownFreqRangesWindow : public CQDockWindow
{
    Q_OBJECT

public:
    explicit CKnownFreqRangesWindow(QWidget* parent = nullptr);
    ~CKnownFreqRangesWindow() override;

    // Rebuilds the list from the detector, every row unchecked.
    void FillTree();

signals:
    void multipleFreqRangesSelected(const QVector<int>& positions);

public slots:
    void OnMobileButton();
    void OnBaseButton();
    void OnTreeItemClicked(QTreeWidgetItem* item, int column);

protected:
    void changeEvent(QEvent* event) override;

private:
    void RetranslateUi();
    // Checks the rows whose name ends with the word and sends the selection.
    void SelectByNameEnd(const QString& ending);
    // Sends the checked positions; an empty selection is not sent.
    void EmitSelection();

    QPushButton* m_pMobileButton = nullptr;
    QPushButton* m_pBaseButton = nullptr;
    QTreeWidget* m_pTreeWidget = nullptr;
};
