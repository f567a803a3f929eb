// Scroll bars: thumb layout, page clicks, dragging, the notifications they
// send and their three-slice drawing, in a real paint manager.
#include "ControlTestSupport.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

using ControlsTest::kBackground;
using ControlsTest::LoggingParent;
using ControlsTest::Near;
using ControlsTest::RenderedDialog;
using ControlsTest::Rgb;

DWORD Argb(Rgb c) { return 0xFF000000u | static_cast<DWORD>(c.r) << 16 | static_cast<DWORD>(c.g) << 8 | c.b; }

class ScrollTest : public testing::Test {
protected:
    // Attached bars load their image (and report that); the log starts after it.
    Lumo::CScrollVertical* AddVertical(RECT rect)
    {
        auto* bar = static_cast<Lumo::CScrollVertical*>(
            window.Manager().AddControl(1, new Lumo::CScrollVertical(&parent, 1, rect, 1)));
        parent.log.clear();
        return bar;
    }
    Lumo::CScrollHorizontal* AddHorizontal(RECT rect)
    {
        auto* bar = static_cast<Lumo::CScrollHorizontal*>(
            window.Manager().AddControl(1, new Lumo::CScrollHorizontal(&parent, 2, rect, 1)));
        parent.log.clear();
        return bar;
    }
    int ThumbTop(Lumo::MScroll* bar) { return bar->GetThumbRect().top; }
    int ThumbLength(Lumo::MScroll* bar) { return bar->GetThumbRect().bottom - bar->GetThumbRect().top; }

    ToolkitTest::TempSkinFolder skins; // outlives the window, whose image cache holds its files open
    RenderedDialog window{360, 360};
    LoggingParent parent;
};

TEST_F(ScrollTest, ThumbLengthFollowsTheBarAndThePage)
{
    const struct {
        int height, page, length;
    } cases[] = {{300, 300, 100}, {120, 120, 70}, {80, 100, 30}};
    for (const auto& c : cases) {
        auto* bar = AddVertical(RECT{10, 10, 18, 10 + c.height});
        EXPECT_EQ(bar->GetScrollPageSize(), c.page) << c.height;
        EXPECT_EQ(ThumbLength(bar), c.length) << c.height;
        EXPECT_EQ(ThumbTop(bar), 10) << c.height;
        EXPECT_EQ(bar->IsThumbShown(), 1) << c.height;
        EXPECT_EQ(bar->GetScrollMaxRange(), 1000);
        EXPECT_EQ(bar->GetScrollRowStep(), 10);
    }
}

TEST_F(ScrollTest, PageAtLeastTheRangeDrawsNothingAndIgnoresTheMouse)
{
    window.Show();
    auto* bar = AddVertical(RECT{10, 10, 18, 310});
    bar->SetScrollSize(1000, 0);
    EXPECT_EQ(bar->IsThumbShown(), 0);
    window.Render();
    for (int y : {12, 60, 200, 308})
        EXPECT_TRUE(Near(window.Pixel(14, y), kBackground)) << y;
    EXPECT_EQ(bar->OnLButtonDown(MK_LBUTTON, POINT{14, 250}), 0);
    EXPECT_EQ(bar->OnLButtonDown(MK_LBUTTON, POINT{14, 20}), 0);
    EXPECT_EQ(bar->OnMouseMove(MK_LBUTTON, POINT{14, 200}), 0);
    EXPECT_EQ(bar->OnLButtonUp(0, POINT{14, 200}), 0);
    EXPECT_TRUE(parent.log.empty());
    EXPECT_EQ(bar->GetScrollCurrentPos(), 0);
}

TEST_F(ScrollTest, ScrollRowStopsAtTheEndsWithoutNotifying)
{
    auto* bar = AddVertical(RECT{10, 10, 18, 310});
    EXPECT_EQ(bar->ScrollRow(-1), 0);
    EXPECT_EQ(bar->GetScrollCurrentPos(), 0);
    EXPECT_EQ(bar->ScrollRow(3), 1);
    EXPECT_EQ(bar->GetScrollCurrentPos(), 30);
    EXPECT_EQ(ThumbTop(bar), 10 + 30 * 200 / 1000);
    bar->SetScrollCurrentPos(995);
    EXPECT_EQ(bar->ScrollRow(1), 1); // limited to the maximum
    EXPECT_EQ(bar->GetScrollCurrentPos(), 1000);
    EXPECT_EQ(bar->ScrollRow(1), 0);
    EXPECT_EQ(ThumbTop(bar), 210);
    EXPECT_TRUE(parent.log.empty()); // moves made by the program send nothing
}

