// Texts made of the saver's own words, which are code page 932, and outside
// words: file names and the system's texts, in the ANSI code page or already
// in UTF-16. On a Japanese system the bytes are shown as they are; where the
// ANSI code page is another, each part is widened by its own code page and
// shown through the wide functions.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace zarumo {

// UTF-16 text. Traits of its own make the compiler build it here, for the
// i486, rather than link the C++ library's prebuilt wide string.
struct WideTraits : std::char_traits<wchar_t> {};
using WideString = std::basic_string<wchar_t, WideTraits>;

// True on an NT-family system whose ANSI code page is not 932 but which has
// code page 932 installed: there the saver's own texts are shown wide.
bool ShowsTextWide();

// `text` in code page `codePage` as UTF-16.
WideString Widened(const std::string& text, UINT codePage);
// `text` in the ANSI code page, with its default character for what it lacks.
std::string Narrowed(const WideString& text);

class MixedText {
 public:
  MixedText() = default;
  // The saver's own words.
  MixedText(const char* own);  // NOLINT: literals read as the saver's own
  explicit MixedText(const std::string& own);
  // Words from outside in the ANSI code page.
  static MixedText Outside(const std::string& ansi);
  // Words from outside known in UTF-16, with their ANSI form as it was given.
  static MixedText Wide(const WideString& wide, const std::string& ansi);

  MixedText& operator+=(const MixedText& more);
  friend MixedText operator+(MixedText left, const MixedText& right) { return left += right; }

  // The bytes as the ANSI functions take them: every part as it came.
  const std::string& Ansi() const { return ansi_; }
  // Every part widened by its own code page.
  WideString Wide() const;

 private:
  struct Part {
    WideString wide;
    std::string bytes;
    UINT codePage;  // kGivenWide: `wide` holds the part
  };
  std::vector<Part> parts_;
  std::string ansi_;
};

// A path the ANSI file functions can open for the file a UTF-16 path names:
// its ANSI form where the code page holds every character, otherwise its short
// form where that one fits; nothing for a file that has neither.
std::optional<std::string> AnsiPathFor(const WideString& path);

}  // namespace zarumo
