#pragma once

// Helpers of the update tests that run under Wine: the local update host that
// the test fixture started, a hidden window that records what the update work
// posts to it, and a temporary folder per test.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// The local update host (tools/update-server), as the fixture left it.
class TestUpdateServer {
public:
    // Fails the current test when the fixture has not started the server.
    static const TestUpdateServer& Get();

    std::wstring Https(const std::wstring& path) const; // "https://localhost:PORT" + path
    std::wstring Http(const std::wstring& path) const;
    // Served with a self-signed certificate that nothing trusts.
    std::wstring UntrustedHttps(const std::wstring& path) const;

    // The served folder and the test archives in it (archives\).
    std::wstring WwwFolder() const;
    std::wstring ArchivesFolder() const;

    // Puts a file under the served folder (path relative to it, with slashes).
    void Put(const std::wstring& relativePath, const std::string& content) const;

    // The request log's lines whose path is this one.
    std::vector<std::string> RequestsFor(const std::string& path) const;

private:
    std::wstring m_state;
    int m_httpPort = 0;
    int m_httpsPort = 0;
    int m_untrustedPort = 0;
};

// An address on localhost where nothing listens.
std::wstring UnreachableAddress(const std::wstring& path);

// A message posted by the update work to the main window.
struct PostedMessage {
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
};

// A real, hidden top-level window that records the messages posted to it.
class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    HWND Window() const { return m_window; }

    // Runs the work on a thread of its own, as the program's worker does,
    // while this thread dispatches the window's messages; then collects what
    // is still queued. Ends the test program when the work takes longer than
    // the limit, since the work cannot be stopped safely.
    void RunOnWorker(const std::function<void()>& work, DWORD limitMs = 30000);

    std::vector<LPARAM> Progress() const; // lParams of WM_TRAY_NOTIFY with wParam 0
    std::vector<PostedMessage> UpdateResults() const; // WM_UPDATE_RESULT
    const std::vector<PostedMessage>& All() const { return m_messages; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    void DispatchQueued();

    HWND m_window = nullptr;
    std::vector<PostedMessage> m_messages;
};

// A folder of its own for one test under the temporary folder, removed with
// everything in it afterwards. Path() ends in a backslash.
class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::wstring& Path() const { return m_path; }

private:
    std::wstring m_path;
};

// Every file under a folder, as paths relative to it with backslashes.
std::vector<std::wstring> FilesUnder(const std::wstring& folder);

std::string ReadWholeFile(const std::wstring& path);
bool WriteWholeFile(const std::wstring& path, const std::string& content);

// Waits up to limitMs for a file to appear.
bool WaitForFile(const std::wstring& path, DWORD limitMs);

// A name for the current test, usable in paths.
std::wstring CurrentTestName();
