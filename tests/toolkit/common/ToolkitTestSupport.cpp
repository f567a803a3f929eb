#include "ToolkitTestSupport.h"

#include <atomic>
#include <memory>

namespace ToolkitTest {

DibCanvas::DibCanvas(int width, int height)
    : m_width(width)
    , m_height(height)
{
    HDC screen = GetDC(nullptr);
    m_dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    m_bitmap = Lumo::MRender::CreateARGB32Bitmap(m_dc, width, height, &m_bits);
    m_previous = SelectObject(m_dc, m_bitmap);
}

DibCanvas::~DibCanvas()
{
    SelectObject(m_dc, m_previous);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
}

DWORD DibCanvas::Pixel(int x, int y) const
{
    GdiFlush();
    const int row = m_height - 1 - y;
    return reinterpret_cast<const DWORD*>(m_bits)[row * m_width + x];
}

void DibCanvas::Fill(DWORD argb)
{
    GdiFlush();
    auto* pixels = reinterpret_cast<DWORD*>(m_bits);
    for (int i = 0; i < m_width * m_height; ++i)
        pixels[i] = argb;
}

namespace {

bool PngEncoder(CLSID& clsid)
{
    UINT count = 0, size = 0;
    Gdiplus::GetImageEncodersSize(&count, &size);
    if (size == 0)
        return false;
    std::vector<BYTE> buffer(size);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    Gdiplus::GetImageEncoders(count, size, encoders);
    for (UINT i = 0; i < count; ++i) {
        if (std::wstring(encoders[i].MimeType) == L"image/png") {
            clsid = encoders[i].Clsid;
            return true;
        }
    }
    return false;
}

} // namespace

bool SavePng(const std::wstring& path, int width, int height, const std::function<DWORD(int, int)>& colour)
{
    Gdiplus::Bitmap bitmap(width, height, PixelFormat32bppARGB);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.SetPixel(x, y, Gdiplus::Color(colour(x, y)));
    CLSID png;
    return PngEncoder(png) && bitmap.Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
}

std::vector<unsigned char> ReadFileBytes(const std::wstring& path)
{
    std::vector<unsigned char> bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
        bytes.resize(read);
    }
    CloseHandle(file);
    return bytes;
}

TempSkinFolder::TempSkinFolder()
{
    static std::atomic<int> counter{0};
    m_relative = L"lumo-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter) + L"\\";
    const std::wstring skin = Lumo::GetSkinPath(); // ...\skins\theme1\ .
    const std::wstring skins = skin.substr(0, skin.size() - Lumo::Manager::GetTheme().size());
    CreateDirectoryW(skins.c_str(), nullptr);
    CreateDirectoryW(skin.c_str(), nullptr);
    CreateDirectoryW((skin + m_relative).c_str(), nullptr);
}

TempSkinFolder::~TempSkinFolder()
{
    for (const std::wstring& file : m_files)
        DeleteFileW(FullPath(file).c_str());
    const std::wstring skin = Lumo::GetSkinPath();
    RemoveDirectoryW((skin + m_relative).c_str());
    // Only removed when nothing else lives there.
    RemoveDirectoryW(skin.c_str());
    RemoveDirectoryW(skin.substr(0, skin.size() - Lumo::Manager::GetTheme().size()).c_str());
}

std::wstring TempSkinFolder::Name(const std::wstring& file) const { return m_relative + file; }
std::wstring TempSkinFolder::FullPath(const std::wstring& file) const { return Lumo::GetSkinPath() + Name(file); }

std::wstring TempSkinFolder::AddPng(
    const std::wstring& file, int width, int height, const std::function<DWORD(int, int)>& colour)
{
    m_files.push_back(file);
    SavePng(FullPath(file), width, height, colour);
    return Name(file);
}

LRESULT RecordingParent::OnBaseMessage(UINT id, UINT code, WPARAM wparam, LPARAM lparam)
{
    messages.push_back(Message{id, code, wparam, lparam});
    return 0;
}

LRESULT RecordingParent::OnControlUpdate(RECT rect, int rebuild, Lumo::MControl* control)
{
    updates.push_back(Update{rect, rebuild, control});
    return 0;
}

} // namespace ToolkitTest
