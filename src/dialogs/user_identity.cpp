#include "dialogs/user_identity.h"

#include "core/paths.h"
#include "core/stored_text.h"
#include "dialogs/item_properties.h"
#include "text/text.h"

namespace vek {

std::string AcceptedUserName(const std::string& answer, const std::string& current, AnsiCodec& codec) {
  if (TrimBlanks(answer).empty()) return current;
  // Cut where the stored title ends, so that the ring shows what the next start reads.
  return StoredPrefix(answer, width::kTitle, codec);
}

namespace {

// The chosen picture into "User Icon.ico" by way of a file of its own; false (the old
// picture kept) when it cannot be read or the new file cannot take its place.
bool ReplaceUserPicture(const UserIdentityServices& s, const std::string& chosen) {
  const std::string& dest = s.folders.UserIconFile;
  const std::string made = dest + ".new";
  RemakeUserFolders(s.fs, s.folders);  // cleaned away while the program runs
  if (!s.writePicture(chosen, made, kUserPictureSide)) {
    s.fs.Delete(made);
    return false;
  }
  s.pictures.ReleaseItemImages(pool::kCentre);
  if (!s.fs.Move(made, dest)) {
    s.fs.Delete(made);
    s.pictures.LoadItemIcon(pool::kCentre);  // the old picture, still in place
    return false;
  }
  return true;
}

}  // namespace

void ChangeUserIdentity(const UserIdentityServices& s) {
  ShortcutItem& centre = s.model.Items[pool::kCentre];
  FileDialogRequest request;
  request.title = kUserPictureDialogTitle;
  request.filter = kUserPictureFilter;
  const std::string chosen = s.chooseFile ? s.chooseFile(request) : std::string();
  if (!TrimFixed(chosen).empty()) {
    if (ReplaceUserPicture(s, chosen)) {
      centre.Kind = ItemKind::kCentre;
      centre.IconFile = s.folders.UserIconFile;
      s.pictures.LoadItemIcon(pool::kCentre);
      s.host.RefreshRing();
      s.host.SaveSettings();
    } else {
      s.prompt.Warn(kUserPictureFailed);
    }
  }
  const std::string current = centre.Title;
  // Cancel keeps the name.
  const std::string typed = s.input.InputText(kUserNamePrompt, kUserNameTitle, current).value_or(current);
  const std::string name = TrimFixed(AcceptedUserName(typed, current, s.codec));
  if (name != current) {
    centre.Title = name;
    s.host.SaveMenu();
  }
  s.host.RefreshRing();
}

}  // namespace vek
