#pragma once

#include "lumo/CriticalSection.h"
#include "lumo/Export.h"
#include "lumo/MObject.h"
#include "lumo/Platform.h"
#include "lumo/Types.h"

#include <functional>
#include <string>
#include <vector>

namespace Lumo {

class PaintManager;

// Abstract base of every windowless control. A control is painted by its
// window's PaintManager into the window's drawing context, receives the input
// the paint manager routes to it, and tells its parent about changes with
// OnControlUpdate (repaint a rectangle) and OnBaseMessage (an event).
//
// Children live in two owned lists: areas, drawn beneath the control's own
// drawing, and controls, drawn over it and receiving input. Each list has its
// own lock; locks are taken from the top of the tree downward.
//
// Rectangles are client coordinates of the hosting window, right and bottom
// exclusive. Event operations return non-zero when handled.
class LUMO_API MControl : public MObject {
public:
    MControl(MObject* parent, UINT id, RECT rect, int visible, int enabled, int responsive);
    MControl(const MControl&) = delete;
    MControl& operator=(const MControl&) = delete;

    // --- Virtual operations, in slot order (1-6 come from MObject) ---
    ~MControl() override; // deletes all children and both memory caches
    const wchar_t* GetClassNameW() const override; // "MControl"
    virtual void InitControl(PaintManager* manager); // attached to a paint manager
    // Wheel routing: one step toward the user (down 1) or away from it (0).
    virtual int OnScroll(int steps, UINT down, POINT point);
    virtual int PtInRect(POINT point); // 0 when hidden
    virtual int DrawControl(HDC& hdc, RECT clip) = 0; // the control's own drawing
    virtual int DrawSubControls(HDC& hdc, RECT clip);
    virtual int IsDraw(POINT point);
    // Marks the rendering valid or stale, and so every child it overlaps.
    virtual void SetUpdate(int valid, DWORD value);
    virtual int SetControlFocus(int focus);
    virtual void InitUI(RECT rect);
    // Containers move the point into content coordinates; non-zero if moved.
    virtual int OnMousePointChange(POINT& point);
    virtual int OnCheckMouseResponse(UINT flags, POINT point);
    // Raw window messages; non-zero consumes the message.
    virtual LRESULT OnWindowMessage(UINT msg, WPARAM wparam, LPARAM lparam);
    virtual LRESULT OnMessage(UINT id, UINT code, WPARAM wparam, LPARAM lparam);
    virtual void SetControlRect(RECT rect);
    virtual void SetControlVisible(int visible);
    virtual void SetControlWndVisible(int visible);
    virtual void SetControlEnabled(int enabled);
    virtual int OnControlTimer(); // non-zero: the appearance changed
    virtual HBITMAP GetControlDropBitmap(); // image dragged out of the window
    virtual int OnControlMouseMove(UINT flags, POINT point);
    virtual int OnControlSetCursor(UINT flags, POINT point);
    virtual int OnControlLButtonDown(UINT flags, POINT point);
    virtual int OnControlLButtonUp(UINT flags, POINT point);
    virtual int OnControlLButtonDblClk(UINT flags, POINT point);
    virtual int OnControlScroll(int steps, UINT down, POINT point);
    virtual int OnControlRButtonDown(UINT flags, POINT point);
    virtual int OnControlRButtonUp(UINT flags, POINT point);
    virtual int OnControlRButtonDblClk(UINT flags, POINT point);
    // 1 when an accelerator is set and key and modifiers match it.
    virtual int OnControlKeyDown(UINT key, UINT repeat, UINT flags);
    virtual void OnPositionChange();

protected:
    // The window area to repaint: the whole client area of a layered window.
    virtual void InvalidateRect(const RECT* rect, int erase);

public:
    // --- Geometry, visibility and state; changes are reported to the parent ---
    void SetRect(RECT rect);
    void SetRect(int x, int y, int width, int height);
    RECT GetRect() const;
    void SetVisible(int visible);
    void SetVisible(int visible, int redraw);
    int IsVisible() const;
    // Whether every container up to the dialog is visible.
    int IsParentVisible();
    void SetEnabled(int enabled);
    int IsEnabled() const;
    void UpdateControl(int rebuild, int force);
    void UpdateControl(RECT rect, int rebuild, int force);
    void UpdateAControl(int flag, int force);

    void SetManager(PaintManager* manager); // also calls InitControl
    PaintManager* GetManager() const;
    void SetParent(MObject* parent);
    MObject* GetParantObject() const;
    UINT GetControlID() const;

    void SetDragDrop(int dragDrop);
    int IsDragDrop() const;
    void SetRresponse(int responsive);
    int GetRresponse() const;
    void SetTabStop(int tabStop);
    int IsTabStop() const;
    void SetRunTimer(int runTimer);
    int IsRunTimer() const;
    int GetDblClk() const;
    int IsFocused() const;
    int GetUpdate() const; // 1 while the memory cache holds a valid rendering
    int GetAnimateUpdate() const;
    // Key and modifier code (0x10 Shift, 0x11 Ctrl, 0x12 Alt) of the
    // control's accelerator; 0 means none.
    void SetAcceleratorKey(UINT key, UINT modifiers);
    HBITMAP GetDropBitmap();
    std::vector<MControl*>* GetControls();
    void SetTooltipCtrlID(int id);
    int GetTooltipCtrlID() const;
    MControl* GetFocusControl(MControl* from);
    MControl* GetNextFocusableControl(MControl* from);
    MControl* GetPrevFocusableControl(MControl* from);

