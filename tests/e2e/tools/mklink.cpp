// Makes a shell shortcut file the way Windows programs and installers do, through
// IShellLinkW and IPersistFile:
//   mklink LINK TARGET ARGUMENTS WORKING_FOLDER ICON_FILE ICON_INDEX
// A TARGET of the form "::{CLSID}" (This PC, Control Panel) is stored as an item-ID list
// without a path, as "Create shortcut" on such a folder does.
// Ends with 0 when the file was saved.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
  if (argc != 7) {
    std::fwprintf(stderr, L"usage: mklink LINK TARGET ARGUMENTS WORKING_FOLDER ICON_FILE ICON_INDEX\n");
    return 2;
  }
  // This helper is a program of its own: it starts COM for itself.
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 3;
  int result = 1;
  IShellLinkW* link = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&link)))) {
    PIDLIST_ABSOLUTE folder = nullptr;
    if (std::wcsncmp(argv[2], L"::", 2) == 0 && SUCCEEDED(SHParseDisplayName(argv[2], nullptr, &folder, 0, nullptr))) {
      link->SetIDList(folder);
      CoTaskMemFree(folder);
    } else {
      link->SetPath(argv[2]);
    }
    link->SetArguments(argv[3]);
    link->SetWorkingDirectory(argv[4]);
    link->SetIconLocation(argv[5], _wtoi(argv[6]));
    link->SetShowCmd(SW_SHOWNORMAL);
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      if (SUCCEEDED(file->Save(argv[1], TRUE))) result = 0;
      file->Release();
    }
    link->Release();
  }
  if (result != 0) std::fwprintf(stderr, L"mklink: could not save %ls\n", argv[1]);
  CoUninitialize();
  return result;
}
