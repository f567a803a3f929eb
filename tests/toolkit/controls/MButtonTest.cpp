// The four-state button: states from real mouse messages through the paint
// manager, the rendered slots, and what it reports.
#include "ControlTestSupport.h"

#include <gtest/gtest.h>

namespace {

using ControlsTest::Near;
using ControlsTest::RenderedDialog;
using ControlsTest::Rgb;

// Solid frames: the state shows in every pixel of the button but the caption.
constexpr Rgb kFrameColours[] = {{200, 0, 0}, {0, 200, 0}, {0, 0, 200}, {90, 90, 90}};

class ButtonTest : public testing::Test {
protected:
    void SetUp() override
    {
        const std::wstring strip = skins.AddPng(L"button.png", 160, 30, [](int x, int) {
            const Rgb c = kFrameColours[x / 40];
            return 0xFF000000u | static_cast<DWORD>(c.r) << 16 | static_cast<DWORD>(c.g) << 8 | c.b;
        });
        window.Show();
        button = static_cast<Lumo::MButton*>(
            window.dialog.CreateControl(L"MButton", 33, RECT{20, 20, 120, 50}, L"", 1, 1));
        ASSERT_NE(button, nullptr);
        ASSERT_EQ(button->SetImage(strip.c_str(), 4), 1);
    }
    // The frame colour the button shows, read beside its caption.
    bool Shows(int state)
    {
        window.Render();
        return Near(window.Pixel(25, 25), kFrameColours[state]) && Near(window.Pixel(115, 45), kFrameColours[state]);
    }
    std::vector<std::pair<UINT, UINT>>& Notifications() { return window.dialog.notifications; }

