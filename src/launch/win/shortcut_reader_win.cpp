#include "launch/win/shortcut_reader_win.h"

#include <windows.h>
#include <msi.h>
#include <objbase.h>
#include <shldisp.h>
#include <shlobj.h>

#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "launch/network_places.h"
#include "platform/log.h"
#include "text/text.h"
#include "platform/win/com_values.h"
#include "platform/win/file_system_win.h"
#include "platform/win/handles.h"
#include "platform/win/text_win.h"

namespace vek::win {

namespace {

// The installer's library is loaded on first use: importing it would load a dozen more
// libraries at every start, for the rare shortcut an installer advertised.
struct InstallerFunctions {
  // Held for the process's life, as the functions below live in it.
  UniqueModule library;
  decltype(&MsiGetShortcutTargetW) shortcutTarget = nullptr;
  decltype(&MsiGetComponentPathW) componentPath = nullptr;
};

const InstallerFunctions& Installer() {
  static const InstallerFunctions functions = [] {
    InstallerFunctions f;
    f.library.reset(LoadLibraryExW(L"msi.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    // Windows without the search flags (Vista, Windows 7 before its update) refuses the
    // flag: the system folder's own copy is then named by its full path.
    if (!f.library && GetLastError() == ERROR_INVALID_PARAMETER) {
      wchar_t system[MAX_PATH];
      const UINT length = GetSystemDirectoryW(system, MAX_PATH);
      if (length > 0 && length < MAX_PATH) f.library.reset(LoadLibraryW((std::wstring(system) + L"\\msi.dll").c_str()));
    }
    const HMODULE msi = f.library.get();
    if (!msi) {
      WriteLog("msi.dll could not be loaded: " + HexCode(GetLastError()));
      return f;
    }
    f.shortcutTarget = reinterpret_cast<decltype(&MsiGetShortcutTargetW)>(
        reinterpret_cast<void*>(GetProcAddress(msi, "MsiGetShortcutTargetW")));
    f.componentPath = reinterpret_cast<decltype(&MsiGetComponentPathW)>(
        reinterpret_cast<void*>(GetProcAddress(msi, "MsiGetComponentPathW")));
    return f;
  }();
  return functions;
}

// Calls a property getter or method of an automation object by name.
bool Invoke(IDispatch* object, const wchar_t* name, WORD flags, Variant* argument, Variant& result) {
  DISPID id = 0;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  if (FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) return false;
  DISPPARAMS params{};
  if (argument) {
    params.rgvarg = argument->get();
    params.cArgs = 1;
  }
  return SUCCEEDED(object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result.get(),
                                  nullptr, nullptr));
}

std::optional<std::wstring> Property(IDispatch* object, const wchar_t* name) {
  Variant value;
  if (!Invoke(object, name, DISPATCH_PROPERTYGET, nullptr, value)) return std::nullopt;
  return value.Text();
}

// True when `hr` failed; the failure is logged with the step and the file, since the
// caller only sees that the shortcut gave nothing.
bool Failed(HRESULT hr, const char* step, const std::string& linkPath) {
  if (SUCCEEDED(hr)) return false;
  WriteLog(std::string("shortcut ") + linkPath + ": " + step + " failed, " + HexCode(static_cast<uint32_t>(hr)));
  return true;
}

std::optional<LinkFields> ReadInternetShortcut(const std::string& path);

std::optional<LinkFields> ReadThroughShellLink(const std::string& linkPath);

std::optional<LinkFields> ReadThroughShellAutomation(const std::string& linkPath) {
  ComPtr<IShellDispatch> shell;
  if (Failed(CoCreateInstance(CLSID_Shell, nullptr, CLSCTX_INPROC_SERVER, IID_IShellDispatch,
                              shell.put_void()),
             "creating the shell automation object", linkPath))
    return std::nullopt;
  Variant folderName(Wide(FolderPart(linkPath)));
  ComPtr<Folder> folder;
  if (Failed(shell->NameSpace(folderName.value(), folder.put()), "opening its folder", linkPath) ||
      !folder)
    return std::nullopt;
  ComPtr<FolderItem> item;
  Bstr fileName(Wide(NamePart(linkPath)));
  if (Failed(folder->ParseName(fileName.get(), item.put()), "finding it in its folder", linkPath) ||
      !item)
    return std::nullopt;
  ComPtr<IDispatch> linkObject;
  if (Failed(item->get_GetLink(linkObject.put()), "opening it as a link", linkPath) ||
      !linkObject)
    return std::nullopt;
  ComPtr<IShellLinkDual2> link;
  if (Failed(linkObject->QueryInterface(IID_IShellLinkDual2, link.put_void()),
             "asking for IShellLinkDual2", linkPath) ||
      !link)
    return std::nullopt;

  // Some shells implement only part of the automation link object; a field its getter
  // cannot give comes from the shell link interface, which reads the same file.
  std::optional<LinkFields> complement;
  auto backup = [&]() -> const LinkFields& {
    if (!complement) complement = ReadThroughShellLink(linkPath).value_or(LinkFields{});
    return *complement;
  };
  LinkFields fields;
  Bstr text;
  fields.target = SUCCEEDED(link->get_Path(text.put())) ? Utf8(text.str()) : backup().target;
  int index = 0;
  // An icon location that names no file (some shells garble it) is taken from the link
  // interface as well.
  if (SUCCEEDED(link->GetIconLocation(text.put(), &index)) &&
      (text.str().empty() || (text.str().find(L':', 2) == std::wstring::npos &&
                              GetFileAttributesW(text.str().c_str()) != INVALID_FILE_ATTRIBUTES))) {
    fields.iconFile = Utf8(text.str());
    fields.iconIndex = index;
  } else {
    fields.iconFile = backup().iconFile;
    fields.iconIndex = backup().iconIndex;
  }
  fields.arguments = SUCCEEDED(link->get_Arguments(text.put())) ? Utf8(text.str()) : backup().arguments;
  fields.workingFolder =
      SUCCEEDED(link->get_WorkingDirectory(text.put())) ? Utf8(text.str()) : backup().workingFolder;
  int show = 0;
  fields.showCommand = SUCCEEDED(link->get_ShowCommand(&show)) ? show : backup().showCommand;
  fields.description = SUCCEEDED(link->get_Description(text.put())) ? Utf8(text.str()) : backup().description;
  return fields;
}

std::optional<LinkFields> ReadThroughScripting(const std::string& linkPath) {
  CLSID clsid{};
  if (Failed(CLSIDFromProgID(L"WScript.Shell", &clsid), "finding WScript.Shell", linkPath)) return std::nullopt;
  ComPtr<IDispatch> scripting;
  if (Failed(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                              IID_IDispatch, scripting.put_void()),
             "creating WScript.Shell", linkPath))
    return std::nullopt;
  Variant path(Wide(linkPath));
  Variant created;
  if (!Invoke(scripting.get(), L"CreateShortcut", DISPATCH_METHOD, &path, created) ||
      created.value().vt != VT_DISPATCH || !created.value().pdispVal)
    return std::nullopt;
  IDispatch* shortcut = created.value().pdispVal;

  LinkFields fields;
  const std::optional<std::wstring> target = Property(shortcut, L"TargetPath");
  if (!target) return std::nullopt;
  fields.target = Utf8(*target);
  // "file,index": the number after the last comma is the index; without a comma there
  // is no icon file.
  const std::string location = Utf8(Property(shortcut, L"IconLocation").value_or(L""));
  const size_t comma = location.rfind(',');
  if (comma != std::string::npos) {
    fields.iconFile = location.substr(0, comma);
    fields.iconIndex = std::atoi(location.c_str() + comma + 1);
  }
  fields.arguments = Utf8(Property(shortcut, L"Arguments").value_or(L""));
  fields.workingFolder = Utf8(Property(shortcut, L"WorkingDirectory").value_or(L""));
  Variant style;
  if (Invoke(shortcut, L"WindowStyle", DISPATCH_PROPERTYGET, nullptr, style))
    fields.showCommand = static_cast<int32_t>(style.Number());
  fields.description = Utf8(Property(shortcut, L"Description").value_or(L""));
  return fields;
}

// The show command as stored in the link file (offset 0x3C of the header), which some
// shell implementations do not report faithfully.
std::optional<int32_t> StoredShowCommand(const std::string& linkPath) {
  Win32FileSystem fs;
  Bytes header;
  if (!fs.ReadRange(linkPath, 0, 0x4C, header)) return std::nullopt;
  if (header[0] != 0x4C || header[1] != 0 || header[2] != 0 || header[3] != 0) return std::nullopt;
  return static_cast<int32_t>(header[0x3C] | (header[0x3D] << 8) | (header[0x3E] << 16) |
                              (header[0x3F] << 24));
}

std::optional<LinkFields> ReadInternetShortcut(const std::string& path) {
  const std::wstring file = Wide(path);
  wchar_t buffer[2048] = {};
  LinkFields fields;
  GetPrivateProfileStringW(L"InternetShortcut", L"URL", L"", buffer, 2048, file.c_str());
  fields.target = Utf8(buffer);
  GetPrivateProfileStringW(L"InternetShortcut", L"IconFile", L"", buffer, 2048, file.c_str());
  fields.iconFile = Utf8(buffer);
  fields.iconIndex = static_cast<int32_t>(GetPrivateProfileIntW(L"InternetShortcut", L"IconIndex", 0, file.c_str()));
  if (fields.target.empty()) return std::nullopt;
  return fields;
}

std::optional<LinkFields> ReadThroughShellLink(const std::string& linkPath) {
  ComPtr<IShellLinkW> link;
  if (Failed(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              link.put_void()),
             "creating the shell link object", linkPath))
    return std::nullopt;
  ComPtr<IPersistFile> file;
  if (Failed(link->QueryInterface(IID_IPersistFile, file.put_void()), "asking for IPersistFile", linkPath) ||
      Failed(file->Load(Wide(linkPath).c_str(), STGM_READ), "loading", linkPath))
    return std::nullopt;
  LinkFields fields;
  std::vector<wchar_t> buffer(1024);
  if (SUCCEEDED(link->GetPath(buffer.data(), static_cast<int>(buffer.size()), nullptr, SLGP_RAWPATH)))
    fields.target = Utf8(buffer.data());
  if (SUCCEEDED(link->GetArguments(buffer.data(), static_cast<int>(buffer.size()))))
    fields.arguments = Utf8(buffer.data());
  if (SUCCEEDED(link->GetWorkingDirectory(buffer.data(), static_cast<int>(buffer.size()))))
    fields.workingFolder = Utf8(buffer.data());
  int index = 0;
  if (SUCCEEDED(link->GetIconLocation(buffer.data(), static_cast<int>(buffer.size()), &index))) {
    fields.iconFile = Utf8(buffer.data());
    fields.iconIndex = index;
  }
  int show = 0;
  if (SUCCEEDED(link->GetShowCmd(&show))) fields.showCommand = show;
  if (std::optional<int32_t> stored = StoredShowCommand(linkPath)) fields.showCommand = *stored;
  if (SUCCEEDED(link->GetDescription(buffer.data(), static_cast<int>(buffer.size()))))
    fields.description = Utf8(buffer.data());
  return fields;
}

// Whether a target read from a link lost characters on the way: a file path never holds
// "?" (beyond the "\\?\" prefix), which is what a character without a place in the
// ANSI code page turns into where a shell keeps or hands on the path in that form.
bool LostCharacters(const std::string& target) {
  const bool filePath = !DriveRootOf(target).empty() || target.rfind("\\\\", 0) == 0;
  return filePath && target.find('?', target.rfind("\\\\?\\", 0) == 0 ? 4 : 0) != std::string::npos;
}

// The link's target as its item ID list names it, which keeps every character; empty
// when the list names no file system path.
std::string TargetFromIdList(const std::string& linkPath) {
  ComPtr<IShellLinkW> link;
  ComPtr<IPersistFile> file;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.put_void())) ||
      FAILED(link->QueryInterface(IID_IPersistFile, file.put_void())) ||
      FAILED(file->Load(Wide(linkPath).c_str(), STGM_READ)))
    return {};
  PIDLIST_ABSOLUTE list = nullptr;
  if (FAILED(link->GetIDList(&list))) return {};
  const std::unique_ptr<ITEMIDLIST_ABSOLUTE, decltype(&CoTaskMemFree)> owned(list, &CoTaskMemFree);
  wchar_t path[MAX_PATH] = {};
  if (!owned || !SHGetPathFromIDListW(owned.get(), path)) return {};
  return Utf8(path);
}