TEST_F(ScrollTest, ClickBesideTheThumbMovesOnePage)
{
    window.Show();
    auto* bar = AddVertical(RECT{10, 10, 18, 310});
    bar->SetScrollSize(300, 0);
    EXPECT_EQ(bar->OnLButtonDown(MK_LBUTTON, POINT{14, 250}), 90);
    EXPECT_EQ(ThumbTop(bar), 100);
    EXPECT_EQ(bar->GetScrollCurrentPos(), 450); // 90 of the 200 free pixels
    bar->OnLButtonUp(0, POINT{14, 250});
    EXPECT_EQ(bar->OnLButtonDown(MK_LBUTTON, POINT{14, 300}), 90);
    EXPECT_EQ(bar->OnLButtonDown(MK_LBUTTON, POINT{14, 300}), 20); // the rest of the track
    EXPECT_EQ(bar->OnLButtonDown(MK_LBUTTON, POINT{14, 20}), -90);
    EXPECT_EQ(ThumbTop(bar), 120);
    EXPECT_EQ(parent.positions, (std::vector<WPARAM>{450, 900, 1000, 550}));
    EXPECT_EQ(parent.log[0], "update(1)"); // the bar is repainted before the parent hears of it
    EXPECT_EQ(parent.log[1], "message(1,8)");
}

TEST_F(ScrollTest, DraggingPastTheEndStopsTheThumbAndReportsEachMove)
{
    window.Show();
    auto* bar = AddVertical(RECT{10, 10, 18, 310});
    EXPECT_EQ(bar->OnLButtonDown(MK_LBUTTON, POINT{14, 50}), 1);
    EXPECT_EQ(bar->GetThumbState(), 2);
    EXPECT_EQ(bar->OnMouseMove(MK_LBUTTON, POINT{14, 150}), 1);
    EXPECT_EQ(ThumbTop(bar), 110);
    EXPECT_EQ(bar->IsChangeing(), 0);
    bar->OnMouseMove(MK_LBUTTON, POINT{14, 400}); // past the end: stops there
    EXPECT_EQ(ThumbTop(bar), 210);
    bar->OnMouseMove(MK_LBUTTON, POINT{14, 500}); // no further move, no notification
    bar->OnMouseMove(MK_LBUTTON, POINT{14, 260}); // back inside the part it could not follow
    EXPECT_EQ(ThumbTop(bar), 210);
    bar->OnMouseMove(MK_LBUTTON, POINT{14, 200}); // 50 pixels up from where the thumb stopped
    EXPECT_EQ(ThumbTop(bar), 160);
    EXPECT_EQ(parent.positions, (std::vector<WPARAM>{500, 1000, 750}));
    EXPECT_EQ(bar->OnLButtonUp(0, POINT{14, 200}), 1);
    EXPECT_EQ(bar->GetThumbState(), 1); // released over the thumb
    parent.positions.clear();
    bar->OnMouseMove(0, POINT{14, 20});
    EXPECT_EQ(ThumbTop(bar), 160); // no drag any more
    EXPECT_TRUE(parent.positions.empty());
}

TEST_F(ScrollTest, DisabledBarOnlyFollowsTheHover)
{
    window.Show();
    auto* bar = AddVertical(RECT{10, 10, 18, 310});
    bar->SetEnabled(0);
    EXPECT_EQ(bar->OnControlMouseMove(0, POINT{14, 50}), 1);
    EXPECT_EQ(bar->GetThumbState(), 1);
    window.Render();
    EXPECT_EQ(bar->OnControlMouseMove(0, POINT{14, 51}), 0); // nothing changed, rendering valid
    EXPECT_EQ(bar->OnControlLButtonDown(MK_LBUTTON, POINT{14, 50}), 0);
    EXPECT_EQ(bar->OnControlLButtonDown(MK_LBUTTON, POINT{14, 250}), 0);
    EXPECT_EQ(ThumbTop(bar), 10);
    EXPECT_TRUE(parent.positions.empty());
}

