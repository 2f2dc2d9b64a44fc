#pragma once

#include <QStringList>
#include <QTreeWidgetItem>

class QTreeWidget;

// A tree row that sorts numerically: frequencies, levels and times shown as text would sort as text
// ("100" before "20"), so rows put the number under Qt::UserRole beside the text of the cell.
class CQDoubleTreeWidgetItem : public QTreeWidgetItem
{
public:
    CQDoubleTreeWidgetItem() = default;
    explicit CQDoubleTreeWidgetItem(QTreeWidget* parent);
    explicit CQDoubleTreeWidgetItem(QTreeWidgetItem* parent);
    explicit CQDoubleTreeWidgetItem(const QStringList& strings);
    CQDoubleTreeWidgetItem(QTreeWidget* parent, const QStringList& strings);
    CQDoubleTreeWidgetItem(QTreeWidgetItem* parent, const QStringList& strings);

    // In the tree's sort column (column 0 outside a tree): the Qt::UserRole values as doubles when
    // both cells hold one (a value that is no number counts as 0.0), otherwise the texts,
    // case-sensitively.
    bool operator<(const QTreeWidgetItem& other) const override;
};
