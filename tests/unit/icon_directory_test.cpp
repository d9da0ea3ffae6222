// Icon containers: which group and entry of a program's icons becomes the picture, which
// image of a .ico file is converted, and that broken containers give nothing.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "icons/icon_directory.h"
#include "support/fakes.h"
#include "support/icon_bytes.h"

namespace vek {
namespace {

using test::DibImage;
using test::IcoFile;
using test::IconGroup;
using test::PngBytes;

// The largest size wins, 256 pixels over everything even when listed first with fewer
// colours; at equal width the deeper entry, on a tie the earlier one; entries with
// impossible depths are passed over. 0: none chosen.
TEST(IconGroupTest, TheLargestThenTheDeepestPossibleEntryWinsAndEarlierEntriesWinTies) {
  const std::pair<std::vector<test::GroupEntrySpec>, int> cases[] = {
      {{{16, 32, 1}, {32, 32, 2}, {48, 32, 3}, {256, 32, 4}}, 4},
      {{{256, 8, 9}, {48, 32, 3}}, 9},
      {{{48, 8, 1}, {48, 32, 2}, {32, 32, 3}}, 2},
      {{{48, 32, 5}, {48, 32, 6}}, 5},
      {{{48, 32, 5}, {48, 8, 6}}, 5},
      {{{48, 0, 1}, {48, 33, 2}}, 0},
      {{{256, 64, 1}, {16, 4, 2}}, 2},
      {{}, 0},
  };
  for (const auto& [entries, id] : cases) {
    const auto best = ChooseBestGroupEntry(ParseIconGroup(IconGroup(entries)));
    EXPECT_EQ(best ? best->id : 0, id) << entries.size() << " entries, first " << (entries.empty() ? 0 : entries[0].id);
    if (best && id == 4) EXPECT_EQ(best->width, 256);
  }
}

TEST(IconGroupTest, EntryCountComesFromTheSizeNotTheHeader) {
  Bytes group = IconGroup({{16, 32, 1}, {32, 32, 2}});
  EXPECT_EQ(ParseIconGroup(group).size(), 2u);
  group[4] = 200;  // the header claims 200 entries
  EXPECT_EQ(ParseIconGroup(group).size(), 2u);
  group.resize(group.size() - 1);  // the last entry is cut short
  EXPECT_EQ(ParseIconGroup(group).size(), 1u);
  EXPECT_TRUE(ParseIconGroup(Bytes(19, 0)).empty());
  EXPECT_EQ(ParseIconGroup(Bytes(20, 0)).size(), 1u);
  EXPECT_TRUE(ParseIconGroup({}).empty());
}

TEST(IconGroupNameTest, IndexBeyondTheLastTakesTheLastAndNegativeNamesAnIdentifier) {
  const std::vector<std::string> names{"1", "MAINICON", "768"};
  for (const auto& [index, name] : {std::pair<int64_t, const char*>{0, "1"}, {1, "MAINICON"}, {3, "768"},
                                    {1000000, "768"}, {-768, "768"}, {-5, "5"}})
    EXPECT_EQ(ChooseIconGroupName(names, index), name) << index;
  EXPECT_EQ(ChooseIconGroupName({}, -2), "2");
  EXPECT_FALSE(ChooseIconGroupName({}, 0));
  EXPECT_EQ(ChooseIconGroupName({}, std::numeric_limits<int64_t>::min()),
            "9223372036854775808");
}

TEST(IconDibTest, CompleteImagesPassAndShortOrOddOnesDoNot) {
  Bytes dib = DibImage(32, 32);
  auto info = CheckIconDib(dib.data(), dib.size());
  ASSERT_TRUE(info);
  EXPECT_EQ(info->width, 32);
  EXPECT_EQ(info->height, 32);
  EXPECT_EQ(info->bitCount, 32);
  Bytes paletted = DibImage(16, 4);
  EXPECT_TRUE(CheckIconDib(paletted.data(), paletted.size()));
  EXPECT_FALSE(CheckIconDib(dib.data(), dib.size() - 1));           // mask cut short
  EXPECT_FALSE(CheckIconDib(paletted.data(), paletted.size() - 1));
  Bytes bad = dib;
  bad[14] = 7;  // 7 bits per pixel
  EXPECT_FALSE(CheckIconDib(bad.data(), bad.size()));
  bad = dib;
  bad[4] = 0;
  bad[5] = 0x10;  // 4096 pixels wide
  EXPECT_FALSE(CheckIconDib(bad.data(), bad.size()));
  bad = dib;
  bad[0] = 12;  // an old-style header
  EXPECT_FALSE(CheckIconDib(bad.data(), bad.size()));
  bad = dib;
  bad[16] = 1;  // run-length compressed
  EXPECT_FALSE(CheckIconDib(bad.data(), bad.size()));
  bad = paletted;
  bad[32] = 17;  // more colours than 4 bits can index
  EXPECT_FALSE(CheckIconDib(bad.data(), bad.size()));
}

TEST(IcoFileTest, A256PixelTrueColourImageIsTakenAtOnce) {
  const Bytes png = PngBytes(40);
  const Bytes file = IcoFile({{16, 8, DibImage(16, 8)}, {256, 32, png}, {48, 32, DibImage(48, 32)}});
  auto image = ChooseIcoImage(file);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->format, IcoImage::Format::kPng);
  EXPECT_EQ(image->size, png.size());
  EXPECT_EQ(0, std::memcmp(file.data() + image->offset, png.data(), png.size()));
}

TEST(IcoFileTest, OtherwiseTheDeepestThenWidestLaterEntriesWinningTies) {
  auto image = ChooseIcoImage(IcoFile({{48, 8, DibImage(48, 8)}, {32, 32, DibImage(32, 32)}}));
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 32);
  EXPECT_EQ(image->bitCount, 32);
  EXPECT_EQ(image->format, IcoImage::Format::kDib);
  image = ChooseIcoImage(IcoFile({{48, 32, DibImage(48, 32)}, {32, 32, DibImage(32, 32)}}));
  EXPECT_EQ(image->width, 48);
  const Bytes two = IcoFile({{32, 32, DibImage(32, 32)}, {32, 32, DibImage(32, 32)}});
  image = ChooseIcoImage(two);
  EXPECT_EQ(image->offset, 6u + 32u + DibImage(32, 32).size());
  // An entry that states no depth counts with its image's own.
  image = ChooseIcoImage(IcoFile({{48, 8, DibImage(48, 8)}, {16, 0, DibImage(16, 32)}}));
  EXPECT_EQ(image->width, 16);
}

