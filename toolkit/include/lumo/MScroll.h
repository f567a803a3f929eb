#pragma once

#include "lumo/Export.h"
#include "lumo/MControlFont.h"
#include "lumo/Platform.h"

namespace Lumo {

// A windowless scroll bar's range and position: a position from 0 to the
// maximum range, a page size (the visible share; 0 derives it from the bar's
// length) and a row step. The orientations CScrollVertical and
// CScrollHorizontal lay out and draw the thumb and take the mouse.
//
// Every move the user makes (dragging the thumb, clicking beside it) is
// reported to the parent as OnBaseMessage(id, 8, new position, 0); moves made
// by the program (ScrollRow and the setters) send nothing.
class LUMO_API MScroll : public MControlFont {
public:
    MScroll(MObject* parent, UINT id, RECT rect, int visible);

    // --- Virtual operations added after MControlFont's, in slot order ---
    // Moves the thumb by `delta` pixels along the bar; returns the distance
    // moved. The base bar has no geometry and returns 0.
    virtual int MoveRange(int delta);
    // Lays the thumb out from the position; returns the position.
    virtual int SetRange();
    // The same, measuring the position against the maximum less the bar's
    // length (content whose maximum is a pixel size). Vertical bars only.
    virtual int SetRangeEx();

    int DrawControl(HDC& hdc, RECT clip) override; // draws nothing
    void SetControlRect(RECT rect) override; // then SetRange()

    int GetScrollMaxRange() const;
    int GetScrollCurrentPos() const;
    int IsChangeing() const; // 1 while a user move is being reported
    // A new maximum; a derived page size is derived again.
    int SetScrollMaxRange(int maxRange);
    // A non-zero page replaces the derived one; a non-zero step replaces the row step.
    int SetScrollSize(int page, int step);
    int SetScrollInfo(int maxRange, int position, int page, int step);
    int SetScrollCurrentPos(int position); // then SetRange()
    int SetScrollCurrentPosEx(int position); // then SetRangeEx()
    // The position that puts the thumb at the end of the track; the thumb
    // moves at the next layout.
    int SetScrollFinalPos();
    // Moves the position by rows × row step within 0 … maximum; 1 when it
    // changed. Sends nothing.
    int ScrollRow(int rows);

    int GetScrollPageSize() const;
    int GetScrollRowStep() const;
    RECT GetThumbRect() const;
    int GetThumbState() const; // 0 normal, 1 mouse over the thumb, 2 dragged
    int IsThumbShown() const; // page < maximum: the bar draws and takes the mouse

protected:
    enum ThumbState { ThumbNormal = 0, ThumbHover = 1, ThumbDragged = 2 };

    // The shared geometry and mouse handling of both orientations.
    int LayOutThumb(bool vertical, bool againstHidden);
    int MoveThumb(bool vertical, int delta);
    int MouseMove(bool vertical, POINT point);
    int MouseDown(bool vertical, POINT point);
    int MouseUp(POINT point);
    bool ChangeThumbState(int state);
    int ThumbStartAlong(bool vertical) const;
    int ThumbLengthAlong(bool vertical) const;

    int m_nReserved;
    int m_nThumbState;
    int m_bMouseInside;
    int m_bThumbShown;
    int m_nArrowLength;
    int m_nMaxRange;
    int m_nCurrentPos;
    int m_nPageSize;
    int m_nRowStep;
    RECT m_rcThumb;
    int m_bPageDerived;
    int m_bChanging;
    int m_nDragAnchor; // mouse coordinate along the bar at the last drag step; -1 without a drag
};

} // namespace Lumo
