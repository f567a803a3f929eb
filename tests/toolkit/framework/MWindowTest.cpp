// The window wrapper with real windows under Wine.
#include "ToolkitTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class TestWindow : public Lumo::MWindow {
public:
    const wchar_t* GetWindowClassName() const override { return L"LumoTestWindow"; }
    LRESULT OnWindowMessage(UINT msg, WPARAM wparam, LPARAM lparam) override
    {
        messages.push_back(msg);
        if (msg == WM_CREATE)
            handleDuringCreate = m_hWnd;
        if (msg == WM_APP && onApp)
            onApp();
        return MWindow::OnWindowMessage(msg, wparam, lparam);
    }
    int OnInitDialog() override
    {
        ++initCalls;
        return 1;
    }
    void OnDestroyMessage(HWND hwnd) override { destroyedHandle = hwnd; }
    int Count(UINT msg) const
    {
        int n = 0;
        for (UINT m : messages)
            n += m == msg ? 1 : 0;
        return n;
    }

    std::vector<UINT> messages;
    HWND handleDuringCreate = nullptr;
    HWND destroyedHandle = nullptr;
    int initCalls = 0;
    std::function<void()> onApp;
};

HWND CreatePopup(TestWindow& window, HWND owner = nullptr, RECT rect = RECT{100, 100, 300, 250})
{
    return window.Create(owner, L"test", WS_POPUP, WS_EX_TOOLWINDOW, rect);
}

TEST(MWindow, TwoObjectsOfOneClassBothRegisterAndCreate)
{
    TestWindow first, second;
    EXPECT_EQ(first.RegisterWindowClass(), 1);
    EXPECT_EQ(second.RegisterWindowClass(), 1); // already registered
    EXPECT_NE(CreatePopup(first), nullptr);
    EXPECT_NE(CreatePopup(second), nullptr);
    EXPECT_NE(first.GetSafeHwnd(), second.GetSafeHwnd());
    first.DestroyWindow();
    second.DestroyWindow();
}

TEST(MWindow, LifecycleBindsAndReleasesTheObject)
{
    TestWindow window;
    HWND hwnd = CreatePopup(window);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(window.handleDuringCreate, hwnd); // bound before CreateWindowExW returned
    EXPECT_EQ(window.initCalls, 1);
    EXPECT_EQ(CreatePopup(window), hwnd); // the existing window, not a second one
    EXPECT_EQ(window.initCalls, 1);

    window.DestroyWindow();
    EXPECT_EQ(window.GetSafeHwnd(), nullptr);
    EXPECT_EQ(window.destroyedHandle, hwnd);
    EXPECT_EQ(window.Count(WM_NCDESTROY), 0); // the final message goes to the default procedure
    EXPECT_EQ(window.Count(WM_DESTROY), 1);
}

class BrokenSuperclass : public TestWindow {
public:
    const wchar_t* GetSuperClassName() const override { return L"NoSuchSystemClass"; }
};

TEST(MWindow, FailedRegistrationCreatesNothing)
{
    BrokenSuperclass window;
    EXPECT_EQ(window.RegisterSuperClass(), 0);
    EXPECT_EQ(CreatePopup(window), nullptr);
    EXPECT_EQ(window.initCalls, 0);
}

class SuperButton : public TestWindow {
public:
    const wchar_t* GetWindowClassName() const override { return L"LumoTestButton"; }
    const wchar_t* GetSuperClassName() const override { return L"BUTTON"; }
};

TEST(MWindow, SuperclassRoutesThroughTheControlProperty)
{
    TestWindow parent;
    ASSERT_NE(CreatePopup(parent), nullptr);
    SuperButton button;
    HWND hwnd = button.Create(parent.GetSafeHwnd(), L"Press", WS_CHILD | WS_VISIBLE, 0, RECT{0, 0, 80, 20});
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(GetPropW(hwnd, L"Control"), static_cast<Lumo::MWindow*>(&button));
    std::wstring text;
    button.GetWindowTextW(text); // answered by the button class's own procedure
    EXPECT_EQ(text, L"Press");
    EXPECT_GT(button.Count(WM_CREATE), 0);
    parent.DestroyWindow(); // destroys the child too
    EXPECT_EQ(button.GetSafeHwnd(), nullptr);
    EXPECT_EQ(button.destroyedHandle, hwnd);
}

