// Painting of the paint manager: frames rendered into real DIBs and real
// windows under Wine, and what a repaint request invalidates.
#include "DialogFixtures.h"
#include "ScreenPixels.h"

#include <gtest/gtest.h>

namespace {

using FrameworkTest::TestControl;
using FrameworkTest::TestDialog;
using ToolkitTest::AlphaOf;
using ToolkitTest::BlueOf;
using ToolkitTest::DibCanvas;
using ToolkitTest::GreenOf;
using ToolkitTest::RedOf;

// Renders one frame of the dialog's whole client area.
void Render(Lumo::PaintManager& manager, DibCanvas& canvas)
{
    canvas.Fill(0);
    manager.PaintFrame(
        canvas.Dc(), canvas.Bits(), canvas.Width(), canvas.Height(), RECT{0, 0, canvas.Width(), canvas.Height()});
}

// The colour a premultiplied pixel of alpha 254 stands for.
int Unpremultiplied(BYTE channel, BYTE alpha) { return alpha == 0 ? 0 : (channel * 255 + alpha / 2) / alpha; }

TEST(PaintManagerPaint, DefaultFrameIsAOnePixelBorderAroundTheInterior)
{
    TestDialog dialog;
    ASSERT_NE(dialog.Open(100, 100, 60, 40), nullptr);
    dialog.SetLayeredWindow(1);
    DibCanvas canvas(60, 40);
    Render(*dialog.GetPaintManager(), canvas);
    const struct {
        int x, y;
        int r, g, b;
    } probes[] = {{0, 0, 189, 48, 255}, {59, 20, 189, 48, 255}, {30, 39, 189, 48, 255}, {1, 1, 5, 5, 5},
        {30, 20, 5, 5, 5}, {58, 38, 5, 5, 5}};
    for (const auto& p : probes) {
        const DWORD pixel = canvas.Pixel(p.x, p.y);
        EXPECT_EQ(AlphaOf(pixel), 254) << p.x << "," << p.y;
        EXPECT_NEAR(Unpremultiplied(RedOf(pixel), AlphaOf(pixel)), p.r, 1) << p.x << "," << p.y;
        EXPECT_NEAR(Unpremultiplied(GreenOf(pixel), AlphaOf(pixel)), p.g, 1) << p.x << "," << p.y;
        EXPECT_NEAR(Unpremultiplied(BlueOf(pixel), AlphaOf(pixel)), p.b, 1) << p.x << "," << p.y;
    }
    dialog.DestroyWindow();
}

TEST(PaintManagerPaint, LayeredWindowShowsTheFrameOnScreen)
{
    TestDialog dialog;
    ASSERT_NE(dialog.Open(300, 200, 80, 50), nullptr);
    dialog.SetLayeredWindow(1);
    dialog.ShowWindow(SW_SHOWNOACTIVATE);
    dialog.InvalidateRect(nullptr, 0);
    // Without a compositor a semi-transparent pixel shows as drawn over black.
    const bool shown = TestSupport::WaitUntil([] {
        const COLORREF border = TestSupport::ScreenPixel(300, 200);
        const COLORREF inner = TestSupport::ScreenPixel(340, 225);
        return GetRValue(border) > 180 && GetBValue(border) > 240 && GetGValue(border) < 60 && GetRValue(inner) < 10
            && GetGValue(inner) < 10 && GetBValue(inner) < 10;
    });
    EXPECT_TRUE(shown) << std::hex << TestSupport::ScreenPixel(300, 200);
    EXPECT_NE(dialog.GetExStyle() & WS_EX_LAYERED, 0u);
    dialog.DestroyWindow();
}

TEST(PaintManagerPaint, BackgroundImageByBackMode)
{
    ToolkitTest::TempSkinFolder skins;
    // 30 x 30: a red 10-pixel border around a blue centre.
    const std::wstring name = skins.AddPng(L"bk.png", 30, 30,
        [](int x, int y) { return x < 10 || y < 10 || x >= 20 || y >= 20 ? 0xFFFF0000 : 0xFF0000FF; });
    TestDialog dialog;
    ASSERT_NE(dialog.Open(100, 100, 90, 60), nullptr);
    dialog.SetLayeredWindow(1);
    ASSERT_EQ(dialog.LoadBKImage(name), 1);
    DibCanvas canvas(90, 60);

    dialog.SetBackMode(Lumo::BACKMODE_FRAME, 10);
    Render(*dialog.GetPaintManager(), canvas);
    EXPECT_EQ(canvas.Pixel(85, 5) & 0xFFFFFF, 0xFF0000u); // corner kept at 10 pixels
    EXPECT_EQ(canvas.Pixel(45, 30), 0xFF0000FFu);
    EXPECT_EQ(canvas.Pixel(45, 5) & 0xFFFFFF, 0xFF0000u);

    dialog.SetBackMode(static_cast<Lumo::enumBackMode>(7), 0); // no such mode: no background at all
    Render(*dialog.GetPaintManager(), canvas);
    for (int y = 0; y < 60; y += 7)
        for (int x = 0; x < 90; x += 7)
            ASSERT_EQ(canvas.Pixel(x, y), 0u) << x << "," << y;

    EXPECT_EQ(dialog.LoadBKImage(skins.Name(L"missing.png")), 0); // back to the two-colour frame
    Render(*dialog.GetPaintManager(), canvas);
    EXPECT_EQ(AlphaOf(canvas.Pixel(45, 30)), 254);
    dialog.DestroyWindow();
}

TEST(PaintManagerPaint, ControlsAreDrawnAndGdiTextBecomesOpaque)
{
    class GdiTextControl : public TestControl {
    public:
        using TestControl::TestControl;
        int DrawControl(HDC& hdc, RECT) override
        {
            // Plain GDI writes colour with alpha 0 into a 32-bit DIB.
            const RECT r = GetRect();
            Lumo::MRender::FillSolidRect(hdc, &r, RGB(200, 100, 50));
            return 1;
        }
    };
    TestDialog dialog;
    ASSERT_NE(dialog.Open(100, 100, 80, 60), nullptr);
    dialog.SetLayeredWindow(1);
    Lumo::PaintManager& manager = *dialog.GetPaintManager();
    auto* area = manager.AddControl(0, new TestControl(&dialog, 5, RECT{10, 10, 30, 30}));
    static_cast<TestControl*>(area)->fill = 0xFF0000FF;
    manager.AddControl(1, new GdiTextControl(&dialog, 6, RECT{40, 10, 60, 30}));
    DibCanvas canvas(80, 60);
    Render(manager, canvas);
    EXPECT_EQ(canvas.Pixel(20, 20), 0xFF0000FFu);
    EXPECT_EQ(canvas.Pixel(50, 20), 0xFFC86432u);
    dialog.DestroyWindow();
}

TEST(PaintManagerPaint, InformationOverlayShowsTheSensorValues)
{
    TestDialog dialog;
    ASSERT_NE(dialog.Open(100, 100, 340, 250), nullptr);
    dialog.SetLayeredWindow(1);
    auto brightIn = [](DibCanvas& canvas, RECT box) {
        int count = 0;
        for (int y = box.top; y < box.bottom; ++y)
            for (int x = box.left; x < box.right; ++x)
                count += RedOf(canvas.Pixel(x, y)) > 200 && GreenOf(canvas.Pixel(x, y)) > 200 ? 1 : 0;
        return count;
    };
    Lumo::Manager::SetCPUTemp(47.9f);
    Lumo::Manager::SetRPMTemp(1234.0f);
    DibCanvas canvas(340, 250);
    Render(*dialog.GetPaintManager(), canvas);
    const RECT cpuBox{185, 100, 305, 160}, rpmBox{10, 100, 160, 160};
    EXPECT_EQ(brightIn(canvas, cpuBox), 0);
    dialog.EnableDrawInfo(1);
    Render(*dialog.GetPaintManager(), canvas);
    EXPECT_GT(brightIn(canvas, cpuBox), 50);
    EXPECT_GT(brightIn(canvas, rpmBox), brightIn(canvas, cpuBox)); // four digits against two
    Lumo::Manager::SetCPUTemp(0.0f);
    Lumo::Manager::SetRPMTemp(0.0f);
    dialog.DestroyWindow();
}

TEST(PaintManagerPaint, MessageOverlayDrawsItsBox)
{
    TestDialog dialog;
    ASSERT_NE(dialog.Open(100, 100, 400, 300), nullptr);
    dialog.SetLayeredWindow(1);
    dialog.SetMessage(L"Saved", RECT{0, 0, 0, 0}, Lumo::MSGLEVEL_INFO);
    const RECT box = dialog.GetPaintManager()->GetMessageRect();
    EXPECT_TRUE(ToolkitTest::SameRect(box, RECT{100, 240, 300, 298}));
    dialog.m_nMessageOffset = 10;
    dialog.SetMessage(L"Lower", RECT{0, 0, 0, 0}, Lumo::MSGLEVEL_WARNING);
    EXPECT_TRUE(ToolkitTest::SameRect(dialog.GetPaintManager()->GetMessageRect(), RECT{100, 250, 300, 308}));
    dialog.SetMessage(L"Given", RECT{10, 10, 110, 50}, Lumo::MSGLEVEL_INFO);
    EXPECT_TRUE(ToolkitTest::SameRect(dialog.GetPaintManager()->GetMessageRect(), RECT{10, 10, 110, 50}));
    EXPECT_EQ(dialog.GetPaintManager()->GetMessageAlpha(), 255);

    DibCanvas canvas(400, 300);
    Render(*dialog.GetPaintManager(), canvas);
    EXPECT_EQ(canvas.Pixel(10, 10), 0xFFE6E6E6u); // frame
    EXPECT_EQ(canvas.Pixel(105, 45), 0xFFFEFEFEu); // face, right of the text
    dialog.DestroyWindow();
}

TEST(PaintManagerPaint, UpdateOfTheLastControlInvalidatesOnlyItsRectangle)
{
    TestDialog dialog;
    ASSERT_NE(dialog.Open(100, 100, 200, 150), nullptr);
    dialog.ShowWindow(SW_SHOWNOACTIVATE);
    Lumo::PaintManager& manager = *dialog.GetPaintManager();
    auto* bottom = static_cast<TestControl*>(manager.AddControl(1, new TestControl(&dialog, 1, RECT{0, 0, 100, 100})));
    auto* middle = static_cast<TestControl*>(manager.AddControl(1, new TestControl(&dialog, 2, RECT{20, 20, 60, 60})));
    auto* last = static_cast<TestControl*>(manager.AddControl(1, new TestControl(&dialog, 3, RECT{50, 50, 90, 90})));
    auto* apart = static_cast<TestControl*>(manager.AddControl(1, new TestControl(&dialog, 4, RECT{150, 10, 190, 40})));
    // Give every control a valid cache, then validate the whole window.
    for (TestControl* c : {bottom, middle, last, apart})
        c->SetUpdate(1, 0);
    ValidateRect(dialog.GetSafeHwnd(), nullptr);

    dialog.OnControlUpdate(last->GetRect(), 1, last);
    RECT update{};
    ASSERT_TRUE(GetUpdateRect(dialog.GetSafeHwnd(), &update, FALSE));
    EXPECT_TRUE(ToolkitTest::SameRect(update, RECT{50, 50, 90, 90}));
    EXPECT_EQ(last->GetUpdate(), 0);
    EXPECT_EQ(middle->GetUpdate(), 1);
    EXPECT_EQ(bottom->GetUpdate(), 1);

    // A control below others: what overlaps it above is redrawn too.
    ValidateRect(dialog.GetSafeHwnd(), nullptr);
    last->SetUpdate(1, 0);
    dialog.OnControlUpdate(middle->GetRect(), 0, middle);
    ASSERT_TRUE(GetUpdateRect(dialog.GetSafeHwnd(), &update, FALSE));
    EXPECT_TRUE(ToolkitTest::SameRect(update, RECT{20, 20, 90, 90}));
    EXPECT_EQ(middle->GetUpdate(), 1); // rebuild 0: its own rendering stays valid
    EXPECT_EQ(last->GetUpdate(), 0);
    EXPECT_EQ(apart->GetUpdate(), 1);

    // A layered window is always repainted whole.
    ValidateRect(dialog.GetSafeHwnd(), nullptr);
    dialog.SetLayeredWindow(1);
    dialog.OnControlUpdate(last->GetRect(), 1, last);
    ASSERT_TRUE(GetUpdateRect(dialog.GetSafeHwnd(), &update, FALSE));
    EXPECT_TRUE(ToolkitTest::SameRect(update, RECT{0, 0, 200, 150}));
    dialog.DestroyWindow();
}

TEST(PaintManagerPaint, PaintingSkipsValidCachesAndRebuildsStaleOnes)
{
    TestDialog dialog;
    ASSERT_NE(dialog.Open(100, 100, 120, 80), nullptr);
    dialog.ShowWindow(SW_SHOWNOACTIVATE);
    Lumo::PaintManager& manager = *dialog.GetPaintManager();
    auto* control = static_cast<TestControl*>(manager.AddControl(1, new TestControl(&dialog, 1, RECT{10, 10, 50, 50})));
    dialog.InvalidateRect(nullptr, 0);
    UpdateWindow(dialog.GetSafeHwnd());
    EXPECT_GE(control->draws, 1);
    EXPECT_EQ(control->rebuilds, 1);
    dialog.InvalidateRect(nullptr, 0);
    UpdateWindow(dialog.GetSafeHwnd());
    EXPECT_EQ(control->rebuilds, 1); // cache still valid
    control->UpdateControl(1, 0); // changed: marked stale and repainted
    UpdateWindow(dialog.GetSafeHwnd());
    EXPECT_EQ(control->rebuilds, 2);
    // The non-layered window shows the control's pixels.
    HDC dc = GetDC(dialog.GetSafeHwnd());
    EXPECT_EQ(GetPixel(dc, 20, 20), RGB(0x10, 0xA0, 0x40));
    ReleaseDC(dialog.GetSafeHwnd(), dc);
    dialog.DestroyWindow();
}

TEST(PaintManagerPaint, CaretBlinksInTheOwnersTextColour)
{
    class Editor : public Lumo::MControlFont {
    public:
        Editor(Lumo::MObject* parent)
            : MControlFont(parent, 9, RECT{10, 10, 100, 40}, L"", 1, 1, 1)
        {
        }
        int DrawControl(HDC&, RECT) override { return 1; }
        void Edit(int on) { m_bFocused = on; }
    };
    TestDialog dialog;
    ASSERT_NE(dialog.Open(100, 100, 120, 60), nullptr);
    dialog.SetLayeredWindow(1);
    Lumo::PaintManager& manager = *dialog.GetPaintManager();
    auto* editor = static_cast<Editor*>(manager.AddControl(1, new Editor(&dialog)));
    editor->SetTextColor(Gdiplus::Color(255, 0, 0, 255));
    editor->Edit(1);
    dialog.ShowWindow(SW_SHOW);
    dialog.SetFocus();
    ASSERT_EQ(GetFocus(), dialog.GetSafeHwnd());
    manager.CreateCaret(nullptr, 2, 16);
    ASSERT_EQ(manager.SetCaretPos(editor, 30, 15), 1);
    EXPECT_EQ(manager.GetCurrentCaretObject(), editor);
    EXPECT_EQ(manager.ShowCaret(1), 1);

    // Blue at alpha 254 over the frame's interior.
    auto caretAt = [](const DibCanvas& c, int x, int y) {
        const DWORD p = c.Pixel(x, y);
        return BlueOf(p) >= 250 && RedOf(p) < 5 && GreenOf(p) < 5;
    };
    DibCanvas canvas(120, 60);
    Render(manager, canvas);
    EXPECT_TRUE(caretAt(canvas, 30, 15)) << std::hex << canvas.Pixel(30, 15);
    EXPECT_TRUE(caretAt(canvas, 31, 30));
    EXPECT_FALSE(caretAt(canvas, 32, 15)); // two pixels wide
    EXPECT_FALSE(caretAt(canvas, 30, 31)); // sixteen high
    // The blink timer flips the phase: the caret disappears, then returns.
    EXPECT_TRUE(FrameworkTest::PumpUntil([&] {
        Render(manager, canvas);
        return !caretAt(canvas, 30, 15);
    }));
    EXPECT_TRUE(FrameworkTest::PumpUntil([&] {
        Render(manager, canvas);
        return caretAt(canvas, 30, 15);
    }));
    // A caret whose owner is not being edited is not drawn.
    editor->Edit(0);
    Render(manager, canvas);
    EXPECT_FALSE(caretAt(canvas, 30, 15));
    manager.ShowCaret(0);
    dialog.DestroyWindow();
}

} // namespace
