#pragma once

#include <vector>

#include "itemplates.h"

// The spectrum templates of the core. The analyses blank the spans of the enabled ones; loading and
// saving template files is the program's business. GUI thread only.
class CTemplates : public ITemplates
{
public:
    // The template colour table of the views has this many colours.
    static constexpr int kMaxTemplates = 14;

    bool Add(const TEMPLATE_ITEM& item) override;
    void Set(int index, const TEMPLATE_ITEM& item) override;
    const TEMPLATE_ITEM& Get(int index) override;
    int GetFreeIndex() override;
    int GetCount() override;
    int Remove(int index) override;
    void Clear() override;

private:
    std::vector<TEMPLATE_ITEM> m_items;
};
