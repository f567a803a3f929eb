#pragma once

#include <cstddef>

// The names the control factories answer to, in the order they are compared,
// with the arguments each class's constructor takes and which factory accepts
// it. Plain data without Windows headers, so it is tested natively; the
// constructors themselves are attached in ControlFactory.
namespace Lumo::Catalog {

enum class Factory {
    PaintManager, // top-level controls of a window
    Panel, // children inside a container
};

// What a constructor takes after parent, id and rectangle. The factory's
// int1 always lands in the visible flag and int2 in the enabled flag; a
// literal 1 replaces the factory's value.
enum class Args {
    Visible, // (int1)
    VisibleEnabled, // (int1, int2)
    VisibleOne, // (int1, 1)
    TextVisible, // (text, int1)
    TextVisibleEnabled, // (text, int1, int2)
    TextVisibleOne, // (text, int1, 1)
    TextOneOne, // (text, 1, 1)
};

struct Row {
    const wchar_t* name;
    Args args;
    bool paintManager; // accepted by the paint manager's factory
    bool panel; // accepted by the container's factory
};

// Every row, in comparison order.
const Row* Rows();
size_t RowCount();

// The first row whose name equals `name` exactly (case-sensitive) and that
// `factory` accepts; null for a null or empty name, an unknown name or one
// the factory does not accept.
const Row* Find(const wchar_t* name, Factory factory);

// The flags a row passes to its constructor. `passesText`/`passesEnabled`
// tell whether the constructor takes a text and an enabled flag at all.
struct Resolved {
    bool passesText = false;
    int visible = 0;
    bool passesEnabled = false;
    int enabled = 0;
};
Resolved Resolve(Args args, int int1, int int2);

} // namespace Lumo::Catalog
