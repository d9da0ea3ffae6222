#include "icons/item_creation.h"

#include <algorithm>

#include "core/group_title.h"
#include "core/pool_ops.h"
#include "core/stored_text.h"
#include "platform/log.h"
#include "text/text.h"

namespace vek {

namespace {

constexpr char kCrLf[] = "\r\n";
// At most this many paths are listed in the message of a batch of refusals.
constexpr size_t kListedRefusals = 10;

struct DriveRow {
  const char* title;
  const char* picture;
};

DriveRow DriveRowFor(uint32_t type, const std::string& root, bool holdsWindows) {
  switch (type) {
    case drive_type::kRemovable:
      if (root == "A:\\" || root == "B:\\") return {"Floppy Disk ", "FloppyDrive.png"};
      return {"Removable Disk ", "RemDrive.png"};
    case drive_type::kFixed:
      return {"Local Disk ", holdsWindows ? "WinDrive.png" : "FixedDrive.png"};
    case drive_type::kRemote:
      return {"Remote Disk ", "RemoteDrive.png"};
    case drive_type::kCdRom:
      return {"DVD/CD - Drive ", "DVDDrive.png"};
    case drive_type::kRamDisk:
      return {"RAM Disk ", "RamDrive.png"};
    default:
      return {"Unknown Drive ", "UnknownDrive.png"};
  }
}

// The extension of the file name of `upperPath` from its last "." on; empty when the name
// has none.
std::string ExtensionOf(const std::string& upperPath) {
  const std::string name = NamePart(upperPath);
  const size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

bool IsProgramExtension(const std::string& x) { return x == ".EXE" || x == ".SCR"; }

// Compared from the end: the paths compared here mostly share a long folder prefix.
bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = a.size(); i-- > 0;) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

// Exact comparison, from the end.
bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = a.size(); i-- > 0;)
    if (a[i] != b[i]) return false;
  return true;
}

}  // namespace

ItemCreation::ItemCreation(const ItemServices& s, std::string windowsUserName)
    : model_(s.model),
      paths_(s.paths),
      shortcuts_(s.shortcuts),
      associations_(s.associations),
      pictures_(s.pictures),
      drives_(s.drives),
      versions_(s.versions),
      shortPaths_(s.shortPaths),
      prompt_(s.prompt),
      codec_(s.codec),
      slow_(s.slow),
      windowsUserName_(std::move(windowsUserName)) {}

std::string ItemCreation::SysIcon(const char* name) const {
  return paths_.folders().SysIconDir + name;
}

bool ItemCreation::Exists(const std::string& path) {
  std::string p = path;
  return paths_.FileExists(p, false);
}

std::string ItemCreation::NewPictureName() {
  // The smallest free number from the cursor on: a folder scan makes hundreds of pictures
  // in a row, and testing every lower number again for each would cost a file-system
  // call per picture already made. Freeing an item moves the cursor back to 0.
  // A name an item already holds is taken even when its file is missing (a picture that
  // could not be written): two items must never share a picture file.
  auto held = [this](const std::string& name) {
    for (const ShortcutItem& item : model_.Items) {
      if (SameTextIgnoringCase(item.IconFile, name) || SameTextIgnoringCase(item.CustomIconFile, name))
        return true;
    }
    return false;
  };
  const std::string& dir = paths_.folders().IconDir;
  // An icon folder cleaned away while the program runs is made again, or every new
  // picture would fail and its item show the "Problem" picture for good.
  if (paths_.fs().Attributes(dir) == attr::kInvalid) RemakeUserFolders(paths_.fs(), paths_.folders());
  for (unsigned long n = nextPicture_;; ++n) {
    std::string name = dir + std::to_string(n) + ".png";
    if (paths_.fs().Attributes(name) != attr::kInvalid || held(name)) continue;
    nextPicture_ = n + 1;
    return name;
  }
}

void ItemCreation::UpdateGroupTitle(int group) { vek::UpdateGroupTitle(model_, group, codec_); }

void ItemCreation::Free(int index) {
  FreeItem(model_, index, pictures_, paths_.fs(), paths_.folders());
  nextPicture_ = 0;
}

