// Texts made of the saver's own words and outside words.
#include "system/mixed_text.h"

#include "system/system_function.h"

namespace zarumo {
namespace {

constexpr UINT kJapaneseCodePage = 932;
// Not a code page: the part came in UTF-16.
constexpr UINT kGivenWide = 0xFFFFFFFFu;

}  // namespace

std::string Narrowed(const WideString& text) {
  if (text.empty()) return std::string();
  const int size = static_cast<int>(text.size());
  int length = WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string result(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
  if (length > 0)
    WideCharToMultiByte(CP_ACP, 0, text.data(), size, &result[0], length, nullptr, nullptr);
  return result;
}

namespace {

// The ANSI form of `text` when it widens back to `text` exactly; a character
// the code page lacks, or one it only resembles, gives nothing.
std::optional<std::string> ExactAnsi(const WideString& text) {
  std::string ansi = Narrowed(text);
  if (Widened(ansi, CP_ACP) != text) return std::nullopt;
  return ansi;
}

}  // namespace

bool ShowsTextWide() {
  static const bool wide =
      !IsNineXFamily() && GetACP() != kJapaneseCodePage && IsValidCodePage(kJapaneseCodePage);
  return wide;
}

WideString Widened(const std::string& text, UINT codePage) {
  if (text.empty()) return WideString();
  const int size = static_cast<int>(text.size());
  int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
  WideString result(length > 0 ? static_cast<std::size_t>(length) : 0, L'\0');
  if (length > 0) MultiByteToWideChar(codePage, 0, text.data(), size, &result[0], length);
  return result;
}

MixedText::MixedText(const char* own) : MixedText(std::string(own)) {}

MixedText::MixedText(const std::string& own)
    : parts_{{WideString(), own, kJapaneseCodePage}}, ansi_(own) {}

MixedText MixedText::Outside(const std::string& ansi) {
  MixedText text;
  text.parts_.push_back({WideString(), ansi, CP_ACP});
  text.ansi_ = ansi;
  return text;
}

MixedText MixedText::Wide(const WideString& wide, const std::string& ansi) {
  MixedText text;
  text.parts_.push_back({wide, ansi, kGivenWide});
  text.ansi_ = ansi;
  return text;
}

MixedText& MixedText::operator+=(const MixedText& more) {
  parts_.insert(parts_.end(), more.parts_.begin(), more.parts_.end());
  ansi_ += more.ansi_;
  return *this;
}

WideString MixedText::Wide() const {
  WideString result;
  // Without code page 932 the own words are read as the system reads them.
  const UINT own = ShowsTextWide() ? kJapaneseCodePage : CP_ACP;
  for (const Part& part : parts_) {
    if (part.codePage == kJapaneseCodePage) {
      result += Widened(part.bytes, own);
    } else {
      result += part.codePage == kGivenWide ? part.wide : Widened(part.bytes, part.codePage);
    }
  }
  return result;
}

std::optional<std::string> AnsiPathFor(const WideString& path) {
  if (std::optional<std::string> ansi = ExactAnsi(path)) return ansi;
  using ShortPathProc = DWORD(WINAPI*)(LPCWSTR, LPWSTR, DWORD);
  auto shortPath = SystemFunction<ShortPathProc>("KERNEL32", "GetShortPathNameW");
  if (!shortPath) return std::nullopt;
  const DWORD needed = shortPath(path.c_str(), nullptr, 0);
  if (needed == 0) return std::nullopt;
  WideString shortForm(needed, L'\0');
  const DWORD length = shortPath(path.c_str(), &shortForm[0], needed);
  if (length == 0 || length >= needed) return std::nullopt;
  shortForm.resize(length);
  // A volume without short names gives the long form back.
  return ExactAnsi(shortForm);
}

}  // namespace zarumo
