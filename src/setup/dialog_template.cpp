// Dialog templates built in memory, in the system's binary layout.
#include "setup/dialog_template.h"

#include <stdexcept>

#include "pictures/le_bytes.h"

namespace zarumo {
namespace {

class TemplateWriter {
 public:
  void Word(std::uint32_t value) { Put16(bytes_, value); }
  void Dword(std::uint32_t value) { Put32(bytes_, value); }
  void Short(int value) {
    if (value < -32768 || value > 32767) throw std::invalid_argument("dialog unit out of range");
    Word(static_cast<std::uint16_t>(static_cast<std::int16_t>(value)));
  }
  void Text(const std::string& text) {
    for (unsigned char c : text) {
      if (c == 0 || c >= 0x80) throw std::invalid_argument("template text must be ASCII");
      Word(c);
    }
    Word(0);
  }
  void AlignDword() {
    while (bytes_.size() % 4 != 0) bytes_.push_back(0);
  }
  std::vector<std::uint8_t> Take() { return std::move(bytes_); }

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace

std::vector<std::uint8_t> BuildDialogTemplate(const DialogFrame& frame,
                                              const std::vector<TemplateControl>& items) {
  if (items.size() > 0xFFFF) throw std::invalid_argument("too many dialog items");
  TemplateWriter out;
  out.Dword(frame.style);
  out.Dword(frame.exStyle);
  out.Word(static_cast<std::uint16_t>(items.size()));
  out.Short(frame.x);
  out.Short(frame.y);
  out.Short(frame.cx);
  out.Short(frame.cy);
  out.Word(0);   // no menu
  out.Word(0);   // the standard dialog class
  out.Text("");  // no caption
  if (frame.style & kTemplateSetFont) {
    out.Short(frame.fontPoints);
    out.Text(frame.fontFace);
  }
  for (const TemplateControl& item : items) {
    out.AlignDword();
    out.Dword(item.style);
    out.Dword(item.exStyle);
    out.Short(item.x);
    out.Short(item.y);
    out.Short(item.cx);
    out.Short(item.cy);
    out.Word(item.id);
    if (item.classAtom) {
      out.Word(0xFFFF);
      out.Word(item.classAtom);
    } else {
      out.Text(item.className);
    }
    out.Text(item.title);
    out.Word(0);  // no creation data
  }
  return out.Take();
}

}  // namespace zarumo