// --- Refusals ------------------------------------------------------------------------

bool ItemCreation::Fits(const std::string& text, int width) {
  std::string ansi;
  return codec_.ToAnsi(text, ansi) && ansi.size() <= static_cast<size_t>(width);
}

std::string ItemCreation::StorableForm(const std::string& path) {
  if (Fits(path, width::kLink)) return path;
  // The short name is the file system's to give, which may wait on a slow place.
  ShortPaths* shortPaths = &shortPaths_;
  const std::optional<std::string> shortForm =
      slow_.Run<std::string>([shortPaths, path] { return shortPaths->ShortPath(path); });
  if (shortForm && !shortForm->empty() && Fits(*shortForm, width::kLink)) return *shortForm;
  if (batchDepth_ > 0) {
    refused_.push_back(path);
  } else {
    prompt_.Warn(std::string(kPathNotStorable) + kCrLf + kCrLf + path);
  }
  return std::string();
}

bool ItemCreation::RestoreLongTitles() {
  bool changed = false;
  for (ShortcutItem& item : model_.Items) {
    if (item.Kind != ItemKind::kShortcut && item.Kind != ItemKind::kMember) continue;
    if (item.Title.find('?') == std::string::npos || item.Link.find('~') == std::string::npos) continue;
    ShortPaths* shortPaths = &shortPaths_;
    const std::string link = item.Link;
    // A share that did not answer lately is not asked again; one that stops answering
    // costs one wait, not one for each of its items.
    if (paths_.fs().Unreachable(link)) continue;
    const std::optional<std::string> longForm = slow_.Run<std::string>(
        [shortPaths, link] { return shortPaths->LongPath(link); }, paths_.fs().NetworkPlaceOf(link));
    if (!longForm || longForm->empty()) continue;
    const std::string title = DisplayNameFromPath(*longForm);
    if (!IsStoredFormOf(item.Title, title, codec_)) continue;
    item.Title = title;
    changed = true;
  }
  return changed;
}

void ItemCreation::BeginRefusalBatch() { ++batchDepth_; }

void ItemCreation::ReportNoAnswer(const std::string& path) {
  WriteLog("not added, no answer in time: " + path);
  if (batchDepth_ > 0) {
    unanswered_.push_back(path);
  } else {
    prompt_.Warn(std::string(kPathNoAnswer) + kCrLf + kCrLf + path);
  }
}

void ItemCreation::EndRefusalBatch() {
  if (batchDepth_ == 0 || --batchDepth_ > 0) return;
  auto report = [this](const char* head, std::vector<std::string>& paths) {
    if (paths.empty()) return;
    std::string text = std::string(head) + kCrLf;
    for (size_t i = 0; i < paths.size() && i < kListedRefusals; ++i) text += kCrLf + paths[i];
    if (paths.size() > kListedRefusals)
      text += std::string(kCrLf) + "... and " + std::to_string(paths.size() - kListedRefusals) + " more.";
    paths.clear();
    prompt_.Warn(text);
  };
  report(kPathsNotStorable, refused_);
  report(kPathsNoAnswer, unanswered_);
}

// --- Placing -------------------------------------------------------------------------

