// The pictures of the skin compiled into the program ("CUSTOM" resources), by the skin
// index the dock and the group menus draw them under, and how the image store keeps
// each one. The one list of the skin's names.
#pragma once

#include <cstdint>

namespace vek {

// The two tables of the image store: item pictures by image index, skin pictures by
// skin index.
enum class ImageSet : uint8_t { kItem, kSkin };

// The variant of the centre item's picture at its magnified size (the dock's magnified
// centre side), kept cut round to its ring like its normal one.
constexpr int32_t kCentreMagnifiedVariant = 2;

namespace skin {
constexpr int kLogo = 0;
constexpr int kBorder = 12;
constexpr int kNoDrop = 16;
constexpr int kAddIcon = 17;
constexpr int kReplaceIcon = 18;
constexpr int kDelIcon = 19;
constexpr int kBackSelectColor = 20;
}  // namespace skin

enum class SkinStorage : uint8_t {
  kDockSizes,  // the full picture plus a copy at every icon size in use
  kCached,     // one copy at a fixed size (width × height)
  kImage,      // the full picture only, drawn scaled or in parts
  kBorder,     // one square copy at the picture's own width
};

struct SkinPicture {
  int index;
  const char* name;  // the resource name
  SkinStorage storage;
  int width;  // kCached only
  int height;
};

// Skin indices 11 and 13..15 hold no picture.
constexpr SkinPicture kSkinPictures[] = {
    {skin::kLogo, "LOGO", SkinStorage::kDockSizes, 0, 0},
    {1, "MENUSELECT", SkinStorage::kCached, 248, 38},
    {2, "MENUMOUSEDOWN", SkinStorage::kCached, 248, 38},
    {3, "MENUUPUNSELECT", SkinStorage::kCached, 248, 25},
    {4, "MENUUPSELECT", SkinStorage::kCached, 248, 25},
    {5, "MENUDOWNUNSELECT", SkinStorage::kCached, 248, 25},
    {6, "MENUDOWNSELECT", SkinStorage::kCached, 248, 25},
    {7, "MENUSPACE", SkinStorage::kCached, 248, 5},
    {8, "MENUBODY", SkinStorage::kImage, 0, 0},
    {9, "MENUTOP", SkinStorage::kCached, 268, 12},
    {10, "MENUBOTTOM", SkinStorage::kCached, 268, 12},
    {skin::kBorder, "BORDER", SkinStorage::kBorder, 0, 0},
    {skin::kNoDrop, "NODROP", SkinStorage::kCached, 48, 48},
    {skin::kAddIcon, "ADDICON", SkinStorage::kCached, 48, 48},
    {skin::kReplaceIcon, "REPLACEICON", SkinStorage::kCached, 48, 48},
    {skin::kDelIcon, "DELICON", SkinStorage::kImage, 0, 0},
    {skin::kBackSelectColor, "BACKSELECTCOLOR", SkinStorage::kDockSizes, 0, 0},
};

}  // namespace vek
