#include "lumo/MControlFont.h"

#include "lumo/Manager.h"
#include "lumo/PaintManager.h"

#include <cwchar>

namespace Lumo {

namespace {

constexpr int kBold = 1;
constexpr int kItalic = 2;
constexpr int kUnderline = 4;
// LOGFONTW holds 32 characters with the terminator.
constexpr size_t kMaxFaceLength = LF_FACESIZE - 1;

} // namespace

MControlFont::MControlFont(
    MObject* parent, UINT id, RECT rect, const wchar_t* title, int visible, int enabled, int responsive)
    : MControl(parent, id, rect, visible, enabled, responsive)
    , m_strTitle(title != nullptr ? title : L"")
    , m_strFontName(Manager::GetFontName())
    , m_nFontSize(Manager::GetFontWidth())
    , m_textColor(0xFFFFFFFF)
    , m_pTextBrush(new Gdiplus::SolidBrush(Gdiplus::Color(0xFFFFFFFF)))
    , m_nFontStyle(Gdiplus::FontStyleRegular)
    , m_pFontFamily(nullptr)
    , m_nAlign(0)
    , m_nVAlign(4)
    , m_textRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit)
    , m_hFont(nullptr)
    , m_pImage(nullptr)
    , m_nFrameWidth(0)
    , m_nFrameHeight(0)
    , m_nFrameCount(4)
{
}

MControlFont::~MControlFont()
{
    ClearGDIFont();
    delete m_pTextBrush;
    delete m_pFontFamily;
}

void MControlFont::SetTextFont(std::wstring name) { m_strFontName = std::move(name); }

void MControlFont::SetTextColor(Gdiplus::Color colour)
{
    m_textColor = colour.GetValue();
    delete m_pTextBrush;
    m_pTextBrush = new Gdiplus::SolidBrush(colour);
}

int MControlFont::SetImage(UINT id, std::wstring type, int count)
{
    if (m_pManager == nullptr)
        return 0;
    ImgResInfo* entry = m_pManager->AddImgResInfo(id, std::move(type), count, 1);
    if (entry == nullptr)
        return 0;
    m_nFrameCount = count;
    m_pImage = entry->m_image;
    m_nFrameWidth = entry->m_frameWidth;
    m_nFrameHeight = entry->m_frameHeight;
    UpdateControl(1, 0);
    return 1;
}

int MControlFont::SetImage(const wchar_t* name, int count)
{
    if (m_pManager == nullptr)
        return 0;
    ImgResInfo* entry = m_pManager->AddImgResInfo(name, count);
    if (entry == nullptr)
        return 0;
    m_nFrameCount = count;
    m_pImage = entry->m_image;
    m_nFrameWidth = entry->m_frameWidth;
    m_nFrameHeight = entry->m_frameHeight;
    UpdateControl(1, 0);
    return 1;
}

void MControlFont::SetControlTitle(const wchar_t* title) { m_strTitle = title != nullptr ? title : L""; }
std::wstring MControlFont::GetControlTitle() { return m_strTitle; }

void MControlFont::SetTitle(const wchar_t* title)
{
    ClearGDIFont();
    SetControlTitle(title);
    UpdateControl(1, 0);
}

std::wstring MControlFont::GetTitle() { return GetControlTitle(); }

void MControlFont::SetAlignment(UINT hAlign)
{
    if (hAlign == m_nAlign)
        return;
    m_nAlign = hAlign;
    UpdateControl(1, 0);
}

void MControlFont::SetVAlignment(UINT vAlign)
{
    if (vAlign == m_nVAlign)
        return;
    m_nVAlign = vAlign;
    UpdateControl(1, 0);
}

void MControlFont::SetAlignment(UINT hAlign, UINT vAlign)
{
    if (hAlign == m_nAlign && vAlign == m_nVAlign)
        return;
    m_nAlign = hAlign;
    m_nVAlign = vAlign;
    UpdateControl(1, 0);
}

void MControlFont::GetAlignment(UINT& hAlign, UINT& vAlign) const
{
    hAlign = m_nAlign;
    vAlign = m_nVAlign;
}

void MControlFont::SetFont(std::wstring name, int size, int style)
{
    m_strFontName = std::move(name);
    m_nFontSize = size;
    m_nFontStyle = style;
}

std::wstring MControlFont::GetTextFont() const { return m_strFontName; }
void MControlFont::SetFontStyle(int style) { m_nFontStyle = style; }
int MControlFont::GetFontStyle() const { return m_nFontStyle; }
void MControlFont::SetFontWidth(int size) { m_nFontSize = size; }
int MControlFont::GetFontWidth() const { return m_nFontSize; }
void MControlFont::SetTextRenderingHint(Gdiplus::TextRenderingHint hint) { m_textRenderingHint = hint; }
Gdiplus::TextRenderingHint MControlFont::GetTextRenderingHint() const { return m_textRenderingHint; }
Gdiplus::Color MControlFont::GetTextColor() const { return Gdiplus::Color(m_textColor); }
Gdiplus::SolidBrush* MControlFont::GetTextBrush() const { return m_pTextBrush; }

Gdiplus::FontFamily* MControlFont::GetFontFamily(const wchar_t* name)
{
    if (m_pManager == nullptr)
        return nullptr;
    Gdiplus::FontFamily* family = m_pManager->FindTempFont(name);
    if (family == nullptr)
        return nullptr;
    delete m_pFontFamily;
    m_pFontFamily = family->Clone();
    return m_pFontFamily;
}

HFONT MControlFont::GetGDIFont()
{
    if (m_hFont != nullptr)
        return m_hFont;
    LOGFONTW font{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
    const std::wstring face = Manager::GetFontName().substr(0, kMaxFaceLength);
    std::wmemset(font.lfFaceName, L'\0', LF_FACESIZE);
    std::wmemcpy(font.lfFaceName, face.c_str(), face.size());
    font.lfHeight = -m_nFontSize;
    font.lfCharSet = DEFAULT_CHARSET;
    if (m_nFontStyle & kBold)
        font.lfWeight += FW_BOLD;
    font.lfUnderline = (m_nFontStyle & kUnderline) ? TRUE : FALSE;
    font.lfItalic = (m_nFontStyle & kItalic) ? TRUE : FALSE;
    m_hFont = CreateFontIndirectW(&font);
    return m_hFont;
}

void MControlFont::ClearGDIFont()
{
    if (m_hFont != nullptr) {
        DeleteObject(m_hFont);
        m_hFont = nullptr;
    }
}

SIZE MControlFont::GetImageSize() const { return SIZE{m_nFrameWidth, m_nFrameHeight}; }
void MControlFont::SetImageCount(int count) { m_nFrameCount = count; }
int MControlFont::GetImageCount() const { return m_nFrameCount; }
Gdiplus::Image* MControlFont::GetImage() const { return m_pImage; }
std::wstring MControlFont::GetImagePath() const { return m_strImagePath; }

} // namespace Lumo
