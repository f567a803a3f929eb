#include "app/update/ZipExtractor.h"

#include "app/update/EntryAttributes.h"
#include "app/update/EntryName.h"
#include "app/update/ExtendedTimestamp.h"
#include "app/update/FileHandle.h"
#include "app/update/UpdateFolders.h"

#include <windows.h>

#include <unzip.h>
#include <iowin32.h>

#include <optional>
#include <vector>

namespace {

constexpr int kInflatePieceSize = 16384;
constexpr uLong kFlagEncrypted = 0x0001;
constexpr uLong kFlagUtf8Name = 0x0800;

// Owns an open archive.
class ZipArchive {
public:
    explicit ZipArchive(const std::wstring& path)
    {
        zlib_filefunc64_def io;
        fill_win32_filefunc64W(&io);
        m_zip = unzOpen2_64(path.c_str(), &io);
    }
    ~ZipArchive()
    {
        if (m_zip)
            unzClose(m_zip);
    }
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    unzFile Get() const { return m_zip; }
    explicit operator bool() const { return m_zip != nullptr; }

private:
    unzFile m_zip = nullptr;
};

struct EntryTimes {
    std::optional<FILETIME> creation;
    std::optional<FILETIME> access;
    std::optional<FILETIME> write;
};

FILETIME ToFileTime(std::uint64_t value)
{
    FILETIME time;
    time.dwLowDateTime = static_cast<DWORD>(value);
    time.dwHighDateTime = static_cast<DWORD>(value >> 32);
    return time;
}

// All three times start as the entry's MS-DOS date and time, which is local time.
EntryTimes DosTimes(uLong dosDate)
{
    FILETIME local;
    FILETIME utc;
    if (!DosDateTimeToFileTime(HIWORD(dosDate), LOWORD(dosDate), &local) || !LocalFileTimeToFileTime(&local, &utc))
        return {};
    return {utc, utc, utc};
}

// The local extra field's "UT" block, if any, replaces the times it carries.
void ApplyExtendedTimestamp(unzFile zip, EntryTimes& times)
{
    const int size = unzGetLocalExtrafield(zip, nullptr, 0);
    if (size <= 0)
        return;
    std::vector<std::uint8_t> extra(static_cast<std::size_t>(size));
    const int read = unzGetLocalExtrafield(zip, extra.data(), static_cast<unsigned>(extra.size()));
    if (read <= 0)
        return;
    const std::optional<ExtendedTimestamp> stamp = FindExtendedTimestamp(extra.data(), static_cast<std::size_t>(read));
    if (!stamp)
        return;
    if (stamp->modification)
        times.write = ToFileTime(UnixTimeToFileTime(*stamp->modification));
    if (stamp->access)
        times.access = ToFileTime(UnixTimeToFileTime(*stamp->access));
    if (stamp->creation)
        times.creation = ToFileTime(UnixTimeToFileTime(*stamp->creation));
}

// Stored names are in the system's ANSI code page unless the archive marks
// them as UTF-8.
std::wstring DecodeName(const std::vector<char>& raw, uLong flags)
{
    const std::size_t length = std::string(raw.data(), raw.size()).find('\0');
    const int bytes = static_cast<int>(length == std::string::npos ? raw.size() : length);
    if (bytes == 0)
        return {};
    const UINT codePage = (flags & kFlagUtf8Name) ? CP_UTF8 : CP_ACP;
    std::wstring name(static_cast<std::size_t>(bytes), L'\0');
    const int chars = MultiByteToWideChar(codePage, 0, raw.data(), bytes, name.data(), bytes);
    name.resize(static_cast<std::size_t>(chars > 0 ? chars : 0));
    if (name.size() > kMaxEntryNameLength)
        name.resize(kMaxEntryNameLength);
    return name;
}

// Creates the folders of a relative path under the base, each missing one in
// turn; with includeLast the path's own last component too.
void CreateFolders(const std::wstring& base, const std::wstring& relative, bool includeLast)
{
    auto create = [&](std::size_t length) {
        const std::wstring folder = base + relative.substr(0, length);
        if (GetFileAttributesW(folder.c_str()) == INVALID_FILE_ATTRIBUTES)
            CreateDirectoryW(folder.c_str(), nullptr);
    };
    for (std::size_t i = 0; i < relative.size(); ++i)
        if (IsEntryNameSeparator(relative[i]))
            create(i);
    if (includeLast)
        create(relative.size());
}

// CREATE_ALWAYS refuses to replace a read-only file and one whose hidden or
// system attribute the new attributes lack.
void MakeReplaceable(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return;
    if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

void InflateInto(unzFile zip, FileHandle& file)
{
    std::vector<char> piece(kInflatePieceSize);
    for (;;) {
        const int read = unzReadCurrentFile(zip, piece.data(), kInflatePieceSize);
        if (read <= 0 || !file.Write(piece.data(), static_cast<DWORD>(read)))
            return;
    }
}

void WriteFileEntry(unzFile zip, const unz_file_info64& info, const std::wstring& path, DWORD attributes)
{
    MakeReplaceable(path);
    FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
        attributes ? attributes : FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return;
    EntryTimes times = DosTimes(info.dosDate);
    // Without a password the data of an encrypted entry cannot be inflated,
    // and reading it raw would write scrambled bytes; its file stays empty.
    if ((info.flag & kFlagEncrypted) == 0 && unzOpenCurrentFile(zip) == UNZ_OK) {
        ApplyExtendedTimestamp(zip, times);
        InflateInto(zip, file);
        unzCloseCurrentFile(zip);
    }
    SetFileTime(file.Get(), times.creation ? &*times.creation : nullptr, times.access ? &*times.access : nullptr,
        times.write ? &*times.write : nullptr);
}

void ExtractCurrentEntry(unzFile zip, const std::wstring& base)
{
    unz_file_info64 info;
    std::vector<char> raw(4 * kMaxEntryNameLength + 4);
    if (unzGetCurrentFileInfo64(zip, &info, raw.data(), static_cast<uLong>(raw.size()), nullptr, 0, nullptr, 0)
        != UNZ_OK)
        return;
    raw.resize(std::min<std::size_t>(info.size_filename, raw.size()));
    const std::wstring stored = DecodeName(raw, info.flag);
    const std::wstring name = MakeSafeEntryName(stored);
    const DWORD attributes
        = EntryFileAttributes(static_cast<std::uint32_t>(info.version), static_cast<std::uint32_t>(info.external_fa));
    const bool isFolder = (attributes & kAttributeFolder) || (!stored.empty() && IsEntryNameSeparator(stored.back()));
    if (name.empty())
        return;
    if (isFolder) {
        CreateFolders(base, name, true);
        return;
    }
    CreateFolders(base, name, false);
    WriteFileEntry(zip, info, base + name, attributes);
}

} // namespace

bool ExtractZip(const std::wstring& archivePath, const std::wstring& folder)
{
    ZipArchive zip(archivePath);
    if (!zip)
        return false;
    std::wstring base = folder;
    if (base.empty() || !IsEntryNameSeparator(base.back()))
        base += L'\\';
    CreateFolderTree(base);
    unz_global_info64 global;
    if (unzGetGlobalInfo64(zip.Get(), &global) != UNZ_OK)
        return true;
    for (ZPOS64_T i = 0; i < global.number_entry; ++i) {
        if (i > 0 && unzGoToNextFile(zip.Get()) != UNZ_OK)
            break;
        ExtractCurrentEntry(zip.Get(), base);
    }
    return true;
}
