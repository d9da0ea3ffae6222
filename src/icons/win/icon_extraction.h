// Making item pictures: the best icon out of programs and libraries (their icon
// resources, opened only as data), the shell's icon of any other file, .ico and picture
// files converted, all written as PNG files.
#pragma once

#include <windows.h>
#include <objidl.h>  // before GDI+, which needs it and the lean Windows headers omit it
#include <gdiplus.h>

#include <functional>
#include <string>

#include "core/model.h"
#include "core/paths.h"
#include "icons/win/image_store.h"
#include "launch/slow_calls.h"
#include "platform/file_system.h"
#include "platform/win/handles.h"

namespace vek::win {

// GDI+ encoder identifiers: 0 BMP, 1 EMF, 2 WMF, 3 JPEG, 4 PNG, 5 GIF, 6 TIFF, 7 ICO;
// the null identifier for any other kind.
CLSID EncoderClsid(int kind);
// Writes the picture as PNG whatever the file's extension; the GDI+ status.
Gdiplus::Status SaveImageAsPng(Gdiplus::Image& image, const std::string& file);

// The bytes of a resource of `module`: the name is tried as "#" + name (a numeric
// identifier) and then as given; a numeric type text is an integer resource type.
// Empty when nothing is found, the resource is empty, or its bytes do not all lie in
// readable memory of the module.
Bytes LoadResourceBytes(HMODULE module, const std::string& type, const std::string& name);

// Pictures decoded into memory, alpha kept (the file is not kept open). Null when GDI+
// cannot read them or they are larger than 8192 pixels either way.
BitmapPtr LoadPictureFile(const std::string& file);
BitmapPtr LoadPictureBytes(const Bytes& bytes);

// The icon as a 32-bit ARGB bitmap with its alpha channel; null on failure.
BitmapPtr IconToBitmap(HICON icon);
// The shell's large icon of a file, folder or drive, asked on the calling thread (which
// must have started OLE and may wait on the shell without a limit); empty when the shell
// gives none.
UniqueIcon ShellIconHandle(const std::string& path);
// Asks for the icon of a path; the icon belongs to the caller.
using ShellIconQuestion = std::function<UniqueIcon(const std::string& path)>;
// The icon `ask` gives for `path`, asked on a worker of `calls` (whose threads start OLE
// themselves) and waited for at most its limit; the bitmap is made on the calling thread,
// which is the only one to touch GDI+. Null when no icon comes in time (logged); one that
// comes too late is destroyed when it comes. With a `place`, the shell is not asked while
// an earlier question about that place is still stuck (see BoundedCalls::Run).
BitmapPtr ShellIconWithin(BoundedCalls& calls, const std::string& path, ShellIconQuestion ask = ShellIconHandle,
                          const std::string& place = {});
// The shell's large icon of an item's `link`, which leads to `target`, asked on a worker
// within the limit of an item's questions; null when the shell gives none in time or is
// not asked because the link is missing, it or its target lies in a network place that
// does not answer (asked through `fs`: see ShellMayAskAbout), or an earlier question about
// the same network place is still stuck, so that a page of items in a stalling place
// costs one wait, not one each.
BitmapPtr ItemShellIcon(FileSystem& fs, const std::string& link, const std::string& target);
// The shell's large icon of a file, folder or drive as a handle for a window to show,
// asked like ItemShellIcon; empty when the shell gives none in time or is not asked.
UniqueIcon FileShellIcon(FileSystem& fs, const std::string& path);

// Renders one bitmap-format icon image into a width × height PNG file: the alpha path
// (drawn into a 32-bit surface so the alpha channel survives) or the plain path for
// images with fewer colours. False when the bytes are not a complete icon image or
// nothing could be written.
bool RenderIconImage(const Bytes& image, int width, int height, bool alphaPath,
                     const std::string& dest);

// Any picture GDI+ reads, optionally scaled to width × height, written as PNG.
bool ConvertImageFile(const std::string& source, const std::string& dest, bool resize = false,
                      int width = 0, int height = 0);
// An .ico file (or a PNG picture named .ico) to a PNG picture of its best image. The file
// is read on a worker within the limit of an item's questions; `fs` writes the picture.
bool ConvertIconFile(FileSystem& fs, const std::string& source, const std::string& dest);

// The best icon of a program or library (icon group `iconIndex`: a position among its
// groups, or −n for the group with identifier n) written as a PNG picture to `dest`. The
// module is only ever opened as a data file, so no code of it runs, and is read on a
// worker like ItemShellIcon, so a file on a place that stalls writes nothing.
bool WriteModuleIcon(FileSystem& fs, const std::string& file, int iconIndex, const std::string& dest);
// The shell's large icon of a file, folder or drive written as a PNG picture to `dest`;
// asked on a worker like ItemShellIcon, so a file the shell stalls on writes nothing.
bool WriteShellIcon(const std::string& file, const std::string& dest);

}  // namespace vek::win
