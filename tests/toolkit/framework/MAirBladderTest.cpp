// The bubble tooltip as the paint manager makes it: placement, hiding rules
// and its timer, with real windows.
#include "DialogFixtures.h"
#include "framework/BubbleLayout.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

using FrameworkTest::PumpUntil;
using FrameworkTest::TestDialog;

RECT WindowRect(Lumo::MWindow* window)
{
    RECT rect{};
    window->GetWindowRect(&rect);
    return rect;
}

class BubbleTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(dialog.Open(100, 100, 200, 100), nullptr);
        manager = dialog.GetPaintManager();
    }
    void TearDown() override { dialog.DestroyWindow(); }

    TestDialog dialog;
    Lumo::PaintManager* manager = nullptr;
};

TEST_F(BubbleTest, PlacedBelowThePointForItsText)
{
    ASSERT_EQ(manager->SetAirBladderMsg(L"a\nb", POINT{100, 200}, 1, Lumo::AIRBLADDER_BELOW), 1);
    Lumo::MAirBladder* bubble = manager->GetAirBladder();
    ASSERT_NE(bubble, nullptr);
    EXPECT_EQ(bubble->GetLineCount(), 2);
    // Measured as the bubble measures: the library's face at 14 pixels.
    Gdiplus::FontFamily* face = manager->AddTempFont(L"bubble face", 106u);
    ASSERT_NE(face, nullptr);
    Gdiplus::Font font(face, 14.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
    Gdiplus::StringFormat format;
    format.SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap | Gdiplus::StringFormatFlagsMeasureTrailingSpaces);
    const Gdiplus::Size text = Lumo::MRender::GetTextBounds(font, format, L"a\nb");
    const auto expected = Lumo::BubbleLayout::Place(3, 100, 200, text.Width, text.Height, 2).rect;
    const RECT placed = WindowRect(bubble);
    EXPECT_EQ(placed.left, 75);
    EXPECT_EQ(placed.top, 200);
    EXPECT_TRUE(ToolkitTest::SameRect(placed, RECT{expected.left, expected.top, expected.right, expected.bottom}));
    EXPECT_EQ(placed.bottom - placed.top, 2 * text.Height + 30);
}

TEST_F(BubbleTest, ModeOutsideTheTableCollapsesTheWindow)
{
    ASSERT_EQ(manager->SetAirBladderMsg(L"tip", POINT{300, 300}, 1, Lumo::AIRBLADDER_RIGHT), 1);
    EXPECT_GT(WindowRect(manager->GetAirBladder()).right, 300);
    ASSERT_EQ(manager->SetAirBladderMsg(L"tip", POINT{300, 300}, 1, 9), 1);
    const RECT collapsed = WindowRect(manager->GetAirBladder());
    EXPECT_EQ(collapsed.left, 0);
    EXPECT_EQ(collapsed.top, 0);
    EXPECT_EQ(collapsed.right - collapsed.left, 0);
    EXPECT_EQ(collapsed.bottom - collapsed.top, 0);
}

TEST_F(BubbleTest, HidingWithAnotherTypeIsRefused)
{
    EXPECT_EQ(manager->ShowAirBladder(1, 1), 0); // no bubble yet
    ASSERT_EQ(manager->SetAirBladderMsg(L"tip", POINT{300, 300}, 1, Lumo::AIRBLADDER_BELOW), 1);
    manager->ShowAirBladder(1, 1);
    Lumo::MAirBladder* bubble = manager->GetAirBladder();
    ASSERT_EQ(bubble->IsWindowVisible(), 1);
    EXPECT_EQ(manager->ShowAirBladder(0, 2), 0);
    EXPECT_EQ(bubble->IsWindowVisible(), 1);
    manager->ShowAirBladder(0, 1);
    EXPECT_EQ(bubble->IsWindowVisible(), 0);
    manager->ShowAirBladder(1, 2);
    manager->ShowAirBladder(0, 0); // type 0 always hides
    EXPECT_EQ(bubble->IsWindowVisible(), 0);
}

TEST_F(BubbleTest, DialogShowsTheBubbleBelowThePoint)
{
    ASSERT_EQ(dialog.SetAirBladderMsg(L"Fan speed", POINT{400, 300}, 1), 1);
    Lumo::MAirBladder* bubble = manager->GetAirBladder();
    ASSERT_NE(bubble, nullptr);
    EXPECT_EQ(bubble->IsWindowVisible(), 1);
    EXPECT_EQ(WindowRect(bubble).top, 300); // mode 3: below the point
    EXPECT_EQ(WindowRect(bubble).left, 375);
    EXPECT_NE(bubble->GetExStyle() & WS_EX_LAYERED, 0u);
}

// When a window stops being visible, seen from another thread: hiding a
// window can keep the window thread busy for a while under Wine without a
// window manager, after the window is already hidden.
class VisibilityWatch {
public:
    explicit VisibilityWatch(HWND hwnd)
        : m_hwnd(hwnd)
        , m_start(GetTickCount())
        , m_thread([this] {
            while (!m_stop.load()) {
                if (!IsWindowVisible(m_hwnd) && m_hiddenAfter.load() == 0)
                    m_hiddenAfter = GetTickCount() - m_start;
                Sleep(10);
            }
        })
    {
    }
    ~VisibilityWatch()
    {
        m_stop = true;
        m_thread.join();
    }
    DWORD HiddenAfter() const { return m_hiddenAfter.load(); }

private:
    HWND m_hwnd;
    DWORD m_start;
    std::atomic<bool> m_stop{false};
    std::atomic<DWORD> m_hiddenAfter{0};
    std::thread m_thread;
};

TEST_F(BubbleTest, IdenticalCallsChangeNothingAndDoNotRestartTheTimer)
{
    ASSERT_EQ(manager->SetAirBladderMsg(L"Hold on", POINT{300, 300}, 1, Lumo::AIRBLADDER_BELOW), 1);
    manager->ShowAirBladder(1, 1);
    Lumo::MAirBladder* bubble = manager->GetAirBladder();
    VisibilityWatch watch(bubble->GetSafeHwnd());
    bubble->SetWindowPos(nullptr, 500, 500, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpUntil([] { return false; }, 2500);
    EXPECT_EQ(manager->SetAirBladderMsg(L"Hold on", POINT{300, 300}, 1, Lumo::AIRBLADDER_BELOW), 1);
    EXPECT_EQ(WindowRect(bubble).left, 500); // not fitted again
    ASSERT_TRUE(PumpUntil([&] { return watch.HiddenAfter() != 0; }, 7000));
    EXPECT_GE(watch.HiddenAfter(), 4500u);
    EXPECT_LT(watch.HiddenAfter(), 6500u); // a restarted timer would have waited until about 7.5 s
}

} // namespace
