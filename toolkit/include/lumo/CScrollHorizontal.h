#pragma once

#include "lumo/Export.h"
#include "lumo/ImgResInfo.h"
#include "lumo/MScroll.h"
#include "lumo/Platform.h"

#include <string>

namespace Lumo {

// A horizontal scroll bar: a thin line across the bar and a thumb. Its skin
// holds four frames one above the other: (unused), thumb normal, thumb under
// the mouse, thumb dragged; drawn as a three-slice stretch (6-pixel caps).
class LUMO_API CScrollHorizontal : public MScroll {
public:
    CScrollHorizontal(MObject* parent, UINT id, RECT rect, int visible);

    int MoveRange(int delta) override;
    int SetRange() override;
    // The library's PNG resource when the paint manager names one
    // (GetScrollHID), else "img_scroll_h.png" from the skin folder.
    void InitControl(PaintManager* manager) override;
    int DrawControl(HDC& hdc, RECT clip) override;
    int OnControlMouseMove(UINT flags, POINT point) override;
    int OnControlLButtonDown(UINT flags, POINT point) override;
    int OnControlLButtonUp(UINT flags, POINT point) override;
    // As the vertical bar's, with the four-frame layout.
    int SetImage(const wchar_t* name, int count) override;
    int SetImage(UINT id, std::wstring type, int count) override;

private:
    int TakeImage(ImgResInfo* entry);
};

} // namespace Lumo
