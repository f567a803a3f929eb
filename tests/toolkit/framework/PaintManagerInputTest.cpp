// Input dispatch through real window messages: hover, capture, window drag,
// wheel, keys, Tab order and the tooltip.
#include "DialogFixtures.h"

#include <commctrl.h>

#include <gtest/gtest.h>

namespace {

using FrameworkTest::TestControl;
using FrameworkTest::TestDialog;

constexpr int kLeft = 200, kTop = 150;

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

// A shown dialog with two controls, the mouse resting over the window.
class InputTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(dialog.Open(kLeft, kTop, 200, 120), nullptr);
        dialog.ShowWindow(SW_SHOWNOACTIVATE);
        manager = dialog.GetPaintManager();
        first = static_cast<TestControl*>(manager->AddControl(1, new TestControl(&dialog, 11, RECT{10, 10, 60, 50})));
        second = static_cast<TestControl*>(manager->AddControl(1, new TestControl(&dialog, 12, RECT{80, 10, 130, 50})));
        SetCursorPos(kLeft + 150, kTop + 100);
    }
    void TearDown() override
    {
        BYTE keys[256] = {};
        SetKeyboardState(keys);
        dialog.DestroyWindow();
    }
    LRESULT Send(UINT msg, WPARAM wparam, LPARAM lparam) { return dialog.SendMessageW(msg, wparam, lparam); }
    void Hover(int x, int y) { Send(WM_MOUSEMOVE, 0, At(x, y)); }
    void SetModifiers(bool shift, bool control)
    {
        BYTE keys[256] = {};
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        keys[VK_CONTROL] = control ? 0x80 : 0;
        SetKeyboardState(keys);
    }
    int PressTab()
    {
        MSG msg{dialog.GetSafeHwnd(), WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
        return dialog.PreTranslateMessage(&msg);
    }

    TestDialog dialog;
    Lumo::PaintManager* manager = nullptr;
    TestControl* first = nullptr;
    TestControl* second = nullptr;
};

TEST_F(InputTest, MoveMakesTheControlUnderTheMouseTheHoverControl)
{
    Hover(20, 20);
    EXPECT_EQ(manager->GetHoverControl(), first);
    EXPECT_FALSE(first->moves.empty());
    Hover(90, 20);
    EXPECT_EQ(manager->GetHoverControl(), second);
    Hover(150, 100);
    EXPECT_EQ(manager->GetHoverControl(), nullptr);
    Hover(20, 20);
    Send(WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(manager->GetHoverControl(), nullptr);
    EXPECT_EQ(first->moves.back().x, -1); // told that the mouse left
}

TEST_F(InputTest, PressedControlKeepsTheMouseUntilReleased)
{
    Hover(20, 20);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, At(20, 20));
    ASSERT_EQ(first->downs.size(), 1u);
    EXPECT_EQ(manager->IsCaptured(), 1);
    EXPECT_EQ(GetCapture(), dialog.GetSafeHwnd());
    EXPECT_EQ(manager->GetFocusControl(), first);
    EXPECT_EQ(first->focus, 1);
    const size_t secondMoves = second->moves.size();
    Send(WM_MOUSEMOVE, MK_LBUTTON, At(90, 20)); // over the other control
    EXPECT_EQ(manager->GetHoverControl(), first);
    EXPECT_EQ(second->moves.size(), secondMoves);
    Send(WM_LBUTTONUP, 0, At(90, 20));
    ASSERT_EQ(first->ups.size(), 1u); // the release reaches the pressed control
    EXPECT_EQ(manager->GetHoverControl(), nullptr); // released outside it
    EXPECT_EQ(manager->IsCaptured(), 0);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(dialog.dragRequests.empty());
}

TEST_F(InputTest, WindowDragOnlyWhereNoControlTakesTheClick)
{
    Hover(20, 20);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, At(20, 20));
    Send(WM_LBUTTONUP, 0, At(20, 20));
    EXPECT_TRUE(dialog.dragRequests.empty());

    Hover(150, 100);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, At(150, 100));
    ASSERT_EQ(dialog.dragRequests.size(), 1u);
    EXPECT_EQ(dialog.dragRequests[0], At(150, 100));
    Send(WM_LBUTTONUP, 0, At(150, 100));

    manager->EnableWndDrag(0);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, At(150, 100));
    EXPECT_EQ(dialog.dragRequests.size(), 1u);
    // Right clicks never drag the window.
    manager->EnableWndDrag(1);
    Send(WM_RBUTTONDOWN, MK_RBUTTON, At(150, 100));
    EXPECT_EQ(dialog.dragRequests.size(), 1u);
}

TEST_F(InputTest, WheelStepsOfOneNotchEach)
{
    Hover(20, 20);
    POINT screen{kLeft + 20, kTop + 20};
    Send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-240)), MAKELPARAM(screen.x, screen.y));
    EXPECT_EQ(first->scrollDirections, (std::vector<UINT>{1, 1}));
    Send(WM_MOUSEWHEEL, MAKEWPARAM(0, 60), MAKELPARAM(screen.x, screen.y));
    EXPECT_EQ(first->scrollDirections.size(), 2u);
    Send(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), MAKELPARAM(screen.x, screen.y));
    EXPECT_EQ(first->scrollDirections.back(), 0u);
    // Nothing under the mouse takes it: the wheel message is not handled.
    first->takesScroll = false;
    second->takesScroll = false;
    EXPECT_EQ(manager->OnMouseWheel(0, -120, screen), 0);
}