ItemCreation::PathFacts ItemCreation::Probe(PathTools& paths, ShortcutFiles& shortcuts,
                                            VersionResourceSource& versions, const std::string& path) {
  PathFacts facts;
  std::string tested = path;
  facts.exists = paths.FileExists(tested, false);
  facts.unreachable = !facts.exists && paths.fs().Unreachable(tested);
  Effective& eff = facts.eff;
  eff.upper = ToUpperAscii(path);
  eff.extension = ExtensionOf(eff.upper);
  if (eff.extension == ".LNK") {
    shortcuts.ResolveShortcutFile(path, facts.details);
    const std::string target = TrimFixed(facts.details.Target);
    const std::string targetUpper = ToUpperAscii(target);
    std::string iconFile = TrimFixed(facts.details.IconFile);
    // A shortcut to a document or folder is built like its target, so that the item
    // shows the target's picture; programs and shortcuts with their own icon keep the
    // shortcut's. A shortcut that names no file (no target, or a shell object) stays a
    // shortcut.
    if (!NamesShellObject(target) && !IsProgramExtension(LastFourUpper(targetUpper)) &&
        !paths.FileExists(iconFile, false)) {
      eff.upper = targetUpper;
      eff.extension = ExtensionOf(targetUpper);
      eff.viaShortcut = true;
      // A shortcut to an Internet shortcut shows the picture that one names.
      if (eff.extension == ".URL") {
        ShortcutDetails site;
        shortcuts.ResolveShortcutFile(target, site);
        facts.details.IconFile = site.IconFile;
        facts.details.IconIndex = site.IconIndex;
      }
    }
  } else if (eff.extension == ".URL") {
    shortcuts.ResolveShortcutFile(path, facts.details);
  }
  const std::string& x = eff.extension;
  if (x == ".EXE" || x == ".SCR" || x == ".MSI") {
    facts.description = TrimFixed(GetVersionString(versions, eff.upper, version_field::kFileDescription));
  } else if (x != ".LNK" && x != ".URL") {
    facts.attributes = paths.fs().Attributes(eff.upper);
  }
  return facts;
}

std::optional<ItemCreation::PathFacts> ItemCreation::AskAbout(const std::string& path) {
  PathTools* paths = &paths_;
  ShortcutFiles* shortcuts = &shortcuts_;
  VersionResourceSource* versions = &versions_;
  return slow_.Run<PathFacts>(
      [paths, shortcuts, versions, path] { return Probe(*paths, *shortcuts, *versions, path); });
}

bool ItemCreation::ExistsWithinLimit(std::string& path, bool normalise) {
  PathTools* paths = &paths_;
  using Answer = std::pair<bool, std::string>;
  const std::optional<Answer> answer = slow_.Run<Answer>([paths, path, normalise]() mutable {
    const bool exists = paths->FileExists(path, normalise);
    return Answer(exists, path);
  });
  if (!answer) {
    WriteLog("no answer in time: " + path);
    path = TrimFixed(path);
    return false;
  }
  path = answer->second;
  return answer->first;
}

AddResult ItemCreation::AddItemFromPath(const std::string& rawPath, int target) {
  AddResult result;
  const std::string path = TrimFixed(rawPath);
  if (target < 0 || target >= static_cast<int>(model_.Items.size())) return result;
  // Everything that may wait is asked first, while the model is still as it was: the
  // window messages run meanwhile and may paint it. The user may also delete, move or
  // replace the target meanwhile (a first start's scans run while the ring answers):
  // what was aimed at must still stand there afterwards.
  const ShortcutItem& aimed = model_.Items[target];
  const auto sameTarget = [&aimed, kind = aimed.Kind, title = aimed.Title, icon = aimed.IconFile] {
    return aimed.Kind == kind && aimed.Title == title && aimed.IconFile == icon;
  };
  const std::optional<PathFacts> facts = AskAbout(path);
  if (!facts || facts->unreachable) {
    ReportNoAnswer(path);
    result.outcome = AddOutcome::kNoAnswer;
    return result;
  }
  if (!facts->exists) {
    result.outcome = AddOutcome::kMissing;
    return result;
  }
  const std::string stored = StorableForm(path);
  if (stored.empty()) {
    result.outcome = AddOutcome::kNotStorable;
    return result;
  }
  if (!sameTarget()) {
    WriteLog("the place for " + path + " changed while it was looked at; it was not added");
    return result;
  }

  int n = 0;
  const ItemKind targetKind = model_.Items[target].Kind;
  if (targetKind == ItemKind::kShortcut) {
    PromptRequest ask{kReplaceShortcutQuestion, kReplaceShortcutTitle, PromptIcon::kExclamation,
                      PromptButtons::kYesNo, true, true};
    if (prompt_.Ask(ask) != PromptAnswer::kYes) {
      result.outcome = AddOutcome::kDeclined;
      return result;
    }
    Free(target);
    model_.Items[target].Kind = ItemKind::kShortcut;
    n = target;
  } else if (targetKind == ItemKind::kEmptyPosition) {
    Free(target);
    model_.Items[target].Kind = ItemKind::kShortcut;
    n = target;
  } else if (IsUserGroupKind(targetKind) &&
             target < static_cast<int>(model_.Groups.size())) {
    if (!IsNewToGroup(target, stored)) {
      result.outcome = AddOutcome::kDuplicate;
      return result;
    }
    n = model_.GroupFull(target) ? 0 : model_.FindFreeSlot(false);
    if (n == 0 || !model_.AddMember(target, n)) {
      result.outcome = AddOutcome::kFull;
      return result;
    }
    model_.Items[n] = ShortcutItem{};
    model_.Items[n].Kind = ItemKind::kMember;
    UpdateGroupTitle(target);
  } else {
    return result;
  }
  current_ = n;
  Build(n, path, stored, *facts);
  result.outcome = AddOutcome::kAdded;
  result.index = n;
  return result;
}

