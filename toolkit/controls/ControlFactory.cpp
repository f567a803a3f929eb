#include "controls/ControlFactory.h"

#include "lumo/CArea.h"
#include "lumo/MButton.h"
#include "lumo/MPicture.h"
#include "lumo/MText.h"

#include <cwchar>

namespace Lumo {

namespace {

// The arguments after mapping by the class's catalogue row.
struct Arguments {
    MObject* parent;
    UINT id;
    RECT rect;
    const wchar_t* text;
    Catalog::Resolved flags;
};

using Constructor = MControl* (*)(const Arguments&);

struct ClassEntry {
    const wchar_t* name;
    Constructor construct;
};

// The catalogue classes this library builds; each new class adds its line.
const ClassEntry kClasses[] = {
    {L"CArea",
        [](const Arguments& a) -> MControl* {
            return new CArea(a.parent, a.id, a.rect, a.flags.visible, a.flags.enabled);
        }},
    {L"MText",
        [](const Arguments& a) -> MControl* { return new MText(a.parent, a.id, a.rect, a.text, a.flags.visible); }},
    {L"MPicture",
        [](const Arguments& a) -> MControl* {
            return new MPicture(a.parent, a.id, a.rect, a.flags.visible, a.flags.enabled);
        }},
    {L"MButton",
        [](const Arguments& a) -> MControl* {
            return new MButton(a.parent, a.id, a.rect, a.text, a.flags.visible, a.flags.enabled);
        }},
};

Constructor ConstructorOf(const wchar_t* className)
{
    for (const ClassEntry& entry : kClasses) {
        if (std::wcscmp(entry.name, className) == 0)
            return entry.construct;
    }
    return nullptr;
}

} // namespace

MControl* ControlFactory::Create(Catalog::Factory factory, MObject* parent, const wchar_t* className, UINT id,
    RECT rect, const wchar_t* text, int int1, int int2)
{
    const Catalog::Row* row = Catalog::Find(className, factory);
    if (row == nullptr)
        return nullptr;
    const Constructor construct = ConstructorOf(row->name);
    if (construct == nullptr)
        return nullptr;
    return construct(Arguments{parent, id, rect, text, Catalog::Resolve(row->args, int1, int2)});
}

} // namespace Lumo
