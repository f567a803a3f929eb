#pragma once

#include "lumo/CriticalSection.h"
#include "lumo/Export.h"
#include "lumo/ImgResInfo.h"
#include "lumo/Platform.h"

#include <map>
#include <memory>
#include <string>

namespace Lumo {

// A window's image strips, loaded once and shared by its controls: skin files
// by name, resources of the program's module by id and resources of the
// toolkit library by id. One lock guards all three, and loads happen under it,
// so concurrent requests for one image load it once. Entries live until
// Clear() or the cache's destruction.
class LUMO_API ImageCache {
public:
    ImageCache();
    ~ImageCache();
    ImageCache(const ImageCache&) = delete;
    ImageCache& operator=(const ImageCache&) = delete;

    // The entry of the skin-folder file `name` (compared exactly as passed),
    // loaded with `frameCount` frames on first request; a later request gets
    // the same entry whatever its count. Null when the file fails to load;
    // nothing is cached then, so a later request tries again. A frame count
    // below 1 counts as 1.
    ImgResInfo* AddFile(const wchar_t* name, int frameCount);

    // The same for resource `id` of `type`: from the program's module
    // (Manager::SetInstance) when fromProgram is non-zero, else from the
    // toolkit library's own module.
    ImgResInfo* AddResource(UINT id, std::wstring type, int frameCount, int fromProgram);

    // Deletes every entry with its image.
    void Clear();

private:
    CriticalSection m_lock;
    std::map<std::wstring, std::unique_ptr<ImgResInfo>> m_files;
    std::map<UINT, std::unique_ptr<ImgResInfo>> m_programResources;
    std::map<UINT, std::unique_ptr<ImgResInfo>> m_libraryResources;
};

} // namespace Lumo
