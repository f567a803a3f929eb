// The drop shadow of a real dialog: its window, its computed pixels, its
// image mode and how it follows the parent.
#include "DialogFixtures.h"
#include "ScreenPixels.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using FrameworkTest::PumpUntil;
using FrameworkTest::TestDialog;

constexpr int kLeft = 200, kTop = 200, kWidth = 120, kHeight = 80;

RECT WindowRect(HWND hwnd)
{
    RECT rect{};
    ::GetWindowRect(hwnd, &rect);
    return rect;
}

class ShadowTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(dialog.Open(kLeft, kTop, kWidth, kHeight), nullptr);
        shadow = dialog.GetPaintManager()->GetShadow();
    }
    void TearDown() override { dialog.DestroyWindow(); }
    HWND ShadowWnd() const { return shadow->GetShadowWnd(); }
    void ShowDialog()
    {
        dialog.ShowWindow(SW_SHOWNOACTIVATE);
        UpdateWindow(dialog.GetSafeHwnd());
    }

    TestDialog dialog;
    Lumo::MShadow* shadow = nullptr;
};

TEST_F(ShadowTest, SizeTenGivesAShadowOffsetByFiveWithACutOut)
{
    dialog.CreateShadow(1, false);
    ASSERT_NE(ShadowWnd(), nullptr);
    EXPECT_FALSE(IsWindowVisible(ShadowWnd())); // the parent is hidden
    EXPECT_NE(GetWindowLongPtrW(ShadowWnd(), GWL_EXSTYLE) & WS_EX_TRANSPARENT, 0);
    ShowDialog();
    EXPECT_TRUE(IsWindowVisible(ShadowWnd()));

    const COLORREF before = TestSupport::ScreenPixel(kLeft + kWidth + 2, kTop + 50);
    ASSERT_EQ(dialog.SetShadowColor(0x00FF0000), 1); // red in the pixels' red bits
    ASSERT_EQ(dialog.SetSize(10), 1);
    EXPECT_TRUE(ToolkitTest::SameRect(
        WindowRect(ShadowWnd()), RECT{kLeft - 5, kTop - 5, kLeft + kWidth + 15, kTop + kHeight + 15}));

    // The shadow's own bitmap: shape x 10..129, rows 10..89; the parent hides x 5..124, rows 5..84.
    const int width = kWidth + 20, height = kHeight + 20;
    std::vector<UINT32> pixels(static_cast<size_t>(width) * height, 0);
    RECT parent = WindowRect(dialog.GetSafeHwnd());
    shadow->MakeShadow(pixels.data(), dialog.GetSafeHwnd(), &parent);
    auto alpha = [&](int x, int y) { return static_cast<int>(pixels[(height - 1 - y) * width + x] >> 24); };
    EXPECT_EQ(alpha(127, 87), 150); // core beside the parent
    EXPECT_EQ(alpha(60, 40), 0); // behind the parent
    EXPECT_EQ(alpha(135, 50), 125); // soft edge 6 pixels out
    EXPECT_EQ(alpha(0, 0), 0);
    EXPECT_EQ(pixels[(height - 1 - 87) * width + 127], 0x96960000u); // premultiplied red

    // On screen, right of the parent, the red core shows over what was there.
    const bool shown = TestSupport::WaitUntil([&] {
        const COLORREF now = TestSupport::ScreenPixel(kLeft + kWidth + 2, kTop + 50);
        return GetRValue(now) >= GetRValue(before) + 60;
    });
    EXPECT_TRUE(shown) << std::hex << TestSupport::ScreenPixel(kLeft + kWidth + 2, kTop + 50);
}

