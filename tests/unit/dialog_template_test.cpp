// Dialog templates built in memory.
#include "setup/dialog_template.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace zarumo {
namespace {

class TemplateReader {
 public:
  explicit TemplateReader(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}
  std::uint16_t Word() {
    EXPECT_LE(pos_ + 2, bytes_.size());
    std::uint16_t value = static_cast<std::uint16_t>(bytes_[pos_] | (bytes_[pos_ + 1] << 8));
    pos_ += 2;
    return value;
  }
  std::uint32_t Dword() {
    std::uint32_t low = Word();
    return low | (static_cast<std::uint32_t>(Word()) << 16);
  }
  std::int16_t Short() { return static_cast<std::int16_t>(Word()); }
  std::string Text() {
    std::string text;
    for (std::uint16_t c = Word(); c != 0; c = Word()) text.push_back(static_cast<char>(c));
    return text;
  }
  void AlignDword() { pos_ = (pos_ + 3) / 4 * 4; }
  std::size_t Pos() const { return pos_; }

 private:
  const std::vector<std::uint8_t>& bytes_;
  std::size_t pos_ = 0;
};

TEST(DialogTemplate, HeaderFontAndItemsInTheSystemsLayout) {
  DialogFrame frame;
  frame.style = 0x44000000 | kTemplateSetFont;
  frame.cx = 116;
  frame.cy = 120;
  frame.fontPoints = 9;
  frame.fontFace = "MS Shell Dlg";
  std::vector<TemplateControl> items(2);
  items[0].style = 0x40000000;
  items[0].x = -3;
  items[0].cx = 8;
  items[0].cy = 120;
  items[0].id = 0x45F;
  items[0].classAtom = kStaticAtom;
  items[1].exStyle = 0x200;
  items[1].x = 12;
  items[1].y = 22;
  items[1].id = 0x5A03;
  items[1].className = "Area";
  items[1].title = "t";

  std::vector<std::uint8_t> bytes = BuildDialogTemplate(frame, items);
  TemplateReader in(bytes);
  EXPECT_EQ(in.Dword(), frame.style);
  EXPECT_EQ(in.Dword(), 0u);
  EXPECT_EQ(in.Word(), 2);  // items
  EXPECT_EQ(in.Short(), 0);
  EXPECT_EQ(in.Short(), 0);
  EXPECT_EQ(in.Short(), 116);
  EXPECT_EQ(in.Short(), 120);
  EXPECT_EQ(in.Word(), 0);  // menu
  EXPECT_EQ(in.Word(), 0);  // class
  EXPECT_EQ(in.Text(), "");
  EXPECT_EQ(in.Word(), 9);
  EXPECT_EQ(in.Text(), "MS Shell Dlg");

  in.AlignDword();
  EXPECT_EQ(in.Pos() % 4, 0u);
  EXPECT_EQ(in.Dword(), 0x40000000u);
  EXPECT_EQ(in.Dword(), 0u);
  EXPECT_EQ(in.Short(), -3);
  EXPECT_EQ(in.Short(), 0);
  EXPECT_EQ(in.Short(), 8);
  EXPECT_EQ(in.Short(), 120);
  EXPECT_EQ(in.Word(), 0x45F);
  EXPECT_EQ(in.Word(), 0xFFFF);
  EXPECT_EQ(in.Word(), kStaticAtom);
  EXPECT_EQ(in.Text(), "");
  EXPECT_EQ(in.Word(), 0);  // creation data

  in.AlignDword();
  EXPECT_EQ(in.Dword(), 0u);
  EXPECT_EQ(in.Dword(), 0x200u);
  EXPECT_EQ(in.Short(), 12);
  EXPECT_EQ(in.Short(), 22);
  EXPECT_EQ(in.Short(), 0);
  EXPECT_EQ(in.Short(), 0);
  EXPECT_EQ(in.Word(), 0x5A03);
  EXPECT_EQ(in.Text(), "Area");
  EXPECT_EQ(in.Text(), "t");
  EXPECT_EQ(in.Word(), 0);
  EXPECT_EQ(in.Pos(), bytes.size());
}

TEST(DialogTemplate, NoFontWithoutTheStyleBit) {
  DialogFrame frame;
  frame.fontFace = "ignored";
  std::vector<std::uint8_t> bytes = BuildDialogTemplate(frame, {});
  // Header, menu, class and an empty caption; nothing else.
  EXPECT_EQ(bytes.size(), 18u + 2 + 2 + 2);
}

TEST(DialogTemplate, RefusesWhatItCannotWrite) {
  TemplateControl item;
  item.className = "\x83\x5C";
  EXPECT_THROW(BuildDialogTemplate(DialogFrame(), {item}), std::invalid_argument);
  item.className = "Static";
  item.x = 40000;
  EXPECT_THROW(BuildDialogTemplate(DialogFrame(), {item}), std::invalid_argument);
}

}  // namespace
}  // namespace zarumo
