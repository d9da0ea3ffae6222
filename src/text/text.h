// Text helpers shared by the portable core and the Windows side, below both. All text in
// the core is UTF-8 std::string; the Windows side converts to UTF-16 at its API calls and
// to the ANSI code page only where a stored format demands it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vek {

// Cuts at the first NUL character, then removes leading and trailing spaces. Every
// fixed-length record field goes through this before use.
std::string TrimFixed(std::string_view text);

// Removes leading and trailing blanks (spaces and tabs).
std::string TrimBlanks(std::string_view text);

std::string ToUpperAscii(std::string_view text);
std::string ToLowerAscii(std::string_view text);

// Replaces every occurrence of `from` in one left-to-right pass (replacements are not
// scanned again), case-sensitively.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);

bool StartsWith(std::string_view text, std::string_view prefix);
bool EndsWith(std::string_view text, std::string_view suffix);
bool Contains(std::string_view text, std::string_view part);

// The last four characters in upper case (".LNK", ".EXE", ...): how file types are told
// apart throughout the program. Shorter texts give themselves in upper case.
std::string LastFourUpper(std::string_view path);

// The path up to and including its last backslash; empty when there is none.
std::string FolderPart(std::string_view path);
// The text after the last backslash (the whole text when there is none).
std::string NamePart(std::string_view path);
// Appends a backslash unless the text already ends with one.
std::string WithTrailingBackslash(std::string_view folder);

// Appends one Unicode code point as UTF-8.
void AppendUtf8(std::string& out, uint32_t codePoint);
// `units` UTF-16 little-endian code units (two bytes each) as UTF-8; an unpaired
// surrogate becomes U+FFFD.
std::string Utf16LeToUtf8(const uint8_t* data, size_t units);

}  // namespace vek
