// Paint work of the basic controls on a 340 x 250 layered dialog, as ratios
// to the bare background paint of the same run: 20 captioned buttons whose
// four state slots are cached, the frame after one button changed its hover
// state (a slot switch), and the frame after every button was marked stale
// (all four slots rendered again); then texts, pictures and areas the same
// way, and one frame of a scrolled panel with 20 rows.
#include "Bench.h"
#include "PaintOneFrame.h"

#include "lumo/lumo.h"

#include <string>
#include <vector>

namespace {

constexpr int kWidth = 340;
constexpr int kHeight = 250;

class BenchDialog : public Lumo::MDialog { };

struct Window {
    BenchDialog dialog;
    Window()
    {
        dialog.Create(nullptr, L"bench", WS_POPUP, WS_EX_TOOLWINDOW, RECT{50, 50, 50 + kWidth, 50 + kHeight});
        dialog.SetLayeredWindow(1);
    }
    ~Window() { dialog.DestroyWindow(); }

    void Paint() { PaintOneFrame(dialog, kWidth, kHeight); }
};

RECT Cell(int i) { return RECT{(i % 4) * 84 + 2, (i / 4) * 48 + 2, (i % 4) * 84 + 82, (i / 4) * 48 + 32}; }

// A button strip of four 100 x 30 frames, written below the skin folder for
// this run and removed again; returns its skin-relative name.
class StripFile {
public:
    StripFile()
    {
        const std::wstring skins = Lumo::GetSkinPath();
        const std::wstring root = skins.substr(0, skins.size() - 1); // ...\skins\theme1
        CreateDirectoryW(root.substr(0, root.rfind(L'\\')).c_str(), nullptr);
        CreateDirectoryW(root.c_str(), nullptr);
        CreateDirectoryW((skins + L"bench-controls").c_str(), nullptr);
        m_path = skins + m_name;
        Gdiplus::Bitmap strip(400, 30, PixelFormat32bppARGB);
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 400; ++x)
                strip.SetPixel(x, y, Gdiplus::Color(230, static_cast<BYTE>(40 + (x / 100) * 50), 44, 60));
        CLSID png{};
        UINT count = 0, size = 0;
        Gdiplus::GetImageEncodersSize(&count, &size);
        std::vector<BYTE> buffer(size);
        auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
        Gdiplus::GetImageEncoders(count, size, encoders);
        for (UINT i = 0; i < count; ++i)
            if (std::wstring(encoders[i].MimeType) == L"image/png")
                png = encoders[i].Clsid;
        strip.Save(m_path.c_str(), &png, nullptr);
    }
    ~StripFile()
    {
        DeleteFileW(m_path.c_str());
        RemoveDirectoryW((Lumo::GetSkinPath() + L"bench-controls").c_str());
    }
    const wchar_t* Name() const { return m_name.c_str(); }

private:
    std::wstring m_name = L"bench-controls\\img_button.png";
    std::wstring m_path;
};

void StaleAll(const std::vector<Lumo::MControl*>& controls)
{
    for (Lumo::MControl* control : controls)
        control->SetUpdate(0, 0);
}

} // namespace

int main()
{
    Lumo::Manager::InitGdiplus();
    Lumo::Manager::SetInstance(GetModuleHandleW(nullptr));
    {
        StripFile strip;
        Window bare, buttons, labels, scrolled;
        std::vector<Lumo::MControl*> buttonList, labelList;
        for (int i = 0; i < 20; ++i) {
            const std::wstring caption = L"Button " + std::to_wstring(i);
            auto* button = static_cast<Lumo::MButton*>(
                buttons.dialog.CreateControl(L"MButton", 100 + i, Cell(i), caption.c_str(), 1, 1));
            button->SetImage(strip.Name(), 4);
            buttonList.push_back(button);
            labelList.push_back(labels.dialog.CreateArea(L"CArea", 200 + i, Cell(i), nullptr, 1, 1));
            labelList.push_back(labels.dialog.CreateArea(L"MPicture", 300 + i, Cell(i), nullptr, 1, 1));
            labelList.push_back(labels.dialog.CreateArea(L"MText", 400 + i, Cell(i), caption.c_str(), 1, 1));
        }
        auto* panel = new Lumo::MPanel(&scrolled.dialog, 9, RECT{0, 0, kWidth, kHeight}, 1);
        scrolled.dialog.GetPaintManager()->AddControl(1, panel);
        panel->SetVirtualHeight(20 * 48);
        for (int i = 0; i < 20; ++i) {
            const RECT row{4, i * 48 + 4, kWidth - 20, i * 48 + 44};
            panel->CreateControl(L"CArea", 0, row, nullptr, 1, 1);
            panel->CreateControl(L"MText", 0, row, L"A row of the panel", 1, 1);
        }
        bare.Paint();
        buttons.Paint();
        labels.Paint();
        scrolled.Paint();

        std::printf(
            "Paint of a %d x %d layered dialog (fresh DIB + PaintFrame, no frame-cap sleep)\n", kWidth, kHeight);
        const double background = bench::MedianNanos([&] { bare.Paint(); }, 40);
        bench::Report("bare background (baseline)", background, background);
        bench::Report("20 buttons, cached", bench::MedianNanos([&] { buttons.Paint(); }, 40), background);
        Lumo::MControl* hovered = buttonList.front();
        int step = 0;
        bench::Report("20 buttons, one hover change each frame",
            bench::MedianNanos(
                [&] {
                    const RECT r = hovered->GetRect();
                    const POINT inside{r.left + 5, r.top + 5};
                    hovered->OnMouseMove(0, ++step % 2 ? inside : POINT{-1, -1});
                    buttons.Paint();
                },
                40),
            background);
        bench::Report("20 buttons, all stale (4 slots each)",
            bench::MedianNanos(
                [&] {
                    StaleAll(buttonList);
                    buttons.Paint();
                },
                5),
            background);
        bench::Report(
            "20 areas + pictures + texts, cached", bench::MedianNanos([&] { labels.Paint(); }, 40), background);
        bench::Report("20 areas + pictures + texts, all stale",
            bench::MedianNanos(
                [&] {
                    StaleAll(labelList);
                    labels.Paint();
                },
                5),
            background);
        int position = 0;
        bench::Report("panel of 20 rows, one wheel step each frame",
            bench::MedianNanos(
                [&] {
                    panel->GetScrollVertical()->SetScrollCurrentPos((position += 10) % 1000);
                    scrolled.Paint();
                },
                10),
            background);
    }
    Lumo::Manager::UnInitGdiplus();
    return 0;
}
