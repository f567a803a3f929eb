// Routing, change reporting and ownership of the control base, with probe
// controls that record what reaches their hooks.
#include "ToolkitTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using ToolkitTest::RecordingParent;

class Probe : public Lumo::MControl {
public:
    Probe(Lumo::MObject* parent, UINT id, RECT rect, std::vector<std::string>* journal = nullptr)
        : MControl(parent, id, rect, 1, 1, 1)
        , m_journal(journal)
    {
    }
    ~Probe() override
    {
        if (m_deleted != nullptr)
            *m_deleted = true;
    }

    int DrawControl(HDC&, RECT) override
    {
        Note("draw");
        return 1;
    }
    int OnControlMouseMove(UINT, POINT p) override
    {
        moves.push_back(p);
        return 0;
    }
    int OnControlLButtonDown(UINT, POINT p) override
    {
        downs.push_back(p);
        return 1;
    }
    int OnControlLButtonUp(UINT, POINT p) override
    {
        ups.push_back(p);
        return 1;
    }
    int OnControlLButtonDblClk(UINT, POINT p) override
    {
        doubleClicks.push_back(p);
        return 1;
    }
    int OnControlKeyDown(UINT key, UINT repeat, UINT flags) override
    {
        if (MControl::OnControlKeyDown(key, repeat, flags)) {
            keys.push_back(key);
            return 1;
        }
        return takesKeys ? (keys.push_back(key), 1) : 0;
    }
    int OnControlTimer() override
    {
        ++ticks;
        return 1;
    }
    int SetControlFocus(int focus) override
    {
        focusCalls.push_back(focus);
        return MControl::SetControlFocus(focus);
    }

    void Note(const char* what)
    {
        if (m_journal != nullptr)
            m_journal->push_back(what + std::string(" ") + std::to_string(GetControlID()));
    }
    void WatchDeletion(bool* flag) { m_deleted = flag; }
    void SetDoubleClickAware(int aware) { m_bDblClk = aware; }
    void SetFocusedFlag(int focused) { m_bFocused = focused; }
    using MControl::PositionItem2Value;

    std::vector<POINT> moves, downs, ups, doubleClicks;
    std::vector<UINT> keys;
    std::vector<int> focusCalls;
    int ticks = 0;
    bool takesKeys = false;

private:
    std::vector<std::string>* m_journal;
    bool* m_deleted = nullptr;
};

// A container whose content is scrolled down by 100 pixels.
class ScrolledContainer : public Probe {
public:
    using Probe::Probe;
    int OnMousePointChange(POINT& point) override
    {
        point.y += 100;
        return 1;
    }
};

RECT Rect(int l, int t, int r, int b) { return RECT{l, t, r, b}; }
bool Same(POINT a, POINT b) { return a.x == b.x && a.y == b.y; }

TEST(MControlRouting, OverlappingChildrenTheLaterOneTakesThePressAndRelease)
{
    Probe root(nullptr, 100, Rect(0, 0, 200, 200));
    auto* first = new Probe(&root, 1001, Rect(10, 10, 100, 100));
    auto* second = new Probe(&root, 1002, Rect(50, 50, 150, 150));
    root.AddControl(1, first);
    root.AddControl(1, second);

    EXPECT_EQ(root.OnLButtonDown(MK_LBUTTON, POINT{60, 60}), 1);
    EXPECT_EQ(root.OnLButtonUp(0, POINT{60, 60}), 1);
    EXPECT_TRUE(first->downs.empty());
    EXPECT_TRUE(first->ups.empty());
    ASSERT_EQ(second->downs.size(), 1u);
    ASSERT_EQ(second->ups.size(), 1u);
    EXPECT_TRUE(root.downs.empty()); // a child took it
}