TEST_F(InputTest, KeysGoToTheHoverControlFirstAndAltF4DoesNothing)
{
    Hover(90, 20);
    Send(WM_KEYDOWN, 'A', 0);
    ASSERT_EQ(second->keys.size(), 1u);
    EXPECT_TRUE(first->keys.empty());
    SetModifiers(true, true);
    Send(WM_KEYDOWN, 'B', 0);
    EXPECT_EQ(second->keys.back(), std::make_pair(UINT('B'), 0x11u)); // 0x10 | 0x11

    SetModifiers(false, false);
    Send(WM_SYSKEYDOWN, VK_F4, 0x20000000); // Alt+F4
    FrameworkTest::PumpUntil([] { return false; }, 200);
    EXPECT_NE(dialog.GetSafeHwnd(), nullptr);
    EXPECT_EQ(dialog.Count(WM_SYSCOMMAND), 0);
    EXPECT_EQ(dialog.Count(WM_CLOSE), 0);
}

TEST_F(InputTest, TabMovesTheFocusAmongTabStops)
{
    auto* third = static_cast<TestControl*>(manager->AddControl(1, new TestControl(&dialog, 13, RECT{0, 60, 30, 90})));
    auto* hidden = static_cast<TestControl*>(manager->AddControl(1, new TestControl(&dialog, 14, RECT{0, 0, 1, 1})));
    first->SetTabStop(1);
    third->SetTabStop(1);
    hidden->SetTabStop(1);
    hidden->SetVisible(0);

    SetModifiers(false, true); // Ctrl+Tab: nothing
    EXPECT_EQ(PressTab(), 0);
    EXPECT_EQ(manager->GetFocusControl(), nullptr);

    SetModifiers(false, false);
    EXPECT_EQ(PressTab(), 1);
    EXPECT_EQ(manager->GetFocusControl(), first);
    EXPECT_EQ(PressTab(), 1);
    EXPECT_EQ(manager->GetFocusControl(), third);
    EXPECT_EQ(first->focus, 0);
    EXPECT_EQ(third->focus, 1);
    EXPECT_EQ(PressTab(), 1); // past the last tab stop: no focus
    EXPECT_EQ(manager->GetFocusControl(), nullptr);

    SetModifiers(true, false); // Shift+Tab from no focus: the last tab stop
    EXPECT_EQ(PressTab(), 1);
    EXPECT_EQ(manager->GetFocusControl(), third);
    EXPECT_EQ(PressTab(), 1);
    EXPECT_EQ(manager->GetFocusControl(), first);
}

TEST_F(InputTest, DeactivationReleasesThePressedControl)
{
    Hover(20, 20);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, At(20, 20));
    manager->OnNcActivate(0);
    ASSERT_EQ(first->ups.size(), 1u);
    EXPECT_EQ(first->ups[0].x, -1);
    EXPECT_EQ(manager->GetHoverControl(), nullptr);
    EXPECT_EQ(manager->IsCaptured(), 0);
}

TEST_F(InputTest, ControlTooltipShowsThroughThePaintManager)
{
    auto* tipped
        = static_cast<TestControl*>(manager->AddControl(1, new TestControl(&dialog, 21, RECT{140, 60, 190, 110})));
    tipped->SetTooltip(L"Fan speed");
    EXPECT_EQ(manager->GetTooltipWnd(), nullptr);
    Hover(150, 70);
    ASSERT_NE(manager->GetTooltipWnd(), nullptr);
    EXPECT_EQ(manager->GetTooltipCtrlID(), 21);
    wchar_t text[64] = {};
    TOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = dialog.GetSafeHwnd();
    info.uId = 1313;
    info.lpszText = text;
    ::SendMessageW(manager->GetTooltipWnd(), TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(std::wstring(text), L"Fan speed");
    tipped->ClearTooltip();
    EXPECT_EQ(manager->GetTooltipCtrlID(), 0);
}

TEST_F(InputTest, CommandsOfChildWindowsAreReflected)
{
    class Child : public Lumo::MWindow {
    public:
        LRESULT OnWindowMessage(UINT msg, WPARAM wparam, LPARAM lparam) override
        {
            if (msg == WM_COMMAND + 0x2000)
                return 77;
            return MWindow::OnWindowMessage(msg, wparam, lparam);
        }
    } child;
    ASSERT_NE(child.Create(dialog.GetSafeHwnd(), L"child", WS_CHILD, 0, RECT{0, 0, 10, 10}), nullptr);
    EXPECT_EQ(Send(WM_COMMAND, 5, reinterpret_cast<LPARAM>(child.GetSafeHwnd())), 77);
}

} // namespace
