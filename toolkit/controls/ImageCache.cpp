#include "lumo/ImageCache.h"

#include "framework/LibraryInstance.h"
#include "lumo/MRender.h"
#include "lumo/Manager.h"

namespace Lumo {

namespace {

// Makes the entry of a loaded image, or nothing when the load failed.
std::unique_ptr<ImgResInfo> MakeEntry(Gdiplus::Image* image, int frameCount)
{
    if (image == nullptr)
        return nullptr;
    auto entry = std::make_unique<ImgResInfo>();
    entry->m_image = image;
    entry->m_frameCount = frameCount < 1 ? 1 : frameCount;
    entry->m_frameWidth = static_cast<int>(image->GetWidth()) / entry->m_frameCount;
    entry->m_frameHeight = static_cast<int>(image->GetHeight());
    return entry;
}

} // namespace

ImageCache::ImageCache() = default;
ImageCache::~ImageCache() { Clear(); }

ImgResInfo* ImageCache::AddFile(const wchar_t* name, int frameCount)
{
    if (name == nullptr)
        return nullptr;
    ScopedLock lock(m_lock);
    const auto found = m_files.find(name);
    if (found != m_files.end())
        return found->second.get();
    auto entry = MakeEntry(MRender::LoadImageFromFile(GetSkinPath() + name), frameCount);
    if (!entry)
        return nullptr;
    entry->m_name = name;
    ImgResInfo* result = entry.get();
    m_files.emplace(name, std::move(entry));
    return result;
}

ImgResInfo* ImageCache::AddResource(UINT id, std::wstring type, int frameCount, int fromProgram)
{
    ScopedLock lock(m_lock);
    auto& map = fromProgram ? m_programResources : m_libraryResources;
    const auto found = map.find(id);
    if (found != map.end())
        return found->second.get();
    HINSTANCE module = fromProgram ? Manager::m_hInstance : LibraryInstance();
    auto entry = MakeEntry(MRender::LoadImageFromIDResource(id, std::move(type), module), frameCount);
    if (!entry)
        return nullptr;
    entry->m_id = id;
    ImgResInfo* result = entry.get();
    map.emplace(id, std::move(entry));
    return result;
}

void ImageCache::Clear()
{
    ScopedLock lock(m_lock);
    m_files.clear();
    m_programResources.clear();
    m_libraryResources.clear();
}

} // namespace Lumo
