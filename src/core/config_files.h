// The two configuration files in the per-user icon folder: "VEKCfg.cfg" (the settings
// record) and "VEKMenu.cfg" (the member lists and the item pool).
//
// Every write goes to the ".bak" twin first and then replaces the file; a reader falls
// back on the twin when the file is missing. A write whose folders have gone since
// start-up makes them again. A file that cannot be read or fails the
// checks is copied aside as "<name>.bad" before anything can overwrite it, the user is
// told, and the defaults are used.
//
// Start-up: default settings -> LoadSettings -> system catalogue -> LoadMenu (false: build
// the default groups). Exit: SaveSettings, then SaveMenu.
#pragma once

#include <cstdint>
#include <set>
#include <string>

#include "core/model.h"
#include "core/paths.h"
#include "core/settings_record.h"
#include "platform/ansi_codec.h"
#include "platform/file_system.h"
#include "platform/prompt.h"
#include "platform/registry.h"

// <windows.h> defines LoadMenu as a macro for the menu-resource loader; this reader keeps
// its own name, so the macro is dropped where the two meet.
#ifdef LoadMenu
#undef LoadMenu
#endif

namespace vek {

// Failure messages of the writers (the trailing space belongs to them).
constexpr char kSettingsWriteFailed[] = "Writing configuration file failed! ";
constexpr char kMenuWriteFailed[] = "Writing icon file failed! ";

// Said when a command would write the user's files while the saves leave them alone.
constexpr char kUserFilesKept[] =
    "The folder that keeps your shortcuts and settings could not be reached when VEK "
    "Desktop started, so nothing is written there until the program starts again with the "
    "folder in reach:\r\n\r\n";

// What the file operations work with.
struct ConfigIo {
  FileSystem& fs;
  AnsiCodec& codec;
  UserPrompt& prompt;
  const Folders& folders;
  // Set when the user's folder could not be reached at start: the files there are not
  // read (each read would wait on the folder), so the saves leave them as they are (the
  // user was told once).
  bool keepFiles = false;
};

// True, after saying kUserFilesKept, while the saves leave the user's files alone.
bool RefusedWhileFilesKept(ConfigIo& io);

// Writes "VEKCfg.cfg" from the live settings and the centre item's IconFile. On failure
// shows kSettingsWriteFailed and returns false; the previous file stays as it was. While
// the user's files are kept (keepFiles) it writes nothing and says nothing.
bool SaveSettings(const Model& model, ConfigIo& io);

// Reads "VEKCfg.cfg" (or its twin) and applies it with every check, in order. False
// (AutoRun on, the other settings as they were) when neither file exists or the file is
// unreadable or shorter than its record. AutoRun, when on, is then confirmed through
// SetAutoRun with the program's full path, and stays on only when that wrote the value.
// At start (`atStart`) a Run value that names this program, turned on again in Windows,
// turns the switch on; a reload (a restored configuration) keeps the file's switch.
bool LoadSettings(Model& model, ConfigIo& io, const SettingsScreen& screen, Registry& registry,
                  const std::string& programPath, bool atStart = true);

// Writes "VEKMenu.cfg". On failure shows kMenuWriteFailed and returns false; the previous
// file stays as it was. While the user's files are kept it writes nothing and says nothing.
bool SaveMenu(const Model& model, ConfigIo& io);

// Reads "VEKMenu.cfg" (or its twin) into the member lists 3..36 and the pool: free ring
// slots become empty positions, catalogue entries 65..128 take only their CustomIconFile,
// and an ImageIndex outside the image store becomes the item's own index. False, with
// the model unchanged, when neither file exists or the file is unreadable.
bool LoadMenu(Model& model, ConfigIo& io);

// Deletes "VEKMenu.cfg", its twin and every "*.png" file of the icon folder, and with
// includeSettings "VEKCfg.cfg" and its twin; failures are ignored. ".bad" copies stay.
void DeleteConfigFiles(FileSystem& fs, const Folders& folders, bool includeSettings);

// Deletes every "*.png" file of the icon folder (the pictures the program made) but those
// `spare` names (full paths in capitals); failures are ignored.
void DeleteIconPictures(FileSystem& fs, const Folders& folders, const std::set<std::string>& spare = {});

// Copies an unreadable file aside as file + ".bad" (file + ".2.bad", ... when an older,
// different copy is already there) and returns the copy's path; empty when no copy
// could be made.
std::string PreserveUnreadableFile(FileSystem& fs, const std::string& file);

// Writes `bytes` to path + ".tmp" and renames that over `path`, so that `path` holds
// either its previous content or all of the new one, never a part. False on failure
// (the temporary file is removed).
bool ReplaceFileContent(FileSystem& fs, const std::string& path, const Bytes& bytes);

}  // namespace vek
