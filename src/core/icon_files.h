// Names of the picture files the program makes in the per-user icon folder.
#pragma once

#include <functional>
#include <string>

#include "platform/file_system.h"

namespace vek {

// iconDir + n + ".png" for the smallest n = 0, 1, 2, ... whose file does not exist yet.
// The name is only chosen, not reserved: the file is created when the picture is
// written.
std::string NewIconFileName(FileSystem& fs, const std::string& iconDir);

// The same, also passing over names for which `taken` is true (names already promised
// to files that are about to be written).
std::string NewIconFileName(FileSystem& fs, const std::string& iconDir,
                            const std::function<bool(const std::string&)>& taken);

// The same from number `next` on, which is left just past the name chosen: a caller that
// chooses many names in a row, promising each one through `taken`, asks the file system
// about each number once rather than about every lower number again.
std::string NewIconFileName(FileSystem& fs, const std::string& iconDir,
                            const std::function<bool(const std::string&)>& taken, unsigned long& next);

// True when `path` names a shared picture: one in `sysIconDir`, or directly in a folder
// named "SysIcons" (the shared pictures of the program folder the record was written
// in). Such pictures have no icon block in a backup, whichever folder the program lived in.
bool IsSharedPicturePath(const std::string& path, const std::string& sysIconDir);
// The same shared picture in `sysIconDir` when it is there; else `path` unchanged.
std::string SharedPictureHere(FileSystem& fs, const std::string& path, const std::string& sysIconDir);

}  // namespace vek
