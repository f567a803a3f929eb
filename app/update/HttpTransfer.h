#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

// The most a text document (a channel's version file) may hold: far more than
// any version, far less than would strain the machine.
constexpr std::size_t kMaxTextDocumentBytes = 64 * 1024;

// Fetches a document over HTTP(S) into a wide string (UTF-8, up to the first
// zero byte). Results: 1 done; 0 the internet handle cannot be opened; -1 the
// address cannot be opened, the server answers with a status other than 200,
// a read fails, the body is shorter than its announced length, or it is
// longer than maxBytes. On every failure the text is left unchanged.
int HttpGetText(const std::wstring& address, std::wstring& text, std::size_t maxBytes = kMaxTextDocumentBytes);

// Downloads a document into a file, reporting progress to the window (see
// ProgressPoster; lastProgress is the window's download state). Results: 1
// done; 0 the internet handle cannot be opened; -1 the address cannot be
// opened, the server answers with a status other than 200 (no file is made),
// the file cannot be created, or a read or write fails or the body ends short
// of its announced length (the partial file stays).
int HttpDownloadFile(const std::wstring& address, const std::wstring& filePath, HWND window, int& lastProgress);
