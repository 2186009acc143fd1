// What the running system says: its error texts and its code page's lead bytes.
#include "system/system_text.h"

#include "system/failure.h"
#include "text/message_text.h"

namespace zarumo {

const LeadBytes& SystemLeadBytes() {
  static const LeadBytes lead = [] {
    CPINFO info{};
    if (!GetCPInfo(CP_ACP, &info)) return LeadBytes();
    unsigned char ranges[MAX_LEADBYTES];
    std::size_t count = 0;
    for (std::size_t i = 0; i + 1 < MAX_LEADBYTES && (info.LeadByte[i] || info.LeadByte[i + 1]);
         i += 2) {
      ranges[2 * count] = info.LeadByte[i];
      ranges[2 * count + 1] = info.LeadByte[i + 1];
      ++count;
    }
    return LeadBytes::FromRanges(ranges, count);
  }();
  return lead;
}

void LowerCaseBySystem(char* text, std::size_t length) {
  if (length) CharLowerBuffA(text, static_cast<DWORD>(length));
}

std::string SystemErrorText(DWORD code) {
  char* text = nullptr;
  DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string result;
  if (length && text) result.assign(text, length);
  if (text) LocalFree(text);
  while (!result.empty() && (result.back() == '\n' || result.back() == '\r')) result.pop_back();
  return result;
}

SystemFailure MemoryFailure() {
  return SystemFailure(ERROR_NOT_ENOUGH_MEMORY, SystemErrorText(ERROR_NOT_ENOUGH_MEMORY));
}

MixedText ShownMessage(const std::exception& failure) {
  const std::string message = failure.what();
  MixedText shown(message);
  auto* ours = dynamic_cast<const Failure*>(&failure);
  // what() stops at a zero byte, as the message box does.
  if (ours && ours->OutsideAt() + ours->OutsideLength() <= message.size()) {
    const std::size_t at = ours->OutsideAt();
    const std::size_t end = at + ours->OutsideLength();
    shown = MixedText(message.substr(0, at)) + MixedText::Outside(message.substr(at, end - at)) +
            MixedText(message.substr(end));
  }
  if (WithPeriod(message, SystemLeadBytes()).size() != message.size()) shown += ".";
  return shown;
}

void RaiseLastError(DWORD fallbackCode) {
  DWORD code = GetLastError();
  if (code == 0) code = fallbackCode;
  throw SystemFailure(code, SystemErrorText(code));
}

}  // namespace zarumo