TEST(MControlRouting, PressedInsideKeepsMovesAndTheReleaseOnThePressedChild)
{
    Probe root(nullptr, 100, Rect(0, 0, 200, 200));
    auto* child = new Probe(&root, 1001, Rect(10, 10, 50, 50));
    auto* other = new Probe(&root, 1002, Rect(100, 100, 190, 190));
    root.AddControl(1, child);
    root.AddControl(1, other);

    root.OnLButtonDown(MK_LBUTTON, POINT{20, 20});
    root.OnMouseMove(MK_LBUTTON, POINT{120, 120}); // dragged over the other child
    root.OnMouseMove(MK_LBUTTON, POINT{180, 30});
    root.OnLButtonUp(0, POINT{180, 30});
    ASSERT_EQ(child->moves.size(), 2u);
    EXPECT_TRUE(Same(child->moves[1], POINT{180, 30}));
    ASSERT_EQ(child->ups.size(), 1u);
    EXPECT_TRUE(other->moves.empty());

    // Released: moves go to whatever lies under the mouse again.
    root.OnMouseMove(0, POINT{120, 120});
    EXPECT_EQ(other->moves.size(), 1u);
}

TEST(MControlRouting, ScrollBarIdsGetTheUntranslatedPoint)
{
    ScrolledContainer panel(nullptr, 100, Rect(0, 0, 300, 300));
    auto* vertical = new Probe(&panel, 1, Rect(0, 0, 300, 300));
    auto* horizontal = new Probe(&panel, 2, Rect(0, 0, 300, 300));
    auto* content = new Probe(&panel, 7, Rect(0, 0, 300, 300));
    panel.AddControl(1, vertical);
    panel.AddControl(1, horizontal);
    panel.AddControl(1, content);

    panel.OnMouseMove(0, POINT{10, 10});
    ASSERT_EQ(vertical->moves.size(), 1u);
    ASSERT_EQ(horizontal->moves.size(), 1u);
    ASSERT_EQ(content->moves.size(), 1u);
    EXPECT_TRUE(Same(vertical->moves[0], POINT{10, 10}));
    EXPECT_TRUE(Same(horizontal->moves[0], POINT{10, 10}));
    EXPECT_TRUE(Same(content->moves[0], POINT{10, 110}));
}

TEST(MControlRouting, DoubleClickOnAControlThatIgnoresThemIsASecondPress)
{
    Probe root(nullptr, 100, Rect(0, 0, 200, 200));
    auto* plain = new Probe(&root, 1001, Rect(0, 0, 100, 100));
    auto* aware = new Probe(&root, 1002, Rect(100, 0, 200, 100));
    aware->SetDoubleClickAware(1);
    root.AddControl(1, plain);
    root.AddControl(1, aware);

    root.OnLButtonDown(MK_LBUTTON, POINT{10, 10});
    root.OnLButtonUp(0, POINT{10, 10});
    root.OnLButtonDblClk(MK_LBUTTON, POINT{10, 10});
    EXPECT_EQ(plain->downs.size(), 2u);
    EXPECT_TRUE(plain->doubleClicks.empty());

    root.OnLButtonDown(MK_LBUTTON, POINT{150, 10});
    root.OnLButtonUp(0, POINT{150, 10});
    root.OnLButtonDblClk(MK_LBUTTON, POINT{150, 10});
    EXPECT_EQ(aware->downs.size(), 1u);
    EXPECT_EQ(aware->doubleClicks.size(), 1u);
}

TEST(MControlRouting, HiddenOrUnresponsiveControlsTakeNoInput)
{
    Probe root(nullptr, 100, Rect(0, 0, 100, 100));
    root.SetRresponse(0);
    EXPECT_EQ(root.OnLButtonDown(MK_LBUTTON, POINT{5, 5}), 0);
    EXPECT_EQ(root.OnKeyDown('A', 1, 0), 0);
    root.SetRresponse(1);
    root.SetVisible(0);
    EXPECT_EQ(root.OnMouseMove(0, POINT{5, 5}), 0);
    EXPECT_TRUE(root.downs.empty());
    EXPECT_TRUE(root.moves.empty());
}

