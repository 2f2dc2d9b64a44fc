#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "templates.h"

namespace
{
TEMPLATE_ITEM Item(const std::wstring& name, std::vector<double> beginsMHz, bool enabled = false)
{
    TEMPLATE_ITEM item;
    item.enabled = enabled;
    item.name = name;
    for (double begin : beginsMHz)
    {
        ARCHIVE_SIGNAL_ENTRY span;
        span.FreqBegin = begin;
        span.FreqEnd = begin + 1.0;
        item.entries.push_back(span);
    }
    return item;
}

std::vector<std::wstring> Names(CTemplates& templates)
{
    std::vector<std::wstring> names;
    for (int i = 0; i < templates.GetCount(); ++i)
        names.push_back(templates.Get(i).name);
    return names;
}

std::vector<double> Begins(const TEMPLATE_ITEM& item)
{
    std::vector<double> begins;
    for (const auto& span : item.entries)
        begins.push_back(span.FreqBegin);
    return begins;
}
}  // namespace

TEST(Templates, FourteenIsTheCapForNamedAndUnnamedItems)
{
    CTemplates templates;
    for (int i = 0; i < CTemplates::kMaxTemplates; ++i)
        ASSERT_TRUE(templates.Add(Item(L"t" + std::to_wstring(i), {100.0 + i})));
    const std::vector<std::wstring> full = Names(templates);

    EXPECT_FALSE(templates.Add(Item(L"fifteenth", {900.0})));
    // An unnamed item would need a fifteenth place as well.
    EXPECT_FALSE(templates.Add(Item(L"", {901.0})));
    EXPECT_EQ(templates.GetCount(), 14);
    EXPECT_EQ(Names(templates), full);
    EXPECT_EQ(Begins(templates.Get(13)), std::vector<double>{113.0});
}

TEST(Templates, AnUnnamedItemReplacesTheSpansOfTheUnnamedTemplateAndEnablesIt)
{
    CTemplates templates;
    ASSERT_TRUE(templates.Add(Item(L"airport", {118.0}, true)));
    ASSERT_TRUE(templates.Add(Item(L"", {88.0, 95.0})));  // no free place yet: appended
    ASSERT_EQ(templates.GetCount(), 2);
    ASSERT_TRUE(templates.Add(Item(L"marine", {156.0})));

    ASSERT_TRUE(templates.Add(Item(L"", {433.0})));
    EXPECT_EQ(templates.GetCount(), 3);
    const TEMPLATE_ITEM& unnamed = templates.Get(1);
    EXPECT_TRUE(unnamed.enabled);
    EXPECT_TRUE(unnamed.name.empty());
    EXPECT_EQ(Begins(unnamed), std::vector<double>{433.0});
    // A named item keeps the enabled flag it carries.
    EXPECT_TRUE(templates.Get(0).enabled);
    EXPECT_FALSE(templates.Get(2).enabled);
}

TEST(Templates, GetFreeIndexFindsTheFirstUnnamedTemplateOrAppendsAnEmptyOne)
{
    CTemplates templates;
    EXPECT_EQ(templates.GetFreeIndex(), 0);
    EXPECT_EQ(templates.GetCount(), 1);
    EXPECT_EQ(templates.GetFreeIndex(), 0);  // the same place again, no growth

    templates.Set(0, Item(L"named", {10.0}, true));
    EXPECT_EQ(templates.GetFreeIndex(), 1);
    ASSERT_EQ(templates.GetCount(), 2);
    const TEMPLATE_ITEM& added = templates.Get(1);
    EXPECT_FALSE(added.enabled);
    EXPECT_TRUE(added.name.empty());
    EXPECT_TRUE(added.entries.empty());
}

TEST(Templates, SetRemoveAndClear)
{
    CTemplates templates;
    for (const wchar_t* name : {L"a", L"b", L"c"})
        ASSERT_TRUE(templates.Add(Item(name, {1.0})));
    templates.Set(2, Item(L"z", {7.0, 8.0}, true));
    EXPECT_EQ(Begins(templates.Get(2)), (std::vector<double>{7.0, 8.0}));
    EXPECT_TRUE(templates.Get(2).enabled);

    EXPECT_EQ(templates.Remove(0), 0);
    EXPECT_EQ(Names(templates), (std::vector<std::wstring>{L"b", L"z"}));
    templates.Clear();
    EXPECT_EQ(templates.GetCount(), 0);
    // The cap counts what is held now.
    EXPECT_TRUE(templates.Add(Item(L"again", {})));
}