    // --- Children ---
    // Depth first: each control before its descendants, then the areas.
    MControl* GetControl(UINT id);
    // Appends an owned child: kind 0 to the areas, 1 to the controls; the
    // child gets this control's paint manager when it has one. Any other kind
    // appends nothing and leaves the child to the caller. Returns the child.
    MControl* AddControl(UINT kind, MControl* child);
    // Deletes a child of the control list; other pointers are ignored. Returns 0.
    int RemoveControl(MControl* child);
    void RemoveAllControl();

    // --- Painting ---
    // Areas overlapping the control, its own drawing, then its children.
    void Draw(HDC& hdc, RECT clip);
    // Makes the memory cache cx × cy (kept when the size is unchanged) and
    // marks it valid.
    void UpdateMemDC(HDC& ref, int cx, int cy);
    void UpdateAnimateDC(HDC& ref, int cx, int cy);
    HDC GetMemDC() const;
    HDC GetAnimateDC() const;

    // --- Input, routed by the paint manager and by each control to its children ---
    int OnMouseMove(UINT flags, POINT point);
    int OnLButtonDown(UINT flags, POINT point);
    int OnLButtonUp(UINT flags, POINT point);
    int OnLButtonDblClk(UINT flags, POINT point);
    int OnRButtonDown(UINT flags, POINT point);
    int OnRButtonUp(UINT flags, POINT point);
    int OnRButtonDblClk(UINT flags, POINT point);
    int OnKeyDown(UINT key, UINT repeat, UINT flags);
    int OnKeyUp(UINT key, UINT repeat, UINT flags);
    int OnTimer();
    int OnFocus(int focus);
    int IsFocusControl() const;
    // Drives OnTimer from the paint manager's animation timer.
    void AddMTimer();

    // --- Messages, cursor and tooltip ---
    // The parent's OnBaseMessage(id, code, wparam, lparam).
    LRESULT SendMessageW(UINT code, WPARAM wparam, LPARAM lparam);
    // "arrow", "wait", "cross", "sizewe", "sizens", "hand", "help"; any other
    // name keeps the cursor. Returns 0.
    int SetCursorEx(const wchar_t* name);
    HCURSOR GetCursorEx() const;
    void SetTooltip(const wchar_t* text);
    std::wstring GetTooltip() const;
    // Shows text now through the paint manager; the stored text is kept.
    void SetTooltip(std::wstring text, RECT rect);
    void ClearTooltip();

protected:
    // The rendering frame controls share: while the memory cache is stale it
    // is sized to the control, filled with the target's pixels beneath the
    // control and handed to `render` (cache, width, height); then the cache is
    // copied to the control's place. 0 for an empty rectangle, else 1.
    int DrawCachedRendering(HDC& hdc, const std::function<void(HDC cache, int width, int height)>& render);

    int IsKeyDown() const;
    int UseImageECM() const;
    int PositionItem2Value(const FS_POSITION_ITEM& item, int start, int end);
    void ReportUpdate(RECT rect, int rebuild);

    // An off-screen bitmap selected into a memory DC.
    struct DcCache {
        SIZE size{0, 0};
        HBITMAP bitmap = nullptr;
        HDC dc = nullptr;
        HGDIOBJ previous = nullptr;
        void Recreate(HDC ref, int cx, int cy);
        void Release();
    };

    MObject* m_pParent;
    PaintManager* m_pManager;
    UINT m_nID;
    RECT m_rcItem;
    int m_bVisible;
    int m_bEnabled;
    int m_bDragDrop;
    int m_bResponse;
    int m_bTabStop;
    int m_nReserved1;
    int m_bDblClk; // double-click aware; otherwise a double click is a second press
    int m_bPressedInside; // mouse capture inside the tree while set
    int m_bKeyDown;
    int m_nReserved2;
    int m_bFocused;
    UINT m_nAccelKey;
    UINT m_nAccelModifiers;
    int m_bUpdate;
    int m_bAnimateUpdate;
    int m_bRunTimer;
    int m_bAnimating;
    int m_bImageECM;
    std::vector<MControl*> m_areas;
    std::vector<MControl*> m_controls;
    CriticalSection m_areaLock;
    CriticalSection m_controlLock;
    MControl* m_pHoverChild;
    DcCache m_memCache;
    DcCache m_animateCache;
    std::wstring m_strTooltip;
    HCURSOR m_hCursor;

private:
    POINT ChildPoint(const MControl* child, POINT original, POINT translated) const;
    int RouteButtonDown(UINT flags, POINT point, bool left);
    int RouteButtonUp(UINT flags, POINT point, bool left);
    int RouteDoubleClick(UINT flags, POINT point, bool left);
};

} // namespace Lumo