TEST_F(ScrollTest, CurrentPosExMovesOnlyTheVerticalThumb)
{
    auto* horizontal = AddHorizontal(RECT{10, 10, 310, 18});
    const RECT before = horizontal->GetThumbRect();
    EXPECT_EQ(before.right - before.left, 100);
    horizontal->SetScrollCurrentPosEx(500);
    EXPECT_EQ(horizontal->GetScrollCurrentPos(), 500);
    EXPECT_TRUE(ToolkitTest::SameRect(horizontal->GetThumbRect(), before));
    horizontal->SetScrollCurrentPos(500);
    EXPECT_EQ(horizontal->GetThumbRect().left, 110);

    // Vertical: the position counts against the content that is hidden.
    auto* vertical = AddVertical(RECT{10, 30, 18, 330});
    vertical->SetScrollMaxRange(1300); // a pixel size: 1000 pixels hidden
    vertical->SetScrollCurrentPosEx(500);
    EXPECT_EQ(ThumbTop(vertical), 30 + 100);
    vertical->SetScrollCurrentPos(500);
    EXPECT_EQ(ThumbTop(vertical), 30 + 76);
    vertical->SetScrollMaxRange(300); // nothing hidden: no division by zero
    vertical->SetScrollCurrentPosEx(40);
    EXPECT_EQ(ThumbTop(vertical), 30);
}

TEST_F(ScrollTest, SettersKeepOrDeriveThePage)
{
    auto* bar = AddVertical(RECT{10, 10, 18, 90}); // 80 pixels: derived page 100
    EXPECT_EQ(bar->GetScrollPageSize(), 100);
    bar->SetScrollMaxRange(500); // derived again: 80 × 10 >= 500
    EXPECT_EQ(bar->GetScrollPageSize(), 80);
    bar->SetScrollSize(40, 7);
    bar->SetScrollMaxRange(2000); // a page that was set stays
    EXPECT_EQ(bar->GetScrollPageSize(), 40);
    EXPECT_EQ(bar->GetScrollRowStep(), 7);
    bar->SetScrollSize(0, 0); // 0 derives it at the next layout
    EXPECT_EQ(bar->GetScrollPageSize(), 200);
    EXPECT_EQ(bar->GetScrollRowStep(), 7);
    bar->SetScrollInfo(100, 30, 0, 0);
    EXPECT_EQ(bar->GetScrollCurrentPos(), 30);
    EXPECT_EQ(bar->GetScrollPageSize(), 200); // kept: not derived any more
    EXPECT_EQ(bar->IsThumbShown(), 0);
    bar->SetScrollInfo(1000, 0, 100, 0);
    bar->SetScrollFinalPos();
    EXPECT_EQ(bar->GetScrollCurrentPos(), 1000);
    EXPECT_EQ(ThumbTop(bar), 10); // moved at the next layout
    bar->SetRect(RECT{10, 10, 18, 310});
    EXPECT_EQ(ThumbTop(bar), 210);
}

TEST_F(ScrollTest, VerticalBarDrawsTrackAndThumbAsThreeSlices)
{
    // Three 8 × 72 frames: track, thumb under the mouse, thumb; caps and middles differ.
    const Rgb caps[] = {{255, 0, 0}, {255, 255, 0}, {255, 0, 255}};
    const Rgb middles[] = {{0, 255, 0}, {0, 255, 255}, {0, 0, 255}};
    const std::wstring name = skins.AddPng(L"scroll_v.png", 24, 72, [&](int x, int y) {
        const bool cap = y < 6 || y >= 66;
        return Argb(cap ? caps[x / 8] : middles[x / 8]);
    });
    window.Show();
    auto* bar = AddVertical(RECT{100, 20, 108, 320});
    EXPECT_EQ(bar->GetImageSize().cx, 4); // the library's own 12 × 72 image, three frames
    EXPECT_EQ(bar->GetImageSize().cy, 72);
    ASSERT_EQ(bar->SetImage(name.c_str(), 1), 1);
    EXPECT_EQ(bar->GetImageSize().cx, 8);
    window.Render();
    EXPECT_TRUE(Near(window.Pixel(104, 20), caps[2]));
    EXPECT_TRUE(Near(window.Pixel(104, 25), caps[2]));
    EXPECT_TRUE(Near(window.Pixel(104, 26), middles[2]));
    EXPECT_TRUE(Near(window.Pixel(104, 113), middles[2]));
    EXPECT_TRUE(Near(window.Pixel(104, 114), caps[2]));
    EXPECT_TRUE(Near(window.Pixel(104, 119), caps[2]));
    EXPECT_TRUE(Near(window.Pixel(104, 120), middles[0])); // the track below the thumb
    EXPECT_TRUE(Near(window.Pixel(101, 313), middles[0]));
    EXPECT_TRUE(Near(window.Pixel(107, 314), caps[0]));
    EXPECT_TRUE(Near(window.Pixel(109, 200), kBackground));

    bar->OnMouseMove(0, POINT{104, 60});
    window.Render();
    EXPECT_TRUE(Near(window.Pixel(104, 22), caps[1]));
    EXPECT_TRUE(Near(window.Pixel(104, 60), middles[1]));
}

