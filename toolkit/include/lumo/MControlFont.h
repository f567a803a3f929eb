#pragma once

#include "lumo/Export.h"
#include "lumo/MControl.h"
#include "lumo/Platform.h"

#include <string>

namespace Lumo {

// Abstract base of every control that shows text or a skin image: the title,
// the text font and colour, alignment, the GDI+ rendering hint, a lazily made
// GDI font, and the skin image from the paint manager's cache with its frame
// size and count. It draws nothing itself.
class LUMO_API MControlFont : public MControl {
public:
    MControlFont(MObject* parent, UINT id, RECT rect, const wchar_t* title, int visible, int enabled, int responsive);
    ~MControlFont() override;

    // --- Virtual operations added after MControl's, in slot order ---
    virtual void SetTextFont(std::wstring name);
    // Stores the colour and makes a new text brush; no repaint.
    virtual void SetTextColor(Gdiplus::Color colour);
    // Image from a resource of the program's module, through the cache.
    virtual int SetImage(UINT id, std::wstring type, int count);
    // Image from the skin folder, through the cache. 0 without a paint manager
    // or when the file does not load; the previous image is kept then.
    virtual int SetImage(const wchar_t* name, int count);
    virtual void SetControlTitle(const wchar_t* title); // null stores an empty title
    virtual std::wstring GetControlTitle();

    // Reports a repaint whenever visible, even for the same text.
    void SetTitle(const wchar_t* title);
    std::wstring GetTitle();
    // Horizontal 0 left, 1 centre, 2 right; vertical 0 top, 4 centre, 8
    // bottom. Report only when a value changes.
    void SetAlignment(UINT hAlign);
    void SetVAlignment(UINT vAlign);
    void SetAlignment(UINT hAlign, UINT vAlign);
    void GetAlignment(UINT& hAlign, UINT& vAlign) const;
    // Stores face, size and style (FontStyle bits); the GDI font is kept until
    // ClearGDIFont or SetTitle.
    void SetFont(std::wstring name, int size, int style);
    std::wstring GetTextFont() const;
    void SetFontStyle(int style);
    int GetFontStyle() const;
    void SetFontWidth(int size);
    int GetFontWidth() const;
    void SetTextRenderingHint(Gdiplus::TextRenderingHint hint);
    Gdiplus::TextRenderingHint GetTextRenderingHint() const;
    Gdiplus::Color GetTextColor() const;
    Gdiplus::SolidBrush* GetTextBrush() const;
    // The paint manager's family for `name` (a private font or an installed
    // one), kept as the control's copy; null without one.
    Gdiplus::FontFamily* GetFontFamily(const wchar_t* name);
    // The GDI font of the toolkit's face at this control's size and style.
    HFONT GetGDIFont();
    void ClearGDIFont();
    SIZE GetImageSize() const; // frame width and height
    void SetImageCount(int count); // stores the count only
    int GetImageCount() const;
    Gdiplus::Image* GetImage() const;
    std::wstring GetImagePath() const;

protected:
    std::wstring m_strTitle;
    std::wstring m_strFontName;
    std::wstring m_strImagePath;
    int m_nFontSize;
    Gdiplus::ARGB m_textColor;
    Gdiplus::SolidBrush* m_pTextBrush;
    int m_nFontStyle;
    Gdiplus::FontFamily* m_pFontFamily;
    UINT m_nAlign;
    UINT m_nVAlign;
    Gdiplus::TextRenderingHint m_textRenderingHint;
    HFONT m_hFont;
    Gdiplus::Image* m_pImage; // owned by the paint manager's cache
    int m_nFrameWidth;
    int m_nFrameHeight;
    int m_nFrameCount;
};

} // namespace Lumo
