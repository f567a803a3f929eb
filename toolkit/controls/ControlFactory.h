#pragma once

#include "controls/ControlCatalog.h"
#include "lumo/Platform.h"

namespace Lumo {

class MControl;
class MObject;

// Turns a class name of the catalogue into a new, unattached control. The
// catalogue decides whether a factory accepts the name and how its
// arguments map; this class holds the constructors of the classes the
// library has. A name whose class is not built yet gives null like an
// unknown one.
class ControlFactory {
public:
    static MControl* Create(Catalog::Factory factory, MObject* parent, const wchar_t* className, UINT id, RECT rect,
        const wchar_t* text, int int1, int int2);
};

} // namespace Lumo
