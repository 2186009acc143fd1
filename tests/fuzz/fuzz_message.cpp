// Failure texts built from outside bytes (file names, the system's error
// texts, the module name) and the rule that ends a shown message with ".".
#include <cstddef>
#include <cstdint>
#include <string>

#include "system/failure.h"
#include "text/lead_bytes.h"
#include "text/message_text.h"

using namespace zarumo;

namespace {

using IsLead = bool (*)(unsigned char);
bool NoLead(unsigned char) { return false; }
bool Cp932Lead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// What a C string holds of the bytes.
std::string Shown(const std::string& text) { return text.substr(0, text.find('\0')); }

// The first byte of the last character, walking characters from the front
// (a lead byte stands alone before the end or a zero byte); -1 when empty.
int ReferenceLastCharByte(const std::string& text, IsLead isLead) {
  int first = -1;
  for (std::size_t i = 0; i < text.size(); ++i) {
    first = static_cast<unsigned char>(text[i]);
    if (isLead(static_cast<unsigned char>(text[i])) && i + 1 < text.size() && text[i + 1] != '\0') {
      ++i;
    }
  }
  return first;
}

std::string ReferenceWithPeriod(const std::string& text, IsLead isLead) {
  return ReferenceLastCharByte(text, isLead) > '.' ? text + "." : text;
}

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::string Hex8(std::uint32_t value) {
  std::string out(8, '0');
  for (int i = 7; i >= 0; --i, value >>= 4)
    out[static_cast<std::size_t>(i)] = "0123456789ABCDEF"[value & 15];
  return out;
}

void Check(const std::string& text, const LeadBytes& lead, IsLead isLead) {
  if (WithPeriod(text, lead) != ReferenceWithPeriod(text, isLead)) __builtin_trap();

  // Outside text only ever fills a placeholder: a "%" in it stays itself.
  const std::string shown = Shown(text);
  if (Format("%s", text.c_str()) != shown) __builtin_trap();
  const std::string open = OpenFailure(text).Message();
  if (open.find(shown) == std::string::npos || open.size() <= shown.size()) __builtin_trap();
  const unsigned code = text.empty() ? 0 : static_cast<unsigned char>(text[0]) * 0x1010101u;
  const std::string system = SystemFailure(code, text).Message();
  if (!EndsWith(system, "\r\n" + shown)) __builtin_trap();
  if (system.find(std::to_string(static_cast<int>(code))) == std::string::npos) __builtin_trap();

  // The top-level box: fixed text around the kind, the module, the address
  // and the message, the message ending by the rule applied to what is shown.
  const std::uint32_t address = static_cast<std::uint32_t>(code ^ text.size());
  const void* at = reinterpret_cast<const void*>(static_cast<std::uintptr_t>(address));
  auto checkBox = [&](const Failure& failure) {
    const std::string box =
        Shown(TopLevelErrorText(failure.Kind(), text, at, failure.Message(), lead));
    const std::string head = std::string(failure.Kind()) + "がモジュール " + shown + " の " +
                             Hex8(address) + " で発生しました。\n";
    if (box != head + ReferenceWithPeriod(Shown(failure.Message()), isLead)) __builtin_trap();
  };
  checkBox(Failure(text));
  checkBox(IoFailure(text.empty() ? 0 : static_cast<signed char>(text[0])));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  Check(text, LeadBytes::Cp932(), Cp932Lead);
  Check(text, LeadBytes(), NoLead);
  return 0;
}
