#pragma once

#include <windows.h>
#include <ole2.h>

#include <vector>

namespace Lumo::Drag {

// The data a control is dragged out with: media stored by format and handed
// out as copies. Reference counted; created with one reference.
class DataObject : public IDataObject {
public:
    DataObject();
    DataObject(const DataObject&) = delete;
    DataObject& operator=(const DataObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) override;
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override;
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override;
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override;
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override;

    // Takes ownership of the bitmap / metafile.
    void AddBitmap(HBITMAP bitmap);
    void AddEnhMetaFile(HENHMETAFILE metafile);

private:
    virtual ~DataObject();
    struct Item {
        FORMATETC format;
        STGMEDIUM medium;
    };
    const Item* Find(const FORMATETC* format) const;

    LONG m_refs;
    std::vector<Item> m_items;
};

// Ends the drag when the left button is released, cancels it on Escape.
class DropSource : public IDropSource {
public:
    DropSource();
    DropSource(const DropSource&) = delete;
    DropSource& operator=(const DropSource&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override;
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override;

private:
    virtual ~DropSource() = default;
    LONG m_refs;
};

// A copy of a medium that the receiver may release on its own.
HRESULT CopyMedium(const FORMATETC& format, const STGMEDIUM& source, STGMEDIUM* copy);

// An enhanced metafile that shows the bitmap at its pixel size.
HENHMETAFILE MetafileFromBitmap(HBITMAP bitmap);

} // namespace Lumo::Drag
