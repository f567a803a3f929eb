#pragma once

#include <string>

// Unpacks every entry of a ZIP archive under the folder (created if missing),
// in archive order:
// folders, files with their attributes and times, existing files replaced.
// Entry names are made safe first (MakeSafeEntryName), so nothing is written
// outside the folder. An entry that cannot be written is skipped and the
// others go on; an encrypted entry (no password is given) leaves its file
// empty. False only when the archive cannot be opened.
bool ExtractZip(const std::wstring& archivePath, const std::wstring& folder);
