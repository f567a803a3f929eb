#include "app/update/HttpTransfer.h"

#include "app/update/DownloadProgress.h"
#include "app/update/FileHandle.h"
#include "app/update/InternetHandle.h"
#include "app/update/ProgressPoster.h"

#include <shlwapi.h>

#include <optional>
#include <vector>

namespace {

constexpr char kAgent[] = "IIC2.0/PC 5.5.0000";
constexpr char kHeaders[] = "Accept: */*\r\n\r\n";
constexpr DWORD kOpenFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE;
constexpr DWORD kHttpOk = 200;

std::string ToUtf8(const std::wstring& text)
{
    if (text.empty())
        return {};
    const int size
        = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size, nullptr, nullptr);
    return utf8;
}

std::wstring FromUtf8(const std::string& bytes)
{
    const std::string text = bytes.substr(0, bytes.find('\0'));
    if (text.empty())
        return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

InternetHandle OpenInternet()
{
    DWORD connection = 0;
    InternetGetConnectedState(&connection, 0);
    const DWORD access = (connection & INTERNET_CONNECTION_PROXY) ? INTERNET_OPEN_TYPE_PRECONFIG
                                                                  : INTERNET_OPEN_TYPE_PRECONFIG_WITH_NO_AUTOPROXY;
    return InternetHandle(InternetOpenA(kAgent, access, nullptr, nullptr, 0));
}

InternetHandle OpenAddress(const InternetHandle& internet, const std::wstring& address)
{
    const std::string url = ToUtf8(address);
    return InternetHandle(InternetOpenUrlA(internet.Get(), url.c_str(), kHeaders, sizeof kHeaders - 1, kOpenFlags, 0));
}

std::optional<DWORD> QueryNumber(const InternetHandle& request, DWORD what)
{
    DWORD value = 0;
    DWORD size = sizeof value;
    if (!HttpQueryInfoW(request.Get(), what | HTTP_QUERY_FLAG_NUMBER, &value, &size, nullptr))
        return std::nullopt;
    return value;
}

// An error page is not the document, however it looks.
bool AnsweredOk(const InternetHandle& request) { return QueryNumber(request, HTTP_QUERY_STATUS_CODE) == kHttpOk; }

std::optional<DWORD> ContentLength(const InternetHandle& request)
{
    return QueryNumber(request, HTTP_QUERY_CONTENT_LENGTH);
}

// A connection that ends before the announced length reads like a normal end
// of the body; only the count tells them apart.
bool IsComplete(const std::optional<DWORD>& contentLength, unsigned long long received)
{
    return !contentLength || *contentLength == received;
}

} // namespace

int HttpGetText(const std::wstring& address, std::wstring& text, std::size_t maxBytes)
{
    InternetHandle internet = OpenInternet();
    if (!internet)
        return 0;
    InternetHandle request = OpenAddress(internet, address);
    if (!request || !AnsweredOk(request))
        return -1;
    const std::optional<DWORD> contentLength = ContentLength(request);

    std::string body;
    std::vector<char> piece(kDownloadPieceSize);
    for (;;) {
        DWORD read = 0;
        if (!InternetReadFile(request.Get(), piece.data(), static_cast<DWORD>(piece.size()), &read))
            return -1;
        if (read == 0)
            break;
        if (body.size() + read > maxBytes)
            return -1;
        body.append(piece.data(), read);
    }
    if (!IsComplete(contentLength, body.size()))
        return -1;
    text = FromUtf8(body);
    return 1;
}

int HttpDownloadFile(const std::wstring& address, const std::wstring& filePath, HWND window, int& lastProgress)
{
    ProgressPoster progress(window, lastProgress);
    progress.Post(kProgressStart);
    InternetHandle internet = OpenInternet();
    if (!internet)
        return 0;
    progress.Post(kProgressInternetOpen);
    InternetHandle request = OpenAddress(internet, address);
    if (!request)
        return -1;
    progress.Post(kProgressAddressOpen);
    if (!AnsweredOk(request))
        return -1;

    if (PathFileExistsW(filePath.c_str()))
        DeleteFileW(filePath.c_str());
    FileHandle file(CreateFileW(
        filePath.c_str(), GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return -1;
    const std::optional<DWORD> contentLength = ContentLength(request);
    progress.Post(kProgressFileCreated);

    DownloadProgress estimate(contentLength.value_or(0));
    std::vector<char> piece(kDownloadPieceSize);
    unsigned long long received = 0;
    for (;;) {
        DWORD read = 0;
        if (!InternetReadFile(request.Get(), piece.data(), static_cast<DWORD>(piece.size()), &read))
            return -1;
        if (read == 0)
            break;
        // A short write (a full disk) would leave an archive that looks whole.
        if (!file.Write(piece.data(), read))
            return -1;
        received += read;
        if (const std::optional<int> value = estimate.AfterPiece())
            progress.Post(*value);
    }
    if (!IsComplete(contentLength, received))
        return -1;
    file.Close();
    request = InternetHandle();
    internet = InternetHandle();
    progress.Post(kProgressDone);
    return 1;
}
