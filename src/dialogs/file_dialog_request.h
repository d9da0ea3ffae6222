// What a caller asks of the open and save file dialogs, and the filter text they show.
#pragma once

#include <string>
#include <string_view>

namespace vek {

struct FileDialogRequest {
  bool save = false;
  std::string title;
  // Description and pattern pairs, every part separated from the next by "|":
  // "*.bak|*.bak|*.*|*.*".
  std::string filter;
  std::string initialFile;
  std::string defaultExtension;  // without the dot; empty for none
  std::string initialFolder;
};

// The longest initial file name the dialog accepts; a longer one is refused with a message.
inline constexpr size_t kMaxDialogFileName = 260;

// The filter as the system dialog reads it: every "|" becomes a NUL character and the
// list ends with two NULs. A trailing "|" or an empty filter adds no empty entry.
std::string SystemFilterText(std::string_view barSeparated);

}  // namespace vek
