// The two control factories: which names create what, with which arguments,
// attached to which manager and appended to which list.
#include "ControlTestSupport.h"
#include "controls/ControlCatalog.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using ControlsTest::kBackground;
using ControlsTest::Near;
using ControlsTest::RenderedDialog;
namespace Catalog = Lumo::Catalog;

const std::set<std::wstring> kBuiltClasses{L"CArea", L"MText", L"MPicture", L"MButton"};

TEST(ControlFactory, EveryAcceptedNameOfABuiltClassCreatesThatClass)
{
    RenderedDialog window(100, 100);
    Lumo::PaintManager& manager = window.Manager();
    auto* panel = static_cast<Lumo::MPanel*>(manager.AddControl(1, new Lumo::MPanel(&window.dialog, 9, {}, 1)));
    std::set<std::wstring> fromManager, fromPanel;
    for (size_t i = 0; i < Catalog::RowCount(); ++i) {
        const Catalog::Row& row = Catalog::Rows()[i];
        const bool built = kBuiltClasses.count(row.name) != 0;
        Lumo::MControl* top = manager.CreateControl(&window.dialog, row.name, 100, RECT{0, 0, 10, 10}, L"", 1, 1);
        EXPECT_EQ(top != nullptr, built && row.paintManager) << row.name;
        if (top != nullptr) {
            fromManager.insert(row.name);
            EXPECT_EQ(std::wstring(top->GetClassNameW()), row.name);
            EXPECT_EQ(top->GetManager(), &manager);
            EXPECT_EQ(top->GetParantObject(), static_cast<Lumo::MObject*>(&window.dialog));
        }
        Lumo::MControl* child = panel->CreateControl(row.name, 100, RECT{0, 0, 10, 10}, L"", 1, 1);
        EXPECT_EQ(child != nullptr, built && row.panel) << row.name;
        if (child != nullptr) {
            fromPanel.insert(row.name);
            EXPECT_EQ(std::wstring(child->GetClassNameW()), row.name);
            EXPECT_EQ(child->GetManager(), &manager); // the panel's manager
            EXPECT_EQ(child->GetParantObject(), static_cast<Lumo::MObject*>(panel));
        }
    }
    EXPECT_EQ(fromManager, kBuiltClasses);
    EXPECT_EQ(fromPanel, kBuiltClasses);
    EXPECT_EQ(manager.GetControls()->size(), 1 + kBuiltClasses.size());
    EXPECT_EQ(panel->GetControls()->size(), 2 + kBuiltClasses.size()); // after the two scroll bars
}

TEST(ControlFactory, NamesAreExactAndCaseSensitive)
{
    RenderedDialog window(100, 100);
    Lumo::MPanel panel(&window.dialog, 9, RECT{0, 0, 50, 50}, 1);
    for (const wchar_t* name : {L"mbutton", L"MBUTTON", L"Mbutton", L"carea", L"CAREA", L"mtext", L"MPICTURE",
             L"MButton ", L"MPanel", L"CScrollVertical", L"NoSuchControl", L""}) {
        EXPECT_EQ(window.dialog.CreateControl(name, 1, RECT{0, 0, 5, 5}, L"", 1, 1), nullptr) << name;
        EXPECT_EQ(window.dialog.CreateArea(name, 1, RECT{0, 0, 5, 5}, L"", 1, 1), nullptr) << name;
        EXPECT_EQ(panel.CreateControl(name, 1, RECT{0, 0, 5, 5}, L"", 1, 1), nullptr) << name;
    }
    EXPECT_EQ(window.dialog.CreateControl(nullptr, 1, RECT{0, 0, 5, 5}, L"", 1, 1), nullptr);
    EXPECT_EQ(panel.CreateArea(nullptr, 1, RECT{0, 0, 5, 5}, L"", 1, 1), nullptr);
    EXPECT_TRUE(window.Manager().GetControls()->empty());
    EXPECT_EQ(panel.GetControls()->size(), 2u);
}

TEST(ControlFactory, KeyFuncControlIsTheContainersOnly)
{
    // The paint manager's factory refuses the name; the container's knows it
    // and will create it once the class is part of the library.
    RenderedDialog window(100, 100);
    EXPECT_EQ(window.dialog.CreateControl(L"KeyFuncControl", 1, RECT{0, 0, 5, 5}, L"", 1, 1), nullptr);
    EXPECT_EQ(Catalog::Find(L"KeyFuncControl", Catalog::Factory::PaintManager), nullptr);
    const Catalog::Row* row = Catalog::Find(L"KeyFuncControl", Catalog::Factory::Panel);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(kBuiltClasses.count(row->name), 0u);
    Lumo::MPanel panel(&window.dialog, 9, RECT{0, 0, 50, 50}, 1);
    EXPECT_EQ(panel.CreateControl(L"KeyFuncControl", 1, RECT{0, 0, 5, 5}, L"", 1, 1), nullptr);
}

