// The command line: splitting into arguments, the mode switch and the window
// handle, each checked against a plain reference written from the rules.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "text/lead_bytes.h"

using namespace zarumo;

namespace {

using IsLead = bool (*)(unsigned char);
bool NoLead(unsigned char) { return false; }
bool Cp932Lead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// The line cut into characters first (a lead byte takes the next byte along
// unless that is the end), then items read off the characters.
std::vector<std::string> ReferenceItems(const std::string& raw, IsLead isLead) {
  const std::string line = raw.substr(0, raw.find('\0'));
  std::vector<std::string> chars;
  for (std::size_t i = 0; i < line.size();) {
    const std::size_t n =
        isLead(static_cast<unsigned char>(line[i])) && i + 1 < line.size() ? 2 : 1;
    chars.push_back(line.substr(i, n));
    i += n;
  }
  auto blank = [&](std::size_t k) {
    return chars[k].size() == 1 && chars[k][0] >= 1 && chars[k][0] <= 32;
  };
  auto quote = [&](std::size_t k) { return k < chars.size() && chars[k] == "\""; };

  std::vector<std::string> items;
  std::size_t k = 0;
  for (;;) {
    while (k < chars.size() && (blank(k) || (quote(k) && quote(k + 1)))) k += quote(k) ? 2 : 1;
    std::string item;
    bool quoted = false;
    for (; k < chars.size(); ++k) {
      if (chars[k] == "\"") {
        quoted = !quoted;
      } else if (!quoted && blank(k)) {
        break;
      } else {
        item += chars[k];
      }
    }
    if (item.empty()) return items;
    items.push_back(item);
  }
}

// The handle's grammar checked by hand, its value computed by the C library.
bool ReferenceHandle(const std::string& text, std::int32_t& value) {
  const std::size_t start = text.find_first_not_of(' ');
  if (start == std::string::npos) return false;
  const std::string body = text.substr(start);
  auto significant = [](std::string digits) {
    const std::size_t first = digits.find_first_not_of('0');
    return first == std::string::npos ? std::string("0") : digits.substr(first);
  };
  for (const char* prefix : {"0x", "0X", "$", "x", "X"}) {
    const std::string p = prefix;
    if (body.compare(0, p.size(), p) != 0) continue;
    const std::string digits = body.substr(p.size());
    if (digits.empty() || digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
      return false;
    }
    const std::string kept = significant(digits);
    if (kept.size() > 8) return false;
    value = static_cast<std::int32_t>(
        static_cast<std::uint32_t>(std::strtoul(kept.c_str(), nullptr, 16)));
    return true;
  }
  std::string digits = body;
  bool negative = false;
  if (!digits.empty() && (digits[0] == '+' || digits[0] == '-')) {
    negative = digits[0] == '-';
    digits.erase(0, 1);
  }
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) return false;
  const std::string kept = significant(digits);
  if (kept.size() > 10) return false;
  const long long magnitude = std::strtoll(kept.c_str(), nullptr, 10);
  const long long signedValue = negative ? -magnitude : magnitude;
  if (signedValue < -2147483648LL || signedValue > 2147483647LL) return false;
  value = static_cast<std::int32_t>(signedValue);
  return true;
}

void CheckHandle(const std::string& text) {
  std::int32_t got = 0;
  std::int32_t want = 0;
  const bool parsed = ParseWindowHandle(text, got);
  if (parsed != ReferenceHandle(text, want)) __builtin_trap();
  if (parsed && got != want) __builtin_trap();
}

// True when `part` can be read off `whole` from `from` on, in order; moves `from`.
bool Subsequence(const std::string& whole, std::size_t& from, const std::string& part) {
  for (char c : part) {
    from = whole.find(c, from);
    if (from == std::string::npos) return false;
    ++from;
  }
  return true;
}

void CheckLine(const std::string& raw, const LeadBytes& lead, IsLead isLead) {
  const CommandLine line(raw, lead);
  const std::vector<std::string> items = ReferenceItems(raw, isLead);
  if (items.empty()) {
    // Not even a program path: no arguments.
    if (line.ArgumentCount() != 0 || !line.Argument(1).empty()) __builtin_trap();
    return;
  }
  const int count = static_cast<int>(items.size()) - 1;
  if (line.ArgumentCount() != count) __builtin_trap();
  if (!line.Argument(0).empty() || !line.Argument(-1).empty()) __builtin_trap();
  // Each argument is read from the start afresh: the first few, the last and
  // the one beyond it keep a long line linear.
  std::size_t from = 0;
  if (!Subsequence(raw, from, items[0])) __builtin_trap();
  for (int i = 1; i <= count + 1; ++i) {
    if (i > 8 && i < count) continue;
    const std::string argument = line.Argument(i);
    if (argument != (i <= count ? items[static_cast<std::size_t>(i)] : std::string()))
      __builtin_trap();
    // Arguments are made of the line's own bytes, in its order.
    if (i <= 8 && !Subsequence(raw, from, argument)) __builtin_trap();
  }

  // The mode: the second byte of the upper-cased first argument, or configure.
  const std::string modeSwitch = ModeSwitchFor(line);
  char second = count == 0 ? 'C' : (items[1].size() > 1 ? items[1][1] : '\0');
  if (second >= 'a' && second <= 'z') second = static_cast<char>(second - 'a' + 'A');
  const Mode want = second == 'A'   ? Mode::kChangePassword
                    : second == 'C' ? Mode::kConfigure
                    : second == 'P' ? Mode::kPreview
                                    : Mode::kShow;
  if (ModeFor(modeSwitch) != want) __builtin_trap();
  if (modeSwitch.size() != (count == 0 ? 2 : items[1].size())) __builtin_trap();
  for (char c : modeSwitch) {
    if (c >= 'a' && c <= 'z') __builtin_trap();
  }

  // The handle comes from the second argument, whatever the mode.
  CheckHandle(line.Argument(2));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string raw(reinterpret_cast<const char*>(data), size);
  CheckLine(raw, LeadBytes::Cp932(), Cp932Lead);
  CheckLine(raw, LeadBytes(), NoLead);
  // The same bytes as a handle on their own reach forms no line would carry.
  CheckHandle(raw);
  return 0;
}
