// The dialog base with real windows: modal results, closing, style, binding,
// resizing and the geometry it computes.
#include "DialogFixtures.h"

#include <gtest/gtest.h>

namespace {

using FrameworkTest::TestControl;
using FrameworkTest::TestDialog;

struct ResultCase {
    void (Lumo::MDialog::*close)();
    UINT expected;
};

class ModalResult : public testing::TestWithParam<ResultCase> { };

TEST_P(ModalResult, EndsTheModalLoopWithItsCode)
{
    TestDialog dialog;
    ASSERT_NE(dialog.Open(100, 100, 120, 80), nullptr);
    (dialog.*GetParam().close)();
    EXPECT_EQ(dialog.ShowModal(SW_SHOWNOACTIVATE), GetParam().expected);
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
    EXPECT_EQ(dialog.Count(0x442), 1);
}

INSTANTIATE_TEST_SUITE_P(Codes, ModalResult,
    testing::Values(ResultCase{&Lumo::MDialog::DoOK, 1}, ResultCase{&Lumo::MDialog::DoCancel, 2},
        ResultCase{&Lumo::MDialog::DoYes, 6}, ResultCase{&Lumo::MDialog::DoClose, 2},
        ResultCase{&Lumo::MDialog::DoNo, 7}));

TEST(MDialog, ClosesEvenWhenOnCloseRefuses)
{
    TestDialog dialog;
    dialog.closeResult = 0;
    ASSERT_NE(dialog.Open(100, 100, 120, 80), nullptr);
    dialog.PostMessageW(WM_CLOSE, 5, 0);
    EXPECT_EQ(dialog.ShowModal(SW_SHOWNOACTIVATE), 5u);
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
}

TEST(MDialog, WithoutAWindowTheCloseFamilyDoesNothing)
{
    TestDialog dialog;
    dialog.DoOK();
    MSG msg{};
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0x442, 0x442, PM_REMOVE));
    EXPECT_EQ(dialog.ShowModal(SW_SHOW), static_cast<UINT>(-1));
}

TEST(MDialog, IsAnMDialogByClassName)
{
    TestDialog dialog;
    Lumo::MObject& object = dialog;
    EXPECT_EQ(object.IsClass(L"MDialog"), 1);
    EXPECT_EQ(object.IsClass(L"mdialog"), 0);
    EXPECT_STREQ(dialog.GetWindowClassName(), L"MWindow");
}

TEST(MDialog, BecomesBorderlessAndBindsItsPaintManager)
{
    TestDialog dialog;
    HWND hwnd = dialog.Create(nullptr, L"framed", WS_OVERLAPPEDWINDOW, 0, RECT{100, 100, 300, 250});
    ASSERT_NE(hwnd, nullptr);
    const DWORD style = dialog.GetStyle();
    EXPECT_EQ(style & WS_CAPTION, 0u);
    EXPECT_EQ(style & WS_THICKFRAME, 0u);
    EXPECT_EQ(style & 0x06000008u, 0x06000008u);
    Lumo::PaintManager& manager = *dialog.GetPaintManager();
    EXPECT_EQ(manager.GetPaintWnd(), hwnd);
    EXPECT_EQ(manager.GetMDialog(), &dialog);
    EXPECT_NE(manager.GetPaintDC(), nullptr);
    EXPECT_EQ(manager.GetScrollVID(), 102u);
    EXPECT_EQ(manager.GetScrollHID(), 101u);
    ASSERT_EQ(dialog.initUIs.size(), 1u);
    RECT client{};
    dialog.GetClientRect(&client);
    EXPECT_TRUE(ToolkitTest::SameRect(dialog.initUIs[0], client));
    // The window is a drop target now: registering again is refused.
    EXPECT_EQ(RegisterDragDrop(hwnd, static_cast<IDropTarget*>(&manager)), DRAGDROP_E_ALREADYREGISTERED);
    dialog.DestroyWindow();
}

TEST(MDialog, ResizingLaysOutUnlessAboutOnePixelWide)
{
    TestDialog dialog;
    ASSERT_NE(dialog.Open(100, 100, 200, 100), nullptr);
    const size_t before = dialog.uiSizes.size();
    dialog.MoveWindow(100, 100, 1, 100, TRUE);
    EXPECT_EQ(dialog.uiSizes.size(), before);
    dialog.MoveWindow(100, 100, 300, 120, TRUE);
    ASSERT_EQ(dialog.uiSizes.size(), before + 1);
    EXPECT_TRUE(ToolkitTest::SameRect(dialog.uiSizes.back(), RECT{0, 0, 300, 120}));
    dialog.DestroyWindow();
}

TEST(MDialog, ControlsReportThroughTheDialog)
{
    TestDialog dialog;
    ASSERT_NE(dialog.Open(100, 100, 200, 100), nullptr);
    auto* control = new TestControl(&dialog, 33, RECT{10, 10, 50, 30});
    dialog.GetPaintManager()->AddControl(1, control);
    EXPECT_EQ(dialog.GetControl(33), control);
    EXPECT_EQ(dialog.GetControls()->size(), 1u);
    control->SendMessageW(2, 0, 0);
    ASSERT_EQ(dialog.notifications.size(), 1u);
    EXPECT_EQ(dialog.notifications[0], std::make_pair(33u, 2u));
    // The factory knows no class names yet; unknown and empty names give null.
    EXPECT_EQ(dialog.CreateControl(L"NoSuchControl", 40, RECT{0, 0, 1, 1}, L"", 1, 1), nullptr);
    EXPECT_EQ(dialog.CreateArea(L"", 41, RECT{0, 0, 1, 1}, nullptr, 1, 1), nullptr);
    dialog.DestroyWindow();
    EXPECT_TRUE(dialog.GetControls()->empty()); // deleted with the window
}

TEST(MDialog, BubblePointUnderAControl)
{
    TestDialog dialog;
    ASSERT_NE(dialog.Open(100, 100, 200, 100), nullptr);
    TestControl control(&dialog, 1, RECT{10, 20, 50, 40});
    const POINT centre = dialog.GetAirBladderPoint(&control, 1);
    EXPECT_EQ(centre.x, 130);
    EXPECT_EQ(centre.y, 140);
    EXPECT_EQ(dialog.GetAirBladderPoint(&control, 0).x, 110);
    EXPECT_EQ(dialog.GetAirBladderPoint(&control, 2).x, 150);
    EXPECT_EQ(dialog.GetAirBladderPoint(nullptr, 1).x, 0);
    EXPECT_EQ(dialog.SetAirBladderMsg(L"tip", POINT{0, 25}, 1), 0);
    EXPECT_EQ(dialog.GetPaintManager()->GetAirBladder(), nullptr); // nothing was made
    dialog.DestroyWindow();
}

TEST(MDialog, MinimumAndMaximumSizesAnswerTheSystem)
{
    TestDialog dialog;
    ASSERT_NE(dialog.Open(100, 100, 200, 100), nullptr);
    dialog.GetPaintManager()->SetWindowMixSize(150, 0);
    dialog.GetPaintManager()->SetWindowMaxSize(640, 480);
    MINMAXINFO info{};
    info.ptMinTrackSize = POINT{1, 2};
    dialog.SendMessageW(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 150);
    EXPECT_EQ(info.ptMinTrackSize.y, 2); // 0: not set
    EXPECT_EQ(info.ptMaxTrackSize.x, 640);
    EXPECT_EQ(info.ptMaxSize.y, 480);
    dialog.DestroyWindow();
}

} // namespace
