// The container: its scroll bars, scrolling by wheel and bar, point
// translation, drawing of scrolled children, repaints and notifications.
#include "ControlTestSupport.h"

#include <gtest/gtest.h>

namespace {

using ControlsTest::kBackground;
using ControlsTest::Near;
using ControlsTest::RenderedDialog;
using ControlsTest::Rgb;

constexpr Rgb kButtonColour{200, 0, 0};
constexpr RECT kPanelRect{20, 20, 220, 220};

using Notifications = std::vector<std::pair<UINT, UINT>>;

class PanelTest : public testing::Test {
protected:
    void SetUp() override
    {
        strip = skins.AddPng(L"button.png", 160, 30, [](int, int) { return 0xFFC80000u; });
        window.Show();
        panel = static_cast<Lumo::MPanel*>(
            window.Manager().AddControl(1, new Lumo::MPanel(&window.dialog, 50, kPanelRect, 1)));
    }
    Lumo::MButton* AddButton(UINT id, RECT rect)
    {
        auto* button = static_cast<Lumo::MButton*>(panel->CreateControl(L"MButton", id, rect, L"", 1, 1));
        button->SetImage(strip.c_str(), 4);
        return button;
    }
    // Scrolls the content `offset` pixels down (the virtual height is 600).
    void ScrollTo(int offset)
    {
        panel->SetVirtualHeight(600);
        panel->GetScrollVertical()->SetScrollCurrentPos(offset * 1000 / 400);
        panel->UpdateControl(1, 0);
    }
    POINT Screen(int x, int y)
    {
        POINT p{x, y};
        ClientToScreen(window.dialog.GetSafeHwnd(), &p);
        return p;
    }
    bool Invalidated()
    {
        RECT update{};
        return GetUpdateRect(window.dialog.GetSafeHwnd(), &update, FALSE) != FALSE;
    }

