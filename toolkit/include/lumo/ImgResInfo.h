#pragma once

#include "lumo/Platform.h"

#include <string>

namespace Lumo {

// One cached image strip: `m_frameCount` equal frames side by side. The entry
// owns its image; controls keep plain pointers to it and never delete it.
struct ImgResInfo {
    Gdiplus::Image* m_image = nullptr;
    int m_frameWidth = 0;
    int m_frameHeight = 0;
    int m_frameCount = 1;
    std::wstring m_name; // skin-relative file name (file entries)
    UINT m_id = 0; // resource id (resource entries)

    ImgResInfo() = default;
    ~ImgResInfo() { delete m_image; }
    ImgResInfo(const ImgResInfo&) = delete;
    ImgResInfo& operator=(const ImgResInfo&) = delete;
};

} // namespace Lumo
