// Checks the generated artwork (tools/art/generate.py) against the sizes and
// pixel formats the dock relies on: it draws skin pieces at fixed offsets,
// treats some of them as opaque, and scales SysIcons down from 256 px.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

const std::string kRoot = VEK_SOURCE_DIR;

std::vector<unsigned char> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

uint32_t Be32(const std::vector<unsigned char>& b, size_t at) {
  return (uint32_t{b[at]} << 24) | (uint32_t{b[at + 1]} << 16) | (uint32_t{b[at + 2]} << 8) | b[at + 3];
}

uint32_t Le32(const std::vector<unsigned char>& b, size_t at) {
  return b[at] | (uint32_t{b[at + 1]} << 8) | (uint32_t{b[at + 2]} << 16) | (uint32_t{b[at + 3]} << 24);
}

uint16_t Le16(const std::vector<unsigned char>& b, size_t at) {
  return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}

struct PngHeader {
  bool ok = false;
  std::string error;
  uint32_t width = 0, height = 0;
  int bit_depth = 0, color_type = -1;
};

// Reads the signature and the IHDR chunk, which must come first.
PngHeader ParsePng(const std::vector<unsigned char>& b) {
  static const unsigned char kSig[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  PngHeader h;
  if (b.size() < 33) {
    h.error = "file missing or too short";
    return h;
  }
  for (int i = 0; i < 8; ++i) {
    if (b[i] != kSig[i]) {
      h.error = "not a PNG signature";
      return h;
    }
  }
  if (Be32(b, 8) != 13 || std::string(b.begin() + 12, b.begin() + 16) != "IHDR") {
    h.error = "first chunk is not IHDR";
    return h;
  }
  h.width = Be32(b, 16);
  h.height = Be32(b, 20);
  h.bit_depth = b[24];
  h.color_type = b[25];
  h.ok = true;
  return h;
}

PngHeader PngAt(const std::string& rel) { return ParsePng(ReadAll(kRoot + "/" + rel)); }

constexpr int kRgb = 2;
constexpr int kRgba = 6;

struct SkinPiece {
  const char* name;
  uint32_t width, height;
  int color_type;
};

const SkinPiece kSkin[] = {
    {"LOGO", 128, 128, kRgb},
    {"MENUSELECT", 248, 38, kRgb},
    {"MENUMOUSEDOWN", 248, 38, kRgb},
    {"MENUUPUNSELECT", 248, 25, kRgba},
    {"MENUUPSELECT", 248, 25, kRgb},
    {"MENUDOWNUNSELECT", 248, 25, kRgba},
    {"MENUDOWNSELECT", 248, 25, kRgb},
    {"MENUSPACE", 248, 5, kRgba},
    {"MENUBODY", 268, 656, kRgba},
    {"MENUTOP", 268, 12, kRgb},
    {"MENUBOTTOM", 268, 12, kRgb},
    {"BORDER", 152, 152, kRgba},
    {"NODROP", 64, 64, kRgba},
    {"ADDICON", 110, 110, kRgba},
    {"REPLACEICON", 64, 64, kRgba},
    {"DELICON", 640, 128, kRgba},
    {"BACKSELECTCOLOR", 128, 128, kRgba},
};

const char* const kSysIcons[] = {
    "All Programs Group", "Library", "WinGroup", "Microsoft Office Group", "Internet", "Mailbox",
    "SearchInternet", "My Computer", "RecycleEmpty", "RecycleFull", "File", "Shortcut", "Application", "Group",
    "UserDoc", "UserIcon", "Setting", "About", "Minimize", "HideVEK", "Exit", "Desktop", "Switch",
    "Manage Shortcut", "Lock Dragging", "Allow Dragging", "Shutdown", "Restart", "LogOff", "LockWorkstation",
    "MonitorOff", "Properties", "Personal", "Display", "Uninstall", "Network", "IEProperty", "CPanel",
    "Workgroup", "Printer", "DeviceManager", "Search", "Run", "Network Connection", "TrashEmpty", "TrashFull",
    "TrashCheck", "Problem", "Folder", "FloppyDrive", "RemDrive", "WinDrive", "FixedDrive", "RemoteDrive",
    "DVDDrive", "RamDrive", "UnknownDrive", "UserFolder", "DocFolder", "PicFolder", "MusicFolder",
    "VideoFolder", "FavFolder", "Directory",
};

TEST(PngHeaderParser, ReadsSizeAndColourTypeAndRejectsJunk) {
  std::vector<unsigned char> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R',
                                    0,    0,   1,   4,   0,    0,    0,    38,   8, 6, 0, 0,  0,   0,   0,   0,   0};
  PngHeader h = ParsePng(png);
  ASSERT_TRUE(h.ok) << h.error;
  EXPECT_EQ(h.width, 260u);
  EXPECT_EQ(h.height, 38u);
  EXPECT_EQ(h.color_type, kRgba);

  std::vector<unsigned char> wrong_chunk = png;
  wrong_chunk[12] = 'X';
  EXPECT_FALSE(ParsePng(wrong_chunk).ok);
  std::vector<unsigned char> bad_sig = png;
  bad_sig[1] = 'Q';
  EXPECT_FALSE(ParsePng(bad_sig).ok);
  EXPECT_FALSE(ParsePng({}).ok);
}

