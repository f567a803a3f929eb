#include "controls/ControlCatalog.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

using namespace Lumo::Catalog;

TEST(ControlCatalog, ColumnsAcceptTheirNames)
{
    size_t paintManager = 0, panel = 0;
    std::set<std::wstring> names;
    for (size_t i = 0; i < RowCount(); ++i) {
        const Row& row = Rows()[i];
        paintManager += row.paintManager ? 1 : 0;
        panel += row.panel ? 1 : 0;
        names.insert(row.name);
        EXPECT_EQ(Find(row.name, Factory::PaintManager), row.paintManager ? &row : nullptr);
        EXPECT_EQ(Find(row.name, Factory::Panel), row.panel ? &row : nullptr);
    }
    EXPECT_EQ(RowCount(), 79u);
    EXPECT_EQ(names.size(), RowCount()); // every name once: the order has no visible effect
    EXPECT_EQ(paintManager, 43u);
    EXPECT_EQ(panel, 78u); // every row but "CComboBoxList"
    EXPECT_EQ(std::wstring(Rows()[0].name), L"CArea");
    EXPECT_EQ(std::wstring(Rows()[RowCount() - 1].name), L"SysInfo2Ctrl");
}

TEST(ControlCatalog, KeyFuncControlBelongsToThePanelOnly)
{
    EXPECT_EQ(Find(L"KeyFuncControl", Factory::PaintManager), nullptr);
    const Row* row = Find(L"KeyFuncControl", Factory::Panel);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->args, Args::Visible);
    EXPECT_NE(Find(L"CComboBoxList", Factory::PaintManager), nullptr);
    EXPECT_EQ(Find(L"CComboBoxList", Factory::Panel), nullptr);
}

TEST(ControlCatalog, NamesMatchExactly)
{
    for (const wchar_t* name : {L"mbutton", L"MBUTTON", L"MButton ", L" MButton", L"MButto", L"MPanel", L"MScroll",
             L"CScrollVertical", L"", static_cast<const wchar_t*>(nullptr)}) {
        EXPECT_EQ(Find(name, Factory::PaintManager), nullptr) << (name != nullptr ? name : L"(null)");
        EXPECT_EQ(Find(name, Factory::Panel), nullptr);
    }
    EXPECT_NE(Find(L"MButton", Factory::PaintManager), nullptr);
    EXPECT_NE(Find(L"MButton2", Factory::PaintManager), nullptr);
}

TEST(ControlCatalog, ArgumentsMapToTheVisibleAndEnabledFlags)
{
    const Resolved area = Resolve(Find(L"CArea", Factory::PaintManager)->args, 0, 0);
    EXPECT_EQ(area.visible, 0);
    EXPECT_TRUE(area.passesEnabled);
    EXPECT_EQ(area.enabled, 1); // literal 1
    EXPECT_FALSE(area.passesText);

    const Resolved text = Resolve(Find(L"MText", Factory::Panel)->args, 1, 0);
    EXPECT_TRUE(text.passesText);
    EXPECT_EQ(text.visible, 1);
    EXPECT_FALSE(text.passesEnabled);

    const Resolved button = Resolve(Find(L"MButton", Factory::PaintManager)->args, 1, 0);
    EXPECT_TRUE(button.passesText);
    EXPECT_EQ(button.visible, 1);
    EXPECT_EQ(button.enabled, 0);

    // "MButton3" is visible and enabled whatever the caller passes.
    const Resolved button3 = Resolve(Find(L"MButton3", Factory::Panel)->args, 0, 0);
    EXPECT_EQ(button3.visible, 1);
    EXPECT_EQ(button3.enabled, 1);

    const Resolved list = Resolve(Find(L"MListBox", Factory::Panel)->args, 0, 1);
    EXPECT_EQ(list.visible, 0);
    EXPECT_FALSE(list.passesEnabled);
}

} // namespace