    ToolkitTest::TempSkinFolder skins;
    RenderedDialog window{200, 100};
    Lumo::MButton* button = nullptr;
};

TEST_F(ButtonTest, StatesFollowTheMouse)
{
    EXPECT_TRUE(Shows(Lumo::MButton::Normal));
    window.Mouse(WM_MOUSEMOVE, 50, 30);
    EXPECT_EQ(button->GetState(), Lumo::MButton::Hover);
    EXPECT_TRUE(Shows(Lumo::MButton::Hover));
    window.Mouse(WM_LBUTTONDOWN, 50, 30, MK_LBUTTON);
    EXPECT_EQ(button->GetState(), Lumo::MButton::Pressed);
    EXPECT_TRUE(Shows(Lumo::MButton::Pressed));
    window.Mouse(WM_LBUTTONUP, 50, 30);
    EXPECT_EQ(button->GetState(), Lumo::MButton::Hover);
    EXPECT_EQ(Notifications(), (std::vector<std::pair<UINT, UINT>>{{33, 1}, {33, 2}}));
    window.Mouse(WM_MOUSEMOVE, 150, 80);
    EXPECT_TRUE(Shows(Lumo::MButton::Normal));
}

TEST_F(ButtonTest, PressDragOutAndReleaseIsNoClick)
{
    window.Mouse(WM_MOUSEMOVE, 50, 30);
    window.Mouse(WM_LBUTTONDOWN, 50, 30, MK_LBUTTON);
    window.Mouse(WM_MOUSEMOVE, 150, 80, MK_LBUTTON);
    EXPECT_EQ(button->GetState(), Lumo::MButton::Pressed); // a pressed button keeps its state
    window.Mouse(WM_LBUTTONUP, 150, 80);
    EXPECT_EQ(Notifications(), (std::vector<std::pair<UINT, UINT>>{{33, 1}}));
    EXPECT_EQ(button->GetState(), Lumo::MButton::Normal);
    EXPECT_TRUE(Shows(Lumo::MButton::Normal));
}

TEST_F(ButtonTest, DisabledButtonShowsFrameThreeAndIgnoresTheMouse)
{
    window.Mouse(WM_MOUSEMOVE, 50, 30);
    ASSERT_EQ(button->GetState(), Lumo::MButton::Hover);
    button->SetEnabled(0);
    EXPECT_EQ(button->GetState(), Lumo::MButton::Disabled);
    EXPECT_TRUE(Shows(Lumo::MButton::Disabled));
    window.Mouse(WM_MOUSEMOVE, 60, 35);
    window.Mouse(WM_LBUTTONDOWN, 60, 35, MK_LBUTTON);
    window.Mouse(WM_LBUTTONUP, 60, 35);
    window.Mouse(WM_MOUSEMOVE, 150, 80);
    EXPECT_TRUE(Notifications().empty());
    EXPECT_TRUE(Shows(Lumo::MButton::Disabled));
    button->SetEnabled(1);
    EXPECT_EQ(button->GetState(), Lumo::MButton::Normal);
    EXPECT_TRUE(Shows(Lumo::MButton::Normal));

    // Created disabled, it starts in the disabled state.
    auto* off
        = static_cast<Lumo::MButton*>(window.dialog.CreateControl(L"MButton", 34, RECT{130, 20, 190, 50}, L"", 1, 0));
    EXPECT_EQ(off->GetState(), Lumo::MButton::Disabled);
}

TEST_F(ButtonTest, StateChangesReuseTheRenderedSlots)
{
    window.Render();
    ASSERT_EQ(button->GetUpdate(), 1);
    ControlsTest::LoggingParent parent;
    button->SetParent(&parent);
    button->OnMouseMove(0, POINT{50, 30});
    button->OnMouseMove(0, POINT{51, 31});
    button->OnMouseMove(0, POINT{52, 32});
    EXPECT_EQ(parent.log, (std::vector<std::string>{"update(0)"})); // only the first move repaints
    EXPECT_EQ(button->GetUpdate(), 1);

    parent.log.clear();
    button->OnLButtonDown(MK_LBUTTON, POINT{50, 30});
    button->OnLButtonUp(0, POINT{50, 30});
    // The click is told after the repaint request.
    EXPECT_EQ(parent.log, (std::vector<std::string>{"update(0)", "message(33,1)", "update(0)", "message(33,2)"}));
    EXPECT_EQ(button->GetUpdate(), 1);
    button->SetParent(&window.dialog);
}

TEST_F(ButtonTest, CaptionIsCentredAndPressedTextShiftsByOnePixel)
{
    button->SetTitle(L"OK");
    button->SetFontWidth(20);
    button->ClearGDIFont();
    button->UpdateControl(1, 0);
    window.Render();
    const RECT area{20, 20, 120, 50};
    const RECT normal = ControlsTest::BrightBox(window.canvas, area);
    ASSERT_FALSE(IsRectEmpty(&normal));
    EXPECT_NEAR((normal.left + normal.right) / 2.0, 70, 2);
    EXPECT_NEAR((normal.top + normal.bottom) / 2.0, 35, 3);

    window.Mouse(WM_MOUSEMOVE, 30, 25);
    window.Mouse(WM_LBUTTONDOWN, 30, 25, MK_LBUTTON);
    window.Render();
    const RECT pressed = ControlsTest::BrightBox(window.canvas, area);
    EXPECT_EQ(pressed.left, normal.left + 1);
    EXPECT_EQ(pressed.top, normal.top + 1);
    window.Mouse(WM_LBUTTONUP, 30, 25);

    // Disabled captions are grey: nothing bright is left.
    button->SetEnabled(0);
    window.Render();
    const RECT bright = ControlsTest::BrightBox(window.canvas, area);
    const RECT grey = ControlsTest::BrightBox(window.canvas, area, 110);
    EXPECT_TRUE(IsRectEmpty(&bright));
    EXPECT_FALSE(IsRectEmpty(&grey));

    // A caption box moves the text.
    button->SetEnabled(1);
    button->SetTextRect(RECT{0, 0, 40, 30});
    button->UpdateControl(1, 0);
    window.Render();
    const RECT boxed = ControlsTest::BrightBox(window.canvas, area);
    EXPECT_NEAR((boxed.left + boxed.right) / 2.0, 40, 2);
}

TEST_F(ButtonTest, StripWithFewerFramesShowsItsLastFrame)
{
    const std::wstring single = skins.AddPng(L"single.png", 40, 30, [](int, int) { return 0xFFC80000u; });
    ASSERT_EQ(button->SetImage(single.c_str(), 1), 1);
    button->SetEnabled(0);
    EXPECT_TRUE(Shows(Lumo::MButton::Normal)); // frame 0 stands in for the missing ones
}

TEST(MButton, IconImageIsItsOwnCopy)
{
    ToolkitTest::TempSkinFolder skins;
    const std::wstring icon = skins.AddPng(L"icon.png", 64, 16, [](int, int) { return 0xFF102030u; });
    Lumo::MButton button(nullptr, 1, RECT{0, 0, 10, 10}, L"", 1, 1);
    UINT h = 0, v = 0;
    button.GetAlignment(h, v);
    EXPECT_EQ(h, 1u);
    EXPECT_EQ(button.SetIconImage(icon.c_str(), 4), 1);
    EXPECT_EQ(button.SetIconImage(skins.Name(L"missing.png").c_str(), 4), 0);
    EXPECT_EQ(button.SetIconImage(nullptr, 4), 0);
}

} // namespace
