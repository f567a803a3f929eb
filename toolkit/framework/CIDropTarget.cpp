#include "lumo/CIDropTarget.h"

namespace Lumo {

CIDropTarget::CIDropTarget()
    : m_hTargetWnd(nullptr)
    , m_nRefCount(0)
    , m_bAllowDrop(false)
{
}

CIDropTarget::~CIDropTarget() = default;

HRESULT STDMETHODCALLTYPE CIDropTarget::QueryInterface(REFIID iid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
        *object = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE CIDropTarget::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&m_nRefCount)); }
ULONG STDMETHODCALLTYPE CIDropTarget::Release() { return static_cast<ULONG>(InterlockedDecrement(&m_nRefCount)); }

FORMATETC* CIDropTarget::AcceptedFormat(IDataObject* data)
{
    if (data == nullptr)
        return nullptr;
    for (FORMATETC& format : m_formats) {
        if (data->QueryGetData(&format) == S_OK)
            return &format;
    }
    return nullptr;
}

DWORD CIDropTarget::EffectFor(DWORD allowed) const
{
    if (!m_bAllowDrop)
        return DROPEFFECT_NONE;
    if (allowed & DROPEFFECT_COPY)
        return DROPEFFECT_COPY;
    if (allowed & DROPEFFECT_MOVE)
        return DROPEFFECT_MOVE;
    return DROPEFFECT_NONE;
}

HRESULT STDMETHODCALLTYPE CIDropTarget::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect)
{
    m_bAllowDrop = AcceptedFormat(data) != nullptr;
    if (effect != nullptr)
        *effect = EffectFor(*effect);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CIDropTarget::DragOver(DWORD, POINTL, DWORD* effect)
{
    if (effect != nullptr)
        *effect = EffectFor(*effect);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CIDropTarget::DragLeave()
{
    m_bAllowDrop = false;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CIDropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect)
{
    FORMATETC* format = AcceptedFormat(data);
    m_bAllowDrop = format != nullptr;
    const DWORD allowed = effect != nullptr ? *effect : DROPEFFECT_COPY;
    DWORD result = EffectFor(allowed);
    if (format != nullptr) {
        STGMEDIUM medium{};
        if (SUCCEEDED(data->GetData(format, &medium))) {
            if (OnDrop(format, medium, &result))
                ReleaseStgMedium(&medium);
        }
    }
    if (effect != nullptr)
        *effect = result;
    m_bAllowDrop = false;
    return S_OK;
}

bool CIDropTarget::OnDrop(FORMATETC*, STGMEDIUM&, DWORD*) { return true; }
void CIDropTarget::AddSuportedFormat(const FORMATETC& format) { m_formats.push_back(format); }
void CIDropTarget::SetTargetWnd(HWND hwnd) { m_hTargetWnd = hwnd; }
HWND CIDropTarget::GetTargetWnd() const { return m_hTargetWnd; }

} // namespace Lumo
