#pragma once

#include "lumo/Export.h"
#include "lumo/Platform.h"

#include <ole2.h>

#include <vector>

namespace Lumo {

// An OLE drop target for a window: accepts data offered in one of its
// formats and hands it to OnDrop. Meant to be embedded in a longer-lived
// object; the reference count never deletes it.
class LUMO_API CIDropTarget : public IDropTarget {
public:
    CIDropTarget();
    CIDropTarget(const CIDropTarget&) = delete;
    CIDropTarget& operator=(const CIDropTarget&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;
    virtual ~CIDropTarget();
    // The dropped data in the first accepted format; true when the medium may
    // be released afterwards (false when the receiver kept it).
    virtual bool OnDrop(FORMATETC* format, STGMEDIUM& medium, DWORD* effect);

    void AddSuportedFormat(const FORMATETC& format);
    void SetTargetWnd(HWND hwnd);
    HWND GetTargetWnd() const;

protected:
    // The first accepted format that `data` offers, or null.
    FORMATETC* AcceptedFormat(IDataObject* data);
    DWORD EffectFor(DWORD allowed) const;

    std::vector<FORMATETC> m_formats;
    HWND m_hTargetWnd;
    LONG m_nRefCount;
    bool m_bAllowDrop;
};

} // namespace Lumo
