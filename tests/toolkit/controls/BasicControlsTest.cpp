// Areas, pictures and texts rendered by a real paint manager into a DIB.
#include "ControlTestSupport.h"

#include <gtest/gtest.h>

namespace {

using ControlsTest::kBackground;
using ControlsTest::Near;
using ControlsTest::RenderedDialog;
using ControlsTest::Rgb;

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kYellow{255, 255, 0};

// --- CArea ---

TEST(CArea, DefaultIsWhiteAtTwentyPercentOverTheBackground)
{
    RenderedDialog window(120, 80);
    auto* area = window.dialog.CreateArea(L"CArea", 20, RECT{10, 10, 70, 50}, nullptr, 1, 0);
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(area->IsEnabled(), 1); // the factory passes a literal 1
    window.Render();
    // 20 % white over RGB(5, 5, 5): 0.2 × 255 + 0.8 × 5 = 55.
    const Rgb expected{55, 55, 55};
    for (int y : {10, 30, 49})
        for (int x : {10, 40, 69})
            EXPECT_TRUE(Near(window.Pixel(x, y), expected)) << x << "," << y;
    EXPECT_EQ(ToolkitTest::AlphaOf(window.Pixel(40, 30)), 254);
    EXPECT_TRUE(Near(window.Pixel(71, 30), kBackground)); // nothing beside it
}

TEST(CArea, TransparencyFadesFromTopToBottomOrLeftToRight)
{
    RenderedDialog window(120, 120);
    auto* area
        = static_cast<Lumo::CArea*>(window.dialog.CreateArea(L"CArea", 20, RECT{10, 10, 110, 110}, nullptr, 1, 1));
    area->SetTransparent(0, 100, RGB(255, 0, 0));
    window.Render();
    EXPECT_TRUE(Near(window.Pixel(60, 10), kRed)); // opaque at the top
    EXPECT_TRUE(Near(window.Pixel(60, 109), kBackground, 6)); // almost gone at the bottom
    EXPECT_TRUE(Near(window.Pixel(60, 60), Rgb{130, 2, 2}, 8)); // half way

    area->SetDirection(0);
    window.Render();
    EXPECT_TRUE(Near(window.Pixel(10, 60), kRed));
    EXPECT_TRUE(Near(window.Pixel(109, 60), kBackground, 6));

    area->SetDirection(5); // no such direction: the area blends nothing
    window.Render();
    EXPECT_TRUE(Near(window.Pixel(10, 60), kBackground));
}

TEST(CArea, FrameIsAOnePixelBorderAroundTheFill)
{
    RenderedDialog window(120, 80);
    auto* area = static_cast<Lumo::CArea*>(window.dialog.CreateArea(L"CArea", 20, RECT{10, 10, 70, 50}, nullptr, 1, 1));
    area->SetTransparent(0, 0, RGB(0, 0, 255));
    window.Render();
    EXPECT_TRUE(Near(window.Pixel(10, 10), kBlue)); // no frame yet
    area->SetFrame(1, Gdiplus::Color(255, 255, 255, 0), 0);
    window.Render();
    for (POINT p : {POINT{10, 10}, POINT{69, 10}, POINT{10, 49}, POINT{69, 49}, POINT{40, 10}, POINT{40, 49},
             POINT{10, 30}, POINT{69, 30}})
        EXPECT_TRUE(Near(window.Pixel(p.x, p.y), kYellow)) << p.x << "," << p.y;
    for (POINT p : {POINT{11, 11}, POINT{68, 48}, POINT{40, 30}})
        EXPECT_TRUE(Near(window.Pixel(p.x, p.y), kBlue)) << p.x << "," << p.y;
    EXPECT_TRUE(Near(window.Pixel(9, 30), kBackground));
}

TEST(CArea, SettersRepaintOnlyWhenVisible)
{
    ToolkitTest::RecordingParent parent;
    Lumo::CArea area(&parent, 1, RECT{0, 0, 10, 10}, 1, 1);
    area.SetTransparent(10, 20, RGB(1, 2, 3));
    area.SetFrame(1, Gdiplus::Color(255, 0, 0, 0), 7);
    ASSERT_EQ(parent.updates.size(), 2u);
    EXPECT_EQ(parent.updates[0].rebuild, 1);
    area.SetVisible(0);
    const size_t reports = parent.updates.size();
    area.SetTransparent(0, 0, RGB(1, 2, 3));
    EXPECT_EQ(parent.updates.size(), reports);
}

// --- MPicture ---

// A 20 × 10 image: red left half, blue right half, a green row at the top.
std::wstring AddPicture(ToolkitTest::TempSkinFolder& skins)
{
    return skins.AddPng(
        L"picture.png", 20, 10, [](int x, int y) { return y == 0 ? 0xFF00FF00 : (x < 10 ? 0xFFFF0000 : 0xFF0000FF); });
}

TEST(MPicture, ShowModesPlaceFrameZero)
{
    ToolkitTest::TempSkinFolder skins;
    const std::wstring name = AddPicture(skins);
    RenderedDialog window(120, 80);
    auto* picture
        = static_cast<Lumo::MPicture*>(window.dialog.CreateArea(L"MPicture", 31, RECT{10, 10, 70, 50}, nullptr, 1, 1));
    ASSERT_NE(picture, nullptr);
    ASSERT_EQ(picture->SetImage(name.c_str(), 2), 1); // two 10 × 10 frames: frame 0 is red
    EXPECT_EQ(picture->GetImageSize().cx, 10);

    // Mode 0 at the default alignment (left, vertically centred).
    window.Render();
    EXPECT_TRUE(Near(window.Pixel(12, 30), kRed));
    EXPECT_TRUE(Near(window.Pixel(12, 25), kGreen)); // the top row of the frame: y = 10 + (40 - 10) / 2
    EXPECT_TRUE(Near(window.Pixel(12, 20), kBackground));
    EXPECT_TRUE(Near(window.Pixel(25, 30), kBackground)); // only frame 0, unscaled

    picture->SetAlignment(2, 8); // bottom-right
    window.Render();
    EXPECT_TRUE(Near(window.Pixel(69, 49), kRed));
    EXPECT_TRUE(Near(window.Pixel(60, 40), kGreen));
    EXPECT_TRUE(Near(window.Pixel(59, 45), kBackground));

    EXPECT_EQ(picture->SetShowMode(Lumo::SHOWMODE_TILED, 0), 1);
    window.Render();
    for (int x : {12, 22, 32, 62, 69})
        EXPECT_TRUE(Near(window.Pixel(x, 10), kGreen)) << x; // every tile's top row
    EXPECT_TRUE(Near(window.Pixel(69, 49), kRed)); // last tile cut at the edge
    EXPECT_TRUE(Near(window.Pixel(71, 49), kBackground));

    EXPECT_EQ(picture->SetShowMode(Lumo::SHOWMODE_STRETCHED, 0), 1);
    window.Render();
    EXPECT_TRUE(Near(window.Pixel(30, 10), kGreen)); // one green row stretched to 4
    EXPECT_TRUE(Near(window.Pixel(40, 30), kRed));
    EXPECT_TRUE(Near(window.Pixel(60, 45), kRed)); // frame 0 only

    picture->SetCustomRect(RECT{10, 1, 20, 10}); // the blue part without the green row
    EXPECT_EQ(picture->SetShowMode(Lumo::SHOWMODE_CUSTOM, 0), 1);
    window.Render();
    for (POINT p : {POINT{10, 10}, POINT{40, 30}, POINT{67, 47}})
        EXPECT_TRUE(Near(window.Pixel(p.x, p.y), kBlue)) << p.x << "," << p.y;
}

TEST(MPicture, NineGridModesKeepTheBordersUnscaled)
{
    ToolkitTest::TempSkinFolder skins;
    // 12 × 12: a 3-pixel yellow border around blue.
    const std::wstring name = skins.AddPng(L"frame.png", 12, 12,
        [](int x, int y) { return x < 3 || y < 3 || x >= 9 || y >= 9 ? 0xFFFFFF00 : 0xFF0000FF; });
    RenderedDialog window(120, 80);
    auto* picture
        = static_cast<Lumo::MPicture*>(window.dialog.CreateArea(L"MPicture", 31, RECT{10, 10, 70, 50}, nullptr, 1, 1));
    ASSERT_EQ(picture->SetImage(name.c_str(), 1), 1);
    EXPECT_EQ(picture->SetShowMode(Lumo::SHOWMODE_FRAME, 3), 1);
    window.Render();
    for (POINT p : {POINT{10, 10}, POINT{12, 12}, POINT{69, 49}, POINT{67, 30}, POINT{40, 12}})
        EXPECT_TRUE(Near(window.Pixel(p.x, p.y), kYellow)) << p.x << "," << p.y;
    EXPECT_TRUE(Near(window.Pixel(40, 30), kBlue));

    // No row or column is lost where a stretched slice starts.
    auto covered = [&window] {
        for (int y = 10; y < 50; ++y)
            for (int x = 10; x < 70; ++x)
                if (ControlsTest::Colour(window.Pixel(x, y)).b < 100
                    && ControlsTest::Colour(window.Pixel(x, y)).r < 100)
                    return testing::AssertionFailure() << "background at " << x << "," << y;
        return testing::AssertionSuccess();
    };
    EXPECT_TRUE(covered());

    EXPECT_EQ(picture->SetShowModeMID(3, 3, 3, 3), 1);
    EXPECT_EQ(picture->GetShowMode(), Lumo::SHOWMODE_FRAME_MID);
    window.Render();
    EXPECT_TRUE(Near(window.Pixel(40, 12), kYellow));
    EXPECT_TRUE(Near(window.Pixel(40, 30), kBlue));
    EXPECT_TRUE(Near(window.Pixel(69, 30), kYellow));
    EXPECT_TRUE(covered());
}

TEST(MPicture, SetShowModeReportsWhetherItChanged)
{
    ToolkitTest::RecordingParent parent;
    Lumo::MPicture picture(&parent, 1, RECT{0, 0, 10, 10}, 1, 1);
    EXPECT_EQ(picture.SetShowMode(Lumo::SHOWMODE_ALIGNED, 9), 0); // mode 0 is the default
    EXPECT_EQ(picture.SetShowMode(Lumo::SHOWMODE_FRAME, 4), 1);
    EXPECT_EQ(picture.SetShowMode(Lumo::SHOWMODE_FRAME, 4), 0);
    EXPECT_EQ(picture.SetShowMode(Lumo::SHOWMODE_FRAME, 6), 1);
    EXPECT_EQ(picture.SetShowMode(Lumo::SHOWMODE_STRETCHED, 1), 1);
    EXPECT_EQ(picture.SetShowMode(Lumo::SHOWMODE_STRETCHED, 2), 0); // the border only matters in mode 3
    EXPECT_EQ(parent.updates.size(), 3u);
    picture.SetCustomRect(RECT{0, 0, 1, 1});
    EXPECT_EQ(parent.updates.size(), 3u);
}

TEST(MPicture, MissingFileLeavesThePictureEmptyButRepainted)
{
    ToolkitTest::TempSkinFolder skins;
    const std::wstring name = AddPicture(skins);
    RenderedDialog window(120, 80);
    auto* picture
        = static_cast<Lumo::MPicture*>(window.dialog.CreateArea(L"MPicture", 31, RECT{10, 10, 30, 30}, nullptr, 1, 1));
    ASSERT_EQ(picture->SetImage(name.c_str(), 1), 1);
    window.Render();
    EXPECT_TRUE(Near(window.Pixel(12, 22), kRed));

    ASSERT_EQ(picture->GetUpdate(), 1);
    EXPECT_EQ(picture->SetImage(skins.Name(L"missing.png").c_str(), 1), 0);
    EXPECT_EQ(picture->GetUpdate(), 0); // reported with rebuild: the paint manager marked it stale
    EXPECT_EQ(picture->GetImage(), nullptr);
    EXPECT_EQ(picture->SetImage(static_cast<const wchar_t*>(nullptr), 0), 0);
    window.Render();
    EXPECT_TRUE(Near(window.Pixel(12, 22), kBackground));
}

TEST(MPicture, ResourceImagesComeFromTheProgramsModule)
{
    ToolkitTest::RecordingParent parent;
    Lumo::MPicture picture(&parent, 1, RECT{0, 0, 10, 10}, 1, 1);
    EXPECT_EQ(picture.SetImage(201, L"PNG", 2), 1); // the test program's own resource
    EXPECT_NE(picture.GetImage(), nullptr);
    EXPECT_EQ(parent.updates.size(), 1u);
    EXPECT_EQ(picture.SetImage(999, L"PNG", 1), 0);
    EXPECT_EQ(picture.GetImage(), nullptr);
    EXPECT_EQ(parent.updates.size(), 1u); // a failed resource load does not repaint
}

// --- MText ---

TEST(MText, AlignmentPlacesTheText)
{
    RenderedDialog window(220, 100);
    auto* text
        = static_cast<Lumo::MText*>(window.dialog.CreateArea(L"MText", 31, RECT{10, 10, 210, 90}, L"Wide", 1, 1));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->IsEnabled(), 0); // labels take no clicks
    text->SetFontWidth(20);
    text->SetAlignment(2, 8);
    window.Render();
    const RECT box = ControlsTest::BrightBox(window.canvas, RECT{10, 10, 210, 90});
    ASSERT_FALSE(IsRectEmpty(&box));
    EXPECT_GE(box.right, 200); // at the right edge
    EXPECT_GT(box.left, 110);
    EXPECT_GE(box.bottom, 80); // at the bottom
    EXPECT_GT(box.top, 50);

