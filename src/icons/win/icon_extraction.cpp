#include "icons/win/icon_extraction.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <vector>

#include "text/text.h"
#include "icons/icon_directory.h"
#include "core/icon_files.h"
#include "launch/network_places.h"
#include "platform/log.h"
#include "platform/win/dib_section.h"
#include "platform/win/file_system_win.h"
#include "platform/win/handles.h"
#include "platform/win/text_win.h"
#include "platform/win/ui_thread.h"

namespace vek::win {

namespace {

// The largest picture decoded: a photo of today's cameras and phones (up to some 130
// megapixels, a side up to the most GDI+ takes), not a small file claiming a picture
// whose decoding would take gigabytes.
constexpr uint64_t kLargestPictureSide = 32767;
constexpr uint64_t kLargestPicturePixels = uint64_t{1} << 27;

bool BeyondDecodeLimit(uint64_t width, uint64_t height) {
  return width > kLargestPictureSide || height > kLargestPictureSide || width * height > kLargestPicturePixels;
}

// The program's workers for the shell's icons, each call within the limit of an item's
// questions. Never destroyed: a call past its limit may finish while the program ends.
BoundedCalls& ShellWorkers() {
  static BoundedCalls* const workers = new BoundedCalls(kSlowCallLimit, {}, WorkerThreadScope);
  return *workers;
}

bool IsNumber(const std::string& text) {
  if (text.empty() || text.size() > 5) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

// True when [data, data + size) is committed, readable memory (a resource directory of
// a hostile file can name bytes beyond what was mapped).
bool Readable(const void* data, size_t size) {
  auto at = static_cast<const uint8_t*>(data);
  const uint8_t* end = at + size;
  while (at < end) {
    MEMORY_BASIC_INFORMATION info{};
    if (VirtualQuery(at, &info, sizeof(info)) == 0) return false;
    if (info.State != MEM_COMMIT) return false;
    const DWORD readable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                           PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
    if (!(info.Protect & readable) || (info.Protect & PAGE_GUARD)) return false;
    at = static_cast<const uint8_t*>(info.BaseAddress) + info.RegionSize;
  }
  return true;
}

// A bitmap that owns a copy of the pixels of `source` in 32-bit ARGB.
BitmapPtr CopyToArgb(Gdiplus::Bitmap& source) {
  const UINT width = source.GetWidth(), height = source.GetHeight();
  if (width == 0 || height == 0 || BeyondDecodeLimit(width, height)) return nullptr;
  auto copy = std::make_unique<Gdiplus::Bitmap>(static_cast<INT>(width), static_cast<INT>(height),
                                                PixelFormat32bppARGB);
  if (copy->GetLastStatus() != Gdiplus::Ok) return nullptr;
  const Gdiplus::Rect all(0, 0, static_cast<INT>(width), static_cast<INT>(height));
  Gdiplus::BitmapData target{};
  if (copy->LockBits(&all, Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB, &target) != Gdiplus::Ok)
    return nullptr;
  Gdiplus::BitmapData into = target;  // read straight into the copy's pixels
  const Gdiplus::Status read = source.LockBits(
      &all, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf, PixelFormat32bppARGB, &into);
  if (read == Gdiplus::Ok) source.UnlockBits(&into);
  copy->UnlockBits(&target);
  return read == Gdiplus::Ok ? std::move(copy) : nullptr;
}

// The pixels of a premultiplied 32-bit top-down buffer as an ARGB bitmap of its own.
BitmapPtr FromPremultiplied(void* bits, int width, int height) {
  Gdiplus::Bitmap view(width, height, width * 4, PixelFormat32bppPARGB, static_cast<BYTE*>(bits));
  if (view.GetLastStatus() != Gdiplus::Ok) return nullptr;
  return CopyToArgb(view);
}

bool AnyAlpha(const void* bits, int width, int height) {
  const auto* p = static_cast<const uint8_t*>(bits);
  const size_t n = static_cast<size_t>(width) * height;
  for (size_t i = 0; i < n; ++i)
    if (p[i * 4 + 3] != 0) return true;
  return false;
}

// The icon drawn into a 32-bit surface of width × height, read back with its alpha.
// DrawIconEx blends the icon over the cleared surface, which leaves premultiplied
// pixels. Null when the icon left no alpha at all (an image without an alpha channel).
BitmapPtr IconThroughSurface(HICON icon, int width, int height) {
  DibSection canvas;
  if (!canvas.Create(width, height)) return nullptr;
  if (!DrawIconEx(canvas.dc(), 0, 0, icon, width, height, 0, nullptr, DI_NORMAL | DI_COMPAT))
    return nullptr;
  GdiFlush();
  if (!AnyAlpha(canvas.bits(), width, height)) return nullptr;
  return FromPremultiplied(canvas.bits(), width, height);
}

// True when the picture's header states a size beyond the decoding limit: it is refused
// before GDI+ decodes it, since a small file can claim a picture whose decoding would
// take gigabytes and hold the thread for minutes.
bool StatesTooLarge(const Bytes& bytes) {
  const std::optional<PictureSize> stated = StatedPictureSize(bytes);
  return stated && BeyondDecodeLimit(stated->width, stated->height);
}

BitmapPtr PlainIconBitmap(HICON icon) {
  BitmapPtr plain(Gdiplus::Bitmap::FromHICON(icon));
  if (!plain || plain->GetLastStatus() != Gdiplus::Ok) return nullptr;
  return plain;
}

}  // namespace

CLSID EncoderClsid(int kind) {
  static const wchar_t* const kIds[] = {
      L"{557CF400-1A04-11D3-9A73-0000F81EF32E}", L"{557CF403-1A04-11D3-9A73-0000F81EF32E}",
      L"{557CF404-1A04-11D3-9A73-0000F81EF32E}", L"{557CF401-1A04-11D3-9A73-0000F81EF32E}",
      L"{557CF406-1A04-11D3-9A73-0000F81EF32E}", L"{557CF402-1A04-11D3-9A73-0000F81EF32E}",
      L"{557CF405-1A04-11D3-9A73-0000F81EF32E}", L"{557CF407-1A04-11D3-9A73-0000F81EF32E}"};
  CLSID id = CLSID_NULL;
  if (kind >= 0 && kind < static_cast<int>(sizeof(kIds) / sizeof(kIds[0])))
    CLSIDFromString(kIds[kind], &id);
  return id;
}

Gdiplus::Status SaveImageAsPng(Gdiplus::Image& image, const std::string& file) {
  const CLSID png = EncoderClsid(4);
  return image.Save(Wide(file).c_str(), &png, nullptr);
}

Bytes LoadResourceBytes(HMODULE module, const std::string& type, const std::string& name) {
  if (!module || name.empty()) return {};
  const std::wstring typeText = Wide(type);
  const wchar_t* typeId = IsNumber(type)
                              ? MAKEINTRESOURCEW(static_cast<WORD>(std::stoi(type)))
                              : typeText.c_str();
  HRSRC found = FindResourceW(module, Wide("#" + name).c_str(), typeId);
  if (!found) found = FindResourceW(module, Wide(name).c_str(), typeId);
  if (!found) return {};
  const DWORD size = SizeofResource(module, found);
  HGLOBAL loaded = LoadResource(module, found);
  if (!loaded || size == 0) return {};
  const void* data = LockResource(loaded);
  if (!data || !Readable(data, size)) return {};
  const auto* bytes = static_cast<const uint8_t*>(data);
  return Bytes(bytes, bytes + size);
}

namespace {
// The ARGB picture turned and mirrored to stand upright, as its stated orientation says.
BitmapPtr Upright(Gdiplus::Bitmap& stored, int orientation) {
  const int width = static_cast<int>(stored.GetWidth()), height = static_cast<int>(stored.GetHeight());
  const bool across = orientation >= 5;
  auto upright = std::make_unique<Gdiplus::Bitmap>(across ? height : width, across ? width : height,
                                                   PixelFormat32bppARGB);
  if (upright->GetLastStatus() != Gdiplus::Ok) return nullptr;
  const Gdiplus::Rect from(0, 0, width, height), to(0, 0, across ? height : width, across ? width : height);
  Gdiplus::BitmapData source{}, target{};
  if (stored.LockBits(&from, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &source) != Gdiplus::Ok) return nullptr;
  if (upright->LockBits(&to, Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB, &target) != Gdiplus::Ok) {
    stored.UnlockBits(&source);
    return nullptr;
  }
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const BYTE*>(source.Scan0) + y * source.Stride);
    for (int x = 0; x < width; ++x) {
      const PixelPlace p = UprightPlace(orientation, x, y, width, height);
      reinterpret_cast<uint32_t*>(static_cast<BYTE*>(target.Scan0) + p.y * target.Stride)[p.x] = row[x];
    }
  }
  upright->UnlockBits(&target);
  stored.UnlockBits(&source);
  return upright;
}

// Decodes picture data whose stated size was checked. A photo stored turned (as cameras
// store them, saying so in their Exif data) comes back upright: GDI+ does not turn it.
BitmapPtr DecodePicture(const Bytes& bytes) {
  if (bytes.empty() || bytes.size() > 0x7FFFFFFF) return nullptr;
  ComPtr<IStream> stream;
  *stream.put() = SHCreateMemStream(bytes.data(), static_cast<UINT>(bytes.size()));
  if (!stream) return nullptr;
  BitmapPtr decoded(Gdiplus::Bitmap::FromStream(stream.get()));
  if (!decoded || decoded->GetLastStatus() != Gdiplus::Ok) return nullptr;
  BitmapPtr copy = CopyToArgb(*decoded);
  const int orientation = StatedJpegOrientation(bytes.data(), bytes.size());
  return copy && orientation != 1 ? Upright(*copy, orientation) : std::move(copy);
}
}  // namespace

