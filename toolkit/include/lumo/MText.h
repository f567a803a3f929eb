#pragma once

#include "lumo/Export.h"
#include "lumo/MControlFont.h"
#include "lumo/Platform.h"

#include <string>

namespace Lumo {

// A text label: the title drawn with GDI+ in the control's font and colour,
// placed by its alignments, on one line or wrapped over several, over the
// window content beneath it or over a background colour of its own. It takes
// no input but consumes the mouse wheel over it.
class LUMO_API MText : public MControlFont {
public:
    // Enabled 0: a label takes no clicks.
    MText(MObject* parent, UINT id, RECT rect, const wchar_t* text, int visible);

    const wchar_t* GetClassNameW() const override; // "MText"
    int DrawControl(HDC& hdc, RECT clip) override;
    int OnControlScroll(int steps, UINT down, POINT point) override; // 1: the wheel stops here
    // Passed to OnMessage; returns 0.
    LRESULT OnBaseMessage(UINT id, UINT code, WPARAM wparam, LPARAM lparam) override;
    // Repaints when its child scroll bar 1 moved (code 8).
    LRESULT OnMessage(UINT id, UINT code, WPARAM wparam, LPARAM lparam) override;

    // These store their flag only; the next repaint shows them.
    void EnableMultiLine(int enable); // wrap over several lines
    void EnableVCenter(int enable); // centre wrapped text vertically
    void EnableShadow(int enable); // kept, not drawn
    // A background fill behind the text. Flag and colour are stored only when
    // the flag changes; the label repaints when visible in every case.
    void EnableTextBack(int enable, Gdiplus::Color colour);

    // The mark text is kept for callers and not drawn. Each setter repaints
    // when visible and something changed; a null text changes nothing and
    // returns 0, otherwise 1.
    int SetMarkText(const wchar_t* mark);
    int SetMarkText(const wchar_t* mark, Gdiplus::Color colour, int enable);
    int SetMarkText(const wchar_t* title, const wchar_t* mark, Gdiplus::Color colour, int enable);
    int SetTitleMarkText(const wchar_t* title, const wchar_t* mark, int enable);
    std::wstring GetMarkText() const;
    int GetVirtualHeight() const; // 0

    int IsMultiLine() const;
    int IsVCenter() const;
    int IsTextBack() const;

private:
    int StoreMark(const wchar_t* title, const wchar_t* mark, const Gdiplus::Color* colour, const int* enable);
    void Render(HDC cache, int width, int height);

    int m_bTextBack;
    Gdiplus::ARGB m_textBackColor;
    int m_bMultiLine;
    int m_bVCenter;
    std::wstring m_strMark;
    Gdiplus::ARGB m_markColor;
    int m_bMark;
    int m_bShadow;
};

} // namespace Lumo
