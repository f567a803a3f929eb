#include "ControlTestSupport.h"

#include <algorithm>

namespace ControlsTest {

namespace {

constexpr int kLeft = 150;
constexpr int kTop = 150;

} // namespace

Rgb Colour(DWORD pixel)
{
    const int alpha = ToolkitTest::AlphaOf(pixel);
    if (alpha == 0)
        return Rgb{0, 0, 0};
    auto channel = [alpha](int value) { return std::min(255, (value * 255 + alpha / 2) / alpha); };
    return Rgb{
        channel(ToolkitTest::RedOf(pixel)), channel(ToolkitTest::GreenOf(pixel)), channel(ToolkitTest::BlueOf(pixel))};
}

testing::AssertionResult Near(DWORD pixel, Rgb expected, int tolerance)
{
    const Rgb actual = Colour(pixel);
    if (std::abs(actual.r - expected.r) <= tolerance && std::abs(actual.g - expected.g) <= tolerance
        && std::abs(actual.b - expected.b) <= tolerance)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "pixel 0x" << std::hex << pixel << std::dec << " stands for (" << actual.r
                                       << ", " << actual.g << ", " << actual.b << "), expected (" << expected.r << ", "
                                       << expected.g << ", " << expected.b << ")";
}

RECT BrightBox(const ToolkitTest::DibCanvas& canvas, RECT area, int threshold)
{
    RECT box{area.right, area.bottom, area.left, area.top};
    bool any = false;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            const Rgb c = Colour(canvas.Pixel(x, y));
            if (c.r > threshold && c.g > threshold && c.b > threshold) {
                any = true;
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
        }
    }
    return any ? box : RECT{0, 0, 0, 0};
}

RenderedDialog::RenderedDialog(int width, int height)
    : canvas(width, height)
{
    dialog.Open(kLeft, kTop, width, height);
    dialog.SetLayeredWindow(1);
}

RenderedDialog::~RenderedDialog() { dialog.DestroyWindow(); }

void RenderedDialog::Render()
{
    canvas.Fill(0);
    Manager().PaintFrame(
        canvas.Dc(), canvas.Bits(), canvas.Width(), canvas.Height(), RECT{0, 0, canvas.Width(), canvas.Height()});
}

void RenderedDialog::Show()
{
    dialog.ShowWindow(SW_SHOWNOACTIVATE);
    SetCursorPos(kLeft + canvas.Width() - 2, kTop + canvas.Height() - 2);
}

LRESULT RenderedDialog::Mouse(UINT msg, int x, int y, WPARAM keys)
{
    return dialog.SendMessageW(msg, keys, MAKELPARAM(x, y));
}

LRESULT LoggingParent::OnBaseMessage(UINT id, UINT code, WPARAM wparam, LPARAM)
{
    log.push_back("message(" + std::to_string(id) + "," + std::to_string(code) + ")");
    if (code == 8)
        positions.push_back(wparam);
    return 0;
}

LRESULT LoggingParent::OnControlUpdate(RECT, int rebuild, Lumo::MControl*)
{
    log.push_back("update(" + std::to_string(rebuild) + ")");
    return 0;
}

} // namespace ControlsTest