TEST(Artwork, SkinPiecesHaveTheirExactSizeAndAlphaOrOpaqueFormat) {
  for (const SkinPiece& p : kSkin) {
    const std::string rel = std::string("resources/skin/") + p.name + ".png";
    PngHeader h = PngAt(rel);
    ASSERT_TRUE(h.ok) << rel << ": " << h.error;
    EXPECT_EQ(h.width, p.width) << rel;
    EXPECT_EQ(h.height, p.height) << rel;
    EXPECT_EQ(h.bit_depth, 8) << rel;
    EXPECT_EQ(h.color_type, p.color_type) << rel << (p.color_type == kRgb ? " must be opaque RGB" : " needs alpha");
  }
}

TEST(Artwork, EverySysIconExistsAtLeast256WithAlpha) {
  EXPECT_EQ(std::size(kSysIcons), 64u);
  for (const char* name : kSysIcons) {
    const std::string rel = std::string("resources/SysIcons/") + name + ".png";
    PngHeader h = PngAt(rel);
    ASSERT_TRUE(h.ok) << rel << ": " << h.error;
    EXPECT_GE(h.width, 256u) << rel;
    EXPECT_EQ(h.width, h.height) << rel << " must be square";
    EXPECT_EQ(h.color_type, kRgba) << rel;
  }
}

TEST(Artwork, SearchEnginePicturesHaveTheirSizes) {
  for (int i = 0; i < 9; ++i) {
    for (uint32_t size : {16u, 32u}) {
      const std::string rel = "resources/search/engine" + std::to_string(i) + "_" + std::to_string(size) + ".png";
      PngHeader h = PngAt(rel);
      ASSERT_TRUE(h.ok) << rel << ": " << h.error;
      EXPECT_EQ(h.width, size) << rel;
      EXPECT_EQ(h.height, size) << rel;
      EXPECT_EQ(h.color_type, kRgba) << rel;
    }
  }
  struct Extra {
    const char* rel;
    uint32_t w, h;
  };
  for (const Extra& e : {Extra{"resources/search/hover_engine.png", 32, 20},
                         Extra{"resources/search/hover_search.png", 16, 16},
                         Extra{"resources/search/search.png", 16, 16}}) {
    PngHeader h = PngAt(e.rel);
    ASSERT_TRUE(h.ok) << e.rel << ": " << h.error;
    EXPECT_EQ(h.width, e.w) << e.rel;
    EXPECT_EQ(h.height, e.h) << e.rel;
  }
}

TEST(Artwork, GettingStartedPagesShareOneSize) {
  PngHeader first = PngAt("resources/pages/page0.png");
  ASSERT_TRUE(first.ok) << first.error;
  for (int i = 1; i < 6; ++i) {
    const std::string rel = "resources/pages/page" + std::to_string(i) + ".png";
    PngHeader h = PngAt(rel);
    ASSERT_TRUE(h.ok) << rel << ": " << h.error;
    EXPECT_EQ(h.width, first.width) << rel;
    EXPECT_EQ(h.height, first.height) << rel;
  }
}

TEST(Artwork, ProgramIconHoldsAll32BitSizes) {
  const std::vector<unsigned char> ico = ReadAll(kRoot + "/resources/app/VekDesktop.ico");
  ASSERT_GE(ico.size(), 6u) << "resources/app/VekDesktop.ico missing";
  EXPECT_EQ(Le16(ico, 0), 0);
  EXPECT_EQ(Le16(ico, 2), 1) << "type must be icon";
  const uint16_t count = Le16(ico, 4);
  ASSERT_GE(ico.size(), 6u + 16u * count);
  std::vector<int> sizes;
  for (uint16_t i = 0; i < count; ++i) {
    const size_t e = 6 + 16 * size_t{i};
    const int w = ico[e] == 0 ? 256 : ico[e];
    const int h = ico[e + 1] == 0 ? 256 : ico[e + 1];
    EXPECT_EQ(w, h);
    EXPECT_EQ(Le16(ico, e + 6), 32) << "entry " << w << " px is not 32 bits per pixel";
    const uint32_t bytes = Le32(ico, e + 8), offset = Le32(ico, e + 12);
    EXPECT_LE(uint64_t{offset} + bytes, ico.size()) << "entry " << w << " px points past the end";
    sizes.push_back(w);
  }
  for (int want : {16, 24, 32, 48, 256}) {
    EXPECT_NE(std::find(sizes.begin(), sizes.end(), want), sizes.end()) << "no " << want << " px image";
  }
  PngHeader png = PngAt("resources/app/VekDesktop.png");
  ASSERT_TRUE(png.ok) << png.error;
  EXPECT_EQ(png.width, 256u);
  EXPECT_EQ(png.height, 256u);
  EXPECT_EQ(png.color_type, kRgba);
}

}  // namespace
