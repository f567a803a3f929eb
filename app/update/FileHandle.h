#pragma once

#include <windows.h>

// Owns one file handle from CreateFileW and closes it.
class FileHandle {
public:
    FileHandle() = default;
    explicit FileHandle(HANDLE handle)
        : m_handle(handle)
    {
    }
    ~FileHandle() { Close(); }

    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    HANDLE Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != INVALID_HANDLE_VALUE; }

    // Writes all bytes; false when the file took fewer.
    bool Write(const void* data, DWORD size);
    void Close();

private:
    HANDLE m_handle = INVALID_HANDLE_VALUE;
};
