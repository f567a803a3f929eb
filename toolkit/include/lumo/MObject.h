#pragma once

#include "lumo/Export.h"
#include "lumo/Platform.h"

namespace Lumo {

class MControl;

// Root of everything that receives toolkit notifications: controls report
// events and repaint requests to their parent through these two calls.
class LUMO_API MObject {
public:
    virtual ~MObject();
    virtual int IsClass(const wchar_t* name);
    virtual const wchar_t* GetClassNameW() const;
    virtual const wchar_t* GetObjectClass();
    virtual const wchar_t* BaseObjectClassName();
    // A child control reports an event: its id, the notification code and two
    // code-specific values.
    virtual LRESULT OnBaseMessage(UINT id, UINT code, WPARAM wparam, LPARAM lparam);
    // A child control asks for `rect` to be repainted; `rebuild` marks its
    // cached rendering stale.
    virtual LRESULT OnControlUpdate(RECT rect, int rebuild, MControl* control);
};

} // namespace Lumo
