#include "platform/win/system_info_win.h"

#include <shlobj.h>

#include <optional>
#include <vector>

#include "text/text.h"
#include "platform/win/text_win.h"

namespace vek::win {

std::optional<std::string> Win32Environment::Variable(const std::string& name) {
  const std::wstring wide = Wide(name);
  SetLastError(ERROR_SUCCESS);
  const DWORD n = GetEnvironmentVariableW(wide.c_str(), nullptr, 0);
  if (n == 0) return std::nullopt;
  std::vector<wchar_t> buffer(n + 1);
  const DWORD got = GetEnvironmentVariableW(wide.c_str(), buffer.data(), n + 1);
  if (got == 0 && GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
  return Utf8(std::wstring_view(buffer.data(), got));
}

std::string Win32ShellFolders::SpecialFolder(int csidl) {
  wchar_t path[MAX_PATH * 2] = {};
  if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
  return Utf8(path);
}

std::string Win32ShellFolders::TempFolder() {
  wchar_t path[MAX_PATH + 1] = {};
  const DWORD n = GetTempPathW(MAX_PATH + 1, path);
  return Utf8(std::wstring_view(path, n <= MAX_PATH ? n : 0));
}

std::string Win32ShellFolders::TempFileName(const std::string& folder, const std::string& prefix) {
  wchar_t name[MAX_PATH] = {};
  if (!GetTempFileNameW(Wide(folder).c_str(), Wide(prefix).c_str(), 0, name)) return {};
  return Utf8(name);
}

PromptAnswer Win32Prompt::Ask(const PromptRequest& request) {
  UINT flags = request.buttons == PromptButtons::kYesNo ? MB_YESNO : MB_OK;
  switch (request.icon) {
    case PromptIcon::kInformation: flags |= MB_ICONINFORMATION; break;
    case PromptIcon::kExclamation: flags |= MB_ICONEXCLAMATION; break;
    case PromptIcon::kQuestion: flags |= MB_ICONQUESTION; break;
    case PromptIcon::kCritical: flags |= MB_ICONERROR; break;
    case PromptIcon::kNone: break;
  }
  if (request.defaultNo) flags |= MB_DEFBUTTON2;
  if (request.foreground) flags |= MB_SETFOREGROUND;
  const HWND owner = owner_ ? owner_() : nullptr;
  std::optional<ModalState::Scope> counted;
  if (modal_) counted.emplace(*modal_);
  const int answer = MessageBoxW(owner, Wide(request.text).c_str(), Wide(request.title).c_str(), flags);
  if (request.buttons == PromptButtons::kOk) return PromptAnswer::kOk;
  return answer == IDYES ? PromptAnswer::kYes : PromptAnswer::kNo;
}

std::string ProgramPath() {
  std::vector<wchar_t> buffer(MAX_PATH);
  while (true) {
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) return Utf8(std::wstring_view(buffer.data(), n));
    buffer.resize(buffer.size() * 2);
  }
}

std::string ProgramFolder() { return FolderPart(ProgramPath()); }

std::string WindowsUserName() {
  wchar_t name[33] = {};
  DWORD length = 32;
  if (!GetUserNameW(name, &length)) return {};
  // The length counts the terminating NUL.
  const DWORD chars = length > 0 && name[length - 1] == L'\0' ? length - 1 : length;
  return TrimFixed(Utf8(std::wstring_view(name, chars)));
}

}  // namespace vek::win
