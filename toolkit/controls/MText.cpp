#include "lumo/MText.h"

#include "controls/RenderFrame.h"
#include "lumo/Manager.h"

namespace Lumo {

namespace {

constexpr UINT kScrollBarId = 1;
constexpr UINT kScrollMoved = 8;

} // namespace

MText::MText(MObject* parent, UINT id, RECT rect, const wchar_t* text, int visible)
    : MControlFont(parent, id, rect, text, visible, 0, 1)
    , m_bTextBack(0)
    , m_textBackColor(0xFF008000)
    , m_bMultiLine(0)
    , m_bVCenter(0)
    , m_markColor(0xFFED801B)
    , m_bMark(0)
    , m_bShadow(0)
{
}

const wchar_t* MText::GetClassNameW() const { return L"MText"; }
int MText::OnControlScroll(int, UINT, POINT) { return 1; }

LRESULT MText::OnBaseMessage(UINT id, UINT code, WPARAM wparam, LPARAM lparam)
{
    OnMessage(id, code, wparam, lparam);
    return 0;
}

LRESULT MText::OnMessage(UINT id, UINT code, WPARAM, LPARAM)
{
    if (id != kScrollBarId || code != kScrollMoved)
        return 0;
    UpdateControl(1, 0);
    return 1;
}

void MText::EnableMultiLine(int enable) { m_bMultiLine = enable; }
void MText::EnableVCenter(int enable) { m_bVCenter = enable; }
void MText::EnableShadow(int enable) { m_bShadow = enable; }

void MText::EnableTextBack(int enable, Gdiplus::Color colour)
{
    if ((enable != 0) != (m_bTextBack != 0)) {
        m_bTextBack = enable;
        m_textBackColor = colour.GetValue();
    }
    UpdateControl(1, 0);
}

int MText::StoreMark(const wchar_t* title, const wchar_t* mark, const Gdiplus::Color* colour, const int* enable)
{
    if (mark == nullptr)
        return 0;
    bool changed = m_strMark != mark;
    m_strMark = mark;
    if (colour != nullptr) {
        changed = changed || m_markColor != colour->GetValue();
        m_markColor = colour->GetValue();
    }
    if (enable != nullptr) {
        changed = changed || m_bMark != *enable;
        m_bMark = *enable;
    }
    if (title != nullptr) {
        changed = changed || m_strTitle != title;
        ClearGDIFont();
        SetControlTitle(title);
    }
    if (changed)
        UpdateControl(1, 0);
    return 1;
}

int MText::SetMarkText(const wchar_t* mark) { return StoreMark(nullptr, mark, nullptr, nullptr); }

int MText::SetMarkText(const wchar_t* mark, Gdiplus::Color colour, int enable)
{
    return StoreMark(nullptr, mark, &colour, &enable);
}

int MText::SetMarkText(const wchar_t* title, const wchar_t* mark, Gdiplus::Color colour, int enable)
{
    if (title == nullptr)
        return 0;
    return StoreMark(title, mark, &colour, &enable);
}

int MText::SetTitleMarkText(const wchar_t* title, const wchar_t* mark, int enable)
{
    if (title == nullptr)
        return 0;
    return StoreMark(title, mark, nullptr, &enable);
}

std::wstring MText::GetMarkText() const { return m_strMark; }
int MText::GetVirtualHeight() const { return 0; }
int MText::IsMultiLine() const { return m_bMultiLine; }
int MText::IsVCenter() const { return m_bVCenter; }
int MText::IsTextBack() const { return m_bTextBack; }

int MText::DrawControl(HDC& hdc, RECT)
{
    return DrawCachedRendering(hdc, [this](HDC cache, int width, int height) { Render(cache, width, height); });
}

void MText::Render(HDC cache, int width, int height)
{
    Gdiplus::Graphics graphics(cache);
    if (m_bTextBack) {
        Gdiplus::SolidBrush back{Gdiplus::Color(m_textBackColor)};
        graphics.FillRectangle(&back, 0, 0, width, height);
    }
    if (m_strTitle.empty())
        return;
    const auto font = RenderFrame::TextFont(GetFontFamily(m_strFontName.c_str()),
        static_cast<float>(static_cast<int>(m_nFontSize * Manager::GetScaleValue())), m_nFontStyle);
    if (!font)
        return;
    graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    Gdiplus::StringFormat format;
    format.SetAlignment(RenderFrame::HorizontalAlignment(m_nAlign));
    format.SetLineAlignment(RenderFrame::VerticalAlignment(m_nVAlign));
    if (m_bMultiLine) {
        format.SetFormatFlags(Gdiplus::StringFormatFlagsNoClip | Gdiplus::StringFormatFlagsMeasureTrailingSpaces);
        if (m_bVCenter)
            format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    } else {
        format.SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap | Gdiplus::StringFormatFlagsMeasureTrailingSpaces);
    }
    const Gdiplus::RectF box(0.0f, 0.0f, static_cast<Gdiplus::REAL>(width), static_cast<Gdiplus::REAL>(height));
    graphics.DrawString(m_strTitle.c_str(), -1, font.get(), box, &format, m_pTextBrush);
}

} // namespace Lumo
