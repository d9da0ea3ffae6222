// Making and loading pictures against the real GDI+ and shell: icons out of programs,
// .ico files (also ones that are PNG pictures, and broken ones), scaling, the image store
// by item kind and the skin table.
#include <gtest/gtest.h>
#include <shlwapi.h>

#include "scratch_folder.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <set>
#include <vector>

#include "core/pool_ops.h"
#include "dock/geometry.h"
#include "gdiplus_session.h"
#include "support/icon_bytes.h"
#include "support/recorders.h"
#include "test_files.h"
#include "text/text.h"
#include "icons/icon_directory.h"
#include "icons/item_creation.h"
#include "icons/win/system_sources_win.h"
#include "launch/win/shortcut_reader_win.h"
#include "platform/win/ansi_codec_win.h"
#include "platform/win/registry_win.h"
#include "icons/win/icon_extraction.h"
#include "icons/win/image_store.h"
#include "icons/win/item_images.h"
#include "platform/win/file_system_win.h"
#include "platform/win/handles.h"
#include "platform/win/system_info_win.h"
#include "platform/win/text_win.h"
#include "platform/win/ui_thread.h"

namespace vek::win {
namespace {

using test::ProgramResources;
using test::SourceFolder;

const auto* const kGdiplus = ::testing::AddGlobalTestEnvironment(new test::GdiplusSession);

std::string SystemFolder() {
  wchar_t buffer[MAX_PATH] = {};
  GetSystemDirectoryW(buffer, MAX_PATH);
  return Utf8(buffer) + "\\";
}


struct Argb {
  int a, r, g, b;
};
Argb PixelOf(Gdiplus::Bitmap& bitmap, int x, int y) {
  Gdiplus::Color c;
  bitmap.GetPixel(x, y, &c);
  return Argb{c.GetA(), c.GetR(), c.GetG(), c.GetB()};
}

using test::PutLe16;
using test::PutLe32;

// A 32 × 32 true-colour icon image: the left half opaque blue, the top-right quarter
// half-transparent red, the rest transparent.
Bytes TrueColourIconImage() {
  Bytes b;
  PutLe32(b, 40);
  PutLe32(b, 32);
  PutLe32(b, 64);
  PutLe16(b, 1);
  PutLe16(b, 32);
  for (int i = 0; i < 6; ++i) PutLe32(b, 0);
  for (int row = 31; row >= 0; --row) {  // bottom-up
    for (int x = 0; x < 32; ++x) {
      uint32_t bgra = 0;
      if (x < 16) bgra = 0xFF0000FF;                     // blue, opaque
      else if (row < 16) bgra = 0x80FF0000;              // red, alpha 128 (not premultiplied)
      PutLe32(b, bgra);
    }
  }
  b.resize(b.size() + 32 * 4, 0);  // the mask: all "draw"
  return b;
}

Bytes IcoWith(const Bytes& image, int side, int bits) { return test::IcoFile({{side, bits, image}}); }

BitmapPtr Solid(int w, int h, const Gdiplus::Color& colour) {
  auto bitmap = std::make_unique<Gdiplus::Bitmap>(w, h, PixelFormat32bppARGB);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) bitmap->SetPixel(x, y, colour);
  return bitmap;
}

// Item pictures written with the real extraction; nothing is loaded into an image store.
class WrittenPictures : public ItemPictures {
 public:
  explicit WrittenPictures(FileSystem& fs) : fs_(fs) {}
  bool WriteModuleIcon(const std::string& file, int32_t index, const std::string& dest) override {
    return win::WriteModuleIcon(fs_, file, index, dest);
  }
  bool WriteShellIcon(const std::string& file, const std::string& dest) override {
    return win::WriteShellIcon(file, dest);
  }
  bool ConvertIconFile(const std::string& source, const std::string& dest) override {
    return win::ConvertIconFile(fs_, source, dest);
  }
  void LoadItemIcon(int) override {}
  void ReleaseItemImages(int) override {}

