#include "dialogs/file_dialog_request.h"

namespace vek {

std::string SystemFilterText(std::string_view barSeparated) {
  std::string out(barSeparated);
  while (!out.empty() && out.back() == '|') out.pop_back();
  for (char& c : out) {
    if (c == '|') c = '\0';
  }
  out.push_back('\0');
  out.push_back('\0');
  return out;
}

}  // namespace vek
