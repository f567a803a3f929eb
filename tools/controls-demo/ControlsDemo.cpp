// A skinned dialog that shows the toolkit's basic controls at work: framed
// and plain pictures, single- and multi-line texts, buttons that count and
// enable each other, translucent areas, a stand-alone scroll bar and a
// panel whose rows scroll with its bar and the mouse wheel.
//
//   ControlsDemo.exe [seconds]   closes by itself after that many seconds
#include "lumo/lumo.h"

#include <cwchar>
#include <cwctype>
#include <string>

namespace {

constexpr int kWidth = 480;
constexpr int kHeight = 360;
constexpr UINT kAutoCloseTimer = 1;
constexpr UINT kClicked = 2;
constexpr UINT kScrolled = 8;

// Control ids.
enum : UINT {
    kTitle = 10,
    kSubtitle,
    kClose,
    kToggle,
    kCounter,
    kStatus,
    kPosition,
    kGroup = 20,
    kFrame,
    kChip,
    kCaption,
    kSlider = 30,
    kListBack = 40,
    kList,
    kFirstRow = 100,
};

constexpr int kRows = 12;
constexpr int kRowHeight = 44;
constexpr int kBarWidth = 8;

Gdiplus::Color White() { return Gdiplus::Color(255, 255, 255, 255); }

// A list of rows that scrolls: the container with its vertical bar placed
// along the right edge, repainting its rows when the bar moves.
class DemoList : public Lumo::MPanel {
public:
    DemoList(Lumo::MObject* parent, UINT id, RECT rect)
        : MPanel(parent, id, rect, 1)
    {
    }

    void SetControlRect(RECT rect) override
    {
        MPanel::SetControlRect(rect);
        GetScrollVertical()->SetRect(RECT{rect.right - kBarWidth - 2, rect.top + 2, rect.right - 2, rect.bottom - 2});
    }

    // Called once attached: the rows come from the container's factory.
    void Fill()
    {
        const RECT r = GetRect();
        const int content = kRows * kRowHeight + 8;
        const int hidden = content - (r.bottom - r.top);
        SetVirtualHeight(content);
        // The range is the hidden height in pixels, so one wheel row is 22 pixels.
        GetScrollVertical()->SetScrollInfo(hidden, 0, hidden * (r.bottom - r.top) / content, 22);
        GetScrollHorizontal()->SetVisible(0);
        // The skin's own bar instead of the library's default image.
        GetScrollVertical()->SetImage(L"img_scroll_v.png", 1);
        SetControlRect(r);
        for (int i = 0; i < kRows; ++i) {
            const int top = r.top + 4 + i * kRowHeight;
            const RECT row{r.left + 6, top, r.right - kBarWidth - 8, top + kRowHeight - 6};
            auto* back = static_cast<Lumo::CArea*>(CreateControl(L"CArea", 0, row, nullptr, 1, 1));
            back->SetTransparent(i % 2 ? 90 : 84, i % 2 ? 90 : 84, RGB(255, 255, 255));
            const std::wstring label = L"Row " + std::to_wstring(i + 1);
            auto* text = static_cast<Lumo::MText*>(CreateControl(
                L"MText", 0, RECT{row.left + 10, row.top, row.left + 100, row.bottom}, label.c_str(), 1, 1));
            text->SetTextColor(White());
            auto* button = static_cast<Lumo::MButton*>(CreateControl(L"MButton", kFirstRow + static_cast<UINT>(i),
                RECT{row.right - 74, row.top + 5, row.right - 6, row.bottom - 5}, L"Open", 1, 1));
            button->SetImage(L"img_button.png", 4);
            button->SetTextColor(White());
            button->SetFontWidth(12);
        }
    }

    LRESULT OnMessage(UINT id, UINT code, WPARAM wparam, LPARAM lparam) override
    {
        if (id == 1 && code == kScrolled)
            UpdateControl(1, 0);
        return MPanel::OnMessage(id, code, wparam, lparam);
    }
};

class DemoDialog : public Lumo::MDialog {
public:
    explicit DemoDialog(UINT closeAfterSeconds)
        : m_closeAfter(closeAfterSeconds)
    {
    }

    void InitUI(RECT) override
    {
        SetLayeredWindow(1);
        LoadBKImage(L"img_loading_bk.png");
        SetBackMode(Lumo::BACKMODE_FRAME, 10);
        GetPaintManager()->AddTempFont(L"Open Sans Semibold", 106u);

        auto* title = Text(kTitle, RECT{20, 12, 460, 40}, L"Lumo controls", 18);
        title->SetTextFont(L"Open Sans Semibold");
        title->SetAlignment(1);
        auto* subtitle = Text(kSubtitle, RECT{20, 38, 460, 56},
            L"pictures \u00b7 texts \u00b7 buttons \u00b7 areas \u00b7 scroll bars \u00b7 a scrolling panel", 12);
        subtitle->SetAlignment(1);
        subtitle->SetTextColor(Gdiplus::Color(255, 168, 166, 184));

        BuildPictureGroup();
        BuildList();

        auto* close = Button(kClose, RECT{370, 316, 460, 344}, L"Close");
        close->SetFontStyle(Gdiplus::FontStyleBold);
        if (m_closeAfter > 0)
            ::SetTimer(GetSafeHwnd(), kAutoCloseTimer, m_closeAfter * 1000, nullptr);
    }