std::optional<LinkFields> ReadLink(const std::string& linkPath, ShortcutReader::Route route) {
  using Route = ShortcutReader::Route;
  std::optional<LinkFields> fields;
  switch (route) {
    case Route::kShellAutomation: fields = ReadThroughShellAutomation(linkPath); break;
    case Route::kScripting: fields = ReadThroughScripting(linkPath); break;
    case Route::kShellLink: fields = ReadThroughShellLink(linkPath); break;
  }
  if (fields && LostCharacters(fields->target)) {
    std::string whole = TargetFromIdList(linkPath);
    WriteLog("shortcut " + linkPath + ": its target came as " + fields->target +
             (whole.empty() ? ", and its item list names none" : "; its item list names " + whole));
    if (!whole.empty()) fields->target = std::move(whole);
  }
  return fields;
}

}  // namespace

std::optional<LinkFields> Win32ShortcutReader::Read(const std::string& linkPath, Route route) {
  try {
    // An Internet shortcut is a small text file that every route reads alike: the
    // automation objects know only its address, not its own picture.
    if (LastFourUpper(linkPath) == ".URL") return ReadInternetShortcut(linkPath);
    return ReadLink(linkPath, route);
  } catch (...) {
    LogCaughtFailure("reading the shortcut " + linkPath);
  }
  return std::nullopt;
}

std::string Win32ShortcutReader::InstallerTarget(const std::string& linkPath) {
  wchar_t product[39] = {};
  wchar_t feature[MAX_FEATURE_CHARS + 1] = {};
  wchar_t component[39] = {};
  const InstallerFunctions& msi = Installer();
  if (!msi.shortcutTarget || !msi.componentPath) return {};
  if (msi.shortcutTarget(Wide(linkPath).c_str(), product, feature, component) != ERROR_SUCCESS) return {};
  std::vector<wchar_t> path(1024);
  DWORD length = static_cast<DWORD>(path.size());
  if (msi.componentPath(product, component, path.data(), &length) != INSTALLSTATE_LOCAL) return {};
  return Utf8(std::wstring_view(path.data(), length < path.size() ? length : path.size() - 1));
}

}  // namespace vek::win
