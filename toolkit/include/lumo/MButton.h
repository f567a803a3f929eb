#pragma once

#include "lumo/Export.h"
#include "lumo/MControlFont.h"
#include "lumo/Platform.h"

namespace Lumo {

// A four-state skin button with a caption. The skin image holds the frames
// normal, hover, pressed and disabled side by side (SetImage(name, 4)); each
// is stretched over the button as a nine-grid. All four states are rendered
// into the cache at once, so hover and press only pick another slot.
//
// Notifies its parent with code 1 when the left button goes down on it and
// code 2 when the button is released over it after that press.
class LUMO_API MButton : public MControlFont {
public:
    enum State { Normal = 0, Hover = 1, Pressed = 2, Disabled = 3 };

    MButton(MObject* parent, UINT id, RECT rect, const wchar_t* title, int visible, int enabled);
    ~MButton() override;

    const wchar_t* GetClassNameW() const override; // "MButton"
    int DrawControl(HDC& hdc, RECT clip) override;
    // State 3 when disabled, 0 when enabled again.
    void SetControlEnabled(int enabled) override;
    int OnControlMouseMove(UINT flags, POINT point) override;
    int OnControlLButtonDown(UINT flags, POINT point) override;
    int OnControlLButtonUp(UINT flags, POINT point) override;

    // Border of the nine-grid stretch of each frame (default 8); no repaint.
    void SetFrameSize(int border);
    // Caption box relative to the button's top-left corner; empty means the
    // whole button. No repaint.
    void SetTextRect(RECT rect);
    // A second image of its own (not cached), for buttons that draw an icon:
    // `count` frames side by side. Returns whether it loaded.
    int SetIconImage(const wchar_t* name, int count);
    int GetState() const;

protected:
    // Reports a state change (the slots are already rendered); returns
    // whether the state changed.
    bool ChangeState(int state);
    void Render(HDC cache, int width, int height);

    int m_nState;
    int m_nFrameBorder;
    Gdiplus::Image* m_pIconImage; // owned
    int m_nIconFrameWidth;
    int m_nIconFrameHeight;
    int m_nIconFrameCount;
    RECT m_rcIcon;
    RECT m_rcText;
};

} // namespace Lumo