TEST(MControlRouting, KeysFollowTheFocusedChildAndAccelerators)
{
    Probe root(nullptr, 100, Rect(0, 0, 200, 200));
    auto* editor = new Probe(&root, 1001, Rect(0, 0, 50, 50));
    auto* field = new Probe(editor, 1002, Rect(0, 0, 50, 50));
    auto* button = new Probe(&root, 1003, Rect(60, 0, 100, 50));
    root.AddControl(1, editor);
    editor->AddControl(1, field);
    root.AddControl(1, button);
    button->SetAcceleratorKey('S', 0x11);

    // Without a focused child: the accelerator of a child takes it.
    EXPECT_EQ(root.OnKeyDown('S', 1, 0x11), 1);
    EXPECT_EQ(button->keys.size(), 1u);
    EXPECT_EQ(root.OnKeyDown('S', 1, 0x10), 0); // other modifiers

    // A chain of focused children takes every key.
    editor->SetFocusedFlag(1);
    field->SetFocusedFlag(1);
    field->takesKeys = true;
    EXPECT_EQ(root.OnKeyDown('S', 1, 0x11), 1);
    EXPECT_EQ(field->keys.size(), 1u);
    EXPECT_EQ(button->keys.size(), 1u);
    field->SetVisible(0);
    EXPECT_EQ(root.OnKeyDown('X', 1, 0), 0);
}

TEST(MControlRouting, TimersReachVisibleParticipantsOnly)
{
    Probe root(nullptr, 100, Rect(0, 0, 200, 200));
    auto* running = new Probe(&root, 1001, Rect(0, 0, 10, 10));
    auto* idle = new Probe(&root, 1002, Rect(0, 0, 10, 10));
    auto* hidden = new Probe(&root, 1003, Rect(0, 0, 10, 10));
    running->SetRunTimer(1);
    hidden->SetRunTimer(1);
    hidden->SetVisible(0);
    root.AddControl(1, running);
    root.AddControl(1, idle);
    root.AddControl(1, hidden);
    EXPECT_EQ(root.OnTimer(), 1);
    EXPECT_EQ(root.ticks, 1);
    EXPECT_EQ(running->ticks, 1);
    EXPECT_EQ(idle->ticks, 0);
    EXPECT_EQ(hidden->ticks, 0);
}

TEST(MControlTree, GetControlIsDepthFirstOverControlsThenAreas)
{
    Probe root(nullptr, 100, Rect(0, 0, 200, 200));
    auto* first = new Probe(&root, 5, Rect(0, 0, 10, 10));
    auto* grandchild = new Probe(first, 9, Rect(0, 0, 10, 10));
    auto* later = new Probe(&root, 9, Rect(0, 0, 10, 10));
    auto* area = new Probe(&root, 11, Rect(0, 0, 10, 10));
    root.AddControl(1, first);
    first->AddControl(1, grandchild);
    root.AddControl(1, later);
    root.AddControl(0, area);
    EXPECT_EQ(root.GetControl(9), grandchild);
    EXPECT_EQ(root.GetControl(11), area);
    EXPECT_EQ(root.GetControl(5), first);
    EXPECT_EQ(root.GetControl(77), nullptr);
    // Kind 2 appends nowhere: the caller keeps it.
    Probe loose(nullptr, 12, Rect(0, 0, 1, 1));
    EXPECT_EQ(root.AddControl(2, &loose), &loose);
    EXPECT_EQ(root.GetControl(12), nullptr);
}

TEST(MControlTree, RemoveControlDeletesTheChildAndDropsTheFocus)
{
    Lumo::PaintManager manager;
    Probe root(nullptr, 100, Rect(0, 0, 200, 200));
    root.SetManager(&manager);
    auto* child = new Probe(&root, 1001, Rect(0, 0, 50, 50));
    bool deleted = false;
    child->WatchDeletion(&deleted);
    root.AddControl(1, child);
    EXPECT_EQ(child->GetManager(), &manager);

    root.OnLButtonDown(MK_LBUTTON, POINT{300, 300}); // outside every child: the root takes the focus
    EXPECT_EQ(manager.GetFocusControl(), &root);
    manager.SetFocusControl(child);
    EXPECT_EQ(root.focusCalls.back(), 0);
    EXPECT_EQ(child->focusCalls.back(), 1);

    Probe stranger(nullptr, 1002, Rect(0, 0, 1, 1));
    EXPECT_EQ(root.RemoveControl(&stranger), 0); // not a child: ignored
    EXPECT_FALSE(deleted);
    EXPECT_EQ(root.RemoveControl(child), 0);
    EXPECT_TRUE(deleted);
    EXPECT_EQ(manager.GetFocusControl(), nullptr);
    EXPECT_TRUE(root.GetControls()->empty());
}

