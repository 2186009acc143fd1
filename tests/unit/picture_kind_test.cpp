// Choosing a picture file's kind by its extension.
#include <gtest/gtest.h>

#include <string>

#include "pictures/picture_kind.h"
#include "system/failure.h"
#include "text/lead_bytes.h"

namespace zarumo {
namespace {

PictureKind KindOf(const std::string& name) {
  return PictureKindOf(name, LeadBytes::Cp932(), LowerCaseAscii);
}

std::string RejectionOf(const std::string& name, LowerCase lower = LowerCaseAscii) {
  try {
    PictureKindOf(name, LeadBytes::Cp932(), lower);
  } catch (const InvalidPicture& failure) {
    return failure.Message();
  }
  return "(accepted)";
}

TEST(PictureKind, RegisteredExtensionsInAnyCase) {
  EXPECT_EQ(KindOf("C:\\pics\\a.bmp"), PictureKind::kBitmap);
  EXPECT_EQ(KindOf("a.JPG"), PictureKind::kJpeg);
  EXPECT_EQ(KindOf("a.Jpeg"), PictureKind::kJpeg);
  EXPECT_EQ(KindOf("a.ICO"), PictureKind::kIcon);
  EXPECT_EQ(KindOf("a.wmf"), PictureKind::kWinMetafile);
  EXPECT_EQ(KindOf("a.eMf"), PictureKind::kEnhMetafile);
  EXPECT_EQ(KindOf("archive.tar.bmp"), PictureKind::kBitmap);
  EXPECT_EQ(KindOf("a.PnG"), PictureKind::kPng);
  EXPECT_EQ(KindOf("a.gif"), PictureKind::kGif);
  EXPECT_EQ(KindOf("a.gif.png"), PictureKind::kPng);
}

TEST(PictureKind, UnregisteredExtensionIsNamedAsWritten) {
  EXPECT_EQ(RejectionOf("photo.TiF"), "拡張子 .TiF の画像形式は処理できません");
  EXPECT_EQ(RejectionOf("noextension"), "拡張子 . の画像形式は処理できません");
  EXPECT_EQ(RejectionOf("trailing.dot."), "拡張子 . の画像形式は処理できません");
  EXPECT_EQ(RejectionOf("a.jpgx"), "拡張子 .jpgx の画像形式は処理できません");
  EXPECT_EQ(RejectionOf("a.bmp "), "拡張子 .bmp  の画像形式は処理できません");
}

TEST(PictureKind, DotBeforeADelimiterIsNoExtension) {
  EXPECT_EQ(FileExtension("C:\\dir.bmp\\picture", LeadBytes::Cp932()), "");
  EXPECT_EQ(FileExtension("x.bmp:stream", LeadBytes::Cp932()), "");
  EXPECT_EQ(FileExtension("C:\\dir.d\\picture.jpg", LeadBytes::Cp932()), "jpg");
}

TEST(PictureKind, TrailBytesAreNotDelimiters) {
  // 表 is 0x95 0x5C in code page 932: its second byte is a backslash.
  const std::string name = "C:\\写真.\x95\x5C";
  EXPECT_EQ(FileExtension(name, LeadBytes::Cp932()), "\x95\x5C");
  EXPECT_EQ(FileExtension(name, LeadBytes()), "");
  EXPECT_EQ(KindOf("C:\\\x95\x5C.bmp"), PictureKind::kBitmap);
}

TEST(PictureKind, ComparesWhatTheLoweringGives) {
  // The system's lowering may know letters that plain ASCII lowering does not.
  const LowerCase toJpg = [](char* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) text[i] = "jpg"[i % 3];
  };
  EXPECT_EQ(PictureKindOf("a.XYZ", LeadBytes::Cp932(), toJpg), PictureKind::kJpeg);
  EXPECT_EQ(RejectionOf("a.XYZW", toJpg), "拡張子 .XYZW の画像形式は処理できません");
}

}  // namespace
}  // namespace zarumo
