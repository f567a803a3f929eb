#pragma once

#include "lumo/Export.h"
#include "lumo/MObject.h"
#include "lumo/MWindow.h"
#include "lumo/PaintManager.h"
#include "lumo/Platform.h"
#include "lumo/Types.h"

#include <string>
#include <vector>

namespace Lumo {

class MControl;

// Base of every skinned top-level window: a window wrapper and a
// notification target at once, embedding the paint manager that owns, draws
// and serves its controls. It turns window messages into overridable event
// methods, makes the window borderless, and ends modal runs with result
// codes through the private message 0x442 (DoOK 1, DoCancel 2, DoClose 2,
// DoYes 6, DoNo 7).
//
// A program derives its dialogs from it (first base) and overrides the event
// methods; the toolkit calls them through the virtual slots below.
class LUMO_API MDialog : public MWindow, public MObject {
public:
    MDialog();
    ~MDialog() override;

    // --- Virtual operations of the MWindow part, in slot order ---
    LRESULT OnWindowMessage(UINT msg, WPARAM wparam, LPARAM lparam) override;
    int PreTranslateMessage(MSG* msg) override;
    int OnInitDialog() override; // binds the paint manager, then InitUI
    void OnDestroyMessage(HWND hwnd) override;
    // Screen point under a control for a bubble: its left edge (type 0 and
    // any other), centre (1) or right edge (2), at its bottom.
    virtual POINT GetAirBladderPoint(MControl* control, UINT type);
    virtual void OnMinimize();
    virtual void OnMaximize();
    virtual void InitUI(RECT client); // create the controls here
    virtual void UISize(RECT client); // lay them out here
    // Notifications of the dialog's controls.
    virtual LRESULT OnMessage(UINT id, UINT code, WPARAM wparam, LPARAM lparam);
    virtual LRESULT OnUserCloseWindow(WPARAM code, LPARAM lparam);
    virtual int OnCreate(CREATESTRUCTW* create);
    virtual int OnSize(UINT type, int width, int height);
    virtual int OnMouseMove(UINT keys, POINT point);
    virtual int OnMouseLeave(WPARAM wparam, LPARAM lparam);
    virtual int OnMouseHover(WPARAM wparam, LPARAM lparam);
    virtual int OnMouseWheel(UINT keys, short delta, POINT point);
    virtual int OnLButtonDown(UINT keys, POINT point);
    virtual int OnLButtonUp(UINT keys, POINT point);
    virtual int OnLButtonDblClk(UINT keys, POINT point);
    virtual int OnRButtonDown(UINT keys, POINT point);
    virtual int OnRButtonUp(UINT keys, POINT point);
    virtual int OnRButtonDblClk(UINT keys, POINT point);
    virtual int OnKeyDown(UINT key, UINT repeat, UINT flags);
    virtual int OnNcHitTest(POINT point);
    virtual int OnGetMinMaxInfo(MINMAXINFO* info);
    virtual int OnNcCalcSize(int calcValidRects, NCCALCSIZE_PARAMS* params);
    virtual int OnNcActivate(int active);
    virtual int OnWindowPosChanging(WINDOWPOS* position);
    virtual int OnWindowPosChanged(WINDOWPOS* position);
    virtual int OnPaint();
    virtual void OnTimer(UINT id);
    virtual int OnNcPaint();
    virtual int OnClose(); // its result cannot stop the close
    virtual int OnDestroy();
    virtual int PostNcDestroy(); // a dialog that owns itself deletes itself here

    // --- Virtual operations of the MObject part ---
    const wchar_t* GetClassNameW() const override; // "MDialog"
    LRESULT OnBaseMessage(UINT id, UINT code, WPARAM wparam, LPARAM lparam) override;
    LRESULT OnControlUpdate(RECT rect, int rebuild, MControl* control) override;

    // --- Forwarded to the paint manager ---
    int LoadBKImage(std::wstring file);
    int LoadBKImage(UINT id, std::wstring type);
    void SetBackMode(enumBackMode mode, int parameter);
    void SetScrollResID(UINT vertical, UINT horizontal);
    int SetSize(int size);
    int SetSharpness(UINT sharpness);
    int SetDarkness(UINT darkness);
    int SetPosition(int x, int y);
    int SetShadowColor(DWORD colour);
    void SetShadowImage(const wchar_t* file, RECT corners);
    void SetShadowImage(UINT id, RECT corners);
    void SetShadowShow(int show);
    void SetProgress(int percent, std::wstring text, RECT rect);
    void SetLayeredWindow(int layered);
    void EnableWndDrag(int enable);
    void EnableDrawInfo(int enable);
    void SetTooltip(std::wstring text, RECT rect);
    void ClearTooltip();
    MControl* GetControl(UINT id);
    std::vector<MControl*>* GetControls();
    void SetFocusControl(MControl* control);
    PaintManager* GetPaintManager();

    // --- Own operations ---
    // Controls by class name, owned by the paint manager, with this dialog as
    // parent; null for a name the factory does not know.
    MControl* CreateArea(const wchar_t* className, UINT id, RECT rect, const wchar_t* text, int int1, int int2);
    MControl* CreateControl(const wchar_t* className, UINT id, RECT rect, const wchar_t* text, int int1, int int2);
    void CreateShadow(int show, bool flag);
    // An empty rectangle shows the message in the default box above the
    // bottom of the client area.
    void SetMessage(std::wstring text, RECT rect, MsgLevel level);
    // 0 (nothing shown) when a coordinate of the point is 0.
    int SetAirBladderMsg(const wchar_t* text, POINT point, AIRBLADDER_TYPE type);
    UINT SetMTimer(UINT delay);
    void KillMTimer(UINT id);
    void DoOK();
    void DoCancel();
    void DoClose();
    void DoYes();
    void DoNo();
    void SetupBackTranslucent();
    void SetTooltipCtrlID(int id);
    int GetTooltipCtrlID() const;
    void SetupRegion(int corner);

protected:
    void PostResult(WPARAM code);

    PaintManager m_paintManager;
    RECT m_rcClient;
    COLORREF m_colorKey; // 0xFFFFFF: none
    DWORD m_nAlpha; // 255: none
    int m_nMessageOffset;
    int m_nTooltipCtrlID;
};

} // namespace Lumo
