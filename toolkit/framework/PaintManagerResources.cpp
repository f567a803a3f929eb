// The paint manager's image and font caches.
#include "lumo/PaintManager.h"

#include "framework/LibraryInstance.h"

namespace Lumo {

namespace {

// The bytes of the library's own "ttf" resource `id`, or empty.
struct ResourceBytes {
    const void* data = nullptr;
    DWORD size = 0;
};

ResourceBytes LibraryFont(UINT id)
{
    HINSTANCE module = LibraryInstance();
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(id), L"TTF");
    if (resource == nullptr)
        return {};
    HGLOBAL loaded = LoadResource(module, resource);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr)
        return {};
    return ResourceBytes{data, SizeofResource(module, resource)};
}

} // namespace

ImgResInfo* PaintManager::AddImgResInfo(const wchar_t* file, int frameCount)
{
    return m_images.AddFile(file, frameCount);
}

ImgResInfo* PaintManager::AddImgResInfo(UINT id, std::wstring type, int frameCount, int fromProgram)
{
    return m_images.AddResource(id, std::move(type), frameCount, fromProgram);
}

void PaintManager::ClearImgResInfo() { m_images.Clear(); }

void PaintManager::AddGDITempFont(UINT id)
{
    const ResourceBytes font = LibraryFont(id);
    if (font.data == nullptr || font.size == 0)
        return;
    DWORD installed = 0;
    HANDLE handle = AddFontMemResourceEx(const_cast<void*>(font.data), font.size, nullptr, &installed);
    if (handle == nullptr)
        return;
    ScopedLock lock(m_fontLock);
    m_gdiFonts.push_back(handle);
}

Gdiplus::FontFamily* PaintManager::StoreFirstFamily(
    const wchar_t* name, std::unique_ptr<Gdiplus::PrivateFontCollection> collection)
{
    if (name == nullptr || collection->GetFamilyCount() < 1)
        return nullptr;
    Gdiplus::FontFamily first;
    INT found = 0;
    if (collection->GetFamilies(1, &first, &found) != Gdiplus::Ok || found < 1)
        return nullptr;
    auto entry = std::make_unique<FontEntry>();
    entry->family.reset(first.Clone());
    if (!entry->family || entry->family->GetLastStatus() != Gdiplus::Ok)
        return nullptr;
    entry->collection = std::move(collection);
    Gdiplus::FontFamily* family = entry->family.get();
    ScopedLock lock(m_fontLock);
    auto& slot = m_fonts[name];
    if (slot)
        m_replacedFonts.push_back(std::move(slot));
    slot = std::move(entry);
    return family;
}

Gdiplus::FontFamily* PaintManager::AddTempFont(const wchar_t* name, const wchar_t* file)
{
    if (file == nullptr)
        return nullptr;
    auto collection = std::make_unique<Gdiplus::PrivateFontCollection>();
    if (collection->AddFontFile(file) != Gdiplus::Ok)
        return nullptr;
    return StoreFirstFamily(name, std::move(collection));
}

Gdiplus::FontFamily* PaintManager::AddTempFont(const wchar_t* name, UINT id)
{
    const ResourceBytes font = LibraryFont(id);
    if (font.data == nullptr || font.size == 0)
        return nullptr;
    auto collection = std::make_unique<Gdiplus::PrivateFontCollection>();
    if (collection->AddMemoryFont(font.data, static_cast<INT>(font.size)) != Gdiplus::Ok)
        return nullptr;
    return StoreFirstFamily(name, std::move(collection));
}

Gdiplus::FontFamily* PaintManager::FindTempFont(const wchar_t* name)
{
    if (name == nullptr)
        return nullptr;
    ScopedLock lock(m_fontLock);
    const auto found = m_fonts.find(name);
    if (found != m_fonts.end())
        return found->second->family.get();
    auto installed = std::make_unique<Gdiplus::FontFamily>(name);
    if (installed->GetLastStatus() != Gdiplus::Ok || !installed->IsAvailable())
        return nullptr;
    auto entry = std::make_unique<FontEntry>();
    entry->family = std::move(installed);
    Gdiplus::FontFamily* family = entry->family.get();
    m_fonts.emplace(name, std::move(entry));
    return family;
}

void PaintManager::ClearTempFont()
{
    ScopedLock lock(m_fontLock);
    m_fonts.clear();
    m_replacedFonts.clear();
    for (HANDLE handle : m_gdiFonts)
        RemoveFontMemResourceEx(handle);
    m_gdiFonts.clear();
}

void PaintManager::SetScrollResID(UINT vertical, UINT horizontal)
{
    m_nScrollVID = vertical;
    m_nScrollHID = horizontal;
}

UINT PaintManager::GetScrollVID() const { return m_nScrollVID; }
UINT PaintManager::GetScrollHID() const { return m_nScrollHID; }
COLORREF PaintManager::GetDefaultEnabledColor() const { return m_defaultEnabledColor; }
void PaintManager::SetDefaultEnabledColor(COLORREF colour) { m_defaultEnabledColor = colour; }

} // namespace Lumo