bool ItemCreation::SetItemPath(const std::string& rawPath, int index) {
  if (index < 0 || index >= static_cast<int>(model_.Items.size())) return false;
  const std::string path = TrimFixed(rawPath);
  const std::optional<PathFacts> facts = AskAbout(path);
  if (!facts || facts->unreachable) {
    ReportNoAnswer(path);
    return false;
  }
  const std::string stored = StorableForm(path);
  if (stored.empty()) return false;
  Free(index);
  model_.Items[index].Kind = index > pool::kRingLast ? ItemKind::kMember : ItemKind::kShortcut;
  current_ = index;
  Build(index, path, stored, *facts);
  return true;
}

bool ItemCreation::IsNewToGroup(int group, const std::string& path) {
  if (group < 0 || group >= static_cast<int>(model_.Groups.size())) return true;
  const std::string wanted = TrimFixed(path);
  bool isNew = true;
  for (const int member : model_.Groups[group].Members) {
    if (member < 0 || member >= static_cast<int>(model_.Items.size())) continue;
    if (SameText(model_.Items[member].Link, wanted)) isNew = false;
  }
  return isNew;
}

// --- Building ------------------------------------------------------------------------

void ItemCreation::Build(int n, const std::string& path, const std::string& stored, const PathFacts& facts) {
  details_ = facts.details;
  const Effective& eff = facts.eff;
  ShortcutItem& item = model_.Items[n];
  const std::string& x = eff.extension;
  // A shortcut's target or arguments that the configuration file could not keep are
  // not stored: the item then names the shortcut itself, which still reads both (a
  // program started without the arguments it was given opens the wrong thing, such as
  // a browser in place of a web app).
  std::string target = TrimFixed(details_.Target);
  std::string arguments = TrimFixed(details_.Arguments);
  if (!Fits(target, width::kTarget) || !Fits(arguments, width::kArguments)) {
    target.clear();
    arguments.clear();
  }

  if (x == ".LNK" || x == ".URL") {
    item.Title = DisplayNameFromPath(path);
    item.ImageIndex = n;
    item.PathKind = PathKind::kShortcutFile;
    item.IconFile = NewPictureName();
    if (!WriteShortcutPicture(path, n))
      item.IconFile = SysIcon(x == ".URL" ? "Internet.png" : "Problem.png");
  } else if (x == ".EXE" || x == ".SCR" || x == ".MSI") {
    // The file description, unless the file has none or it would not survive the
    // configuration file's code page.
    const std::string& description = facts.description;
    std::string ansi;
    item.Title = !description.empty() && codec_.ToAnsi(description, ansi) ? description
                                                                          : DisplayNameFromPath(path);
    item.ImageIndex = n;
    item.PathKind = PathKind::kProgram;
    item.IconFile = NewPictureName();
    if (!WriteProgramPicture(path, n)) item.IconFile = SysIcon("Problem.png");
  } else if (const uint32_t a = facts.attributes; a != attr::kInvalid && (a & attr::kDirectory) != 0) {
    BuildFolder(item, path, eff);
    item.ImageIndex = n;
  } else {
    const DefaultIcon icon = associations_.GetDefaultIcon(x);
    item.PathKind = PathKind::kOtherFile;
    item.Title = DisplayNameFromPath(path);
    item.ImageIndex = n;
    item.IconFile = NewPictureName();
    if (!Exists(icon.file)) {
      item.IconFile = SysIcon("File.png");
    } else if (LastFourUpper(icon.file) == ".ICO") {
      pictures_.ConvertIconFile(icon.file, item.IconFile);
    } else if (!ExtractItemIcon(extract_mode::kModuleIcon, icon.file, icon.index)) {
      item.IconFile = SysIcon("File.png");
    }
  }

  item.Link = stored;
  item.Target = target.empty() ? stored : target;
  item.Arguments = arguments;
  pictures_.LoadItemIcon(n);
}