    text->SetAlignment(0, 0);
    window.Render();
    const RECT topLeft = ControlsTest::BrightBox(window.canvas, RECT{10, 10, 210, 90});
    EXPECT_LE(topLeft.left, 14);
    EXPECT_LE(topLeft.top, 20);
    EXPECT_EQ(topLeft.right - topLeft.left, box.right - box.left);
}

TEST(MText, MultiLineWrapsAndCentresVertically)
{
    RenderedDialog window(220, 140);
    auto* text = static_cast<Lumo::MText*>(
        window.dialog.CreateArea(L"MText", 32, RECT{10, 10, 110, 130}, L"one two three four five six", 1, 1));
    text->SetFontWidth(16);
    text->SetAlignment(0, 0);
    window.Render();
    const RECT single = ControlsTest::BrightBox(window.canvas, RECT{0, 0, 220, 140});
    EXPECT_LT(single.bottom - single.top, 24); // one line, cut at the right edge
    EXPECT_LE(single.right, 110);

    text->EnableMultiLine(1);
    text->UpdateControl(1, 0);
    window.Render();
    const RECT wrapped = ControlsTest::BrightBox(window.canvas, RECT{0, 0, 220, 140});
    EXPECT_GT(wrapped.bottom - wrapped.top, 40); // several lines
    EXPECT_LE(wrapped.top, 16);

    text->EnableVCenter(1);
    text->UpdateControl(1, 0);
    window.Render();
    const RECT centred = ControlsTest::BrightBox(window.canvas, RECT{0, 0, 220, 140});
    EXPECT_NEAR((centred.top + centred.bottom) / 2, 70, 6);
}