BitmapPtr LoadPictureBytes(const Bytes& bytes) { return StatesTooLarge(bytes) ? nullptr : DecodePicture(bytes); }

BitmapPtr LoadPictureFile(const std::string& file) {
  UniqueKernelHandle handle(CreateFileW(Wide(file).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!handle) return nullptr;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(handle.get(), &size) || size.QuadPart <= 0 || size.QuadPart > (256 << 20))
    return nullptr;
  Bytes bytes(static_cast<size_t>(size.QuadPart));
  DWORD read = 0;
  if (!ReadFile(handle.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
      read != bytes.size())
    return nullptr;
  if (StatesTooLarge(bytes)) {
    WriteLog("picture " + file + " not read: it is larger than " + std::to_string(kLargestPicturePixels) +
             " pixels or " + std::to_string(kLargestPictureSide) + " pixels either way");
    return nullptr;
  }
  return DecodePicture(bytes);
}

BitmapPtr IconToBitmap(HICON icon) {
  if (!icon) return nullptr;
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return nullptr;
  UniqueBitmap colour(info.hbmColor), mask(info.hbmMask);
  BITMAP bitmap{};
  if (!colour || GetObjectW(colour.get(), sizeof(bitmap), &bitmap) == 0) return PlainIconBitmap(icon);
  if (bitmap.bmBitsPixel < 32) return PlainIconBitmap(icon);
  if (bitmap.bmWidth <= 0 || bitmap.bmHeight <= 0 || bitmap.bmWidth > 1024 || bitmap.bmHeight > 1024)
    return nullptr;
  BitmapPtr result = IconThroughSurface(icon, bitmap.bmWidth, bitmap.bmHeight);
  return result ? std::move(result) : PlainIconBitmap(icon);
}

UniqueIcon ShellIconHandle(const std::string& path) {
  if (TrimFixed(path).empty()) return {};
  SHFILEINFOW info{};
  if (!SHGetFileInfoW(Wide(path).c_str(), 0, &info, sizeof(info), SHGFI_ICON | SHGFI_SYSICONINDEX)) return {};
  return UniqueIcon(info.hIcon);
}

namespace {
// The icon the shell gives within the calls' limit; none when it does not (logged).
UniqueIcon AskShellIconWithin(BoundedCalls& calls, const std::string& path, ShellIconQuestion ask,
                              const std::string& place) {
  // The answer's slot outlives a call past the limit and destroys its icon with it.
  std::optional<UniqueIcon> icon =
      calls.Run<UniqueIcon>([path, ask = std::move(ask)] { return ask(path); }, place);
  if (icon) return std::move(*icon);
  WriteLog("the shell gave no icon of " + path + " within " + std::to_string(calls.limit().count()) + " ms" +
           (place.empty() ? "" : ", or an earlier question about " + place + " is still stuck"));
  return {};
}

// ItemShellIcon's question, keeping the handle.
UniqueIcon ItemShellIconHandle(FileSystem& fs, const std::string& link, const std::string& target) {
  if (ShellMayAskAbout(fs, link, target))
    return AskShellIconWithin(ShellWorkers(), link, ShellIconHandle, ShellQuestionPlace(fs, link, target));
  if (fs.Unreachable(link) || fs.Unreachable(target))
    WriteLog("the shell was not asked for the icon of " + link + ": its place does not answer");
  return {};
}
}  // namespace

BitmapPtr ShellIconWithin(BoundedCalls& calls, const std::string& path, ShellIconQuestion ask,
                          const std::string& place) {
  const UniqueIcon icon = AskShellIconWithin(calls, path, std::move(ask), place);
  return icon ? IconToBitmap(icon.get()) : nullptr;
}

BitmapPtr ItemShellIcon(FileSystem& fs, const std::string& link, const std::string& target) {
  const UniqueIcon icon = ItemShellIconHandle(fs, link, target);
  return icon ? IconToBitmap(icon.get()) : nullptr;
}

UniqueIcon FileShellIcon(FileSystem& fs, const std::string& path) { return ItemShellIconHandle(fs, path, path); }

bool RenderIconImage(const Bytes& image, int width, int height, bool alphaPath,
                     const std::string& dest) {
  if (!CheckIconDib(image.data(), image.size()) || width <= 0 || height <= 0) return false;
  UniqueIcon icon(CreateIconFromResourceEx(const_cast<BYTE*>(image.data()),
                                           static_cast<DWORD>(image.size()), TRUE, 0x30000, 0, 0,
                                           LR_DEFAULTCOLOR));
  if (!icon) return false;
  BitmapPtr drawn;
  if (alphaPath) {
    drawn = IconThroughSurface(icon.get(), width, height);
    // A 32-bit image whose alpha is all zero relies on its mask: draw it the plain way.
    if (!drawn) alphaPath = false;
  }
  if (!alphaPath) drawn = PlainIconBitmap(icon.get());
  if (!drawn) return false;
  BitmapPtr sized = ScaleImage(*drawn, width, height);
  return sized && SaveImageAsPng(*sized, dest) == Gdiplus::Ok;
}

namespace {
constexpr int64_t kLargestIconFile = 64 << 20;
constexpr int64_t kLargestPictureFile = 256 << 20;

// The bytes of a file (up to `largest` bytes), read on a worker within the limit of an
// item's questions: a file on a network place that stalls holds that worker, not the
// windows. The worker reads with a file system of its own, so a read that ends after the
// program does touches nothing the program freed.
std::optional<Bytes> ReadFileWithin(const std::string& source, int64_t largest) {
  const std::optional<std::optional<Bytes>> read =
      ShellWorkers().Run<std::optional<Bytes>>([source, largest]() -> std::optional<Bytes> {
        Win32FileSystem files;
        const int64_t length = files.Length(source);
        Bytes bytes;
        if (length <= 0 || length > largest || !files.ReadAll(source, bytes)) return std::nullopt;
        return bytes;
      });
  if (!read) {
    WriteLog("the file " + source + " was not read within " + std::to_string(ShellWorkers().limit().count()) + " ms");
    return std::nullopt;
  }
  return *read;
}

// PNG icon data is written as it is; it counts once it is known to decode. Bytes broken
// after the signature are no picture, and nothing is kept of them.
bool PngKeptIfItDecodes(FileSystem& fs, const Bytes& image, const std::string& dest) {
  if (LoadPictureBytes(image)) return true;
  WriteLog("the PNG image for " + dest + " does not decode");
  fs.Delete(dest);
  return false;
}
}  // namespace

bool ConvertIconFile(FileSystem& fs, const std::string& source, const std::string& dest) {
  const std::optional<Bytes> read = ReadFileWithin(source, kLargestIconFile);
  if (!read) return false;
  const Bytes& file = *read;
  if (HasPngSignature(file)) {
    BitmapPtr picture = LoadPictureBytes(file);
    return picture && SaveImageAsPng(*picture, dest) == Gdiplus::Ok;
  }
  const std::optional<IcoImage> chosen = ChooseIcoImage(file);
  if (!chosen) return false;
  const Bytes image(file.begin() + static_cast<std::ptrdiff_t>(chosen->offset),
                    file.begin() + static_cast<std::ptrdiff_t>(chosen->offset + chosen->size));
  switch (PrepareIconPicture(fs, image, dest)) {
    case IconImageKind::kPng: return PngKeptIfItDecodes(fs, image, dest);
    case IconImageKind::kDib:
      return RenderIconImage(image, chosen->width, chosen->height, chosen->bitCount >= 32, dest);
    case IconImageKind::kUnusable: return false;
  }
  return false;
}

bool ConvertImageFile(const std::string& source, const std::string& dest, bool resize, int width,
                      int height) {
  // A picture the user chose may lie on a network place that stalls: it is read on a
  // worker, within the limit, and decoded here.
  const std::optional<Bytes> read = ReadFileWithin(source, kLargestPictureFile);
  if (!read) return false;
  BitmapPtr picture = LoadPictureBytes(*read);
  if (!picture) return false;
  if (resize) {
    picture = ScaleImage(*picture, width, height);
    if (!picture) return false;
  }
  return SaveImageAsPng(*picture, dest) == Gdiplus::Ok;
}

namespace {
// The best image of a module's icon group, as its resource holds it; no bytes when the
// module has no icon or cannot be read.
struct ModuleIconImage {
  Bytes image;
  int width = 0, height = 0;
  bool alpha = false;
};

// Reads the image from the module's file, which may lie on a slow disk or network place:
// done on a worker, and touches no GDI+.
ModuleIconImage ReadModuleIconImage(const std::string& file, int iconIndex) {
  // Resources only: the module is mapped as a data file and an image resource, never
  // loaded to run, whatever file the user dropped.
  UniqueModule module(LoadLibraryExW(Wide(file).c_str(), nullptr,
                                     LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  if (!module) return {};

  std::vector<std::string> names;
  if (iconIndex >= 0) {
    EnumResourceNamesW(
        module.get(), MAKEINTRESOURCEW(14),
        [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param) -> BOOL {
          auto* list = reinterpret_cast<std::vector<std::string>*>(param);
          if (IS_INTRESOURCE(name))
            list->push_back(std::to_string(reinterpret_cast<ULONG_PTR>(name)));
          else
            list->push_back(Utf8(name));
          return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&names));
  }
  const std::optional<std::string> group = ChooseIconGroupName(names, iconIndex);
  if (!group) return {};
  const std::optional<IconGroupEntry> best =
      ChooseBestGroupEntry(ParseIconGroup(LoadResourceBytes(module.get(), "14", *group)));
  if (!best) return {};
  return ModuleIconImage{LoadResourceBytes(module.get(), "3", std::to_string(best->id)), best->width,
                         best->height, best->bitCount >= 32};
}
}  // namespace

bool WriteModuleIcon(FileSystem& fs, const std::string& file, int iconIndex, const std::string& dest) {
  if (dest.empty()) return false;
  const std::optional<ModuleIconImage> read =
      ShellWorkers().Run<ModuleIconImage>([file, iconIndex] { return ReadModuleIconImage(file, iconIndex); });
  if (!read) {
    WriteLog("the icon of " + file + " was not read within " + std::to_string(ShellWorkers().limit().count()) + " ms");
    return false;
  }
  const ModuleIconImage& chosen = *read;
  if (chosen.image.empty()) return false;
  switch (PrepareIconPicture(fs, chosen.image, dest)) {
    case IconImageKind::kPng: return PngKeptIfItDecodes(fs, chosen.image, dest);
    case IconImageKind::kDib: return RenderIconImage(chosen.image, chosen.width, chosen.height, chosen.alpha, dest);
    case IconImageKind::kUnusable: return false;
  }
  return false;
}

bool WriteShellIcon(const std::string& file, const std::string& dest) {
  BitmapPtr picture = ShellIconWithin(ShellWorkers(), file);
  return picture && !dest.empty() && SaveImageAsPng(*picture, dest) == Gdiplus::Ok;
}

}  // namespace vek::win
