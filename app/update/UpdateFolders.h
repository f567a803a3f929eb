#pragma once

#include <string>

// The program's data folder: the user's local application data folder
// followed by "\Orvane Files\", ending in a backslash. Empty when the system
// cannot say where local application data lives.
std::wstring GetDataFolder();

// Creates a folder and its missing parents. True when the folder exists
// afterwards (made now or before).
bool CreateFolderTree(const std::wstring& path);