TEST_F(ScrollTest, HorizontalBarDrawsALineAndTheThumbFrameOfItsState)
{
    // Four 72 × 8 frames stacked: unused, thumb normal, under the mouse, dragged.
    const Rgb middles[] = {{255, 255, 255}, {0, 255, 0}, {0, 255, 255}, {0, 0, 255}};
    const std::wstring name = skins.AddPng(L"scroll_h.png", 72, 32, [&](int x, int y) {
        const bool cap = x < 6 || x >= 66;
        return Argb(cap ? Rgb{255, 0, 0} : middles[y / 8]);
    });
    window.Show();
    auto* bar = AddHorizontal(RECT{10, 330, 310, 338});
    EXPECT_EQ(bar->GetImageSize().cx, 22); // the library's own 22 × 20 image, four frames
    EXPECT_EQ(bar->GetImageSize().cy, 5);
    ASSERT_EQ(bar->SetImage(name.c_str(), 1), 1);
    window.Render();
    EXPECT_TRUE(Near(window.Pixel(12, 334), Rgb{255, 0, 0}));
    EXPECT_TRUE(Near(window.Pixel(60, 330), middles[1]));
    EXPECT_TRUE(Near(window.Pixel(60, 337), middles[1]));
    // The line: C8141414 over the background, at half the bar's height only.
    EXPECT_TRUE(Near(window.Pixel(200, 334), Rgb{17, 17, 17}, 2));
    EXPECT_TRUE(Near(window.Pixel(200, 333), kBackground));
    EXPECT_TRUE(Near(window.Pixel(200, 335), kBackground));

    bar->OnMouseMove(0, POINT{60, 334});
    window.Render();
    EXPECT_TRUE(Near(window.Pixel(60, 334), middles[2]));
    bar->OnLButtonDown(MK_LBUTTON, POINT{60, 334});
    window.Render();
    EXPECT_TRUE(Near(window.Pixel(60, 334), middles[3]));
    bar->OnMouseMove(MK_LBUTTON, POINT{160, 334});
    EXPECT_EQ(bar->GetThumbRect().left, 110);
    EXPECT_EQ(parent.positions, (std::vector<WPARAM>{500}));
}

TEST_F(ScrollTest, WithoutLibraryImagesTheSkinFilesAreUsed)
{
    // The fixture's skin folder made sure the skin folder itself exists. The
    // build puts the product's skins there too; they are set aside meanwhile.
    const std::wstring vertical = Lumo::GetSkinPath() + L"img_scroll_v.png";
    const std::wstring horizontal = Lumo::GetSkinPath() + L"img_scroll_h.png";
    struct SetAside {
        explicit SetAside(std::wstring file)
            : path(std::move(file))
            , moved(MoveFileExW(path.c_str(), (path + L".aside").c_str(), MOVEFILE_REPLACE_EXISTING) != 0)
        {
        }
        ~SetAside()
        {
            if (moved)
                MoveFileExW((path + L".aside").c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
        }
        std::wstring path;
        bool moved;
    };
    const SetAside verticalAside(vertical), horizontalAside(horizontal);
    ASSERT_EQ(GetFileAttributesW(vertical.c_str()), INVALID_FILE_ATTRIBUTES);
    ASSERT_EQ(GetFileAttributesW(horizontal.c_str()), INVALID_FILE_ATTRIBUTES);
    ASSERT_TRUE(ToolkitTest::SavePng(vertical, 30, 72, [](int, int) { return 0xFF808080u; }));
    ASSERT_TRUE(ToolkitTest::SavePng(horizontal, 72, 40, [](int, int) { return 0xFF808080u; }));
    window.Manager().SetScrollResID(0, 0);
    auto* v = AddVertical(RECT{10, 10, 18, 310});
    auto* h = AddHorizontal(RECT{30, 10, 330, 18});
    EXPECT_EQ(v->GetImageSize().cx, 10);
    EXPECT_EQ(v->GetImageSize().cy, 72);
    EXPECT_EQ(h->GetImageSize().cx, 72);
    EXPECT_EQ(h->GetImageSize().cy, 10);
    // The image cache holds the files open until it lets them go.
    window.Manager().ClearControls();
    window.Manager().ClearImgResInfo();
    EXPECT_TRUE(DeleteFileW(vertical.c_str()));
    EXPECT_TRUE(DeleteFileW(horizontal.c_str()));

    Lumo::CScrollVertical unattached(nullptr, 1, RECT{0, 0, 8, 100}, 1);
    EXPECT_EQ(unattached.SetImage(L"img_scroll_v.png", 1), 0); // no paint manager
}

} // namespace