 private:
  FileSystem& fs_;
};

class IconExtractionTest : public ::testing::Test {
 protected:
  IconExtractionTest() {
    folders_.SysIconDir = SourceFolder() + "resources\\SysIcons\\";
    folders_.IconDir = scratch_.path();
    folders_.WindowsDir = SystemFolder() + "..\\";
    folders_.SystemDir = SystemFolder();
  }
  ScratchFolder scratch_;
  Win32FileSystem fs_;
  Win32Environment env_;
  Win32Registry registry_;
  Win32AnsiCodec codec_;
  Win32ShortcutReader reader_;
  Win32Drives drives_;
  Win32VersionResources versions_;
  Win32ShortPaths shortPaths_;
  test::RecordingPrompt prompt_;
  Folders folders_;
  Model model_;
  PathTools paths_{fs_, env_, folders_};
  ShortcutFiles shortcuts_{paths_, reader_};
  Associations associations_{registry_, paths_};
  WrittenPictures pictures_{fs_};
  // The program's own kind of worker threads for the questions about a path.
  BoundedCalls slow_{std::chrono::seconds(30), {}, WorkerThreadScope};
  ItemCreation items_{ItemServices{model_, paths_, shortcuts_, associations_, pictures_, drives_, versions_,
                                   shortPaths_, prompt_, codec_, slow_},
                      "tester"};
};

TEST_F(IconExtractionTest, AProgramsIconBecomesAPngWithAlpha) {
  const std::string notepad = SystemFolder() + "notepad.exe";
  ASSERT_NE(fs_.Attributes(notepad), attr::kInvalid);
  ASSERT_TRUE(WriteModuleIcon(fs_, notepad, 0, scratch_.path() + "5.png"));
  Bytes written;
  ASSERT_TRUE(fs_.ReadAll(scratch_.path() + "5.png", written));
  EXPECT_TRUE(HasPngSignature(written));
  BitmapPtr picture = LoadPictureFile(scratch_.path() + "5.png");
  ASSERT_TRUE(picture);
  EXPECT_GE(picture->GetWidth(), 32u);
  std::set<int> alphas;
  for (UINT y = 0; y < picture->GetHeight(); y += 2)
    for (UINT x = 0; x < picture->GetWidth(); x += 2) alphas.insert(PixelOf(*picture, x, y).a);
  EXPECT_TRUE(alphas.count(0)) << "no transparent pixel";
  EXPECT_TRUE(alphas.count(255)) << "no opaque pixel";
}

TEST_F(IconExtractionTest, RebuildingAProgramItemWritesItsPictureFile) {
  model_.Items[7].Kind = ItemKind::kShortcut;
  model_.Items[7].Link = SystemFolder() + "notepad.exe";
  items_.RebuildItemIcon(7);
  const std::string made = model_.Items[7].IconFile;
  ASSERT_TRUE(StartsWith(made, scratch_.path())) << made;
  EXPECT_TRUE(LoadPictureFile(made));
  // Rebuilt again, the picture goes into the same file.
  items_.RebuildItemIcon(7);
  EXPECT_EQ(model_.Items[7].IconFile, made);
}

TEST_F(IconExtractionTest, RebuildingFallsBackToTheFixedPictures) {
  model_.Items[8].Kind = ItemKind::kShortcut;
  model_.Items[8].Link = scratch_.path() + "gone.exe";
  items_.RebuildItemIcon(8);
  EXPECT_EQ(model_.Items[8].IconFile, folders_.SysIconDir + "Problem.png");
  CreateDirectoryW(Wide(scratch_.path() + "sub").c_str(), nullptr);
  model_.Items[9].Kind = ItemKind::kShortcut;
  model_.Items[9].Link = scratch_.path() + "sub";
  items_.RebuildItemIcon(9);
  EXPECT_EQ(model_.Items[9].IconFile, folders_.SysIconDir + "Folder.png");
  RemoveDirectoryW(Wide(scratch_.path() + "sub").c_str());
  // A document gets its type's picture (or the fixed one when the type has none).
  fs_.WriteAll(scratch_.path() + "notes.txt", Bytes{'h', 'i'});
  model_.Items[10].Kind = ItemKind::kShortcut;
  model_.Items[10].Link = scratch_.path() + "notes.txt";
  items_.RebuildItemIcon(10);
  const std::string made = model_.Items[10].IconFile;
  if (StartsWith(made, scratch_.path()))
    EXPECT_TRUE(LoadPictureFile(made)) << made;
  else
    EXPECT_EQ(made, folders_.SysIconDir + "File.png");
}

TEST_F(IconExtractionTest, AnIcoThatIsReallyAPngConverts) {
  BitmapPtr source = Solid(20, 20, Gdiplus::Color(128, 255, 0, 0));
  ASSERT_EQ(SaveImageAsPng(*source, scratch_.path() + "fake.ico"), Gdiplus::Ok);
  ASSERT_TRUE(ConvertIconFile(fs_, scratch_.path() + "fake.ico", scratch_.path() + "out.png"));
  BitmapPtr out = LoadPictureFile(scratch_.path() + "out.png");
  ASSERT_TRUE(out);
  EXPECT_EQ(out->GetWidth(), 20u);
  const Argb p = PixelOf(*out, 10, 10);
  EXPECT_EQ(p.a, 128);
  EXPECT_EQ(p.r, 255);
  // Chosen as the user's picture it converts too, scaled; bytes that are no picture
  // write nothing.
  ASSERT_TRUE(ConvertImageFile(scratch_.path() + "fake.ico", scratch_.path() + "user.png", true, 48, 48));
  EXPECT_EQ(LoadPictureFile(scratch_.path() + "user.png")->GetWidth(), 48u);
  fs_.WriteAll(scratch_.path() + "junk.png", Bytes(64, 0xFF));
  EXPECT_FALSE(ConvertImageFile(scratch_.path() + "junk.png", scratch_.path() + "junk-out.png"));
  EXPECT_EQ(fs_.Attributes(scratch_.path() + "junk-out.png"), attr::kInvalid);
}

TEST_F(IconExtractionTest, ATrueColourIcoKeepsItsAlphaAndColours) {
  fs_.WriteAll(scratch_.path() + "a.ico", IcoWith(TrueColourIconImage(), 32, 32));
  ASSERT_TRUE(ConvertIconFile(fs_, scratch_.path() + "a.ico", scratch_.path() + "a.png"));
  BitmapPtr out = LoadPictureFile(scratch_.path() + "a.png");
  ASSERT_TRUE(out);
  ASSERT_EQ(out->GetWidth(), 32u);
  const Argb blue = PixelOf(*out, 4, 20), red = PixelOf(*out, 26, 4), clear = PixelOf(*out, 26, 26);
  EXPECT_EQ(blue.a, 255);
  EXPECT_GT(blue.b, 240);
  EXPECT_NEAR(red.a, 128, 3);
  EXPECT_GT(red.r, 240) << "half-transparent red came out darkened";
  EXPECT_EQ(clear.a, 0);
}

TEST_F(IconExtractionTest, ABitmapIconWithFewColoursIsDrawnThePlainWay) {
  Bytes image;
  PutLe32(image, 40);
  PutLe32(image, 16);
  PutLe32(image, 32);
  PutLe16(image, 1);
  PutLe16(image, 4);
  for (int i = 0; i < 6; ++i) PutLe32(image, 0);
  for (int i = 0; i < 16; ++i) PutLe32(image, i == 1 ? 0x0000FF00 : 0);  // colour 1 green
  image.resize(image.size() + 16 * 8, 0x11);                           // every pixel colour 1
  image.resize(image.size() + 16 * 4, 0);                              // mask: all drawn
  fs_.WriteAll(scratch_.path() + "p.ico", IcoWith(image, 16, 4));
  ASSERT_TRUE(ConvertIconFile(fs_, scratch_.path() + "p.ico", scratch_.path() + "p.png"));
  BitmapPtr out = LoadPictureFile(scratch_.path() + "p.png");
  ASSERT_TRUE(out);
  EXPECT_EQ(out->GetWidth(), 16u);
  const Argb p = PixelOf(*out, 8, 8);
  EXPECT_EQ(p.a, 255);
  EXPECT_GT(p.g, 200);
}

TEST_F(IconExtractionTest, BrokenIconFilesAndModulesGiveNothingAndWriteNothing) {
  const std::string dest = scratch_.path() + "never.png";
  const std::vector<Bytes> hostile{
      Bytes{},
      Bytes{0, 0, 1, 0},
      Bytes(64, 0xFF),
      IcoWith(Bytes(100, 0x28), 32, 32),  // 40 = a header size, the rest garbage
      // A PNG image that states 32 x 32 and breaks after its header.
      IcoWith(Bytes{0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0, 0, 13, 'I', 'H', 'D', 'R', 0, 0, 0, 32, 0, 0, 0, 32,
                    8, 6, 0, 0, 0, 1, 2, 3, 4, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE},
              32, 32),
  };
  for (const Bytes& bytes : hostile) {
    fs_.WriteAll(scratch_.path() + "bad.ico", bytes);
    EXPECT_FALSE(ConvertIconFile(fs_, scratch_.path() + "bad.ico", dest));
  }
  Bytes truncated = IcoWith(TrueColourIconImage(), 32, 32);
  truncated.resize(truncated.size() / 2);
  fs_.WriteAll(scratch_.path() + "cut.ico", truncated);
  EXPECT_FALSE(ConvertIconFile(fs_, scratch_.path() + "cut.ico", dest));
  EXPECT_EQ(fs_.Attributes(dest), attr::kInvalid);
  EXPECT_FALSE(ConvertIconFile(fs_, scratch_.path() + "missing.ico", dest));

  // Not a program at all, or a program without icons.
  EXPECT_FALSE(WriteModuleIcon(fs_, scratch_.path() + "bad.ico", 0, dest));
  EXPECT_FALSE(WriteModuleIcon(fs_, scratch_.path() + "nothing.dll", 0, dest));
  EXPECT_FALSE(WriteModuleIcon(fs_, SystemFolder() + "kernelbase.dll", -31999, dest));
  EXPECT_EQ(fs_.Attributes(dest), attr::kInvalid);
}

TEST_F(IconExtractionTest, IndexBeyondTheGroupsTakesTheLastAndNegativeNamesAnIdentifier) {
  const std::string program = ProgramFolder() + "..\\..\\src\\app\\VekDesktop.exe";
  ASSERT_NE(fs_.Attributes(program), attr::kInvalid);
  const std::string dest = scratch_.path() + "4.png";
  EXPECT_TRUE(WriteModuleIcon(fs_, program, 50, dest));  // one group only: it
  EXPECT_TRUE(LoadPictureFile(dest));
  EXPECT_TRUE(WriteModuleIcon(fs_, program, -1, dest));  // the group with identifier 1
  EXPECT_FALSE(WriteModuleIcon(fs_, program, -2, dest));
}

TEST(PictureTest, ASmallPictureScalesUpSmoothly) {
  BitmapPtr source = Solid(16, 16, Gdiplus::Color(255, 0, 0, 0));
  for (int y = 0; y < 16; ++y)
    for (int x = 8; x < 16; ++x) source->SetPixel(x, y, Gdiplus::Color(255, 255, 255, 255));
  BitmapPtr big = ScaleImage(*source, 48, 48);
  ASSERT_TRUE(big);
  // Nearest-neighbour scaling would jump from black to white; the interpolating filter
  // ramps across the edge (Wine's GDI+ makes its high-quality bicubic a linear ramp,
  // Windows a cubic one; both rise steadily).
  int between = 0, last = 0;
  for (int x = 0; x < 48; ++x) {
    const int grey = PixelOf(*big, x, 24).r;
    between += grey > 0 && grey < 255;
    EXPECT_GE(grey, last) << "at x " << x;
    last = grey;
  }
  EXPECT_GE(between, 2);
  EXPECT_EQ(PixelOf(*big, 2, 24).r, 0);
  EXPECT_EQ(PixelOf(*big, 45, 24).r, 255);
  // The edges of an opaque picture stay opaque.
  EXPECT_EQ(PixelOf(*big, 0, 0).a, 255);
  EXPECT_EQ(PixelOf(*big, 47, 47).a, 255);
}

TEST(PictureTest, AtItsOwnSizeAPictureIsCopiedExactlyInTheAskedFormat) {
  BitmapPtr source = Solid(8, 8, Gdiplus::Color(255, 10, 20, 30));
  source->SetPixel(3, 4, Gdiplus::Color(128, 200, 100, 50));
  for (const Gdiplus::PixelFormat format : {PixelFormat32bppARGB, PixelFormat32bppPARGB}) {
    BitmapPtr copy = ScaleImage(*source, 8, 8, format);
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->GetPixelFormat(), format);
    EXPECT_EQ(PixelOf(*copy, 0, 0).r, 10);
    const auto half = PixelOf(*copy, 3, 4);
    EXPECT_EQ(half.a, 128);
    EXPECT_NEAR(half.r, 200, 1);
  }
}