void ItemCreation::BuildFolder(ShortcutItem& item, const std::string& path, const Effective& eff) {
  item.PathKind = PathKind::kShortcutFile;
  TitleAndPictureOfFolder(item, path, WithTrailingBackslash(eff.upper));
  // A shortcut that led here keeps the name its user gave it; the folder gives the picture.
  if (eff.viaShortcut) item.Title = DisplayNameFromPath(path, false);
}

void ItemCreation::TitleAndPictureOfFolder(ShortcutItem& item, const std::string& path, const std::string& folder) {
  const Folders& f = paths_.folders();
  if (folder.size() == 3) {
    const bool holdsWindows = ToUpperAscii(f.WindowsDir).compare(0, 3, folder) == 0;
    const DriveRow row = DriveRowFor(drives_.DriveType(folder), folder, holdsWindows);
    item.Title = std::string(row.title) + "(" + folder.substr(0, 2) + ")";
    item.IconFile = SysIcon(row.picture);
    return;
  }
  const struct {
    const std::string& dir;
    const char* title;
    const char* picture;
  } special[] = {
      {f.ProfileDir, nullptr, "UserFolder.png"},
      {f.DocumentsDir, "My Documents", "DocFolder.png"},
      {f.PicturesDir, "My Pictures", "PicFolder.png"},
      {f.MusicDir, "My Music", "MusicFolder.png"},
      {f.VideoDir, "My Videos", "VideoFolder.png"},
      {f.FavoritesDir, "My Favorites", "FavFolder.png"},
      {f.WindowsDir, "Windows Directory", "Directory.png"},
      {f.ProgramFilesDir, "Program Files Directory", "Directory.png"},
      {f.SystemDir, "System Directory", "Directory.png"},
  };
  for (const auto& s : special) {
    if (!IsKnownFolder(s.dir) || ToUpperAscii(WithTrailingBackslash(s.dir)) != folder) continue;
    item.Title = s.title ? s.title : windowsUserName_;
    item.IconFile = SysIcon(s.picture);
    return;
  }
  // Any other folder: its own name, extension and all.
  std::string name = path;
  while (name.size() > 1 && name.back() == '\\') name.pop_back();
  item.Title = DisplayNameFromPath(name, true);
  item.IconFile = SysIcon("Folder.png");
}

// --- Removing ------------------------------------------------------------------------

void ItemCreation::MakeBlankPosition(int index) {
  ShortcutItem& item = model_.Items[index];
  item.Title = "Blank Shortcut";
  item.Kind = ItemKind::kEmptyPosition;
  item.IconFile = SysIcon("Shortcut.png");
  item.ImageIndex = index;
  pictures_.LoadItemIcon(index);
}

void ItemCreation::MakeGroup(int slot, const std::string& title) {
  Free(slot);
  ShortcutItem& group = model_.Items[static_cast<size_t>(slot)];
  group.Kind = ItemKind::kGroup;
  // Cut where the stored field ends, so that the ring shows what the next start reads.
  group.Title = TrimBlanks(title).empty() ? std::string(kNewGroupName)
                                          : TrimFixed(StoredPrefix(TrimFixed(title), width::kTitle, codec_));
  group.ImageIndex = slot;
  group.IconFile = SysIcon("Group.png");
  model_.ResetGroup(slot);
  pictures_.LoadItemIcon(slot);
}

bool ItemCreation::AskDelete(const char* title) {
  PromptRequest ask{kDeleteGroupQuestion, title, PromptIcon::kQuestion, PromptButtons::kYesNo,
                    true, true};
  return prompt_.Ask(ask) == PromptAnswer::kYes;
}

