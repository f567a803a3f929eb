#pragma once

#include "lumo/Export.h"
#include "lumo/ImgResInfo.h"
#include "lumo/MScroll.h"
#include "lumo/Platform.h"

#include <string>

namespace Lumo {

// A vertical scroll bar. Its skin holds three frames side by side: the
// track, the thumb under the mouse and the thumb in every other state; each
// is drawn as a three-slice stretch (6-pixel caps) along the bar.
class LUMO_API CScrollVertical : public MScroll {
public:
    CScrollVertical(MObject* parent, UINT id, RECT rect, int visible);

    int MoveRange(int delta) override;
    int SetRange() override;
    int SetRangeEx() override;
    // The library's PNG resource when the paint manager names one
    // (GetScrollVID), else "img_scroll_v.png" from the skin folder.
    void InitControl(PaintManager* manager) override;
    int DrawControl(HDC& hdc, RECT clip) override;
    int OnControlMouseMove(UINT flags, POINT point) override;
    int OnControlLButtonDown(UINT flags, POINT point) override;
    int OnControlLButtonUp(UINT flags, POINT point) override;
    // The image comes from the paint manager's cache; the frame size follows
    // the three-frame layout whatever `count` says. 0 without a paint manager
    // or when the image does not load.
    int SetImage(const wchar_t* name, int count) override;
    // Resource `id` of `type` in the toolkit library itself.
    int SetImage(UINT id, std::wstring type, int count) override;

private:
    int TakeImage(ImgResInfo* entry);
};

} // namespace Lumo
