#include "measurementlist.h"

#include "parameters.h"

QString MeasurementList::SettingsSection()
{
    return QStringLiteral("Measurements");
}

QString MeasurementList::VisibleKey(const QString& id) const
{
    return m_prefix + id + QStringLiteral("Visible");
}

bool MeasurementList::Add(const QString& id, const QString& title, const QString& value)
{
    if (IndexOf(id) >= 0)
        return false;
    MeasurementItem item;
    item.id = id;
    item.title = title;
    item.value = value;
    const QString key = VisibleKey(id);
    item.visible = g_Parameters.HasKey(SettingsSection(), key)
                       ? g_Parameters.GetInt(SettingsSection(), key, 1) != 0
                       : true;
    m_items.append(item);
    return true;
}

int MeasurementList::IndexOf(const QString& id) const
{
    for (int i = 0; i < m_items.size(); ++i)
    {
        if (m_items[i].id == id)
            return i;
    }
    return -1;
}

int MeasurementList::VisibleCount() const
{
    int count = 0;
    for (const MeasurementItem& item : m_items)
    {
        if (item.visible)
            ++count;
    }
    return count;
}

QString MeasurementList::GetId(int i) const
{
    return IsIndex(i) ? m_items[i].id : QString();
}

QString MeasurementList::GetTitle(int i) const
{
    return IsIndex(i) ? m_items[i].title : QString();
}

QString MeasurementList::GetValue(int i) const
{
    return IsIndex(i) ? m_items[i].value : QString();
}

bool MeasurementList::IsVisible(int i) const
{
    return IsIndex(i) && m_items[i].visible;
}

bool MeasurementList::SetValue(const QString& id, const QString& value)
{
    const int i = IndexOf(id);
    if (i < 0)
        return false;
    m_items[i].value = value;
    return true;
}

void MeasurementList::SetVisible(int i, bool on)
{
    if (!IsIndex(i))
        return;
    m_items[i].visible = on;
    g_Parameters.SetInt(SettingsSection(), VisibleKey(m_items[i].id), on ? 1 : 0);
}