bool ItemCreation::DeleteItem(int index, bool quiet) {
  if (index < 0 || index >= static_cast<int>(model_.Items.size())) return false;
  switch (model_.Items[index].Kind) {
    case ItemKind::kShortcut:
      Free(index);
      MakeBlankPosition(index);
      return true;
    case ItemKind::kGroup: {
      if (index >= static_cast<int>(model_.Groups.size())) return false;
      if (!quiet && !AskDelete(kDeleteGroupTitle)) return false;
      ShortcutGroup& g = model_.Groups[index];
      // The group item itself goes; never what a file's list names as shown, which may
      // be another item (the centre, or another group's member).
      Free(index);
      for (const int member : g.Members) Free(member);
      model_.ResetGroup(index);
      MakeBlankPosition(index);
      return true;
    }
    case ItemKind::kMember:
      return RemoveGroupMember(index);
    case ItemKind::kAllPrograms: {
      if (index >= static_cast<int>(model_.Groups.size())) return false;
      if (!quiet && !AskDelete(kDeleteAllProgramsTitle)) return false;
      ShortcutGroup& g = model_.Groups[index];
      for (const int member : g.Members) Free(member);
      model_.Items[index].Link = "";
      g.Members.clear();
      UpdateGroupTitle(index);
      return true;
    }
    default:
      return false;
  }
}

bool ItemCreation::RemoveGroupMember(int index) {
  for (int group = pool::kAllProgramsSlot; group < static_cast<int>(model_.Groups.size()); ++group) {
    if (!model_.RemoveMember(group, index)) continue;
    Free(index);
    UpdateGroupTitle(group);
    return true;
  }
  return false;
}

// --- Pictures ------------------------------------------------------------------------

bool ItemCreation::WriteShortcutPicture(const std::string& link, int index) {
  const std::string& dest = model_.Items[index].IconFile;
  // A shortcut's own .ico file is converted; any other icon location (or, without one,
  // the target) is read as a module. An Internet shortcut's icon file may be a web
  // address, which exists nowhere here. An .ico file that cannot be read leaves the
  // target's own icon: the shortcut itself works, so it does not get the Problem picture.
  const std::string iconFile = TrimFixed(details_.IconFile);
  if (LastFourUpper(iconFile) == ".ICO" && Exists(iconFile) && pictures_.ConvertIconFile(iconFile, dest))
    return true;
  if (ExtractItemIcon(extract_mode::kFromDetails)) return true;
  // A program with no icon of its own shows the shell's plain program picture, as it
  // does on the desktop: the shortcut works, so it does not get the Problem picture.
  if (IsProgramExtension(LastFourUpper(TrimFixed(details_.Target))) &&
      ExtractItemIcon(extract_mode::kShellIcon, details_.Target, index))
    return true;
  // A shortcut to a shell object (This PC, the Control Panel) names no file to read an
  // icon from, and one whose icon location holds no icon (an index an older system
  // lacks) still opens its target: the shell's icon of the shortcut shows what it opens.
  if (LastFourUpper(link) != ".LNK" || !details_.Read) return false;
  const std::string target = TrimFixed(details_.Target);
  return (NamesShellObject(target) || Exists(target)) && ExtractItemIcon(extract_mode::kShellIcon, link, index);
}

bool ItemCreation::WriteProgramPicture(const std::string& program, int index) {
  details_.Clear();
  details_.IconFile = program;
  details_.IconIndex = 0;
  // An installer package has no icon resources: the shell's icon of the file is its
  // picture. A program without an icon of its own gets the shell's plain program picture.
  if (LastFourUpper(program) == ".MSI") return ExtractItemIcon(extract_mode::kShellIcon, program, index);
  return ExtractItemIcon(extract_mode::kFromDetails) ||
         ExtractItemIcon(extract_mode::kShellIcon, program, index);
}