    ToolkitTest::TempSkinFolder skins;
    std::wstring strip;
    RenderedDialog window{300, 260};
    Lumo::MPanel* panel = nullptr;
};

TEST(MPanel, OwnsTwoScrollBarsWithIdsOneAndTwo)
{
    Lumo::MPanel panel(nullptr, 5, kPanelRect, 1);
    ASSERT_EQ(panel.GetControls()->size(), 2u);
    EXPECT_EQ((*panel.GetControls())[0], static_cast<Lumo::MControl*>(panel.GetScrollVertical()));
    EXPECT_EQ((*panel.GetControls())[1], static_cast<Lumo::MControl*>(panel.GetScrollHorizontal()));
    EXPECT_EQ(panel.GetControl(1), static_cast<Lumo::MControl*>(panel.GetScrollVertical()));
    EXPECT_EQ(panel.GetControl(2), static_cast<Lumo::MControl*>(panel.GetScrollHorizontal()));
    EXPECT_TRUE(ToolkitTest::SameRect(panel.GetScrollVertical()->GetRect(), RECT{-5, 0, 0, 0}));
    EXPECT_TRUE(ToolkitTest::SameRect(panel.GetScrollHorizontal()->GetRect(), RECT{0, -5, 0, 0}));
    EXPECT_EQ(panel.GetScrollVertical()->GetManager(), nullptr);
    EXPECT_EQ(panel.GetDblClk(), 1);
    EXPECT_EQ(panel.GetEnableScroll(), 1);
    EXPECT_EQ(std::wstring(panel.GetClassNameW()), L"MControl");
    EXPECT_EQ(std::wstring(panel.GetScrollVertical()->GetClassNameW()), L"MControl");
    EXPECT_EQ(panel.OnCheckMouseResponse(0, POINT{-100, -100}), 1);
    POINT p{30, 40};
    EXPECT_EQ(panel.OnMousePointChange(p), 0); // nothing to scroll
    EXPECT_EQ(p.y, 40);
    panel.SetControlRect(RECT{0, 0, 50, 50}); // the bars are placed by subclasses
    EXPECT_TRUE(ToolkitTest::SameRect(panel.GetScrollVertical()->GetRect(), RECT{-5, 0, 0, 0}));
}

TEST_F(PanelTest, AttachingGivesTheScrollBarsTheManagerAndTheirImages)
{
    EXPECT_EQ(panel->GetScrollVertical()->GetManager(), &window.Manager());
    EXPECT_NE(panel->GetScrollVertical()->GetImage(), nullptr);
    EXPECT_NE(panel->GetScrollHorizontal()->GetImage(), nullptr);
}

TEST_F(PanelTest, ButtonInsidePanelNotifiesTheDialogWithItsOwnId)
{
    AddButton(40, RECT{40, 40, 140, 70});
    window.Mouse(WM_MOUSEMOVE, 60, 50);
    window.Mouse(WM_LBUTTONDOWN, 60, 50, MK_LBUTTON);
    window.Mouse(WM_LBUTTONUP, 60, 50);
    EXPECT_EQ(window.dialog.notifications, (Notifications{{40, 1}, {40, 2}}));
}

TEST_F(PanelTest, ScrollBarMovesBubbleUpToTheDialog)
{
    auto* bar = panel->GetScrollVertical();
    bar->SetRect(RECT{212, 20, 220, 220});
    bar->SetScrollSize(300, 0); // thumb 100 pixels long at the top
    window.Mouse(WM_MOUSEMOVE, 215, 30);
    window.Mouse(WM_LBUTTONDOWN, 215, 30, MK_LBUTTON);
    window.Mouse(WM_MOUSEMOVE, 215, 80, MK_LBUTTON);
    window.Mouse(WM_LBUTTONUP, 215, 80);
    EXPECT_EQ(window.dialog.notifications, (Notifications{{1, 8}}));
    EXPECT_EQ(bar->GetScrollCurrentPos(), 500);
}

TEST_F(PanelTest, WheelScrollsOneRowAndIsTakenAtTheEndWithoutRepainting)
{
    const POINT inside = Screen(100, 100);
    EXPECT_EQ(window.Manager().OnMouseWheel(0, -120, inside), 0); // the content fits: not taken

    panel->SetVirtualHeight(600);
    ValidateRect(window.dialog.GetSafeHwnd(), nullptr);
    EXPECT_EQ(window.Manager().OnMouseWheel(0, -240, inside), 1); // two steps towards the end
    EXPECT_EQ(panel->GetScrollVertical()->GetScrollCurrentPos(), 20);
    EXPECT_EQ(panel->GetScrollOffsetY(), 8);
    EXPECT_TRUE(Invalidated());
    EXPECT_EQ(window.Manager().OnMouseWheel(0, 120, inside), 1);
    EXPECT_EQ(panel->GetScrollVertical()->GetScrollCurrentPos(), 10);

    panel->GetScrollVertical()->SetScrollCurrentPos(1000);
    ValidateRect(window.dialog.GetSafeHwnd(), nullptr);
    EXPECT_EQ(window.Manager().OnMouseWheel(0, -120, inside), 1);
    EXPECT_EQ(panel->GetScrollVertical()->GetScrollCurrentPos(), 1000);
    EXPECT_FALSE(Invalidated());
    EXPECT_TRUE(window.dialog.notifications.empty()); // the wheel sends no code 8

    panel->SetEnableScroll(0);
    EXPECT_EQ(window.Manager().OnMouseWheel(0, 120, inside), 0);
}

TEST_F(PanelTest, ScrolledChildrenAreHitAndDrawnAtTheirContentPlace)
{
    auto* button = AddButton(40, RECT{40, 240, 140, 270}); // below the visible part
    auto* upper = AddButton(41, RECT{40, 170, 140, 230});
    window.Render();
    EXPECT_TRUE(Near(window.Pixel(90, 200), kButtonColour)); // the upper one, unscrolled
    EXPECT_TRUE(Near(window.Pixel(90, 250), kBackground)); // content outside the panel is not shown
    ScrollTo(200);
    EXPECT_EQ(panel->GetScrollOffsetY(), 200);
    window.Render();
    EXPECT_TRUE(Near(window.Pixel(90, 45), kButtonColour));
    EXPECT_TRUE(Near(window.Pixel(90, 25), kButtonColour)); // the upper one's last rows
    EXPECT_TRUE(Near(window.Pixel(90, 15), kBackground)); // cut at the panel's top
    EXPECT_TRUE(Near(window.Pixel(90, 200), kBackground));

    POINT p{90, 45};
    EXPECT_EQ(panel->OnMousePointChange(p), 1);
    EXPECT_EQ(p.y, 245);
    window.Mouse(WM_MOUSEMOVE, 90, 45);
    EXPECT_EQ(button->GetState(), Lumo::MButton::Hover);
    window.Mouse(WM_LBUTTONDOWN, 90, 45, MK_LBUTTON);
    window.Mouse(WM_LBUTTONUP, 90, 45);
    EXPECT_EQ(window.dialog.notifications, (Notifications{{40, 1}, {40, 2}}));
    EXPECT_EQ(upper->GetState(), Lumo::MButton::Normal);

    ScrollTo(0);
    window.Render();
    EXPECT_TRUE(Near(window.Pixel(90, 45), kBackground));
    EXPECT_TRUE(Near(window.Pixel(90, 200), kButtonColour));
}

TEST_F(PanelTest, RepaintRequestRedrawsWhatLiesAboveTheChild)
{
    window.dialog.SetLayeredWindow(0); // a layered window is always invalidated whole
    auto* below = AddButton(40, RECT{40, 40, 140, 70});
    auto* changed = AddButton(41, RECT{60, 60, 160, 90});
    auto* above = AddButton(42, RECT{100, 80, 200, 110});
    auto* apart = AddButton(43, RECT{40, 150, 140, 180});
    window.Render();
    ValidateRect(window.dialog.GetSafeHwnd(), nullptr);
    changed->UpdateControl(1, 0);
    EXPECT_EQ(changed->GetUpdate(), 0);
    EXPECT_EQ(above->GetUpdate(), 0);
    EXPECT_EQ(below->GetUpdate(), 1);
    EXPECT_EQ(apart->GetUpdate(), 1);
    RECT update{};
    ASSERT_TRUE(GetUpdateRect(window.dialog.GetSafeHwnd(), &update, FALSE));
    EXPECT_TRUE(ToolkitTest::SameRect(update, kPanelRect)); // the panel and the moved rectangles inside it

    // Scrolled: the rectangle is moved into window coordinates.
    ScrollTo(200);
    window.Render();
    ValidateRect(window.dialog.GetSafeHwnd(), nullptr);
    auto* low = AddButton(44, RECT{40, 400, 140, 430});
    panel->OnControlUpdate(low->GetRect(), 1, low);
    ASSERT_TRUE(GetUpdateRect(window.dialog.GetSafeHwnd(), &update, FALSE));
    EXPECT_TRUE(ToolkitTest::SameRect(update, RECT{20, 20, 220, 230}));
    EXPECT_EQ(panel->OnControlUpdate(RECT{0, 0, 1, 1}, 1, nullptr), 0);
}

TEST_F(PanelTest, DisablingThePanelDisablesItsChildren)
{
    auto* button = AddButton(40, RECT{40, 40, 140, 70});
    panel->SetEnabled(0);
    EXPECT_EQ(button->IsEnabled(), 0);
    EXPECT_EQ(button->GetState(), Lumo::MButton::Disabled);
    EXPECT_EQ(panel->GetScrollVertical()->IsEnabled(), 0);
    panel->SetEnabled(1);
    EXPECT_EQ(button->GetState(), Lumo::MButton::Normal);
}

TEST_F(PanelTest, WindowMessagesAreOfferedToTheChildren)
{
    class Listener : public FrameworkTest::TestControl {
    public:
        using TestControl::TestControl;
        LRESULT OnWindowMessage(UINT msg, WPARAM, LPARAM) override
        {
            seen.push_back(msg);
            return msg == WM_USER + 7 ? 1 : 0;
        }
        std::vector<UINT> seen;
    };
    auto* first = new Listener(panel, 60, RECT{0, 0, 1, 1});
    auto* second = new Listener(panel, 61, RECT{0, 0, 1, 1});
    panel->AddControl(1, first);
    panel->AddControl(1, second);
    EXPECT_EQ(panel->OnWindowMessage(WM_USER + 7, 0, 0), 1);
    EXPECT_EQ(second->seen.size(), 0u); // the first one took it
    EXPECT_EQ(panel->OnWindowMessage(WM_USER + 8, 0, 0), 0);
    EXPECT_EQ(second->seen.size(), 1u);
}

} // namespace
