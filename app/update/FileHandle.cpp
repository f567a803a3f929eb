#include "app/update/FileHandle.h"

bool FileHandle::Write(const void* data, DWORD size)
{
    DWORD written = 0;
    return WriteFile(m_handle, data, size, &written, nullptr) && written == size;
}

void FileHandle::Close()
{
    if (m_handle != INVALID_HANDLE_VALUE)
        CloseHandle(m_handle);
    m_handle = INVALID_HANDLE_VALUE;
}
