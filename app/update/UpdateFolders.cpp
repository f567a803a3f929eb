#include "app/update/UpdateFolders.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

namespace {

// The program's instance name, which also names its data folder.
constexpr wchar_t kInstanceName[] = L"Orvane";

} // namespace

std::wstring GetDataFolder()
{
    wchar_t folder[MAX_PATH + 1] = {};
    // Without it the folder would be built from an empty text, which is the
    // root of the current drive.
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder)) || !folder[0])
        return {};
    return std::wstring(folder) + L"\\" + kInstanceName + L" Files\\";
}

bool CreateFolderTree(const std::wstring& path)
{
    if (PathIsDirectoryW(path.c_str()))
        return true;
    const std::size_t first = path.find(L'\\');
    for (std::size_t at = path.find(L'\\', first + 1); first != std::wstring::npos && at != std::wstring::npos;
         at = path.find(L'\\', at + 1))
        CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
    // A file of that name also gives ERROR_ALREADY_EXISTS, so look again.
    return CreateDirectoryW(path.c_str(), nullptr) || PathIsDirectoryW(path.c_str());
}
