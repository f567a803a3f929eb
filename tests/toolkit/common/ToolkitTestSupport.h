#pragma once

#include "lumo/lumo.h"

#include <functional>
#include <string>
#include <vector>

namespace ToolkitTest {

// A 32-bit bottom-up DIB selected into a memory DC: the kind of surface the
// toolkit paints into. Pixels are read back as 0xAARRGGBB.
class DibCanvas {
public:
    DibCanvas(int width, int height);
    ~DibCanvas();
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;

    HDC& Dc() { return m_dc; }
    HBITMAP Bitmap() const { return m_bitmap; }
    BYTE* Bits() const { return m_bits; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Client coordinates, top row 0.
    DWORD Pixel(int x, int y) const;
    void Fill(DWORD argb);

private:
    int m_width;
    int m_height;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
    BYTE* m_bits = nullptr;
};

inline BYTE AlphaOf(DWORD argb) { return static_cast<BYTE>(argb >> 24); }
inline BYTE RedOf(DWORD argb) { return static_cast<BYTE>(argb >> 16); }
inline BYTE GreenOf(DWORD argb) { return static_cast<BYTE>(argb >> 8); }
inline BYTE BlueOf(DWORD argb) { return static_cast<BYTE>(argb); }

// Writes a PNG of width × height whose pixel (x, y) is colour(x, y) (ARGB).
bool SavePng(const std::wstring& path, int width, int height, const std::function<DWORD(int, int)>& colour);

// The whole content of a file; empty when it cannot be read.
std::vector<unsigned char> ReadFileBytes(const std::wstring& path);

// A private folder below the skin folder (the test program's folder, then
// "skins\theme1\"), removed with everything in it at the end of the test.
class TempSkinFolder {
public:
    TempSkinFolder();
    ~TempSkinFolder();
    TempSkinFolder(const TempSkinFolder&) = delete;
    TempSkinFolder& operator=(const TempSkinFolder&) = delete;

    // The skin-relative name of `file` in this folder (what controls ask for).
    std::wstring Name(const std::wstring& file) const;
    // Writes a PNG into the folder and returns its skin-relative name.
    std::wstring AddPng(const std::wstring& file, int width, int height, const std::function<DWORD(int, int)>& colour);
    std::wstring FullPath(const std::wstring& file) const;

private:
    std::wstring m_relative; // "lumo-test-<pid>-<n>\"
    std::vector<std::wstring> m_files;
};

// The parent object of controls under test: records their reports.
class RecordingParent : public Lumo::MObject {
public:
    struct Update {
        RECT rect;
        int rebuild;
        Lumo::MControl* control;
    };
    struct Message {
        UINT id;
        UINT code;
        WPARAM wparam;
        LPARAM lparam;
    };
    const wchar_t* GetClassNameW() const override { return L"RecordingParent"; }
    LRESULT OnBaseMessage(UINT id, UINT code, WPARAM wparam, LPARAM lparam) override;
    LRESULT OnControlUpdate(RECT rect, int rebuild, Lumo::MControl* control) override;

    std::vector<Update> updates;
    std::vector<Message> messages;
};

inline bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

} // namespace ToolkitTest
