// Failures as exceptions, with their messages in code page 932.
#include "system/failure.h"

#include "text/message_text.h"

namespace zarumo {

// Not inlined, so the return address lies in the code that raised the failure.
__attribute__((noinline)) Failure::Failure(std::string message)
    : message_(std::move(message)), address_(__builtin_return_address(0)) {}

__attribute__((noinline)) Failure::Failure(const std::string& format, const std::string& outside)
    : address_(__builtin_return_address(0)) {
  // Outside text is what a C string holds of it, as a "%s" would take it.
  const std::string held = outside.substr(0, outside.find('\0'));
  const std::size_t at = format.find("%s");
  message_ = format.substr(0, at) + held + format.substr(at + 2);
  outsideAt_ = at;
  outsideLength_ = held.size();
}

IoFailure::IoFailure(int code) : Failure(MessageFor(code)), code_(code) {}

std::string IoFailure::MessageFor(int code) {
  switch (code) {
    case 2:
      return "ファイルが見つかりません";
    case 3:
      return "不正なファイル名です";
    case 4:
      return "オープンしたファイルが多すぎます";
    case 5:
      return "ファイルへのアクセスが拒否されました";
    default:
      return Format("I/O エラー (%d)", code);
  }
}

SystemFailure::SystemFailure(unsigned code, const std::string& systemText)
    : Failure(Format("システムエラー。コード：%d.\r\n%%s", static_cast<int>(code)), systemText),
      code_(code) {}

ReadFailure::ReadFailure() : Failure("ストリームからの読み込みエラー") {}

OpenFailure::OpenFailure(const std::string& fileName)
    : Failure("ファイル %s は開けません", fileName) {}

}  // namespace zarumo
