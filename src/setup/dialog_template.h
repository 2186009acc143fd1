// Dialog templates built in memory, in the system's binary layout: the picture
// pane that the open dialog takes as its child template.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zarumo {

// The template style bit that says a font follows the caption.
constexpr std::uint32_t kTemplateSetFont = 0x40;

// Atoms of the predefined control classes.
constexpr std::uint16_t kButtonAtom = 0x0080;
constexpr std::uint16_t kStaticAtom = 0x0082;

struct TemplateControl {
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;
  int x = 0;  // dialog units
  int y = 0;
  int cx = 0;
  int cy = 0;
  std::uint16_t id = 0;
  std::uint16_t classAtom = 0;  // 0: by className
  std::string className;        // ASCII
  std::string title;            // ASCII
};

struct DialogFrame {
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;
  int x = 0;
  int y = 0;
  int cx = 0;
  int cy = 0;
  int fontPoints = 0;    // with kTemplateSetFont in style
  std::string fontFace;  // ASCII
};

// The template's bytes, little-endian; every item starts on a 4-byte boundary.
// Texts must be ASCII (they are widened byte by byte); anything else is a
// std::invalid_argument.
std::vector<std::uint8_t> BuildDialogTemplate(const DialogFrame& frame,
                                              const std::vector<TemplateControl>& items);

}  // namespace zarumo
