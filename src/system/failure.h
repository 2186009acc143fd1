// Failures are exceptions; every one the user may see carries its message in
// code page 932 and the address at which it was raised.
#pragma once

#include <exception>
#include <string>

namespace zarumo {

class Failure : public std::exception {
 public:
  explicit Failure(std::string message);
  const char* what() const noexcept override { return message_.c_str(); }
  const std::string& Message() const { return message_; }
  // Where the message holds a text from outside (a file name, the system's
  // own text), in the ANSI code page rather than 932; npos when it holds none.
  std::size_t OutsideAt() const { return outsideAt_; }
  std::size_t OutsideLength() const { return outsideLength_; }
  // The failure's kind, as the top-level error box names it.
  virtual const char* Kind() const noexcept { return "Failure"; }
  const void* Address() const { return address_; }

 protected:
  // `format` with its one "%s" filled by `outside`.
  Failure(const std::string& format, const std::string& outside);

 private:
  std::string message_;
  const void* address_;
  std::size_t outsideAt_ = std::string::npos;
  std::size_t outsideLength_ = 0;
};

// Ends a handler without any message.
class SilentAbort : public std::exception {
 public:
  const char* what() const noexcept override { return ""; }
};

// A user picture that cannot be shown; the scene answers it with the fallback.
class InvalidPicture : public Failure {
 public:
  using Failure::Failure;
  const char* Kind() const noexcept override { return "InvalidPicture"; }
};

// A failed file operation, named by its system error code.
class IoFailure : public Failure {
 public:
  explicit IoFailure(int code);
  int Code() const { return code_; }
  const char* Kind() const noexcept override { return "IoFailure"; }
  static std::string MessageFor(int code);

 private:
  int code_;
};

// A system call that failed with an error code; the text comes from the system.
class SystemFailure : public Failure {
 public:
  SystemFailure(unsigned code, const std::string& systemText);
  unsigned Code() const { return code_; }
  const char* Kind() const noexcept override { return "SystemFailure"; }

 private:
  unsigned code_;
};

// A file ended before the structure being read from it.
class ReadFailure : public Failure {
 public:
  ReadFailure();
  const char* Kind() const noexcept override { return "ReadFailure"; }
};

// A picture file that exists but cannot be opened.
class OpenFailure : public Failure {
 public:
  explicit OpenFailure(const std::string& fileName);
  const char* Kind() const noexcept override { return "OpenFailure"; }
};

}  // namespace zarumo
