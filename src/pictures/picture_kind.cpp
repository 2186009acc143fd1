// The kind of a picture file, chosen by its extension alone.
#include "pictures/picture_kind.h"

#include "system/failure.h"
#include "text/message_text.h"

namespace zarumo {

namespace {

struct Registered {
  const char* extension;
  PictureKind kind;
};

// The latest registration is looked at first.
constexpr Registered kRegistered[] = {
    {"gif", PictureKind::kGif},         {"png", PictureKind::kPng},
    {"emf", PictureKind::kEnhMetafile}, {"wmf", PictureKind::kWinMetafile},
    {"ico", PictureKind::kIcon},        {"jpeg", PictureKind::kJpeg},
    {"jpg", PictureKind::kJpeg},        {"bmp", PictureKind::kBitmap},
};

}  // namespace

std::string FileExtension(const std::string& fileName, const LeadBytes& leadBytes) {
  std::size_t dot = std::string::npos;
  for (std::size_t i = 0; i < fileName.size(); i = leadBytes.Next(fileName, i)) {
    const char c = fileName[i];
    if (c == '.') {
      dot = i;
    } else if (c == '\\' || c == ':') {
      dot = std::string::npos;
    }
  }
  return dot == std::string::npos ? std::string() : fileName.substr(dot + 1);
}

PictureKind PictureKindOf(const std::string& fileName, const LeadBytes& leadBytes,
                          LowerCase lowerCase) {
  const std::string extension = FileExtension(fileName, leadBytes);
  std::string lowered = extension;
  if (!lowered.empty()) lowerCase(&lowered[0], lowered.size());
  for (const Registered& r : kRegistered) {
    if (lowered == r.extension) return r.kind;
  }
  throw InvalidPicture(Format("拡張子 .%s の画像形式は処理できません", extension.c_str()));
}

}  // namespace zarumo