    LRESULT OnMessage(UINT id, UINT code, WPARAM wparam, LPARAM) override
    {
        if (code == kScrolled && id == kSlider) {
            SetText(kPosition, L"Position: " + std::to_wstring(wparam) + L" of 1000");
            return 1;
        }
        if (code != kClicked)
            return 0;
        if (id == kClose) {
            DoClose();
        } else if (id == kToggle) {
            Lumo::MControl* counter = GetControl(kCounter);
            const int enable = counter->IsEnabled() ? 0 : 1;
            counter->SetEnabled(enable);
            SetText(kToggle, enable ? L"Disable" : L"Enable");
        } else if (id == kCounter) {
            ++m_clicks;
            SetText(kStatus, L"Clicked " + std::to_wstring(m_clicks) + (m_clicks == 1 ? L" time" : L" times"));
        } else if (id >= kFirstRow && id < kFirstRow + kRows) {
            SetText(kStatus, L"Row " + std::to_wstring(id - kFirstRow + 1) + L" opened");
        }
        return 1;
    }

    void OnTimer(UINT id) override
    {
        if (id == kAutoCloseTimer)
            DoClose();
    }

private:
    Lumo::MText* Text(UINT id, RECT rect, const wchar_t* text, int size)
    {
        auto* label = static_cast<Lumo::MText*>(CreateArea(L"MText", id, rect, text, 1, 1));
        label->SetTextColor(White());
        label->SetFontWidth(size);
        return label;
    }

    Lumo::MButton* Button(UINT id, RECT rect, const wchar_t* caption)
    {
        auto* button = static_cast<Lumo::MButton*>(CreateControl(L"MButton", id, rect, caption, 1, 1));
        button->SetImage(L"img_button.png", 4);
        button->SetTextColor(White());
        return button;
    }

    void SetText(UINT id, const std::wstring& text)
    {
        if (auto* control = dynamic_cast<Lumo::MControlFont*>(GetControl(id)))
            control->SetTitle(text.c_str());
    }

    void BuildPictureGroup()
    {
        auto* group = static_cast<Lumo::CArea*>(CreateArea(L"CArea", kGroup, RECT{20, 66, 230, 300}, nullptr, 1, 1));
        group->SetTransparent(80, 96, RGB(255, 255, 255));

        auto* frame
            = static_cast<Lumo::MPicture*>(CreateArea(L"MPicture", kFrame, RECT{32, 78, 218, 158}, nullptr, 1, 1));
        frame->SetImage(L"img_picture_frame.png", 1);
        frame->SetShowMode(Lumo::SHOWMODE_FRAME, 10);
        auto* chip = static_cast<Lumo::MPicture*>(CreateArea(L"MPicture", kChip, RECT{42, 98, 82, 138}, nullptr, 1, 1));
        chip->SetImage(L"img_dev_cpu.png", 1);
        chip->SetAlignment(1, 4);
        auto* caption = Text(kCaption, RECT{90, 86, 210, 150},
            L"A picture framed by a nine-grid skin, with a label wrapped over lines.", 12);
        caption->EnableMultiLine(1);
        caption->EnableVCenter(1);

        Button(kToggle, RECT{32, 172, 122, 202}, L"Disable");
        Button(kCounter, RECT{128, 172, 218, 202}, L"Click me");
        auto* status = Text(kStatus, RECT{32, 210, 218, 236}, L"Nothing clicked yet", 12);
        status->SetAlignment(1);
        status->EnableTextBack(1, Gdiplus::Color(255, 34, 30, 44));

        auto* slider = new Lumo::CScrollHorizontal(this, kSlider, RECT{32, 250, 218, 262}, 1);
        GetPaintManager()->AddControl(1, slider);
        slider->SetScrollSize(100, 0);
        auto* position = Text(kPosition, RECT{32, 266, 218, 290}, L"Position: 0 of 1000", 12);
        position->SetAlignment(1);
        position->SetTextColor(Gdiplus::Color(255, 168, 166, 184));
    }

    void BuildList()
    {
        auto* back = static_cast<Lumo::CArea*>(CreateArea(L"CArea", kListBack, RECT{250, 66, 460, 300}, nullptr, 1, 1));
        back->SetTransparent(0, 0, RGB(20, 20, 26));
        back->SetFrame(1, Gdiplus::Color(255, 110, 60, 150), 0);
        auto* list = new DemoList(this, kList, RECT{251, 67, 459, 299});
        GetPaintManager()->AddControl(1, list);
        list->Fill();
    }

    UINT m_closeAfter;
    int m_clicks = 0;
};

UINT SecondsArgument(const wchar_t* commandLine)
{
    if (commandLine == nullptr)
        return 0;
    while (std::iswspace(*commandLine))
        ++commandLine;
    const long seconds = std::wcstol(commandLine, nullptr, 10);
    return seconds > 0 && seconds < 86400 ? static_cast<UINT>(seconds) : 0;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int)
{
    Lumo::Manager::InitGdiplus();
    Lumo::Manager::SetInstance(instance);
    int exitCode = 1; // no window
    {
        DemoDialog dialog(SecondsArgument(commandLine));
        const RECT rect{0, 0, kWidth, kHeight};
        if (dialog.Create(nullptr, L"Lumo controls", WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, rect)) {
            dialog.CenterWindow();
            dialog.ShowModal(SW_SHOWNORMAL);
            exitCode = 0;
        }
    }
    Lumo::Manager::UnInitGdiplus();
    return exitCode;
}
