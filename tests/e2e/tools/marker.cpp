// A small program the end-to-end tests launch from the dock: it writes its arguments and
// its working folder to "marker.txt" beside itself, adds a line to "marker.log" there (one
// a start), then ends.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {
std::string Utf8(const wchar_t* text) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string out(n > 0 ? n - 1 : 0, '\0');
  if (n > 1) WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), n, nullptr, nullptr);
  return out;
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path = self;
  const std::wstring beside = path.substr(0, path.find_last_of(L'\\') + 1);
  path = beside + L"marker.txt";
  if (FILE* log = _wfopen((beside + L"marker.log").c_str(), L"ab")) {
    std::fputs("started\n", log);
    std::fclose(log);
  }
  wchar_t folder[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, folder);
  FILE* out = _wfopen(path.c_str(), L"wb");
  if (!out) return 1;
  std::fprintf(out, "folder=%s\n", Utf8(folder).c_str());
  for (int i = 1; i < argc; ++i) std::fprintf(out, "arg=%s\n", Utf8(argv[i]).c_str());
  std::fclose(out);
  return 0;
}
