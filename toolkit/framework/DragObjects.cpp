#include "framework/DragObjects.h"

#include <shlobj.h>

#include <cstring>

namespace Lumo::Drag {

HRESULT CopyMedium(const FORMATETC& format, const STGMEDIUM& source, STGMEDIUM* copy)
{
    *copy = STGMEDIUM{};
    copy->tymed = source.tymed;
    switch (source.tymed) {
    case TYMED_GDI:
        copy->hBitmap = static_cast<HBITMAP>(CopyImage(source.hBitmap, IMAGE_BITMAP, 0, 0, 0));
        return copy->hBitmap != nullptr ? S_OK : E_OUTOFMEMORY;
    case TYMED_ENHMF:
        copy->hEnhMetaFile = CopyEnhMetaFileW(source.hEnhMetaFile, nullptr);
        return copy->hEnhMetaFile != nullptr ? S_OK : E_OUTOFMEMORY;
    case TYMED_HGLOBAL:
        copy->hGlobal = static_cast<HGLOBAL>(OleDuplicateData(source.hGlobal, format.cfFormat, 0));
        return copy->hGlobal != nullptr ? S_OK : E_OUTOFMEMORY;
    default:
        return DV_E_TYMED;
    }
}

HENHMETAFILE MetafileFromBitmap(HBITMAP bitmap)
{
    BITMAP info{};
    if (bitmap == nullptr || GetObjectW(bitmap, sizeof(info), &info) == 0)
        return nullptr;
    HDC screen = GetDC(nullptr);
    // The frame is in 0.01 mm.
    const int mmWide = GetDeviceCaps(screen, HORZSIZE), mmHigh = GetDeviceCaps(screen, VERTSIZE);
    const int pxWide = GetDeviceCaps(screen, HORZRES), pxHigh = GetDeviceCaps(screen, VERTRES);
    RECT frame{0, 0, MulDiv(info.bmWidth, mmWide * 100, pxWide), MulDiv(info.bmHeight, mmHigh * 100, pxHigh)};
    HDC recorder = CreateEnhMetaFileW(screen, nullptr, &frame, nullptr);
    HDC source = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    if (recorder == nullptr || source == nullptr) {
        if (source != nullptr)
            DeleteDC(source);
        return recorder != nullptr ? CloseEnhMetaFile(recorder) : nullptr;
    }
    HGDIOBJ previous = SelectObject(source, bitmap);
    BitBlt(recorder, 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
    return CloseEnhMetaFile(recorder);
}

DataObject::DataObject()
    : m_refs(1)
{
}

DataObject::~DataObject()
{
    for (Item& item : m_items)
        ReleaseStgMedium(&item.medium);
}

HRESULT STDMETHODCALLTYPE DataObject::QueryInterface(REFIID iid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDataObject)) {
        *object = static_cast<IDataObject*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE DataObject::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&m_refs)); }

ULONG STDMETHODCALLTYPE DataObject::Release()
{
    const LONG refs = InterlockedDecrement(&m_refs);
    if (refs == 0)
        delete this;
    return static_cast<ULONG>(refs);
}

const DataObject::Item* DataObject::Find(const FORMATETC* format) const
{
    if (format == nullptr)
        return nullptr;
    for (const Item& item : m_items) {
        if (item.format.cfFormat == format->cfFormat && (item.format.tymed & format->tymed) != 0
            && item.format.dwAspect == format->dwAspect)
            return &item;
    }
    return nullptr;
}

HRESULT STDMETHODCALLTYPE DataObject::GetData(FORMATETC* format, STGMEDIUM* medium)
{
    if (medium == nullptr)
        return E_POINTER;
    const Item* item = Find(format);
    if (item == nullptr)
        return DV_E_FORMATETC;
    return CopyMedium(item->format, item->medium, medium);
}

HRESULT STDMETHODCALLTYPE DataObject::GetDataHere(FORMATETC*, STGMEDIUM*) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE DataObject::QueryGetData(FORMATETC* format)
{
    return Find(format) != nullptr ? S_OK : DV_E_FORMATETC;
}

HRESULT STDMETHODCALLTYPE DataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out)
{
    if (out != nullptr)
        out->ptd = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE DataObject::SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release)
{
    if (format == nullptr || medium == nullptr)
        return E_INVALIDARG;
    Item item{*format, STGMEDIUM{}};
    if (release) {
        item.medium = *medium;
    } else {
        const HRESULT copied = CopyMedium(*format, *medium, &item.medium);
        if (FAILED(copied))
            return copied;
    }
    for (Item& existing : m_items) {
        if (existing.format.cfFormat == format->cfFormat && existing.format.tymed == format->tymed) {
            ReleaseStgMedium(&existing.medium);
            existing = item;
            return S_OK;
        }
    }
    m_items.push_back(item);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DataObject::EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats)
{
    if (direction != DATADIR_GET)
        return E_NOTIMPL;
    std::vector<FORMATETC> list;
    for (const Item& item : m_items)
        list.push_back(item.format);
    return SHCreateStdEnumFmtEtc(static_cast<UINT>(list.size()), list.data(), formats);
}

HRESULT STDMETHODCALLTYPE DataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT STDMETHODCALLTYPE DataObject::DUnadvise(DWORD) { return OLE_E_ADVISENOTSUPPORTED; }
HRESULT STDMETHODCALLTYPE DataObject::EnumDAdvise(IEnumSTATDATA**) { return OLE_E_ADVISENOTSUPPORTED; }

void DataObject::AddBitmap(HBITMAP bitmap)
{
    FORMATETC format{CF_BITMAP, nullptr, DVASPECT_CONTENT, -1, TYMED_GDI};
    STGMEDIUM medium{};
    medium.tymed = TYMED_GDI;
    medium.hBitmap = bitmap;
    SetData(&format, &medium, TRUE);
}

void DataObject::AddEnhMetaFile(HENHMETAFILE metafile)
{
    FORMATETC format{CF_ENHMETAFILE, nullptr, DVASPECT_CONTENT, -1, TYMED_ENHMF};
    STGMEDIUM medium{};
    medium.tymed = TYMED_ENHMF;
    medium.hEnhMetaFile = metafile;
    SetData(&format, &medium, TRUE);
}

DropSource::DropSource()
    : m_refs(1)
{
}

HRESULT STDMETHODCALLTYPE DropSource::QueryInterface(REFIID iid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropSource)) {
        *object = static_cast<IDropSource*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE DropSource::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&m_refs)); }

ULONG STDMETHODCALLTYPE DropSource::Release()
{
    const LONG refs = InterlockedDecrement(&m_refs);
    if (refs == 0)
        delete this;
    return static_cast<ULONG>(refs);
}

HRESULT STDMETHODCALLTYPE DropSource::QueryContinueDrag(BOOL escape, DWORD keys)
{
    if (escape)
        return DRAGDROP_S_CANCEL;
    if (!(keys & MK_LBUTTON))
        return DRAGDROP_S_DROP;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DropSource::GiveFeedback(DWORD) { return DRAGDROP_S_USEDEFAULTCURSORS; }

} // namespace Lumo::Drag