TEST(MText, TextBackgroundFillsTheLabel)
{
    RenderedDialog window(120, 60);
    auto* text = static_cast<Lumo::MText*>(window.dialog.CreateArea(L"MText", 31, RECT{10, 10, 110, 50}, L"x", 1, 1));
    ToolkitTest::RecordingParent parent;
    text->SetParent(&parent);
    text->EnableTextBack(1, Gdiplus::Color(255, 0, 0, 255));
    text->EnableTextBack(1, Gdiplus::Color(255, 255, 0, 0)); // unchanged flag: the colour is kept
    EXPECT_EQ(parent.updates.size(), 2u); // but it repaints every time
    text->SetParent(&window.dialog);
    window.Render();
    EXPECT_TRUE(Near(window.Pixel(100, 45), kBlue));
    text->EnableTextBack(0, Gdiplus::Color(0, 0, 0, 0));
    window.Render();
    EXPECT_TRUE(Near(window.Pixel(100, 45), kBackground));
}

TEST(MText, MarkTextAndScrollHooks)
{
    ToolkitTest::RecordingParent parent;
    Lumo::MText text(&parent, 3, RECT{0, 0, 50, 20}, L"label", 1);
    EXPECT_EQ(text.SetMarkText(L"new"), 1);
    EXPECT_EQ(text.SetMarkText(L"new"), 1);
    EXPECT_EQ(parent.updates.size(), 1u); // nothing changed the second time
    EXPECT_EQ(text.SetMarkText(static_cast<const wchar_t*>(nullptr)), 0);
    EXPECT_EQ(text.SetTitleMarkText(L"title", nullptr, 1), 0);
    EXPECT_EQ(text.GetTitle(), L"label");
    EXPECT_EQ(text.SetMarkText(L"title", L"new", Gdiplus::Color(255, 1, 2, 3), 1), 1);
    EXPECT_EQ(text.GetTitle(), L"title");
    EXPECT_EQ(text.GetMarkText(), L"new");
    EXPECT_EQ(parent.updates.size(), 2u);
    EXPECT_EQ(text.GetVirtualHeight(), 0);

    EXPECT_EQ(text.OnControlScroll(1, 1, POINT{5, 5}), 1); // the wheel stops at a label
    EXPECT_EQ(text.OnBaseMessage(1, 8, 100, 0), 0); // its scroll bar moved: repaint
    ASSERT_EQ(parent.updates.size(), 3u);
    EXPECT_EQ(parent.updates.back().rebuild, 1);
    text.OnBaseMessage(2, 8, 100, 0);
    text.OnBaseMessage(1, 2, 0, 0);
    EXPECT_EQ(parent.updates.size(), 3u);
}

} // namespace
