#include "templates.h"

bool CTemplates::Add(const TEMPLATE_ITEM& item)
{
    if (GetCount() >= kMaxTemplates)
        return false;
    if (!item.name.empty())
    {
        m_items.push_back(item);
        return true;
    }
    // An unnamed item is merged into the unnamed template, which keeps its empty name.
    TEMPLATE_ITEM& target = m_items[static_cast<size_t>(GetFreeIndex())];
    target.enabled = true;
    target.entries = item.entries;
    return true;
}

// The index is the caller's responsibility, as for Get and Remove.
void CTemplates::Set(int index, const TEMPLATE_ITEM& item)
{
    m_items[static_cast<size_t>(index)] = item;
}

const TEMPLATE_ITEM& CTemplates::Get(int index)
{
    return m_items[static_cast<size_t>(index)];
}

int CTemplates::GetFreeIndex()
{
    for (size_t i = 0; i < m_items.size(); ++i)
    {
        if (m_items[i].name.empty())
            return static_cast<int>(i);
    }
    // Callers index with the result at once, so there always is a place to return, even past the cap
    // that Add keeps.
    m_items.emplace_back();
    return static_cast<int>(m_items.size()) - 1;
}

int CTemplates::GetCount()
{
    return static_cast<int>(m_items.size());
}

int CTemplates::Remove(int index)
{
    m_items.erase(m_items.begin() + index);
    return 0;
}

void CTemplates::Clear()
{
    m_items.clear();
}
