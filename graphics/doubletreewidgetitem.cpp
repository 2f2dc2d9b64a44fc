#include "doubletreewidgetitem.h"

#include <QTreeWidget>
#include <QVariant>

namespace
{
bool HoldsValue(const QVariant& value)
{
    return value.isValid() && !value.isNull();
}
}  // namespace

CQDoubleTreeWidgetItem::CQDoubleTreeWidgetItem(QTreeWidget* parent) : QTreeWidgetItem(parent)
{
}

CQDoubleTreeWidgetItem::CQDoubleTreeWidgetItem(QTreeWidgetItem* parent) : QTreeWidgetItem(parent)
{
}

CQDoubleTreeWidgetItem::CQDoubleTreeWidgetItem(const QStringList& strings) : QTreeWidgetItem(strings)
{
}

CQDoubleTreeWidgetItem::CQDoubleTreeWidgetItem(QTreeWidget* parent, const QStringList& strings)
    : QTreeWidgetItem(parent, strings)
{
}

CQDoubleTreeWidgetItem::CQDoubleTreeWidgetItem(QTreeWidgetItem* parent, const QStringList& strings)
    : QTreeWidgetItem(parent, strings)
{
}

bool CQDoubleTreeWidgetItem::operator<(const QTreeWidgetItem& other) const
{
    // Qt's own rule: an item outside a tree compares by its first column.
    const QTreeWidget* tree = treeWidget();
    const int column = tree != nullptr ? tree->sortColumn() : 0;
    const QVariant mine = data(column, Qt::UserRole);
    const QVariant theirs = other.data(column, Qt::UserRole);
    if (HoldsValue(mine) && HoldsValue(theirs))
        return mine.toDouble() < theirs.toDouble();
    return text(column) < other.text(column);
}
