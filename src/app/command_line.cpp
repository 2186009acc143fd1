// The command line as the display settings hand it over.
#include "app/command_line.h"

#include "text/case_mapping.h"

namespace zarumo {

CommandLine::CommandLine(std::string line, const LeadBytes& leadBytes)
    : line_(std::move(line)), lead_(leadBytes) {
  // Nothing after an embedded zero byte belongs to the line.
  line_.resize(line_.find('\0') == std::string::npos ? line_.size() : line_.find('\0'));
}

std::size_t CommandLine::ReadItem(std::size_t pos, std::string& item) const {
  item.clear();
  const std::size_t end = line_.size();
  // Skip separators and empty quote pairs that stand where an item would begin.
  for (;;) {
    while (pos < end && static_cast<unsigned char>(line_[pos]) >= 1 &&
           static_cast<unsigned char>(line_[pos]) <= 32)
      ++pos;
    if (pos + 1 < end && line_[pos] == '"' && line_[pos + 1] == '"') {
      pos += 2;
      continue;
    }
    break;
  }
  while (pos<end&& static_cast<unsigned char>(line_[pos])> 32) {
    if (line_[pos] == '"') {
      ++pos;
      while (pos < end && line_[pos] != '"') {
        std::size_t next = lead_.Next(line_, pos);
        item.append(line_, pos, next - pos);
        pos = next;
      }
      if (pos < end) ++pos;
    } else {
      std::size_t next = lead_.Next(line_, pos);
      item.append(line_, pos, next - pos);
      pos = next;
    }
  }
  return pos;
}

int CommandLine::ArgumentCount() const {
  std::string item;
  std::size_t pos = ReadItem(0, item);  // the program path
  int count = 0;
  for (;;) {
    pos = ReadItem(pos, item);
    if (item.empty()) return count;
    ++count;
  }
}

std::string CommandLine::Argument(int index) const {
  std::string item;
  std::size_t pos = ReadItem(0, item);
  for (int i = 1; i <= index; ++i) {
    pos = ReadItem(pos, item);
    if (item.empty()) return std::string();
  }
  return index >= 1 ? item : std::string();
}

std::string ModeSwitchFor(const CommandLine& commandLine) {
  if (commandLine.ArgumentCount() >= 1) return UpperCaseAscii(commandLine.Argument(1));
  return "/C";
}

Mode ModeFor(const std::string& modeSwitch) {
  // A one-byte switch has the terminating zero as its second byte.
  char second = modeSwitch.size() >= 2 ? modeSwitch[1] : '\0';
  if (second == 'A') return Mode::kChangePassword;
  if (second == 'C') return Mode::kConfigure;
  if (second == 'P') return Mode::kPreview;
  return Mode::kShow;
}

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool ParseWindowHandle(const std::string& text, std::int32_t& value) {
  std::size_t pos = 0;
  const std::size_t end = text.size();
  while (pos < end && text[pos] == ' ') ++pos;
  if (pos == end) return false;

  std::size_t prefix = 0;
  if (text[pos] == '$' || text[pos] == 'x' || text[pos] == 'X') {
    prefix = 1;
  } else if (text[pos] == '0' && pos + 1 < end && (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
    prefix = 2;
  }
  if (prefix) {
    pos += prefix;
    if (pos == end) return false;
    std::uint64_t bits = 0;
    for (; pos < end; ++pos) {
      int digit = HexDigit(text[pos]);
      if (digit < 0) return false;
      bits = bits * 16 + static_cast<unsigned>(digit);
      if (bits > 0xFFFFFFFFull) return false;
    }
    value = static_cast<std::int32_t>(static_cast<std::uint32_t>(bits));
    return true;
  }

  bool negative = false;
  if (text[pos] == '+' || text[pos] == '-') {
    negative = text[pos] == '-';
    ++pos;
  }
  if (pos == end) return false;
  std::int64_t magnitude = 0;
  for (; pos < end; ++pos) {
    if (text[pos] < '0' || text[pos] > '9') return false;
    magnitude = magnitude * 10 + (text[pos] - '0');
    if (magnitude > 2147483648LL) return false;
  }
  std::int64_t signedValue = negative ? -magnitude : magnitude;
  if (signedValue > 2147483647LL) return false;
  value = static_cast<std::int32_t>(signedValue);
  return true;
}

}  // namespace zarumo
