#pragma once

#include <string>
#include <vector>

#include "archivesignalentry.h"

// A named, switchable list of frequency spans (MHz) that mark known signals, so that the analyses
// leave them out. Only FreqBegin and FreqEnd of the entries matter for that.
struct TEMPLATE_ITEM
{
    bool enabled = false;
    std::wstring name;  // empty marks the unnamed template, the free place
    std::vector<ARCHIVE_SIGNAL_ENTRY> entries;
};

// The spectrum templates, at most 14.
class ITemplates
{
public:
    // False when 14 templates exist. A named item is appended; an unnamed one becomes the entries of
    // the unnamed template (GetFreeIndex), which is then enabled.
    virtual bool Add(const TEMPLATE_ITEM& item) = 0;
    virtual void Set(int index, const TEMPLATE_ITEM& item) = 0;
    virtual const TEMPLATE_ITEM& Get(int index) = 0;
    // The first template without a name; appends an empty one when there is none.
    virtual int GetFreeIndex() = 0;
    virtual int GetCount() = 0;
    // Later templates move down by one; returns 0.
    virtual int Remove(int index) = 0;
    virtual void Clear() = 0;
    virtual ~ITemplates() = default;
};