TEST(MWindow, ModalLoopEndsWithTheWparamOfAPostedClose)
{
    TestWindow owner, dialog;
    ASSERT_NE(CreatePopup(owner), nullptr);
    ASSERT_NE(CreatePopup(dialog, owner.GetSafeHwnd()), nullptr);
    int ownerEnabledDuringLoop = -1;
    dialog.onApp = [&] { ownerEnabledDuringLoop = owner.IsWindowEnabled(); };
    dialog.PostMessageW(WM_APP, 0, 0);
    dialog.PostMessageW(WM_CLOSE, 6, 0);
    EXPECT_EQ(dialog.ShowModal(SW_SHOWNOACTIVATE), 6u);
    EXPECT_EQ(ownerEnabledDuringLoop, 0);
    EXPECT_EQ(owner.IsWindowEnabled(), 1);
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr); // closed and destroyed
    owner.DestroyWindow();
}

TEST(MWindow, SentCloseEndsTheLoopWithoutAResult)
{
    TestWindow dialog;
    ASSERT_NE(CreatePopup(dialog), nullptr);
    dialog.onApp = [&] { dialog.SendMessageW(WM_CLOSE, 9, 0); };
    dialog.PostMessageW(WM_APP, 0, 0);
    EXPECT_EQ(dialog.ShowModal(SW_SHOWNOACTIVATE), 0u);
}

TEST(MWindow, QuitMessageEndsTheLoopAndIsPostedAgain)
{
    TestWindow owner, dialog;
    ASSERT_NE(CreatePopup(owner), nullptr);
    ASSERT_NE(CreatePopup(dialog, owner.GetSafeHwnd()), nullptr);
    PostQuitMessage(7);
    EXPECT_EQ(dialog.ShowModal(SW_SHOWNOACTIVATE), 0u);
    EXPECT_NE(dialog.GetSafeHwnd(), nullptr); // the window is still there
    EXPECT_EQ(owner.IsWindowEnabled(), 1);
    MSG msg{};
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
    dialog.DestroyWindow();
    owner.DestroyWindow();
}

TEST(MWindow, ModalLoopWithoutAWindowReturnsMinusOne)
{
    TestWindow dialog;
    EXPECT_EQ(dialog.ShowModal(SW_SHOW), static_cast<UINT>(-1));
}

TEST(MWindow, CentringKeepsTheWindowInTheWorkArea)
{
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    TestWindow big;
    const RECT huge{0, 0, (work.right - work.left) + 300, (work.bottom - work.top) + 200};
    ASSERT_NE(big.Create(nullptr, L"big", WS_POPUP, WS_EX_TOOLWINDOW, huge), nullptr);
    big.CenterWindow();
    RECT placed{};
    big.GetWindowRect(&placed);
    EXPECT_EQ(placed.left, work.left);
    EXPECT_EQ(placed.top, work.top);
    EXPECT_EQ(placed.right - placed.left, huge.right); // size unchanged

    TestWindow small;
    ASSERT_NE(small.Create(nullptr, L"small", WS_POPUP, WS_EX_TOOLWINDOW, RECT{0, 0, 101, 51}), nullptr);
    small.CenterWindow();
    small.GetWindowRect(&placed);
    EXPECT_EQ(placed.left, (work.left + work.right) / 2 - 101 / 2);
    EXPECT_EQ(placed.top, (work.top + work.bottom) / 2 - 51 / 2);
    big.DestroyWindow();
    small.DestroyWindow();
}

TEST(MWindow, ChildIsCentredInItsParentsClientArea)
{
    TestWindow parent, child;
    ASSERT_NE(parent.Create(nullptr, L"parent", WS_POPUP, 0, RECT{50, 50, 450, 350}), nullptr);
    ASSERT_NE(child.Create(parent.GetSafeHwnd(), L"child", WS_CHILD, 0, RECT{0, 0, 100, 50}), nullptr);
    child.CenterWindow();
    RECT rect{};
    child.GetWindowRect(&rect);
    parent.ScreenToClient(&rect);
    EXPECT_EQ(rect.left, 150);
    EXPECT_EQ(rect.top, 125);
    parent.DestroyWindow();
}