TEST(IcoFileTest, EntriesPointingOutsideTheFileOrAtNoImageArePassedOver) {
  Bytes file = IcoFile({{48, 32, DibImage(48, 32)}, {32, 8, DibImage(32, 8)}});
  file[6 + 12] = 0xFF;  // first entry's offset far beyond the end
  file[6 + 15] = 0x7F;
  auto image = ChooseIcoImage(file);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 32);
  Bytes garbage = IcoFile({{48, 32, Bytes(100, 0xAB)}});
  EXPECT_FALSE(ChooseIcoImage(garbage));
  EXPECT_FALSE(ChooseIcoImage({}));
  EXPECT_FALSE(ChooseIcoImage(Bytes{0, 0, 1, 0, 5}));
}

TEST(IcoFileTest, AnImageRightAfterABrokenDirectoryIsStillFound) {
  // A single-image file whose entry lies about the image's size.
  Bytes file = IcoFile({{64, 32, PngBytes(50)}});
  file[6 + 8] = 0xFF;
  file[6 + 9] = 0xFF;
  auto image = ChooseIcoImage(file);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->format, IcoImage::Format::kPng);
  EXPECT_EQ(image->offset, 22u);
  EXPECT_EQ(image->size, file.size() - 22);
  // The same with a bitmap: rendered at the size its header gives.
  file = IcoFile({{99, 99, DibImage(24, 8)}});
  file[6 + 12] = 0xF0;  // offset outside the file
  image = ChooseIcoImage(file);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->format, IcoImage::Format::kDib);
  EXPECT_EQ(image->width, 24);
  EXPECT_EQ(image->bitCount, 8);
}

TEST(IconPictureTest, PngIconDataIsCopiedByteForByte) {
  test::FakeFileSystem fs;
  fs.AddFolder("C:\\icons\\");
  const std::string dest = "C:\\icons\\7.png";
  fs.AddFile(dest, "an older picture");
  const Bytes png = PngBytes(300);
  EXPECT_EQ(PrepareIconPicture(fs, png, dest), IconImageKind::kPng);
  EXPECT_EQ(fs.FileData(dest), png);
}

TEST(IconPictureTest, PngDataClaimingAVastPictureIsNoIcon) {
  test::FakeFileSystem fs;
  fs.AddFolder("C:\\icons\\");
  Bytes png = PngBytes(16);
  const uint8_t header[] = {0, 0, 0, 13, 'I', 'H', 'D', 'R', 0, 0, 0x4E, 0x20, 0, 0, 0, 32};
  std::memcpy(png.data() + 8, header, sizeof header);
  EXPECT_EQ(PrepareIconPicture(fs, png, "C:\\icons\\7.png"), IconImageKind::kUnusable);
  EXPECT_FALSE(fs.HasFile("C:\\icons\\7.png"));
}

TEST(IconPictureTest, BitmapsAreLeftToRenderAndTheOldPictureIsGoneEitherWay) {
  test::FakeFileSystem fs;
  fs.AddFolder("C:\\icons\\");
  const std::string dest = "C:\\icons\\7.png";
  fs.AddFile(dest, "old");
  EXPECT_EQ(PrepareIconPicture(fs, DibImage(32, 32), dest), IconImageKind::kDib);
  EXPECT_FALSE(fs.HasFile(dest));
  fs.AddFile(dest, "old");
  EXPECT_EQ(PrepareIconPicture(fs, Bytes(64, 1), dest), IconImageKind::kUnusable);
  EXPECT_FALSE(fs.HasFile(dest));
  fs.FailWritesUnder("C:\\icons\\");
  EXPECT_EQ(PrepareIconPicture(fs, PngBytes(), dest), IconImageKind::kUnusable);
}