TEST(PictureTest, EncoderIdentifiersNameGdiplusEncoders) {
  UINT count = 0, size = 0;
  ASSERT_EQ(Gdiplus::GetImageEncodersSize(&count, &size), Gdiplus::Ok);
  std::vector<BYTE> buffer(size);
  auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  ASSERT_EQ(Gdiplus::GetImageEncoders(count, size, encoders), Gdiplus::Ok);
  bool png = false;
  for (UINT i = 0; i < count; ++i)
    if (std::wstring(encoders[i].MimeType) == L"image/png") png = encoders[i].Clsid == EncoderClsid(4);
  EXPECT_TRUE(png);
  EXPECT_TRUE(EncoderClsid(8) == CLSID_NULL);
  EXPECT_TRUE(EncoderClsid(-1) == CLSID_NULL);
  EXPECT_FALSE(EncoderClsid(0) == CLSID_NULL);
}

// The bytes of a picture file: `bitmap` through the GDI+ encoder `format` (3: JPEG, 4: PNG).
Bytes Encoded(Gdiplus::Bitmap& bitmap, int format) {
  ComPtr<IStream> stream;
  *stream.put() = SHCreateMemStream(nullptr, 0);
  const CLSID encoder = EncoderClsid(format);
  ULARGE_INTEGER size{};
  if (bitmap.Save(stream.get(), &encoder, nullptr) != Gdiplus::Ok || FAILED(IStream_Size(stream.get(), &size)) ||
      FAILED(IStream_Reset(stream.get())))
    return {};
  Bytes bytes(static_cast<size_t>(size.QuadPart));
  return IStream_Read(stream.get(), bytes.data(), static_cast<ULONG>(bytes.size())) == S_OK ? bytes : Bytes{};
}