TEST(MWindow, ModifyStyleChangesNothingWhenTheStyleStays)
{
    TestWindow window;
    ASSERT_NE(CreatePopup(window), nullptr);
    const int before = window.Count(WM_WINDOWPOSCHANGING);
    EXPECT_EQ(window.ModifyStyle(0, 0, SWP_FRAMECHANGED), 0);
    EXPECT_EQ(window.ModifyStyle(WS_CLIPCHILDREN, 0, SWP_FRAMECHANGED), 0); // not set anyway
    EXPECT_EQ(window.Count(WM_WINDOWPOSCHANGING), before);
    EXPECT_EQ(window.ModifyStyle(0, WS_CLIPCHILDREN, SWP_FRAMECHANGED), 1);
    EXPECT_GT(window.Count(WM_WINDOWPOSCHANGING), before);
    EXPECT_NE(window.GetStyle() & WS_CLIPCHILDREN, 0u);
    const int applied = window.Count(WM_WINDOWPOSCHANGING);
    EXPECT_EQ(window.ModifyExStyle(0, WS_EX_TOPMOST, 0), 1); // stored without SetWindowPos
    EXPECT_EQ(window.Count(WM_WINDOWPOSCHANGING), applied);
    window.DestroyWindow();
}

TEST(MWindow, WrappersAreSafeWithoutAWindow)
{
    TestWindow window;
    RECT rect{1, 2, 3, 4};
    POINT point{5, 6};
    std::wstring text = L"kept";
    EXPECT_EQ(window.GetStyle(), 0u);
    EXPECT_EQ(window.GetExStyle(), 0u);
    EXPECT_EQ(window.ModifyStyle(0, WS_VISIBLE, 0), 0);
    EXPECT_EQ(window.GetClientRect(&rect), 0);
    EXPECT_EQ(window.GetWindowTextLengthW(), -1);
    window.GetWindowTextW(text);
    EXPECT_EQ(text, L"kept");
    EXPECT_EQ(window.IsWindowVisible(), 0);
    EXPECT_EQ(window.IsWindowEnabled(), 0);
    EXPECT_EQ(window.SetCapture(), nullptr);
    EXPECT_EQ(window.SetFocus(), nullptr);
    EXPECT_EQ(window.ReleaseCapture(), 0);
    EXPECT_EQ(window.SetTimer(1, 10), 0u);
    EXPECT_EQ(window.ClientToScreen(&point), 0);
    EXPECT_EQ(window.ScreenToClient(&rect), 0);
    EXPECT_EQ(window.MoveWindow(0, 0, 10, 10, 1), 0);
    EXPECT_EQ(window.DestroyWindow(), 0);
    EXPECT_EQ(window.SendMessageW(WM_APP, 0, 0), 0);
    EXPECT_EQ(window.PostMessageW(WM_APP, 0, 0), 0);
    EXPECT_EQ(window.ShowWindow(SW_SHOW), 0);
    EXPECT_EQ(point.x, 5);
    window.SetWindowTextW(L"ignored");
    window.InvalidateRect(rect, 0);
    window.CenterWindow();
    window.BringToTop();
}

TEST(MWindow, TextAndCoordinateWrappers)
{
    TestWindow window;
    ASSERT_NE(window.Create(nullptr, L"first", WS_POPUP, 0, RECT{120, 80, 320, 180}), nullptr);
    window.SetWindowTextW(L"second title");
    std::wstring text;
    window.GetWindowTextW(text);
    EXPECT_EQ(text, L"second title");
    EXPECT_EQ(window.GetWindowTextLengthW(), 12);
    RECT rect{10, 20, 30, 40};
    ASSERT_EQ(window.ClientToScreen(&rect), 1);
    EXPECT_EQ(rect.left, 130);
    EXPECT_EQ(rect.bottom, 120);
    ASSERT_EQ(window.ScreenToClient(&rect), 1);
    EXPECT_EQ(rect.top, 20);
    window.DestroyWindow();
}

TEST(MWindow, BringToTopRestoresAMinimisedWindow)
{
    TestWindow window;
    ASSERT_NE(window.Create(nullptr, L"top", WS_POPUP, WS_EX_TOOLWINDOW, RECT{100, 100, 300, 300}), nullptr);
    window.ShowWindow(SW_MINIMIZE);
    ASSERT_EQ(window.IsIconic(), 1);
    window.BringToTop();
    EXPECT_EQ(window.IsIconic(), 0);
    EXPECT_EQ(window.IsWindowVisible(), 1);
    window.DestroyWindow();
}

} // namespace
