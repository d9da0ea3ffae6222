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

}  // namespace vek
