#include "icons/discovery.h"

#include "core/mod_registry.h"
#include "text/text.h"

namespace vek {

int Discovery::AddFolderEntries(int group, const std::string& folder, const std::string& pattern,
                                int mode, const KeepScanning& keepGoing) {
  if (!IsKnownFolder(folder)) return 0;
  // The folder may lie on a network place (a redirected desktop): it is listed off the
  // UI thread, within the time limit.
  FileSystem* fs = &paths_.fs();
  const std::optional<std::vector<DirEntry>> entries =
      items_.slowCalls().Run<std::vector<DirEntry>>([fs, folder, pattern] { return fs->List(folder, pattern); });
  if (!entries) {
    // Told with the paths that did not answer: a group left without the folder's entries
    // is not filled again by itself.
    items_.ReportNoAnswer(folder);
    return 0;
  }
  int added = 0;
  for (const DirEntry& entry : *entries) {
    if ((entry.attributes & attr::kHidden) != 0) continue;
    if (entry.name.empty() || entry.name == "." || entry.name == "..") continue;
    if (mode == scan_mode::kArchiveOnly && (entry.attributes & attr::kArchive) == 0) continue;
    if (!GoOn(keepGoing)) break;
    const AddResult r = items_.AddItemFromPath(folder + entry.name, group);
    if (r.added()) ++added;
    // A full group (or no member entry left) ends the scan: the rest would be read only
    // to be refused, on a crowded desktop hundreds of shortcut files.
    if (r.outcome == AddOutcome::kFull) break;
  }
  return added;
}

int Discovery::AddSystemFoldersAndDrives(int group, uint32_t windowsMajor,
                                         const std::function<void()>& letMessagesRun,
                                         const KeepScanning& keepGoing) {
  const Folders& f = paths_.folders();
  int added = 0;
  if (!GoOn(keepGoing)) return added;
  if (windowsMajor >= 6 && IsKnownFolder(f.WindowsDir) && Add(f.WindowsDir + "Explorer.exe", group)) ++added;
  for (const std::string* folder : {&f.DocumentsDir, &f.PicturesDir, &f.MusicDir, &f.VideoDir,
                                    &f.FavoritesDir, &f.ProgramFilesDir, &f.WindowsDir, &f.SystemDir}) {
    if (!GoOn(keepGoing)) return added;
    if (IsKnownFolder(*folder) && Add(*folder, group)) ++added;
  }
  for (const std::string& root : drives_.LogicalDriveRoots()) {
    if (!GoOn(keepGoing)) return added;
    if (Add(root, group)) ++added;
    if (letMessagesRun) letMessagesRun();
  }
  return added;
}

int Discovery::AddOfficeApplications(int group, const KeepScanning& keepGoing) {
  static const char* const kProgramIds[] = {"Word.Application", "Excel.Application",
                                            "Access.Application", "PowerPoint.Application",
                                            "FrontPage.Application"};
  int added = 0;
  for (const char* id : kProgramIds) {
    const std::string classId =
        TrimFixed(ReadRegValue(registry_, std::string("HKEY_CLASSES_ROOT\\") + id + "\\CLSID", "").AsText());
    if (classId.empty()) continue;
    // A 32-bit Office on 64-bit Windows registers its server in the 32-bit view only.
    std::string server;
    for (const char* classes : {"HKEY_CLASSES_ROOT\\CLSID\\", "HKEY_CLASSES_ROOT\\Wow6432Node\\CLSID\\"}) {
      server = TrimFixed(ReadRegValue(registry_, classes + classId + "\\LocalServer32", "").AsText());
      if (!server.empty()) break;
    }
    // Switches such as "/automation" follow the program's path.
    const size_t exe = ToUpperAscii(server).rfind(".EXE");
    if (exe != std::string::npos) server = TrimFixed(server.substr(0, exe + 4));
    // The existence test may wait and let window messages run.
    if (items_.ExistsWithinLimit(server, true) && GoOn(keepGoing) && Add(server, group)) ++added;
  }
  return added;
}

}  // namespace vek
