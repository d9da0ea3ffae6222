// The user's picture and name in the centre of the ring: a picture file chosen in the
// open dialog becomes "User Icon.ico" (128 x 128 PNG data), then the input box asks for
// the name.
#pragma once

#include <functional>
#include <string>

#include "core/model.h"
#include "core/paths.h"
#include "dialogs/dialog_host.h"
#include "dialogs/file_dialog_request.h"
#include "icons/item_pictures.h"
#include "platform/ansi_codec.h"
#include "platform/file_system.h"
#include "platform/prompt.h"
#include "platform/text_prompt.h"

namespace vek {

constexpr char kUserPictureDialogTitle[] = "VEK Desktop - Change User Icon";
constexpr char kUserPictureFilter[] = "*.bmp;*.jpg;*.png;*.gif|*.bmp;*.jpg;*.png;*.gif";
constexpr char kUserNamePrompt[] = "Enter the new user name. To discard changes, please click 'Cancel'.";
constexpr char kUserNameTitle[] = "Change User Name";
constexpr char kUserPictureFailed[] = "Change icon failed";
constexpr int kUserPictureSide = 128;

// The name the centre keeps for what the input box returned: a blank answer keeps the
// current name; any other is cut to the record's width.
std::string AcceptedUserName(const std::string& answer, const std::string& current, AnsiCodec& codec);

struct UserIdentityServices {
  Model& model;
  FileSystem& fs;
  const Folders& folders;
  AnsiCodec& codec;        // the stored title's code page
  ItemPictures& pictures;  // loads the centre's picture
  UserPrompt& prompt;
  TextPrompt& input;
  DialogHost& host;  // repaints the ring, writes the files
  // The open dialog; the chosen path, or empty when cancelled.
  std::function<std::string(const FileDialogRequest&)> chooseFile;
  // Writes any picture the system reads as a side x side PNG file; false on failure.
  std::function<bool(const std::string& source, const std::string& dest, int side)> writePicture;
};

// The whole dialogue: picture, then name. The new picture is written to a file of its
// own and replaces "User Icon.ico" only once it exists, so an unreadable file (or the
// current picture itself) never leaves the centre without one; the name stays through a
// picture change.
void ChangeUserIdentity(const UserIdentityServices& services);

}  // namespace vek
