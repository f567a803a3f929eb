#include "UpdateTestSupport.h"

#include "UpdateTestPaths.h"
#include "app/update/UpdateMessages.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

#include <cctype>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

std::string Narrow(const std::wstring& text)
{
    std::string narrow;
    for (wchar_t c : text)
        narrow += static_cast<char>(c);
    return narrow;
}

void CreateParents(const std::wstring& path)
{
    for (std::size_t at = path.find(L'\\', 3); at != std::wstring::npos; at = path.find(L'\\', at + 1))
        CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
}

void RemoveTree(const std::wstring& folder)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring path = folder + name;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path + L"\\");
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

void CollectFiles(const std::wstring& root, const std::wstring& relative, std::vector<std::wstring>& files)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((root + relative + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            CollectFiles(root, relative + name + L"\\", files);
        else
            files.push_back(relative + name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

} // namespace

const TestUpdateServer& TestUpdateServer::Get()
{
    static TestUpdateServer server = [] {
        TestUpdateServer s;
        s.m_state = kUpdateServerState;
        std::ifstream ports((s.m_state + L"\\ports").c_str());
        std::string line;
        while (std::getline(ports, line)) {
            if (line.rfind("http=", 0) == 0)
                s.m_httpPort = std::stoi(line.substr(5));
            else if (line.rfind("https=", 0) == 0)
                s.m_httpsPort = std::stoi(line.substr(6));
            else if (line.rfind("https-untrusted=", 0) == 0)
                s.m_untrustedPort = std::stoi(line.substr(16));
        }
        return s;
    }();
    if (server.m_httpsPort == 0)
        ADD_FAILURE() << "the local update host is not running; run the test through ctest, or start it with "
                         "tools/update-server/test-fixture.sh start build/mingw/update-server "
                         "build/mingw/bin/UpdateMarker.exe";
    return server;
}

std::wstring TestUpdateServer::Https(const std::wstring& path) const
{
    return L"https://localhost:" + std::to_wstring(m_httpsPort) + path;
}

std::wstring TestUpdateServer::Http(const std::wstring& path) const
{
    return L"http://localhost:" + std::to_wstring(m_httpPort) + path;
}

std::wstring TestUpdateServer::UntrustedHttps(const std::wstring& path) const
{
    return L"https://localhost:" + std::to_wstring(m_untrustedPort) + path;
}

std::wstring TestUpdateServer::WwwFolder() const { return m_state + L"\\www\\"; }

std::wstring TestUpdateServer::ArchivesFolder() const { return WwwFolder() + L"archives\\"; }

void TestUpdateServer::Put(const std::wstring& relativePath, const std::string& content) const
{
    std::wstring path = WwwFolder() + relativePath;
    for (wchar_t& c : path)
        if (c == L'/')
            c = L'\\';
    CreateParents(path);
    ASSERT_TRUE(WriteWholeFile(path, content)) << Narrow(path);
}

std::vector<std::string> TestUpdateServer::RequestsFor(const std::string& path) const
{
    std::ifstream log((m_state + L"\\requests.log").c_str());
    const std::string needle = "\"path\": \"" + path + "\"";
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(log, line))
        if (line.find(needle) != std::string::npos)
            lines.push_back(line);
    return lines;
}

std::wstring UnreachableAddress(const std::wstring& path) { return L"https://localhost:1" + path; }

MessageRecorder::MessageRecorder()
{
    static const wchar_t kClass[] = L"ThermadexUpdateTestWindow";
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &MessageRecorder::WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClass;
    RegisterClassExW(&windowClass);
    m_window = CreateWindowExW(WS_EX_TOOLWINDOW, kClass, L"update test", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
        GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

MessageRecorder::~MessageRecorder()
{
    if (m_window)
        DestroyWindow(m_window);
}

LRESULT CALLBACK MessageRecorder::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    auto* recorder = reinterpret_cast<MessageRecorder*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (recorder && (message == WM_TRAY_NOTIFY || message == WM_UPDATE_RESULT)) {
        recorder->m_messages.push_back({message, wparam, lparam});
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

void MessageRecorder::DispatchQueued()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void MessageRecorder::RunOnWorker(const std::function<void()>& work, DWORD limitMs)
{
    struct Job {
        std::function<void()> work;
    };
    auto* job = new Job{work};
    HANDLE thread = CreateThread(
        nullptr, 0,
        [](void* parameter) -> DWORD {
            auto* j = static_cast<Job*>(parameter);
            j->work();
            delete j;
            return 0;
        },
        job, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= limitMs) {
            std::fprintf(stderr, "the update work did not end within %lu ms\n", limitMs);
            std::fflush(stderr);
            ExitProcess(3);
        }
        const DWORD wait = MsgWaitForMultipleObjects(1, &thread, FALSE, limitMs - elapsed, QS_ALLINPUT);
        if (wait == WAIT_OBJECT_0)
            break;
        DispatchQueued();
    }
    CloseHandle(thread);
    DispatchQueued();
}

std::vector<LPARAM> MessageRecorder::Progress() const
{
    std::vector<LPARAM> values;
    for (const PostedMessage& m : m_messages)
        if (m.message == WM_TRAY_NOTIFY && m.wparam == 0)
            values.push_back(m.lparam);
    return values;
}

std::vector<PostedMessage> MessageRecorder::UpdateResults() const
{
    std::vector<PostedMessage> results;
    for (const PostedMessage& m : m_messages)
        if (m.message == WM_UPDATE_RESULT)
            results.push_back(m);
    return results;
}

TestFolder::TestFolder()
{
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, temp);
    m_path = std::wstring(temp) + L"thermadex-" + CurrentTestName() + L"-" + std::to_wstring(GetCurrentProcessId())
        + L"\\";
    RemoveTree(m_path);
    CreateDirectoryW(m_path.c_str(), nullptr);
}

TestFolder::~TestFolder() { RemoveTree(m_path); }

std::vector<std::wstring> FilesUnder(const std::wstring& folder)
{
    std::vector<std::wstring> files;
    CollectFiles(folder, L"", files);
    return files;
}

std::string ReadWholeFile(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WriteWholeFile(const std::wstring& path, const std::string& content)
{
    std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
    out << content;
    return static_cast<bool>(out);
}

bool WaitForFile(const std::wstring& path, DWORD limitMs)
{
    const DWORD start = GetTickCount();
    while (!PathFileExistsW(path.c_str())) {
        if (GetTickCount() - start > limitMs)
            return false;
        Sleep(50);
    }
    return true;
}

std::wstring CurrentTestName()
{
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "none";
    for (char& c : name)
        if (!isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '-')
            c = '_';
    return Widen(name);
}
