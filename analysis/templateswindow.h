#pragma once

#include "dockwindow.h"

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The floating "Templates Window": lists the library's spectrum templates (named ones as rows with a
// check box, the ranges of the unnamed one at the top level) and lets the operator switch them on and
// off. Whether any template is on goes out as templateActivated.
class CTemplatesWindow : public CQDockWindow
{
    Q_OBJECT

public:
    explicit CTemplatesWindow(QWidget* parent = nullptr);
    ~CTemplatesWindow() override;

    // Rebuilds the tree from the library.
    void FillTree();

signals:
    void templateActivated(bool active);

public slots:
    // Reports whether any template is on (and writes it under the channel's key).
    void OnChangedParams();
    void OnClearButton();
    void OnTreeWidgetItemClicked(QTreeWidgetItem* item, int column);
    // The archive's groups changed: the tree is rebuilt from the library.
    void OnRefreshGroups();

protected:
    void changeEvent(QEvent* event) override;

private:
    void RetranslateUi();

    QTreeWidget* m_pTreeWidget = nullptr;
    QPushButton* m_pClearButton = nullptr;
};