TEST(MControlTree, DeletedControlIsForgottenByItsManager)
{
    Lumo::PaintManager manager;
    auto* control = new Probe(nullptr, 5, Rect(0, 0, 10, 10));
    control->SetManager(&manager);
    manager.SetFocusControl(control);
    control->AddMTimer();
    control->AddMTimer();
    delete control;
    EXPECT_EQ(manager.GetFocusControl(), nullptr);
    EXPECT_EQ(manager.DeleteFSTimer(control), 0); // no stale entry left in the animation list
}

TEST(MControlPainting, AreasThenOwnDrawingThenChildrenInsideTheClip)
{
    std::vector<std::string> journal;
    Probe root(nullptr, 1, Rect(0, 0, 100, 100), &journal);
    root.AddControl(0, new Probe(&root, 2, Rect(0, 0, 100, 100), &journal));
    root.AddControl(0, new Probe(&root, 3, Rect(200, 200, 300, 300), &journal)); // outside the control
    root.AddControl(1, new Probe(&root, 4, Rect(10, 10, 20, 20), &journal));
    auto* hidden = new Probe(&root, 5, Rect(10, 10, 20, 20), &journal);
    hidden->SetVisible(0);
    root.AddControl(1, hidden);
    root.AddControl(1, new Probe(&root, 6, Rect(50, 50, 60, 60), &journal));

    ToolkitTest::DibCanvas canvas(100, 100);
    root.Draw(canvas.Dc(), Rect(0, 0, 100, 100));
    EXPECT_EQ(journal, (std::vector<std::string>{"draw 2", "draw 1", "draw 4", "draw 6"}));

    journal.clear();
    root.Draw(canvas.Dc(), Rect(150, 150, 160, 160)); // the clip misses the control
    EXPECT_TRUE(journal.empty());
}

TEST(MControlPainting, MemoryCacheIsKeptForTheSameSize)
{
    Probe control(nullptr, 1, Rect(0, 0, 40, 20));
    ToolkitTest::DibCanvas canvas(40, 20);
    EXPECT_EQ(control.GetUpdate(), 0);
    control.UpdateMemDC(canvas.Dc(), 40, 20);
    EXPECT_EQ(control.GetUpdate(), 1);
    HDC dc = control.GetMemDC();
    ASSERT_NE(dc, nullptr);
    HGDIOBJ bitmap = GetCurrentObject(dc, OBJ_BITMAP);
    BITMAP info{};
    GetObjectW(bitmap, sizeof(info), &info);
    EXPECT_EQ(info.bmWidth, 40);
    EXPECT_EQ(info.bmBitsPixel, 32); // compatible with the 32-bit canvas

    control.SetUpdate(0, 0);
    control.UpdateMemDC(canvas.Dc(), 40, 20);
    EXPECT_EQ(GetCurrentObject(control.GetMemDC(), OBJ_BITMAP), bitmap);
    control.UpdateMemDC(canvas.Dc(), 80, 20);
    GetObjectW(GetCurrentObject(control.GetMemDC(), OBJ_BITMAP), sizeof(info), &info);
    EXPECT_EQ(info.bmWidth, 80);
}