// The size a picture file claims, read from its header alone (hex bytes; 0 x 0: none, also for
// formats it does not read).
TEST(PictureHeaderTest, TheStatedSizeComesFromTheHeaderOfEachFormat) {
  const struct {
    const char* what;
    const char* hex;
    int64_t width, height;
  } cases[] = {
      {"PNG", "89504E470D0A1A0A0000000D4948445200004E2000002710", 20000, 10000},
      {"PNG cut short", "89504E470D0A1A0A0000000D49484452", 0, 0},
      {"PNG without IHDR first", "89504E470D0A1A0A0000000D4944415400004E2000002710", 0, 0},
      {"GIF", "47494638396110002000000000", 16, 32},
      {"GIF whose first image outgrows its screen", "4749463839610A000A0000000021F90400000000002C00000000FFFFFFFF00",
       65535, 65535},
      {"BMP stored top-down", "424D0000000000000000000000002800000010270000F0D8FFFF", 10000, 10000},
      {"BMP with a negative width", "424D00000000000000000000000028000000F0D8FFFF10270000", 10000, 10000},
      {"BMP core header", "424D0000000000000000000000000C00000020001000", 32, 16},
      {"JPEG", "FFD8FFE000040000FFC0001108020004000000", 1024, 512},
      {"JPEG with fill bytes", "FFD8FFFFFFC2001108001000200000", 32, 16},
      {"JPEG with a stray byte before its frame", "FFD800FFC0001108020004000000", 1024, 512},
      {"JPEG scan before any frame", "FFD8FFDA0008000000000000", 0, 0},
      {"TIFF, little-endian", "49492A000800000002000001030001000000200000000101040001000000204E0000", 32, 20000},
      {"TIFF, big-endian", "4D4D002A000000080001010000030000000100400000", 0, 0},  // no length field
      {"TIFF directory beyond the file", "49492A00FFFFFF00", 0, 0},
      {"ICO", "0000010001002020", 0, 0},
  };
  for (const auto& c : cases) {
    Bytes bytes;
    for (const char* h = c.hex; h[0] && h[1]; h += 2)
      bytes.push_back(static_cast<uint8_t>(std::stoi(std::string(h, 2), nullptr, 16)));
    const auto stated = StatedPictureSize(bytes);
    EXPECT_EQ(stated ? stated->width : 0, c.width) << c.what;
    EXPECT_EQ(stated ? stated->height : 0, c.height) << c.what;
  }
}

TEST(PictureHeaderTest, AJpegsExifOrientationIsReadAndOddOrBrokenOnesStandAsStored) {
  const struct {
    const char* what;
    const char* hex;
    int orientation;
  } cases[] = {
      // The start marker, an Exif block of 0x22 bytes, a TIFF header and one directory entry.
      {"little-endian, turned", "FFD8FFE10022457869660000" "49492A0008000000" "0100120103000100000006000000" "00000000", 6},
      {"big-endian, turned back", "FFD8FFE10022457869660000" "4D4D002A00000008" "0001011200030000000100080000" "00000000", 8},
      {"a value past 8", "FFD8FFE10022457869660000" "49492A0008000000" "0100120103000100000009000000" "00000000", 1},
      {"no Exif block", "FFD8FFE000040000FFC0001108020004000000", 1},
      {"Exif block longer than the file", "FFD8FFE100FF457869660000" "49492A0008000000", 1},
      {"directory beyond the block", "FFD8FFE10012457869660000" "49492A00FF000000", 1},
  };
  for (const auto& c : cases) {
    Bytes bytes;
    for (const char* h = c.hex; h[0] && h[1]; h += 2)
      bytes.push_back(static_cast<uint8_t>(std::stoi(std::string(h, 2), nullptr, 16)));
    EXPECT_EQ(StatedJpegOrientation(bytes.data(), bytes.size()), c.orientation) << c.what;
  }
  // Where the top corners of a stored 3 x 2 picture stand once it is upright.
  const PixelPlace topLeft[] = {{0, 0}, {2, 0}, {2, 1}, {0, 1}, {0, 0}, {1, 0}, {1, 2}, {0, 2}};
  const PixelPlace topRight[] = {{2, 0}, {0, 0}, {0, 1}, {2, 1}, {0, 2}, {1, 2}, {1, 0}, {0, 0}};
  for (int o = 1; o <= 8; ++o) {
    const PixelPlace a = UprightPlace(o, 0, 0, 3, 2), b = UprightPlace(o, 2, 0, 3, 2);
    EXPECT_EQ(std::make_pair(a.x, a.y), std::make_pair(topLeft[o - 1].x, topLeft[o - 1].y)) << o;
    EXPECT_EQ(std::make_pair(b.x, b.y), std::make_pair(topRight[o - 1].x, topRight[o - 1].y)) << o;
  }
}

}  // namespace
}  // namespace vek