bool ItemCreation::ExtractItemIcon(int mode, const std::string& file, int item) {
  auto destOf = [this](int index) -> std::string {
    if (index < 0 || index >= static_cast<int>(model_.Items.size())) return {};
    return model_.Items[index].IconFile;
  };
  switch (mode) {
    case extract_mode::kFromDetails: {
      const std::string dest = destOf(current_);
      if (dest.empty()) return false;
      details_.IconFile = TrimFixed(details_.IconFile);
      if (Exists(details_.IconFile) &&
          pictures_.WriteModuleIcon(details_.IconFile, details_.IconIndex, dest))
        return true;
      details_.Target = TrimFixed(details_.Target);
      return Exists(details_.Target) &&
             pictures_.WriteModuleIcon(details_.Target, details_.IconIndex, dest);
    }
    case extract_mode::kModuleIcon: {
      const std::string dest = destOf(current_);
      const std::string module = TrimFixed(file);
      return !dest.empty() && Exists(module) && pictures_.WriteModuleIcon(module, item, dest);
    }
    case extract_mode::kShellIcon: {
      const std::string source = TrimFixed(file);
      const std::string dest = destOf(item);
      return !dest.empty() && Exists(source) && pictures_.WriteShellIcon(source, dest);
    }
    default:
      return true;
  }
}

void ItemCreation::RebuildItemIcon(int index) {
  if (index < 0 || index >= static_cast<int>(model_.Items.size())) return;
  const std::string before = model_.Items[index].IconFile;
  RebuildPicture(index);
  // An own picture a shared one took the place of would stay in the icon folder for good.
  if (model_.Items[index].IconFile != before) DeleteOwnPicture(before, paths_.fs(), paths_.folders());
}

void ItemCreation::RebuildPicture(int index) {
  ShortcutItem& item = model_.Items[index];
  std::string link = item.Link;
  std::optional<PathFacts> facts = AskAbout(link);
  if (!facts || facts->unreachable) {
    // Its place may answer at the next start, which tries again.
    WriteLog("picture not rebuilt, no answer in time: " + link);
    return;
  }
  // A link that went (its shortcut deleted or moved) while the item's target, which a
  // click starts, is still there: the picture comes from the target.
  const std::string target = TrimFixed(item.Target);
  if (!facts->exists && !target.empty() && target != link) {
    std::optional<PathFacts> targetFacts = AskAbout(target);
    if (targetFacts && !targetFacts->unreachable && targetFacts->exists) {
      link = target;
      facts = std::move(targetFacts);
    }
  }
  if (!facts->exists) {
    item.IconFile = SysIcon("Problem.png");
    return;
  }
  current_ = index;
  details_ = facts->details;
  const Effective& eff = facts->eff;
  const std::string& x = eff.extension;
  // A fresh picture goes into the item's own file of the icon folder; shared pictures,
  // files elsewhere and the menu, settings or user picture a stored path may name are
  // never written over.
  if (!IsOwnPicturePath(item.IconFile, paths_.folders().IconDir)) item.IconFile = NewPictureName();

  if (x == ".LNK" || x == ".URL") {
    if (!WriteShortcutPicture(link, index))
      item.IconFile = SysIcon(x == ".URL" ? "Internet.png" : "Problem.png");
    return;
  }
  if (x == ".EXE" || x == ".SCR" || x == ".MSI") {
    if (!WriteProgramPicture(link, index)) item.IconFile = SysIcon("Problem.png");
    return;
  }
  const uint32_t a = facts->attributes;
  if (a != attr::kInvalid && (a & attr::kDirectory) != 0) {
    item.IconFile = SysIcon("Folder.png");
    return;
  }
  const DefaultIcon icon = associations_.GetDefaultIcon(x);
  if (!Exists(icon.file)) {
    if (!ExtractItemIcon(extract_mode::kShellIcon, link, index)) {
      item.ImageIndex = index;
      item.IconFile = SysIcon("File.png");
    }
  } else if (LastFourUpper(icon.file) == ".ICO") {
    pictures_.ConvertIconFile(icon.file, item.IconFile);
  } else if (!ExtractItemIcon(extract_mode::kModuleIcon, icon.file, icon.index)) {
    // Only the picture is made anew: the title the user gave the item stays.
    item.ImageIndex = index;
    item.IconFile = SysIcon("File.png");
  }
}

}  // namespace vek