TEST(MControlReporting, SetVisibleReportsRebuildAlsoWhenHiding)
{
    RecordingParent parent;
    Probe control(&parent, 3, Rect(10, 20, 30, 40));
    control.SetVisible(0);
    ASSERT_EQ(parent.updates.size(), 1u);
    EXPECT_TRUE(ToolkitTest::SameRect(parent.updates[0].rect, Rect(10, 20, 30, 40)));
    EXPECT_EQ(parent.updates[0].rebuild, 1);
    EXPECT_EQ(parent.updates[0].control, &control);
    control.SetVisible(0); // unchanged
    control.SetVisible(1, 0); // changed without redraw
    EXPECT_EQ(parent.updates.size(), 1u);
    EXPECT_EQ(control.IsVisible(), 1);
}

TEST(MControlReporting, GeometryEnabledStateAndEvents)
{
    RecordingParent parent;
    Probe control(&parent, 3, Rect(10, 10, 20, 20));
    control.SetRect(40, 40, 10, 10);
    ASSERT_EQ(parent.updates.size(), 1u);
    EXPECT_TRUE(ToolkitTest::SameRect(parent.updates[0].rect, Rect(10, 10, 50, 50))); // old and new together
    control.SetEnabled(1); // unchanged
    control.SetEnabled(0);
    ASSERT_EQ(parent.updates.size(), 2u);
    EXPECT_EQ(parent.updates[1].rebuild, 1);
    control.UpdateAControl(0, 0);
    EXPECT_EQ(parent.updates.back().rebuild, 0);
    EXPECT_EQ(control.GetAnimateUpdate(), 1);

    control.SetVisible(0);
    const size_t reports = parent.updates.size();
    control.SetEnabled(1); // hidden: no report
    control.UpdateControl(1, 0);
    EXPECT_EQ(parent.updates.size(), reports);
    control.UpdateControl(1, 1); // forced
    EXPECT_EQ(parent.updates.size(), reports + 1);

    EXPECT_EQ(control.SendMessageW(2, 7, 8), 0);
    ASSERT_EQ(parent.messages.size(), 1u);
    EXPECT_EQ(parent.messages[0].id, 3u);
    EXPECT_EQ(parent.messages[0].code, 2u);
    EXPECT_EQ(parent.messages[0].wparam, 7u);
}

TEST(MControlState, CursorNamesAreMatchedExactly)
{
    Probe control(nullptr, 1, Rect(0, 0, 50, 50));
    EXPECT_EQ(control.GetCursorEx(), nullptr);
    EXPECT_EQ(control.OnControlSetCursor(0, POINT{5, 5}), 0); // no cursor set
    control.SetCursorEx(L"hand");
    HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
    EXPECT_EQ(control.GetCursorEx(), hand);
    control.SetCursorEx(L"pointer");
    control.SetCursorEx(L"Hand");
    EXPECT_EQ(control.GetCursorEx(), hand);
    control.SetCursorEx(L"sizens");
    EXPECT_EQ(control.GetCursorEx(), LoadCursorW(nullptr, IDC_SIZENS));

    EXPECT_EQ(control.OnControlSetCursor(0, POINT{60, 60}), 0);
    EXPECT_EQ(control.OnControlSetCursor(0, POINT{5, 5}), 1);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_SIZENS));
}

TEST(MControlState, PositionItemsAndParentVisibility)
{
    Probe control(nullptr, 1, Rect(0, 0, 10, 10));
    EXPECT_EQ(control.PositionItem2Value(Lumo::FS_POSITION_ITEM{2, 0, 150.0f}, 0, 200), 200);
    EXPECT_EQ(control.PositionItem2Value(Lumo::FS_POSITION_ITEM{1, 1, 10.0f}, 0, 101), 40);
    EXPECT_EQ(control.IsParentVisible(), 0); // no parent

    Probe outer(nullptr, 2, Rect(0, 0, 10, 10));
    Probe inner(&outer, 3, Rect(0, 0, 10, 10));
    Probe leaf(&inner, 4, Rect(0, 0, 10, 10));
    RecordingParent window;
    outer.SetParent(&window);
    EXPECT_EQ(leaf.IsParentVisible(), 1);
    outer.SetVisible(0);
    EXPECT_EQ(leaf.IsParentVisible(), 0);
}

} // namespace
