#pragma once

#include "DialogFixtures.h"
#include "ToolkitTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Rendering controls the way a window paints them, and reading the pixels.
namespace ControlsTest {

struct Rgb {
    int r, g, b;
};

// The colour a premultiplied pixel stands for.
Rgb Colour(DWORD pixel);

// Whether the pixel stands for `expected`, each channel within `tolerance`.
testing::AssertionResult Near(DWORD pixel, Rgb expected, int tolerance = 3);

// The bounding box of the pixels in `area` whose colour is brighter than
// `threshold` in every channel; empty when there are none.
RECT BrightBox(const ToolkitTest::DibCanvas& canvas, RECT area, int threshold = 160);

// The window background of a dialog with default colours: RGB(5, 5, 5).
constexpr Rgb kBackground{5, 5, 5};

// A hidden layered dialog whose whole client area is rendered into a DIB on
// request, exactly as a paint renders it.
class RenderedDialog {
public:
    RenderedDialog(int width, int height);
    ~RenderedDialog();
    RenderedDialog(const RenderedDialog&) = delete;
    RenderedDialog& operator=(const RenderedDialog&) = delete;

    void Render();
    // Shows the window without activating it and rests the cursor over its
    // bottom-right corner, so that mouse messages reach the controls.
    void Show();
    DWORD Pixel(int x, int y) const { return canvas.Pixel(x, y); }
    Lumo::PaintManager& Manager() { return *dialog.GetPaintManager(); }
    // Sends a mouse message to the window (client coordinates).
    LRESULT Mouse(UINT msg, int x, int y, WPARAM keys = 0);

    FrameworkTest::TestDialog dialog;
    ToolkitTest::DibCanvas canvas;
};

// A parent that keeps one log of the reports and notifications of its
// controls, in the order they arrive: "update(rebuild)" and "message(id,code)".
class LoggingParent : public Lumo::MObject {
public:
    LRESULT OnBaseMessage(UINT id, UINT code, WPARAM wparam, LPARAM lparam) override;
    LRESULT OnControlUpdate(RECT rect, int rebuild, Lumo::MControl* control) override;
    std::vector<std::string> log;
    std::vector<WPARAM> positions; // wparam of each code 8
};

} // namespace ControlsTest
