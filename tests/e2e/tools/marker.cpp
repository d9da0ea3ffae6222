// A small program the end-to-end tests launch from the dock: it writes its arguments and
// its working folder to "marker.txt" beside itself, then ends.
#include <windows.h>

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv) {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path = self;
  path = path.substr(0, path.find_last_of(L'\\') + 1) + L"marker.txt";
  wchar_t folder[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, folder);
  FILE* out = _wfopen(path.c_str(), L"w, ccs=UTF-8");
  if (!out) return 1;
  std::fwprintf(out, L"folder=%ls\n", folder);
  for (int i = 1; i < argc; ++i) std::fwprintf(out, L"arg=%ls\n", argv[i]);
  std::fclose(out);
  return 0;
}