TEST_F(ShadowTest, OutOfRangeSettingsAreRefused)
{
    dialog.CreateShadow(1, false);
    ShowDialog();
    ASSERT_EQ(dialog.SetSize(10), 1);
    const RECT placed = WindowRect(ShadowWnd());
    EXPECT_EQ(dialog.SetSharpness(36), 0);
    EXPECT_EQ(dialog.SetSize(-36), 0);
    EXPECT_EQ(dialog.SetPosition(0, 40), 0);
    EXPECT_EQ(dialog.SetDarkness(256), 0);
    EXPECT_TRUE(ToolkitTest::SameRect(WindowRect(ShadowWnd()), placed));
    EXPECT_EQ(dialog.SetPosition(-35, 35), 1);
    EXPECT_TRUE(ToolkitTest::SameRect(
        WindowRect(ShadowWnd()), RECT{kLeft - 45, kTop + 25, kLeft + kWidth - 25, kTop + kHeight + 45}));
    EXPECT_EQ(dialog.SetSharpness(35), 1);
    EXPECT_EQ(dialog.SetDarkness(255), 1);
}

TEST_F(ShadowTest, MinimisingOrMaximisingHidesIt)
{
    dialog.CreateShadow(1, false);
    ShowDialog();
    ASSERT_EQ(dialog.SetSize(8), 1);
    ASSERT_TRUE(IsWindowVisible(ShadowWnd()));
    dialog.ShowWindow(SW_MINIMIZE);
    EXPECT_FALSE(IsWindowVisible(ShadowWnd()));
    dialog.ShowWindow(SW_RESTORE);
    EXPECT_TRUE(IsWindowVisible(ShadowWnd()));
    dialog.ShowWindow(SW_MAXIMIZE);
    EXPECT_FALSE(IsWindowVisible(ShadowWnd()));
    dialog.ShowWindow(SW_RESTORE);
    EXPECT_TRUE(IsWindowVisible(ShadowWnd()));
}

TEST_F(ShadowTest, FollowsMovesAndGoesWithTheParent)
{
    dialog.CreateShadow(1, false);
    ShowDialog();
    ASSERT_EQ(dialog.SetSize(10), 1);
    dialog.MoveWindow(kLeft + 30, kTop + 20, kWidth, kHeight, TRUE);
    EXPECT_TRUE(ToolkitTest::SameRect(
        WindowRect(ShadowWnd()), RECT{kLeft + 25, kTop + 15, kLeft + kWidth + 45, kTop + kHeight + 35}));

    dialog.GetPaintManager()->DisableShadow(1); // stops following
    EXPECT_FALSE(IsWindowVisible(ShadowWnd()));
    dialog.MoveWindow(kLeft, kTop, kWidth, kHeight, TRUE);
    EXPECT_EQ(WindowRect(ShadowWnd()).left, kLeft + 25);
    dialog.GetPaintManager()->DisableShadow(0);
    EXPECT_TRUE(IsWindowVisible(ShadowWnd()));
    EXPECT_EQ(WindowRect(ShadowWnd()).left, kLeft - 5);

    HWND shadowWnd = ShadowWnd();
    HWND parent = dialog.GetSafeHwnd();
    dialog.DestroyWindow();
    EXPECT_FALSE(IsWindow(shadowWnd));
    EXPECT_EQ(Lumo::MShadow::GetShadowMap().count(parent), 0u);
}

TEST_F(ShadowTest, ImageModeIsLargerByTheCorners)
{
    ToolkitTest::TempSkinFolder skins;
    const std::wstring name = skins.AddPng(L"shadow.png", 30, 30, [](int, int) { return 0x80000000; });
    dialog.SetShadowImage(name.c_str(), RECT{10, 10, 10, 10});
    dialog.CreateShadow(1, false);
    ShowDialog();
    PumpUntil([&] { return IsWindowVisible(ShadowWnd()) != FALSE; }, 500);
    dialog.GetPaintManager()->SetSize(0); // redraws the shown shadow
    EXPECT_TRUE(ToolkitTest::SameRect(
        WindowRect(ShadowWnd()), RECT{kLeft - 10, kTop - 10, kLeft + kWidth + 10, kTop + kHeight + 10}));
    // Negative corners are refused and change nothing.
    dialog.SetShadowImage(name.c_str(), RECT{-1, 10, 10, 10});
    EXPECT_EQ(WindowRect(ShadowWnd()).left, kLeft - 10);
}

} // namespace