// A camera's photo, wider than 8192 pixels, is read.
TEST(PictureTest, ACameraSizedPhotoIsRead) {
  BitmapPtr wide = Solid(9000, 300, Gdiplus::Color(255, 0, 128, 0));
  BitmapPtr read = LoadPictureBytes(Encoded(*wide, 4));
  ASSERT_TRUE(read);
  EXPECT_EQ(read->GetWidth(), 9000u);
}

// A camera's photo, stored turned with its Exif orientation saying so, comes out upright.
TEST(PictureTest, APhotoStoredTurnedIsDecodedUpright) {
  BitmapPtr stored = Solid(40, 20, Gdiplus::Color(255, 0, 0, 255));
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) stored->SetPixel(x, y, Gdiplus::Color(255, 255, 0, 0));
  Bytes bytes = Encoded(*stored, 3);
  ASSERT_FALSE(bytes.empty());
  // An Exif block after the start marker: orientation 6, the sensor's picture turned a
  // quarter anticlockwise.
  const Bytes exif = {0xFF, 0xE1, 0x00, 0x22, 'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 0x2A, 0, 8, 0, 0, 0,
                      1, 0, 0x12, 0x01, 3, 0, 1, 0, 0, 0, 6, 0, 0, 0, 0, 0, 0, 0};
  bytes.insert(bytes.begin() + 2, exif.begin(), exif.end());
  BitmapPtr upright = LoadPictureBytes(bytes);
  ASSERT_TRUE(upright);
  ASSERT_EQ(upright->GetWidth(), 20u);
  ASSERT_EQ(upright->GetHeight(), 40u);
  EXPECT_GT(PixelOf(*upright, 10, 5).r, 200);  // the stored left half is on top
  EXPECT_GT(PixelOf(*upright, 10, 35).b, 200);
}

