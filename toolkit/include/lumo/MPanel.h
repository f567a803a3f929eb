#pragma once

#include "lumo/Export.h"
#include "lumo/MControlFont.h"
#include "lumo/Platform.h"

namespace Lumo {

class CScrollHorizontal;
class CScrollVertical;

// The toolkit's container: a control that owns children (created by class
// name with its factory), a vertical scroll bar (child id 1) and a
// horizontal one (child id 2), and a virtual content size. Children are laid
// out in content coordinates: the scroll offset — the part of the content
// that does not fit, times the bar's position over its maximum — is added to
// mouse points and taken off repaint rectangles and drawing. The bars
// themselves do not scroll.
//
// Notifications of the children pass through OnMessage, which subclasses
// override to intercept them; what they do not handle continues to the
// panel's parent with the child's own id. The base panel places no scroll
// bars (subclasses do) and does not repaint on a bar's move (code 8).
class LUMO_API MPanel : public MControlFont {
public:
    MPanel(MObject* parent, UINT id, RECT rect, int visible);

    // --- Virtual operations added after MControlFont's, in slot order ---
    // Kind 0 with the panel as parent: appended to the panel's areas.
    virtual MControl* CreateArea(const wchar_t* className, UINT id, RECT rect, const wchar_t* text, int int1, int int2);
    // The container's factory: a control of the named class (exact,
    // case-sensitive), given the panel's paint manager when it has one;
    // kind 0 appends it to the panel's areas, 1 to its controls, any other
    // kind nowhere (the caller owns it then). Null for an unknown name.
    virtual MControl* CreateControl(UINT kind, MObject* parent, const wchar_t* className, UINT id, RECT rect,
        const wchar_t* text, int int1, int int2);
    // Kind 1 with the panel as parent.
    virtual MControl* CreateControl(
        const wchar_t* className, UINT id, RECT rect, const wchar_t* text, int int1, int int2);
    virtual int OnControlKeyUp(UINT key, UINT repeat, UINT flags); // 0

    // --- Overrides ---
    LRESULT OnBaseMessage(UINT id, UINT code, WPARAM wparam, LPARAM lparam) override; // OnMessage
    // Redraws the child and what lies above it inside the panel.
    LRESULT OnControlUpdate(RECT rect, int rebuild, MControl* control) override;
    void InitControl(PaintManager* manager) override; // attaches the scroll bars too
    int DrawControl(HDC& hdc, RECT clip) override; // draws nothing
    // The children in list order, moved by the scroll offset and cut to the
    // panel; the scroll bars neither move nor are cut.
    int DrawSubControls(HDC& hdc, RECT clip) override;
    int OnMousePointChange(POINT& point) override;
    int OnCheckMouseResponse(UINT flags, POINT point) override; // 1
    LRESULT OnWindowMessage(UINT msg, WPARAM wparam, LPARAM lparam) override;
    // Base behaviour: the parent's OnBaseMessage with the same arguments.
    LRESULT OnMessage(UINT id, UINT code, WPARAM wparam, LPARAM lparam) override;
    void SetControlRect(RECT rect) override; // stores only
    void SetControlVisible(int visible) override;
    void SetControlWndVisible(int visible) override;
    void SetControlEnabled(int enabled) override; // and every child's
    // One row of the vertical bar per wheel step while the content is taller
    // than the panel; also takes the step at the end of the range.
    int OnControlScroll(int steps, UINT down, POINT point) override;
    // No cursor and no accelerator of its own: 0.
    int OnControlSetCursor(UINT flags, POINT point) override;
    int OnControlKeyDown(UINT key, UINT repeat, UINT flags) override;

    // --- Own operations (no repaint) ---
    void SetVirtualHeight(int height);
    int GetVirtualHeight() const;
    void SetVirtualWidth(int width);
    int GetVirtualWidth() const;
    void SetEnableScroll(int enable);
    int GetEnableScroll() const;
    CScrollVertical* GetScrollVertical() const;
    CScrollHorizontal* GetScrollHorizontal() const;
    // The content offset; 0 along a side where the content fits.
    int GetScrollOffsetX() const;
    int GetScrollOffsetY() const;

protected:
    int m_nReservedState;
    int m_bAttached;
    int m_nVirtualHeight;
    int m_nVirtualWidth;
    CScrollVertical* m_pScrollVertical;
    CScrollHorizontal* m_pScrollHorizontal;
    int m_nScrollBarThickness;
    int m_bEnableScroll;

private:
    POINT m_ptDrawnOffset; // the offset the children's caches were rendered at
};

} // namespace Lumo
