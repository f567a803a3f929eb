#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// A fetched version text longer than this is not a version (an error page,
// for instance) and is turned away.
constexpr std::size_t kMaxVersionTextLength = 10;

// The text without surrounding white space: blanks, tabs, line breaks and a
// byte-order mark that an editor may have put in front.
std::wstring TrimVersionText(std::wstring_view text);

// Whether a trimmed text may be taken as a version: not empty, at most
// kMaxVersionTextLength characters, and nothing that would change the meaning
// of the file names and addresses it is put into (folder separators, a drive
// colon, wildcards, control characters).
bool IsUsableVersionText(std::wstring_view trimmed);

// TrimVersionText followed by IsUsableVersionText: the version to store, or
// nothing when the fetched text is not one.
std::optional<std::wstring> AcceptVersionText(std::wstring_view fetched);