TEST(ShellIconTest, AnIconInTimeIsDrawnAndOnePastTheLimitGivesNothingAndIsDestroyedWhenItComes) {
  UniqueKernelHandle release(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  std::atomic<HICON> made{nullptr};
  BoundedCalls calls(std::chrono::milliseconds(300), {});
  for (const bool stalls : {false, true})  // the second shell answers once the call has given up
    EXPECT_EQ(ShellIconWithin(calls, "any", [&, stalls](const std::string&) {
      if (stalls) WaitForSingleObject(release.get(), INFINITE);
      return UniqueIcon(made = CopyIcon(LoadIconW(nullptr, IDI_APPLICATION)));
    }) == nullptr, stalls);
  made = nullptr;
  SetEvent(release.get());
  for (int i = 0; i < 300 && (!made || UniqueIcon(CopyIcon(made))); ++i) Sleep(10);
  EXPECT_TRUE(made && !UniqueIcon(CopyIcon(made)));
}

TEST(ResourceTest, ProgramResourcesAreFoundByNumberOrName) {
  UniqueModule program(LoadLibraryExW(
      Wide(ProgramFolder() + "..\\..\\src\\app\\VekDesktop.exe").c_str(), nullptr,
      LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  ASSERT_TRUE(program);
  EXPECT_TRUE(HasPngSignature(LoadResourceBytes(program.get(), "CUSTOM", "LOGO")));
  EXPECT_FALSE(LoadResourceBytes(program.get(), "14", "1").empty());
  EXPECT_TRUE(LoadResourceBytes(program.get(), "CUSTOM", "NOSUCHPICTURE").empty());
  EXPECT_TRUE(LoadResourceBytes(nullptr, "CUSTOM", "LOGO").empty());
}

class ItemImagesTest : public ::testing::Test {
 protected:
  ItemImagesTest()
      : program_(LoadLibraryExW(Wide(ProgramFolder() + "..\\..\\src\\app\\VekDesktop.exe").c_str(),
                                nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)),
        loader_{model_, fs_, folders_, images_, geometry_.IconSizes, geometry_.BorderSize, program_.get()} {
    folders_.SysIconDir = SourceFolder() + "resources\\SysIcons\\";
    AppSettings s;
    geometry_.Relayout(s);
  }
  static std::pair<UINT, UINT> Size(Gdiplus::Bitmap* b) {
    return b ? std::make_pair(b->GetWidth(), b->GetHeight()) : std::make_pair(0u, 0u);
  }
  UniqueModule program_;
  Win32FileSystem fs_;
  Folders folders_;
  Model model_;
  ImageStore images_;
  DockGeometry geometry_;
  ImageLoader loader_;
};

TEST_F(ItemImagesTest, EachKindGetsItsVariants) {
  const std::string folder = folders_.SysIconDir + "Folder.png";
  model_.Items[5].Kind = ItemKind::kShortcut;
  model_.Items[5].IconFile = folder;
  model_.Items[150].Kind = ItemKind::kMember;
  model_.Items[150].IconFile = folder;
  model_.Items[0].Kind = ItemKind::kCentre;
  model_.Items[0].IconFile = folder;
  for (int i : {5, 150, 0}) LoadItemIcon(loader_, i);
  using P = std::pair<UINT, UINT>;
  EXPECT_EQ(Size(images_.Get(ImageSet::kItem, 5, 1)), P(48, 48));
  EXPECT_EQ(Size(images_.Get(ImageSet::kItem, 5, 0)), P(128, 128));
  EXPECT_EQ(images_.Get(ImageSet::kItem, 5, 4), nullptr);
  EXPECT_EQ(Size(images_.Get(ImageSet::kItem, 150, 4)), P(32, 32));
  EXPECT_EQ(images_.Get(ImageSet::kItem, 150, 1), nullptr);
  EXPECT_EQ(images_.Get(ImageSet::kItem, 150, 0), nullptr);
  EXPECT_EQ(Size(images_.Get(ImageSet::kItem, 0, 1)), P(128, 128));
  EXPECT_EQ(images_.Get(ImageSet::kItem, 0, 0), nullptr);
}

TEST_F(ItemImagesTest, TheFirstFrameDecodesTheShownPositionsAndWhatTheyShowTheRestComesLater) {
  // 36 ring positions with pictures, 24 of them shown; position 2 shows template 45 (as
  // the Recycle Bin does), template 46 is shown by nothing.
  for (int i : {45, 46}) {
    model_.Items[i].Kind = ItemKind::kBuiltIn;
    model_.Items[i].IconFile = folders_.SysIconDir + "Folder.png";
  }
  for (int position = 1; position <= 36; ++position) {
    model_.Items[position].Kind = ItemKind::kShortcut;
    model_.Items[position].IconFile = folders_.SysIconDir + "Folder.png";
    model_.Items[position].ImageIndex = position;
  }
  model_.Items[2].ImageIndex = 45;
  model_.Items[3].IconFile = folders_.SysIconDir + "FOLDER.PNG";  // the same file
  const std::vector<int> later = PicturesShownLater(model_, 24);
  PassPictures pass(model_);
  loader_.pass = &pass;
  LoadShownImages(loader_, 24);
  EXPECT_EQ(pass.decodes(), 1u);  // the file all of them show is decoded once
  const std::pair<int, bool> cases[] = {{1, false}, {2, false}, {24, false}, {45, false},
                                        {25, true},  {36, true}, {46, true}};
  for (const auto& [index, isLater] : cases) {
    EXPECT_EQ(std::count(later.begin(), later.end(), index), isLater ? 1 : 0) << index;
    EXPECT_EQ(images_.Get(ImageSet::kItem, index, 1) == nullptr, isLater) << index;
  }
  for (int index : later) LoadItemIcon(loader_, index);
  EXPECT_EQ(pass.decodes(), 1u);
  EXPECT_NE(images_.Get(ImageSet::kItem, 36, 1), nullptr);
}

TEST_F(ItemImagesTest, TheCustomIconComesFirstAndMissingPicturesFallBackByPathKind) {
  model_.Items[6].Kind = ItemKind::kShortcut;
  model_.Items[6].CustomIconFile = folders_.SysIconDir + "Printer.png";
  model_.Items[6].IconFile = folders_.SysIconDir + "Folder.png";
  LoadItemIcon(loader_, 6);
  BitmapPtr printer = LoadPictureFile(folders_.SysIconDir + "Printer.png");
  BitmapPtr expected = ScaleImage(*printer, 128, 128);
  Gdiplus::Color a, b;
  images_.Get(ImageSet::kItem, 6, 0)->GetPixel(64, 64, &a);
  expected->GetPixel(64, 64, &b);
  EXPECT_EQ(a.GetValue(), b.GetValue());

  const std::pair<PathKind, int> fallbacks[] = {{PathKind::kShortcutFile, 40}, {PathKind::kProgram, 41},
                                               {PathKind::kOtherFile, 39}};
  for (const auto& [pathKind, image] : fallbacks) {
    ShortcutItem& item = model_.Items[20];
    item = ShortcutItem{};
    item.Kind = ItemKind::kShortcut;
    item.PathKind = pathKind;
    item.ImageIndex = 20;
    item.IconFile = folders_.SysIconDir + "NoSuchPicture.png";
    item.Link = "C:\\no\\such\\program.exe";
    LoadItemIcon(loader_, 20);
    EXPECT_EQ(item.ImageIndex, image);
    EXPECT_EQ(images_.Get(ImageSet::kItem, 20, 1), nullptr);
    // Once its picture is back (at a later start, say), the item shows it again.
    item.IconFile = folders_.SysIconDir + "Folder.png";
    LoadItemIcon(loader_, 20);
    EXPECT_EQ(item.ImageIndex, 20);
  }
  // A picture file that is not a picture is passed over like a missing one.
  Win32ShellFolders shell;
  const std::string junk = GetTempLocation(shell, "", true) + "vek-junk.png";
  fs_.WriteAll(junk, Bytes(300, 7));
  model_.Items[21].Kind = ItemKind::kShortcut;
  model_.Items[21].IconFile = junk;
  model_.Items[21].PathKind = PathKind::kProgram;
  LoadItemIcon(loader_, 21);
  EXPECT_EQ(model_.Items[21].ImageIndex, 41);
  fs_.Delete(junk);
}

TEST_F(ItemImagesTest, FreeingAnItemReleasesItsPictures) {
  model_.Items[5].Kind = ItemKind::kShortcut;
  model_.Items[5].IconFile = folders_.SysIconDir + "Folder.png";
  LoadItemIcon(loader_, 5);
  ASSERT_NE(images_.Get(ImageSet::kItem, 5, 1), nullptr);
  const uint64_t before = images_.generation();
  FreeItem(model_, 5, images_, fs_, folders_);
  EXPECT_EQ(images_.Get(ImageSet::kItem, 5, 0), nullptr);
  EXPECT_EQ(images_.Get(ImageSet::kItem, 5, 1), nullptr);
  EXPECT_NE(images_.generation(), before);
  // A late request for the freed record leaves it clean.
  LoadItemIcon(loader_, 5);
  EXPECT_EQ(model_.Items[5].ImageIndex, ShortcutItem{}.ImageIndex);
  // The shared picture of the system folder stays.
  EXPECT_NE(fs_.Attributes(folders_.SysIconDir + "Folder.png"), attr::kInvalid);
}

TEST_F(ItemImagesTest, SkinPicturesLandInTheirSlotsAtTheirSizes) {
  ASSERT_TRUE(program_);
  LoadSkinImages(loader_);
  using P = std::pair<UINT, UINT>;
  EXPECT_EQ(geometry_.BorderSize, 152);
  EXPECT_EQ(Size(images_.Get(ImageSet::kSkin, skin::kBorder, 1)), P(152, 152));
  EXPECT_EQ(Size(images_.Get(ImageSet::kSkin, 1, 1)), P(248, 38));
  EXPECT_EQ(Size(images_.Get(ImageSet::kSkin, 7, 1)), P(248, 5));
  EXPECT_EQ(Size(images_.Get(ImageSet::kSkin, 8, 0)), P(268, 656));
  EXPECT_EQ(Size(images_.Get(ImageSet::kSkin, 9, 1)), P(268, 12));
  EXPECT_EQ(Size(images_.Get(ImageSet::kSkin, skin::kAddIcon, 1)), P(48, 48));
  EXPECT_EQ(Size(images_.Get(ImageSet::kSkin, skin::kDelIcon, 0)), P(640, 128));
  for (int v = 1; v <= 4; ++v)
    EXPECT_EQ(Size(images_.Get(ImageSet::kSkin, skin::kBackSelectColor, v)).first,
              static_cast<UINT>(geometry_.IconSizes[v]));
  for (int empty : {11, 13, 14, 15, 21, 32})
    for (int v = 0; v <= 4; ++v) EXPECT_EQ(images_.Get(ImageSet::kSkin, empty, v), nullptr);

  // A new magnified size re-makes that variant of the plate and of the ring's pictures.
  model_.Items[5].Kind = ItemKind::kShortcut;
  model_.Items[5].IconFile = folders_.SysIconDir + "Folder.png";
  LoadItemIcon(loader_, 5);
  geometry_.IconSizes[2] = 80;
  RebuildSizeCache(images_, 2, geometry_.IconSizes[2]);
  EXPECT_EQ(Size(images_.Get(ImageSet::kSkin, skin::kBackSelectColor, 2)), P(80, 80));
  EXPECT_EQ(Size(images_.Get(ImageSet::kItem, 5, 2)), P(80, 80));
  images_.ReleaseImages();
  EXPECT_EQ(images_.count(), 0u);
}

}  // namespace
}  // namespace vek::win