TEST(ControlFactory, KindChoosesTheList)
{
    ToolkitTest::TempSkinFolder skins;
    RenderedDialog window(100, 60);
    window.Show();
    Lumo::PaintManager& manager = window.Manager();
    Lumo::MControl* area = manager.CreateArea(&window.dialog, L"CArea", 1, RECT{0, 0, 5, 5}, nullptr, 1, 1);
    Lumo::MControl* control = manager.CreateControl(&window.dialog, L"CArea", 2, RECT{0, 0, 5, 5}, nullptr, 1, 1);
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(manager.GetControls()->size(), 1u);
    EXPECT_EQ((*manager.GetControls())[0], control);
    EXPECT_EQ(manager.GetControl(1), area); // found among the areas

    // Kind 2: attached but in no list, so neither drawn nor hit-tested; the caller owns it.
    auto* loose = static_cast<Lumo::MButton*>(
        manager.CreateControl(2, &window.dialog, L"MButton", 3, RECT{20, 20, 80, 50}, L"", 1, 1));
    ASSERT_NE(loose, nullptr);
    EXPECT_EQ(loose->GetManager(), &manager);
    EXPECT_EQ(manager.GetControl(3), nullptr);
    EXPECT_EQ(manager.GetControls()->size(), 1u);
    loose->SetImage(skins.AddPng(L"b.png", 40, 10, [](int, int) { return 0xFFC80000u; }).c_str(), 4);
    window.Render();
    EXPECT_TRUE(Near(window.Pixel(50, 35), kBackground));
    window.Mouse(WM_MOUSEMOVE, 50, 35);
    EXPECT_EQ(loose->GetState(), Lumo::MButton::Normal);
    EXPECT_EQ(manager.GetHoverControl(), nullptr);
    delete loose; // before its paint manager

    Lumo::MPanel panel(&window.dialog, 9, RECT{0, 0, 50, 50}, 1);
    Lumo::MControl* panelArea = panel.CreateArea(L"MPicture", 4, RECT{0, 0, 5, 5}, nullptr, 1, 1);
    EXPECT_EQ(panel.GetControls()->size(), 2u);
    EXPECT_EQ(panel.GetControl(4), panelArea);
    Lumo::MControl* panelLoose = panel.CreateControl(2, &panel, L"MPicture", 5, RECT{0, 0, 5, 5}, nullptr, 1, 1);
    ASSERT_NE(panelLoose, nullptr);
    EXPECT_EQ(panel.GetControl(5), nullptr);
    delete panelLoose;
}

TEST(ControlFactory, ArgumentsLandInTitleVisibleAndEnabled)
{
    RenderedDialog window(100, 100);
    auto create = [&](const wchar_t* name, int int1, int int2) {
        return static_cast<Lumo::MControlFont*>(
            window.dialog.CreateControl(name, 7, RECT{0, 0, 10, 10}, L"Caption", int1, int2));
    };
    Lumo::MControlFont* button = create(L"MButton", 0, 1);
    EXPECT_EQ(button->GetTitle(), L"Caption");
    EXPECT_EQ(button->IsVisible(), 0);
    EXPECT_EQ(button->IsEnabled(), 1);
    Lumo::MControlFont* text = create(L"MText", 1, 1);
    EXPECT_EQ(text->GetTitle(), L"Caption");
    EXPECT_EQ(text->IsVisible(), 1);
    EXPECT_EQ(text->IsEnabled(), 0); // a label is never enabled
    Lumo::MControlFont* picture = create(L"MPicture", 1, 0);
    EXPECT_TRUE(picture->GetTitle().empty());
    EXPECT_EQ(picture->IsEnabled(), 0);
    Lumo::MControl* area = window.dialog.CreateControl(L"CArea", 8, RECT{0, 0, 10, 10}, L"Caption", 0, 0);
    EXPECT_EQ(area->IsVisible(), 0);
    EXPECT_EQ(area->IsEnabled(), 1); // the literal 1 of its row
}

TEST(ControlFactory, PanelWithoutManagerCreatesChildrenWithoutOne)
{
    Lumo::PaintManager manager; // outlives the panel
    Lumo::MPanel panel(nullptr, 9, RECT{0, 0, 50, 50}, 1);
    Lumo::MControl* child = panel.CreateControl(L"MText", 10, RECT{0, 0, 5, 5}, L"x", 1, 1);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->GetManager(), nullptr);
    EXPECT_EQ(child->GetParantObject(), static_cast<Lumo::MObject*>(&panel));
    panel.SetManager(&manager); // only the scroll bars are attached with it
    EXPECT_EQ(panel.GetScrollVertical()->GetManager(), &manager);
    EXPECT_EQ(child->GetManager(), nullptr);
}

} // namespace
